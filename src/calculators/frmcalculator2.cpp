#include "frmcalculator2.h"

#include "group2formulas.h"
#include "inputreader.h"

#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace calculators {

FrmCalculator2& frmCalculator2() { return ui::form<FrmCalculator2>(); }

namespace {

// Narrow boxes for inches and sixteenths beside the feet.
constexpr int smallBoxWidth = 60;

}  // namespace

QList<CalculatorWindow::Tab> FrmCalculator2::tabList()
{
    QList<Tab> tabs;
    for (const char* caption :
         {"Rafter Angle Calculator", "Paint Coverage Calculator", "Concrete Calculator for Circular Volumes",
          "Crown Molding Calculator", "Square House Calculator", "Wall base", "Shoe mould", "Crown mould", "Insulation",
          "Deck hand railing input", "Deck", "Tile", "Oak floor", "Carpet", "Gutter", "Sofface"})
        tabs.append({QString::fromUtf8(caption), {}});
    return tabs;
}

FrmCalculator2::FrmCalculator2() : CalculatorWindow(QStringLiteral("frmCalculator2"), tabList(), 21) {}

QString FrmCalculator2::helpText(int frameNumber)
{
    switch (frameNumber) {
    case 12:
        return QStringLiteral(
            "This calculator will give you the angles and lengths needed for hand framing your roof. When asked "
            "for decimal feet input values such as 12.5 for 12 feet -6 inches. The Hip Roof checkbox is not "
            "functional at this time so the calculator will output all values. Input values as stated.");
    case 13:
        return QStringLiteral(
            "The wall painting calculator will give you the total number of gallons required for some commonly "
            "painted surfaces. The calculator assumes brushing or rolling paint. It will separate the gallons "
            "required for ceiling and walls also. Input the fields below and select what type of surface it is.");
    case 14:
        return QStringLiteral(
            "This calculator will give you the total cubic yards for circular slabs or circular columns. Input "
            "values as stated. Assumes a constant diameter. There are no add factors - this is neatline "
            "quantities. This estimator is by no means perfect, it will only give a ballpark estimate to check "
            "actual estimates. The values and formula will solve for any circular plan. The values will be "
            "rounded up to nearest whole number.");
    case 15:
        return QStringLiteral(
            "The crown molding calculator will find the miter and bevel angles for any wall angle and spring "
            "angle.");
    case 16:
        return QStringLiteral(
            "A user has requested this calculator for the instances where the 3-4-5 method just doesn't work. "
            "This calculator will give you the hypotenuse of a triangle. Input the length of 2 sides of a "
            "triangle, in feet, and the calculator will output the 3rd side (hypotenuse) in decimal feet. This "
            "of course only works for a right triangle. This can be helpful when pulling square for concrete "
            "forms, walls, or floor and roof sheathing.");
    default: return {};
    }
}

ui::TextBox* FrmCalculator2::out(const QString& box) const { return textBox(box); }

// ---------------------------------------------------------------- the frames

namespace {

// The Compute button of a frame, with the frame's help button beside it
// when it has one.
QPushButton* computeRow(FrameBuilder& f, const QString& name, QToolButton* help = nullptr)
{
    QPushButton* b = f.pushButton(name, QStringLiteral("Compute"));
    f.grid()->addWidget(b, f.row(), 1);
    if (help)
        f.grid()->addWidget(help, f.row(), 2, Qt::AlignLeft);
    f.nextRow();
    return b;
}

}  // namespace

void FrmCalculator2::buildRafter()
{
    frmTab12 = newFrame(QStringLiteral("frmTab12"), QStringLiteral("Rafter Angle Calculator"));
    FrameBuilder f(frmTab12);
    f.input(QStringLiteral("Roof Pitch"), QStringLiteral("txtTab12_1"), QStringLiteral("/ 12"));
    f.input(QStringLiteral("Nominal Ridge Width (decimal inches)"), QStringLiteral("txtTab12_2"),
            QStringLiteral("inches"));
    f.input(QStringLiteral("Plan Distance (decimal feet)"), QStringLiteral("txtTab12_3"), QStringLiteral("Feet"));
    f.input(QStringLiteral("Eave Overhang (decimal feet)"), QStringLiteral("txtTab12_4"), QStringLiteral("Feet"));

    // The check box does not change the outputs: all of them are given.
    chkTab12 = new QCheckBox(QStringLiteral("Hip Roof? (Check if hip roof)"), frmTab12);
    chkTab12->setObjectName(QStringLiteral("chkTab12"));
    f.grid()->addWidget(chkTab12, f.row(), 0);
    QPushButton* compute =
        computeRow(f, QStringLiteral("cmdTab12"), addHelpButton(frmTab12, QStringLiteral("cmdHelp2_12"), helpText(12)));
    ui::onClick(compute, [this] { cmdTab12_Click(); });
    f.separator();

    f.output(QStringLiteral("Rafter Length"), QStringLiteral("txtTab12_5"), QStringLiteral("Feet"));
    f.output(QStringLiteral("Hip Rafter Length"), QStringLiteral("txtTab12_6"), QStringLiteral("Feet"));
    f.output(QStringLiteral("Length to birdsmouth from peak (hip)"), QStringLiteral("txtTab12_7"),
             QStringLiteral("Feet"));
    f.output(QStringLiteral("Length to birdsmouth from heel (hip)"), QStringLiteral("txtTab12_8"),
             QStringLiteral("Feet"));
    f.output(QStringLiteral("Main Rafter Miter Angle"), QStringLiteral("txtTab12_9"), QStringLiteral("°"));
    f.output(QStringLiteral("Hip Rafter Bevel Angle"), QStringLiteral("txtTab12_10"), QStringLiteral("°"));
    f.output(QStringLiteral("Hip Rafter Miter Angle"), QStringLiteral("txtTab12_11"));
    f.finish();
}

void FrmCalculator2::buildPaint()
{
    frmTab13 = newFrame(QStringLiteral("frmTab13"), QStringLiteral("Paint Coverage Calculator"));
    FrameBuilder f(frmTab13);
    f.input(QStringLiteral("Length of room (feet)"), QStringLiteral("txtTab13_1"));
    f.input(QStringLiteral("Width of room (feet)"), QStringLiteral("txtTab13_2"));
    f.input(QStringLiteral("Height of walls "), QStringLiteral("txtTab13_3"));
    f.input(QStringLiteral("Number of Doors"), QStringLiteral("txtTab13_4"));
    f.input(QStringLiteral("Number of Windows"), QStringLiteral("txtTab13_5"));
    // Item data: the square feet one gallon covers on that surface.
    cmbTab13 = f.combo(QStringLiteral("Select Surface Type"), QStringLiteral("cmbTab13"),
                       {{QStringLiteral("Drywall (Flat)"), 450},
                        {QStringLiteral("Drywall (Gloss)"), 400},
                        {QStringLiteral("Plaster"), 250},
                        {QStringLiteral("Siding (Paint)"), 420},
                        {QStringLiteral("Siding (Stain)"), 150},
                        {QStringLiteral("Concrete (Paint)"), 450}});
    f.input(QStringLiteral("Enter Paint Cost"), QStringLiteral("txtTab13_6"));
    QPushButton* compute =
        computeRow(f, QStringLiteral("cmdTab13"), addHelpButton(frmTab13, QStringLiteral("cmdHelp2_13"), helpText(13)));
    ui::onClick(compute, [this] { cmdTab13_Click(); });
    f.separator();

    f.output(QStringLiteral("Ceiling SF"), QStringLiteral("txtTab13_7"));
    f.output(QStringLiteral("Ceiling Gallons"), QStringLiteral("txtTab13_8"));
    f.output(QStringLiteral("Ceiling Paint Cost"), QStringLiteral("txtTab13_9"));
    f.output(QStringLiteral("Wall SF"), QStringLiteral("txtTab13_10"));
    f.output(QStringLiteral("Wall Gallons"), QStringLiteral("txtTab13_11"));
    f.output(QStringLiteral("Wall Paint Cost"), QStringLiteral("txtTab13_12"));
    f.output(QStringLiteral("Total Paint Cost"), QStringLiteral("txtTab13_13"));
    f.finish();
}

void FrmCalculator2::buildCircular()
{
    frmTab14 = newFrame(QStringLiteral("frmTab14"), QStringLiteral("Concrete Calculator for Circular Volumes"));
    FrameBuilder f(frmTab14);
    f.input(QStringLiteral("Diameter (feet)"), QStringLiteral("txtTab14_1"));
    f.input(QStringLiteral("Depth (feet)"), QStringLiteral("txtTab14_2"));
    f.input(QStringLiteral("Cost per Cubic Yard"), QStringLiteral("txtTab14_3"));
    QPushButton* compute =
        computeRow(f, QStringLiteral("cmdTab14"), addHelpButton(frmTab14, QStringLiteral("cmdHelp2_14"), helpText(14)));
    ui::onClick(compute, [this] { cmdTab14_Click(); });
    f.separator();

    f.output(QStringLiteral("Total CY"), QStringLiteral("txtTab14_4"));
    f.output(QStringLiteral("Concrete Cost"), QStringLiteral("txtTab14_5"));
    f.output(QStringLiteral("Labor Cost"), QStringLiteral("txtTab14_6"));
    f.output(QStringLiteral("Total Cost"), QStringLiteral("txtTab14_7"));
    f.finish();
}

void FrmCalculator2::buildCrown()
{
    frmTab15 = newFrame(QStringLiteral("frmTab15"), QStringLiteral("Crown Molding Calculator"));
    FrameBuilder f(frmTab15);
    f.input(QStringLiteral("Input Wall Angle"), QStringLiteral("txtTab15_1"), QStringLiteral("°"));
    f.input(QStringLiteral("Input Spring Angle"), QStringLiteral("txtTab15_2"), QStringLiteral("°"));
    QPushButton* compute =
        computeRow(f, QStringLiteral("cmdTab15"), addHelpButton(frmTab15, QStringLiteral("cmdHelp2_15"), helpText(15)));
    ui::onClick(compute, [this] { cmdTab15_Click(); });
    f.separator();

    f.output(QStringLiteral("Miter Angle"), QStringLiteral("txtTab15_3"), QStringLiteral("°"));
    f.output(QStringLiteral("Bevel Angle"), QStringLiteral("txtTab15_4"), QStringLiteral("°"));
    f.output(QStringLiteral("Angle from level"), QStringLiteral("txtTab15_5"), QStringLiteral("°"));
    f.finish();
}

void FrmCalculator2::buildSquareHouse()
{
    frmTab16 = newFrame(QStringLiteral("frmTab16"), QStringLiteral("Square House Calculator"));
    FrameBuilder f(frmTab16);
    QGridLayout* g = f.grid();

    // Each side as feet, inches and sixteenths on one row.
    const auto side = [&](const QString& caption, int firstBox) {
        g->addWidget(f.label(caption), f.row(), 0);
        const QString units[] = {QStringLiteral("ft"), QStringLiteral("Inches"), QStringLiteral("/16")};
        const QString parts[] = {QStringLiteral("ft"), QStringLiteral("Inches"), QStringLiteral("sixteenths")};
        for (int i = 0; i < 3; ++i) {
            ui::TextBox* box = f.textBox(QStringLiteral("txtTab16_%1").arg(firstBox + i));
            setFieldName(box, caption, parts[i]);
            if (i > 0)
                box->setFixedWidth(smallBoxWidth);
            g->addWidget(box, f.row(), 1 + 2 * i);
            g->addWidget(f.label(units[i]), f.row(), 2 + 2 * i);
        }
        f.nextRow();
    };
    side(QStringLiteral("Input Side 1"), 1);
    side(QStringLiteral("Input Side 2"), 4);

    QPushButton* compute =
        computeRow(f, QStringLiteral("cmdTab16"), addHelpButton(frmTab16, QStringLiteral("cmdHelp2_16"), helpText(16)));
    ui::onClick(compute, [this] { cmdTab16_Click(); });
    f.separator();
    f.output(QStringLiteral("Side 3 Length (hypotenuse)"), QStringLiteral("txtTab16_7"));
    f.finish();
}

void FrmCalculator2::buildLengths()
{
    frmTab17 = newFrame(QStringLiteral("frmTab17"));
    FrameBuilder f(frmTab17);
    const QString feet = QStringLiteral("feet");
    f.input(QStringLiteral("First"), QStringLiteral("txtTab17_1"), feet);
    f.input(QStringLiteral("Second"), QStringLiteral("txtTab17_2"), feet);
    f.input(QStringLiteral("Third"), QStringLiteral("txtTab17_3"), feet);
    f.input(QStringLiteral("Fourth"), QStringLiteral("txtTab17_4"), feet);
    ui::onClick(computeRow(f, QStringLiteral("cmdTab17")), [this] { cmdTab17_Click(); });
    f.separator();
    f.output(QStringLiteral("Total"), QStringLiteral("txtTab17_5"), feet);
    f.finish();
}

void FrmCalculator2::buildWallArea()
{
    frmTab20 = newFrame(QStringLiteral("frmTab20"));
    FrameBuilder f(frmTab20);
    f.input(QStringLiteral("Length"), QStringLiteral("txtTab20_1"), QStringLiteral("feet"));
    f.input(QStringLiteral("Height"), QStringLiteral("txtTab20_2"), QStringLiteral("feet"));
    ui::onClick(computeRow(f, QStringLiteral("cmdTab20")), [this] { cmdTab20_Click(); });
    f.separator();
    f.output(QStringLiteral("Total"), QStringLiteral("txtTab20_3"), QStringLiteral("sq. feet"));
    f.finish();
}

void FrmCalculator2::buildFloorArea()
{
    frmTab22 = newFrame(QStringLiteral("frmTab22"));
    FrameBuilder f(frmTab22);
    f.input(QStringLiteral("Length"), QStringLiteral("txtTab22_1"), QStringLiteral("feet"));
    // The old label reads "Weight"; the box is the floor's width.
    f.input(QStringLiteral("Weight"), QStringLiteral("txtTab22_2"));
    ui::onClick(computeRow(f, QStringLiteral("cmdTab22_1")), [this] { cmdTab22_1_Click(); });
    f.separator();
    f.output(QStringLiteral("Total"), QStringLiteral("txtTab22_3"), QStringLiteral("sq. feet"));
    f.finish();
}

void FrmCalculator2::buildPerimeter()
{
    frmTab26 = newFrame(QStringLiteral("frmTab26"));
    FrameBuilder f(frmTab26);
    const QString feet = QStringLiteral("feet");
    f.input(QStringLiteral("Front"), QStringLiteral("txtTab26_1"), feet);
    f.input(QStringLiteral("Rear"), QStringLiteral("txtTab26_2"), feet);
    f.input(QStringLiteral("Left"), QStringLiteral("txtTab26_3"), feet);
    f.input(QStringLiteral("Right"), QStringLiteral("txtTab26_4"), feet);
    ui::onClick(computeRow(f, QStringLiteral("cmdTab26")), [this] { cmdTab26_Click(); });
    f.separator();
    f.output(QStringLiteral("Total"), QStringLiteral("txtTab26_5"), feet);
    f.finish();
}

void FrmCalculator2::createFrames()
{
    buildRafter();
    buildPaint();
    buildCircular();
    buildCrown();
    buildSquareHouse();
    buildLengths();
    buildWallArea();
    buildFloorArea();
    buildPerimeter();

    QWidget* const byWhich[] = {frmTab12, frmTab13, frmTab14, frmTab15, frmTab16, frmTab17, frmTab17, frmTab17,
                                frmTab20, frmTab17, frmTab22, frmTab22, frmTab22, frmTab22, frmTab26, frmTab26};
    for (int i = 0; i < 16; ++i)
        mapWhich(i + 1, byWhich[i]);
    fitBoxesToResults(client(), smallBoxWidth);
}

void FrmCalculator2::Form_Load()
{
    CalculatorWindow::Form_Load();
    showOnly(frmTab12);
}

// ------------------------------------------------------------- computations
//
// Each computation reads all its boxes first; when one is refused it says
// why and nothing is written.

QString FrmCalculator2::noRunMessage()
{
    return QStringLiteral(
        "The ridge leaves the rafters no run: half of \"Nominal Ridge Width (decimal inches)\" is more than "
        "\"Plan Distance (decimal feet)\".");
}

void FrmCalculator2::cmdTab12_Click()
{
    InputReader in(*this);
    group2::RafterInput r;
    r.pitch = in.measure(QStringLiteral("txtTab12_1"));
    r.ridgeWidthInches = in.measure(QStringLiteral("txtTab12_2"));
    r.planDistance = in.measure(QStringLiteral("txtTab12_3"));
    r.eaveOverhang = in.measure(QStringLiteral("txtTab12_4"));
    if (in.ok() && group2::rafterRun(r) < 0)
        in.refuse(noRunMessage(), QStringLiteral("txtTab12_3"));
    if (in.refused())
        return;
    const group2::RafterResult x = group2::rafter(r);
    writeResults({{out(QStringLiteral("txtTab12_5")), x.rafterLength},
                  {out(QStringLiteral("txtTab12_6")), x.hipRafterLength},
                  {out(QStringLiteral("txtTab12_7")), x.hipPeakToBirdsmouth},
                  {out(QStringLiteral("txtTab12_8")), x.hipHeelToBirdsmouth},
                  {out(QStringLiteral("txtTab12_9")), x.mainRafterMiterAngle},
                  {out(QStringLiteral("txtTab12_10")), x.hipRafterBevelAngle},
                  {out(QStringLiteral("txtTab12_11")), x.hipRafterMiterAngle}});
}

void FrmCalculator2::cmdTab13_Click()
{
    InputReader in(*this);
    group2::PaintInput p;
    p.length = in.measure(QStringLiteral("txtTab13_1"));
    p.width = in.measure(QStringLiteral("txtTab13_2"));
    p.wallHeight = in.measure(QStringLiteral("txtTab13_3"));
    p.doors = in.measure(QStringLiteral("txtTab13_4"));
    p.windows = in.measure(QStringLiteral("txtTab13_5"));
    p.coverage = cmbTab13 ? double(cmbTab13->selectedData()) : 0.0;
    p.costPerGallon = in.money(QStringLiteral("txtTab13_6"));
    if (in.refused())
        return;
    const std::optional<group2::PaintResult> x = group2::paint(p);
    if (!x) {
        // Without a surface there is no coverage to divide by.
        ui::msgBox(QStringLiteral("Please select the surface type."));
        if (cmbTab13)
            cmbTab13->setFocus();
        return;
    }
    writeResults({{out(QStringLiteral("txtTab13_7")), x->ceilingSquareFeet},
                  {out(QStringLiteral("txtTab13_8")), x->ceilingGallons},
                  {out(QStringLiteral("txtTab13_9")), x->ceilingCost},
                  {out(QStringLiteral("txtTab13_10")), x->wallSquareFeet},
                  {out(QStringLiteral("txtTab13_11")), x->wallGallons},
                  {out(QStringLiteral("txtTab13_12")), x->wallCost},
                  {out(QStringLiteral("txtTab13_13")), x->totalCost}});
}

void FrmCalculator2::cmdTab14_Click()
{
    InputReader in(*this);
    const double diameter = in.measure(QStringLiteral("txtTab14_1"));
    const double depth = in.measure(QStringLiteral("txtTab14_2"));
    const double costPerYard = in.money(QStringLiteral("txtTab14_3"));
    if (in.refused())
        return;
    const group2::CircularResult x = group2::circularConcrete(diameter, depth, costPerYard);
    writeResults({{out(QStringLiteral("txtTab14_4")), x.cubicYards},
                  {out(QStringLiteral("txtTab14_5")), x.concreteCost},
                  {out(QStringLiteral("txtTab14_6")), x.laborCost},
                  {out(QStringLiteral("txtTab14_7")), x.totalCost}});
}

void FrmCalculator2::cmdTab15_Click()
{
    InputReader in(*this);
    const double wall = in.angle(QStringLiteral("txtTab15_1"));
    const double spring = in.angle(QStringLiteral("txtTab15_2"));
    if (in.refused())
        return;
    const group2::CrownResult x = group2::crownMolding(wall, spring);
    writeResults({{out(QStringLiteral("txtTab15_3")), x.miterAngle},
                  {out(QStringLiteral("txtTab15_4")), x.bevelAngle},
                  {out(QStringLiteral("txtTab15_5")), x.angleFromLevel}});
}

void FrmCalculator2::cmdTab16_Click()
{
    InputReader in(*this);
    double parts[6];
    for (int i = 0; i < 6; ++i)
        parts[i] = in.measure(QStringLiteral("txtTab16_%1").arg(i + 1));
    if (in.refused())
        return;
    const double side1 = group2::decimalFeet(parts[0], parts[1], parts[2]);
    const double side2 = group2::decimalFeet(parts[3], parts[4], parts[5]);
    writeResults({{out(QStringLiteral("txtTab16_7")), group2::hypotenuse(side1, side2)}});
}

namespace {

// The four lengths of the lengths or perimeter frame, summed.
std::optional<double> fourLengths(InputReader& in, int frame)
{
    double v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = in.measure(QStringLiteral("txtTab%1_%2").arg(frame).arg(i + 1));
    if (in.refused())
        return std::nullopt;
    return group2::lengthsTotal(v[0], v[1], v[2], v[3]);
}

// Length times the second box of an area frame.
std::optional<double> twoSides(InputReader& in, int frame)
{
    const double length = in.measure(QStringLiteral("txtTab%1_1").arg(frame));
    const double other = in.measure(QStringLiteral("txtTab%1_2").arg(frame));
    if (in.refused())
        return std::nullopt;
    return group2::area(length, other);
}

}  // namespace

void FrmCalculator2::cmdTab17_Click()
{
    InputReader in(*this);
    if (const auto total = fourLengths(in, 17))
        writeResults({{out(QStringLiteral("txtTab17_5")), *total}});
}

void FrmCalculator2::cmdTab20_Click()
{
    InputReader in(*this);
    if (const auto total = twoSides(in, 20))
        writeResults({{out(QStringLiteral("txtTab20_3")), *total}});
}

void FrmCalculator2::cmdTab22_1_Click()
{
    // Square feet on every tab of the frame, "Carpet" included, as its label says.
    InputReader in(*this);
    if (const auto total = twoSides(in, 22))
        writeResults({{out(QStringLiteral("txtTab22_3")), *total}});
}

void FrmCalculator2::cmdTab26_Click()
{
    InputReader in(*this);
    if (const auto total = fourLengths(in, 26))
        writeResults({{out(QStringLiteral("txtTab26_5")), *total}});
}

}  // namespace calculators
