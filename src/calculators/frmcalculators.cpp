#include "frmcalculators.h"

#include "group1formulas.h"
#include "inputreader.h"

#include "data/appfolder.h"
#include "shell/screens.h"
#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace calculators {

namespace {

const QString bricksHelp =
    QStringLiteral("Program will calculate for 7 bricks per sq. foot and 9 bricks per sq. foot. In case you have any "
                   "other brick size, please enter the value in the box labelled 'Bricks per sq.ft'");
const QString foundationHelp =
    QStringLiteral("This calculator will give you the total cubic yards for footings and stem walls. It assumes a "
                   "concentric stem wall and footing (midline is same). Add factors are general, as is labor factor. "
                   "This estimator is by no means perfect, it will provide an estimate to check actual estimates. The "
                   "values and formula will solve for any closed polygonal plan. The values will be rounded up to "
                   "nearest whole number.");
const QString framingHelp =
    QStringLiteral("This calculator will give you the total board footage for framed walls. Input values as stated. "
                   "Add factors are general, as is labor factor. This estimator is by no means perfect and will only "
                   "give a ballpark estimate to check actual estimates. Assumptions are as follows: 8 ' wall height , "
                   "3 plates");
const QString roofHelp =
    QStringLiteral("This calculator will give you the area of a gable or simple hip roof. Input the values in feet. "
                   "The length and width of roof should include overhang. Make sure that the Roof Pitch is a single "
                   "number. So if you have a roof pitch of 5/12 just input 5. Values are rounded to next highest "
                   "number.");
const QString boardFootHelp =
    QStringLiteral("This calculator will give you the board foot measure for 3 standard sizes of wood and 1 custom "
                   "size. Input values as stated.");

// The windows Group 1 closes whenever it changes its calculator.
const QStringList closedWithGroup1 = {QStringLiteral("scientific"), QStringLiteral("frmCalculator2"),
                                      QStringLiteral("frmCalculator3")};

QList<CalculatorWindow::Tab> group1Tabs()
{
    return {{QStringLiteral("Blocks Calculator"), {}},
            {QStringLiteral("Concrete Materials Calculators"), {}},
            {QStringLiteral("Block Wall Calculator"), {}},
            {QStringLiteral("Column Calculator"), {}},
            {QStringLiteral("Bricks Calculator"), {}},
            {QStringLiteral("Conversions"), QStringLiteral("Open conversions calculator window")},
            {QStringLiteral("Scientific Calculator"), {}},
            {QStringLiteral("Foundation Concrete Calculator"), {}},
            {QStringLiteral("Wall Framing Calculator"), {}},
            {QStringLiteral("Roof Area Calculator"), {}},
            {QStringLiteral("Board Foot Calculator"), {}}};
}

QString n(const char* prefix, int k) { return QString::fromLatin1(prefix) + QString::number(k); }

}  // namespace

FrmCalculators::FrmCalculators() : CalculatorWindow(QStringLiteral("frmCalculators"), group1Tabs(), 20) {}

void FrmCalculators::createFrames()
{
    buildBlocks();
    buildConcreteMaterials();
    buildBlockWall();
    buildColumn();
    buildBricks();
    buildFoundation();
    buildWallFraming();
    buildRoofArea();
    buildBoardFoot();

    mapWhich(1, frmTab1);
    mapWhich(2, frmTab2);
    mapWhich(3, frmTab3);
    mapWhich(4, frmTab4);
    mapWhich(5, frmTab5);
    mapWhich(6, nullptr, [this] { startConversions(); });
    mapWhich(7, nullptr, [this] { showScientific(); });
    mapWhich(8, frmTab8);
    mapWhich(9, frmTab9);
    mapWhich(10, frmTab10);
    mapWhich(11, frmTab11);
}

void FrmCalculators::Form_Load()
{
    CalculatorWindow::Form_Load();
    move(0, 2500);
    // The Blocks calculator shows until a calculator is chosen.
    showOnly(frmTab1);
}

void FrmCalculators::Form_Unload() { Unloadall(); }

void FrmCalculators::Unloadall()
{
    for (const QString& name : closedWithGroup1)
        for (ui::Form* f : ui::loadedForms())
            if (f != this && f->name() == name)
                f->unload();
    CalculatorWindow::Unloadall();
}

// ------------------------------------------------------------------ frames

void FrmCalculators::buildBlocks()
{
    frmTab1 = newFrame(QStringLiteral("frmTab1"), QStringLiteral("Blocks Calculator"));
    FrameBuilder b(frmTab1);
    QGridLayout* g = b.grid();

    g->addWidget(b.label(QStringLiteral("Size of Each Block (Inches) e.g. 16\" Block")), 0, 0);
    ui::TextBox* size = b.textBox(QStringLiteral("txtTab1_BlockSize"));
    setFieldName(size, QStringLiteral("Size of Each Block (Inches)"));
    g->addWidget(size, 0, 1);

    g->addWidget(b.label(QStringLiteral("Length (Feet) ")), 1, 1);
    g->addWidget(b.label(QStringLiteral("# of Blocks")), 1, 2);
    const QStringList sides = {QStringLiteral("Front"), QStringLiteral("Back"), QStringLiteral("Left Side"),
                               QStringLiteral("Right Side")};
    for (int k = 1; k <= 4; ++k) {
        g->addWidget(b.label(sides[k - 1]), 1 + k, 0);
        ui::TextBox* length = b.textBox(n("txtTab1_Length", k));
        setFieldName(length, QStringLiteral("Length (Feet) "), sides[k - 1]);
        g->addWidget(length, 1 + k, 1);
        ui::TextBox* blocks = b.textBox(n("txtTab1_Blocks", k), true);
        setFieldName(blocks, QStringLiteral("# of Blocks"), sides[k - 1]);
        g->addWidget(blocks, 1 + k, 2);
    }
    QPushButton* calc1 = b.pushButton(QStringLiteral("cmdTab6_1"), QStringLiteral("Calculate"));
    g->addWidget(calc1, 5, 3);
    ui::onClick(calc1, [this] { cmdTab6_1_Click(); });

    const auto named = [&](const QString& label, const QString& name, bool output, int row) {
        g->addWidget(b.label(label), row, 0);
        ui::TextBox* box = b.textBox(name, output);
        setFieldName(box, label);
        g->addWidget(box, row, 2);
    };
    named(QStringLiteral("Total # of Blocks along the footer"), QStringLiteral("txtTab1_FooterBlocks"), true, 6);
    named(QStringLiteral("Height (Feet)"), QStringLiteral("txtTab1_Height"), false, 7);
    QPushButton* calc2 = b.pushButton(QStringLiteral("cmdTab6_2"), QStringLiteral("Calculate"));
    g->addWidget(calc2, 8, 3);
    ui::onClick(calc2, [this] { cmdTab6_2_Click(); });
    named(QStringLiteral("Total # of Blocks"), QStringLiteral("txtTab1_TotalBlocks"), true, 8);
    b.setRow(9);
    b.finish();
}

void FrmCalculators::buildConcreteMaterials()
{
    frmTab2 = newFrame(QStringLiteral("frmTab2"), QStringLiteral("Concrete Materials Calculators"));
    FrameBuilder b(frmTab2);

    auto* units = new QWidget(frmTab2);
    auto* unitsRow = new QHBoxLayout(units);
    unitsRow->setContentsMargins(0, 0, 0, 0);
    Tab2_Option1 = new QRadioButton(QStringLiteral("Inches"), units);
    Tab2_Option1->setObjectName(QStringLiteral("Tab2_Option1"));
    Tab2_Option2 = new QRadioButton(QStringLiteral("Feet"), units);
    Tab2_Option2->setObjectName(QStringLiteral("Tab2_Option2"));
    Tab2_Option1->setChecked(true);  // the depth labels read in inches
    unitsRow->addWidget(Tab2_Option1);
    unitsRow->addWidget(Tab2_Option2);
    unitsRow->addStretch(1);
    b.grid()->addWidget(units, b.row(), 1, 1, 2);
    b.nextRow();

    b.input(QStringLiteral("Length (Feet) "), QStringLiteral("txtTab2_2"));
    b.input(QStringLiteral("Width (Feet) "), QStringLiteral("txtTab2_1"));
    b.output(QStringLiteral("Slab Area (Sq.Feet)"), QStringLiteral("txtTab2_Slabarea"));
    b.input(QStringLiteral("Depth of Slab (Inch)"), QStringLiteral("txtTab2_3"));
    b.input(QStringLiteral("Depth of Base (Inch)"), QStringLiteral("txtTab2_BaseDepth"));
    b.output(QStringLiteral("Slab Volume (CY)"), QStringLiteral("txtTab2_4"));
    b.output(QStringLiteral("Base Volume (CY)"), QStringLiteral("txtTab2_Basevolume"));
    b.output(QStringLiteral("Total Volume (CY)"), QStringLiteral("txtTab2_Totvolume"));
    ui::onClick(b.button(QStringLiteral("cmdTab2")), [this] { cmdTab2_Click(); });
    b.finish();
}

void FrmCalculators::buildBlockWall()
{
    frmTab3 = newFrame(QStringLiteral("frmTab3"), QStringLiteral("Block Wall Calculator"));
    FrameBuilder b(frmTab3);
    b.input(QStringLiteral("Height (Feet) "), QStringLiteral("txtTab3_1"));
    b.input(QStringLiteral("Length (Feet) "), QStringLiteral("txtTab3_2"));

    auto* sizes = new QWidget(frmTab3);
    auto* sizesRow = new QHBoxLayout(sizes);
    sizesRow->setContentsMargins(0, 0, 0, 0);
    Tab3_Option1 = new QRadioButton(QStringLiteral("8 Inch"), sizes);
    Tab3_Option1->setObjectName(QStringLiteral("Tab3_Option1"));
    Tab3_Option2 = new QRadioButton(QStringLiteral("12 Inch"), sizes);
    Tab3_Option2->setObjectName(QStringLiteral("Tab3_Option2"));
    Tab3_Option1->setChecked(true);
    sizesRow->addWidget(Tab3_Option1);
    sizesRow->addWidget(Tab3_Option2);
    sizesRow->addStretch(1);
    b.grid()->addWidget(b.label(QStringLiteral("Block Size")), b.row(), 0);
    b.grid()->addWidget(sizes, b.row(), 1, 1, 2);
    b.nextRow();

    b.output(QStringLiteral("Cubic Yards Required"), QStringLiteral("txtTab3_4"));
    ui::onClick(b.button(QStringLiteral("cmdTab3")), [this] { cmdTab3_Click(); });
    b.finish();
}

void FrmCalculators::buildColumn()
{
    frmTab4 = newFrame(QStringLiteral("frmTab4"), QStringLiteral("Column Calculator"));
    FrameBuilder b(frmTab4);
    b.input(QStringLiteral("Height (Feet) "), QStringLiteral("txtTab4_1"));
    b.input(QStringLiteral("Diameter (Inches)"), QStringLiteral("txtTab4_2"));
    b.output(QStringLiteral("Cubic Yards Required"), QStringLiteral("txtTab4_4"));
    ui::onClick(b.button(QStringLiteral("cmdTab4")), [this] { cmdTab4_Click(); });
    b.finish();
}

void FrmCalculators::buildBricks()
{
    frmTab5 = newFrame(QStringLiteral("frmTab5"), QStringLiteral("Bricks Calculator"));
    auto* outer = new QGridLayout(frmTab5);
    outer->setHorizontalSpacing(10);
    outer->setVerticalSpacing(10);

    const QStringList titles = {QStringLiteral("FIRST AREA"), QStringLiteral("SECOND AREA"),
                                QStringLiteral("THIRD AREA"), QStringLiteral("FOURTH AREA")};
    for (int k = 1; k <= 4; ++k) {
        auto* area = new QGroupBox(titles[k - 1], frmTab5);
        area->setObjectName(n("ftmTab5_", k));
        FrameBuilder b(area);
        const QString& title = titles[k - 1];
        setFieldContext(b.input(QStringLiteral("Length (Feet) "), n("txtLength", k)), title);
        setFieldContext(b.input(QStringLiteral("Width (Feet) "), n("txtWidth", k)), title);
        QPushButton* calc = b.button(n("cmdTab5_", k), QStringLiteral("Calculate"));
        ui::onClick(calc, [this, k] { cmdTab5_Click(k); });
        setFieldContext(b.output(QStringLiteral("Area (Square Feet)"), n("txtArea", k)), title);
        setFieldContext(b.output(QStringLiteral("7 Bricks per sq. foot"), n("txtBricks", k)), title);
        setFieldContext(b.output(QStringLiteral("9 Bricks per sq. foot"), n("txtBricks9", k)), title);

        // The custom rate sits in front of its label, the count in the box column.
        auto* rate = new QWidget(area);
        auto* rateRow = new QHBoxLayout(rate);
        rateRow->setContentsMargins(0, 0, 0, 0);
        ui::TextBox* rateBox = b.textBox(n("txtnBricks", k));
        setFieldName(rateBox, QStringLiteral("Bricks per sq. ft"), title);
        rateBox->setParent(rate);
        rateBox->setFixedWidth(50);
        rateRow->addWidget(rateBox);
        rateRow->addWidget(new QLabel(QStringLiteral("Bricks per sq. ft"), rate));
        rateRow->addStretch(1);
        b.grid()->addWidget(rate, b.row(), 0);
        ui::TextBox* customCount = b.textBox(n("txtBricksn", k), true);
        setFieldName(customCount, QStringLiteral("Bricks per sq. ft"), title + QStringLiteral(", count"));
        b.grid()->addWidget(customCount, b.row(), 1);
        b.nextRow();

        outer->addWidget(area, (k - 1) / 2, (k - 1) % 2);
    }

    auto* totals = new QWidget(frmTab5);
    FrameBuilder t(totals);
    t.grid()->setContentsMargins(0, 0, 0, 0);
    auto* heading = t.note(QStringLiteral("Total number of Bricks needed"));
    heading->setWordWrap(false);
    t.output(QStringLiteral("7 Bricks per sq. foot"), QStringLiteral("txtTotal"));
    t.output(QStringLiteral("9 Bricks per sq. foot"), QStringLiteral("txtTotal2"));
    t.output(QStringLiteral("Custom Bricks per sq. foot"), QStringLiteral("txtTotal3"));
    t.grid()->addWidget(addHelpButton(totals, QStringLiteral("cmdHelp2_5"), bricksHelp), t.row(), 1, Qt::AlignLeft);
    t.nextRow();
    t.finish();
    outer->addWidget(totals, 0, 2, 2, 1);
}

void FrmCalculators::buildFoundation()
{
    frmTab8 = newFrame(QStringLiteral("frmTab8"), QStringLiteral("Foundation Concrete Calculator"));
    FrameBuilder b(frmTab8);
    QGridLayout* g = b.grid();
    // Columns: label, "$", box, unit, button.
    auto row = [&](const QString& label, const QString& name, bool output, const QString& prefix, const QString& unit) {
        g->addWidget(b.label(label), b.row(), 0);
        if (!prefix.isEmpty())
            g->addWidget(b.label(prefix), b.row(), 1, Qt::AlignRight);
        ui::TextBox* box = b.textBox(name, output);
        setFieldName(box, label);
        g->addWidget(box, b.row(), 2);
        if (!unit.isEmpty())
            g->addWidget(b.label(unit), b.row(), 3);
        b.nextRow();
    };
    row(QStringLiteral("Building Perimeter (feet)"), QStringLiteral("txtTab8_1"), false, {}, {});
    row(QStringLiteral("Footing Width (inches)"), QStringLiteral("txtTab8_2"), false, {}, {});
    row(QStringLiteral("Footing Depth (inches)"), QStringLiteral("txtTab8_3"), false, {}, {});
    row(QStringLiteral("Stem Wall Height (feet)"), QStringLiteral("txtTab8_4"), false, {}, {});
    row(QStringLiteral("Stem Wall Width (inches)"), QStringLiteral("txtTab8_5"), false, {}, {});
    row(QStringLiteral("Footing CY"), QStringLiteral("txtTab8_6"), true, {}, {});
    row(QStringLiteral("Stem Wall CY"), QStringLiteral("txtTab8_7"), true, {}, {});
    QPushButton* compute1 = b.pushButton(QStringLiteral("cmdTab8_1"), QStringLiteral("Compute"));
    g->addWidget(compute1, b.row() - 1, 4);
    g->addWidget(addHelpButton(frmTab8, QStringLiteral("cmdHelp2_8"), foundationHelp), b.row() - 1, 5);
    ui::onClick(compute1, [this] { cmdTab8_1_Click(); });
    b.separator();

    row(QStringLiteral("Cost per Cubic Yard (Include haul)"), QStringLiteral("txtTab8_8"), false, QStringLiteral("$"),
        QStringLiteral("/ CY"));
    QPushButton* compute2 = b.pushButton(QStringLiteral("cmdTab8_2"), QStringLiteral("Compute"));
    g->addWidget(compute2, b.row() - 1, 4);
    ui::onClick(compute2, [this] { cmdTab8_2_Click(); });
    row(QStringLiteral("Total Cubic Yards Footing (including 12% add factor)"), QStringLiteral("txtTab8_9"), true, {},
        QStringLiteral("CY"));
    row(QStringLiteral("Total Cubic Yards Stem Wall (including 8% add factor)"), QStringLiteral("txtTab8_10"), true, {},
        QStringLiteral("CY"));
    row(QStringLiteral("Total Cubic Yards"), QStringLiteral("txtTab8_11"), true, {}, QStringLiteral("CY"));
    row(QStringLiteral("Material Cost"), QStringLiteral("txtTab8_12"), true, QStringLiteral("$"), {});
    row(QStringLiteral("Labor Cost (by factor of 3 times material)"), QStringLiteral("txtTab8_13"), true,
        QStringLiteral("$"), {});
    row(QStringLiteral("Total Concrete Cost"), QStringLiteral("txtTab8_14"), true, QStringLiteral("$"), {});
    b.finish();
}

void FrmCalculators::buildWallFraming()
{
    frmTab9 = newFrame(QStringLiteral("frmTab9"), QStringLiteral("Wall Framing Calculator"));
    FrameBuilder b(frmTab9);
    QGridLayout* g = b.grid();
    g->setColumnMinimumWidth(2, 24);
    const QStringList ext = {QStringLiteral("Exterior Perimeter (feet)"),
                             QStringLiteral("Stud spacing (inches)"),
                             QStringLiteral("Number of Corners"),
                             QStringLiteral("Number of Spaces"),
                             QStringLiteral("Number of Openings"),
                             QStringLiteral("Number of Ext 2x6 studs"),
                             QStringLiteral("Board Foot Measure of Ext 2x6 studs"),
                             QStringLiteral("Number of Ext 2x6x16' plates")};
    const QStringList inner = {QStringLiteral("Interior Length (feet)"),
                               QStringLiteral("Stud spacing (inches)"),
                               QStringLiteral("Number of Corners"),
                               QStringLiteral("Number of Spaces"),
                               QStringLiteral("Number of Openings"),
                               QStringLiteral("Number of Int 2x4 studs"),
                               QStringLiteral("Board Foot Measure of Int 2x4 stud"),
                               QStringLiteral("Number of Int 2x6x16' plates")};
    // Inputs 1..5 exterior and 6..10 interior; outputs 11..13 and 14..16.
    for (int i = 0; i < 8; ++i) {
        const bool output = i >= 5;
        const int extNo = output ? 11 + (i - 5) : 1 + i;
        const int intNo = output ? 14 + (i - 5) : 6 + i;
        g->addWidget(b.label(ext[i]), i, 0);
        ui::TextBox* extBox = b.textBox(n("txtTab9_", extNo), output);
        setFieldName(extBox, ext[i], QStringLiteral("exterior"));
        g->addWidget(extBox, i, 1);
        g->addWidget(b.label(inner[i]), i, 3);
        ui::TextBox* intBox = b.textBox(n("txtTab9_", intNo), output);
        setFieldName(intBox, inner[i], QStringLiteral("interior"));
        g->addWidget(intBox, i, 4);
    }
    b.setRow(8);
    QPushButton* compute = b.pushButton(QStringLiteral("cmdTab9"), QStringLiteral("Compute"));
    g->addWidget(compute, 8, 4);
    g->addWidget(addHelpButton(frmTab9, QStringLiteral("cmdHelp2_9"), framingHelp), 8, 5);
    ui::onClick(compute, [this] { cmdTab9_Click(); });
    b.setRow(9);
    b.finish();
}

void FrmCalculators::buildRoofArea()
{
    frmTab10 = newFrame(QStringLiteral("frmTab10"), QStringLiteral("Roof Area Calculator"));
    FrameBuilder b(frmTab10);
    b.input(QStringLiteral("Input Roof Pitch"), QStringLiteral("txtTab10_1"), QStringLiteral("/ 12"));
    b.input(QStringLiteral("Input Width of Roof"), QStringLiteral("txtTab10_2"));
    b.input(QStringLiteral("Input Length of Roof"), QStringLiteral("txtTab10_3"));
    b.input(QStringLiteral("Cost per Sheet"), QStringLiteral("txtTab10_4"));
    b.output(QStringLiteral("Roof Area"), QStringLiteral("txtTab10_5"));
    b.output(QStringLiteral("Number of sheets"), QStringLiteral("txtTab10_6"));
    b.output(QStringLiteral("Material Cost"), QStringLiteral("txtTab10_7"));
    const int at = b.row();
    ui::onClick(b.button(QStringLiteral("cmdTab10")), [this] { cmdTab10_Click(); });
    b.grid()->addWidget(addHelpButton(frmTab10, QStringLiteral("cmdHelp2_10"), roofHelp), at, 2, Qt::AlignLeft);
    b.finish();
}

void FrmCalculators::buildBoardFoot()
{
    frmTab11 = newFrame(QStringLiteral("frmTab11"), QStringLiteral("Board Foot Calculator"));
    FrameBuilder b(frmTab11);
    QGridLayout* g = b.grid();
    g->addWidget(b.label(QStringLiteral("Nominal size")), 0, 0);
    g->addWidget(b.label(QStringLiteral("Length (feet)")), 0, 1);
    g->addWidget(b.label(QStringLiteral("Total BF")), 0, 2);
    const QStringList sizes = {QStringLiteral("Select"), QStringLiteral("1 x 2"),         QStringLiteral("1 x 3"),
                               QStringLiteral("1 x 4"),  QStringLiteral("1 x 6 / 2 x 3"), QStringLiteral("2 x 4"),
                               QStringLiteral("2 x 6"),  QStringLiteral("2 x 8")};
    for (int k = 1; k <= 3; ++k) {
        auto* combo = new ui::ComboBox(frmTab11, n("cmbTab11_", k));
        for (const QString& s : sizes)
            combo->addItem(s, 0);
        g->addWidget(combo, k, 0);
        const QString row = QStringLiteral("row %1").arg(k);
        ui::TextBox* length = b.textBox(n("txtTab11_", k));
        setFieldName(length, QStringLiteral("Length (feet)"), row);
        g->addWidget(length, k, 1);
        ui::TextBox* total = b.textBox(n("txtTab11_", 6 + k), true);
        setFieldName(total, QStringLiteral("Total BF"), row);
        g->addWidget(total, k, 2);
    }
    g->addWidget(b.label(QStringLiteral("Size (in)")), 4, 0);
    auto* custom = new QWidget(frmTab11);
    auto* customRow = new QHBoxLayout(custom);
    customRow->setContentsMargins(0, 0, 0, 0);
    ui::TextBox* thick = b.textBox(QStringLiteral("txtTab11_5"));
    ui::TextBox* wide = b.textBox(QStringLiteral("txtTab11_6"));
    setFieldName(thick, QStringLiteral("Size (in)"), QStringLiteral("thickness"));
    setFieldName(wide, QStringLiteral("Size (in)"), QStringLiteral("width"));
    for (ui::TextBox* t : {thick, wide}) {
        t->setParent(custom);
        t->setFixedWidth(50);
    }
    customRow->addWidget(thick);
    customRow->addWidget(new QLabel(QStringLiteral("X"), custom));
    customRow->addWidget(wide);
    customRow->addStretch(1);
    g->addWidget(custom, 5, 0);
    ui::TextBox* customLength = b.textBox(QStringLiteral("txtTab11_4"));
    setFieldName(customLength, QStringLiteral("Length (feet)"), QStringLiteral("custom size"));
    g->addWidget(customLength, 5, 1);
    ui::TextBox* customTotal = b.textBox(QStringLiteral("txtTab11_10"), true);
    setFieldName(customTotal, QStringLiteral("Total BF"), QStringLiteral("custom size"));
    g->addWidget(customTotal, 5, 2);

    QPushButton* compute = b.pushButton(QStringLiteral("cmdTab11"), QStringLiteral("Compute"));
    g->addWidget(compute, 6, 0, Qt::AlignLeft);
    ui::onClick(compute, [this] { cmdTab11_Click(); });
    g->addWidget(b.label(QStringLiteral("Total BF : ")), 6, 1, Qt::AlignRight);
    ui::TextBox* grandTotal = b.textBox(QStringLiteral("txtTab11_11"), true);
    setFieldName(grandTotal, QStringLiteral("Total BF : "));
    g->addWidget(grandTotal, 6, 2);
    g->addWidget(addHelpButton(frmTab11, QStringLiteral("cmdHelp2_11"), boardFootHelp), 6, 3);
    b.setRow(7);
    b.finish();
}

// ---------------------------------------------------------------- Which 6, 7

QString FrmCalculators::conversionsProgram()
{
    const QDir folder(data::applicationFolder());
#ifdef Q_OS_WIN
    const QStringList names = {QStringLiteral("Convert.exe")};
#else
    const QStringList names = {QStringLiteral("Convert"), QStringLiteral("Convert.exe")};
#endif
    for (const QString& name : names) {
        const QFileInfo file(folder.filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

void FrmCalculators::startConversions()
{
    const QString program = conversionsProgram();
    if (program.isEmpty()) {
        ui::msgBox(QStringLiteral("The conversions program (Convert) was not found in the program folder %1.")
                       .arg(QDir::toNativeSeparators(data::applicationFolder())));
        return;
    }
    if (!ui::platform().startProgram(program, {}))
        ui::msgBox(
            QStringLiteral("The conversions program %1 could not be started.").arg(QDir::toNativeSeparators(program)));
}

void FrmCalculators::showScientific()
{
    const shell::Screen* scientific = shell::findScreen(QStringLiteral("scientific"));
    if (!scientific || !scientific->show) {
        ui::msgBox(QStringLiteral("\"Scientific Calculator\" is not available in this version yet."));
        return;
    }
    scientific->show();
}

// ---------------------------------------------------------------- Compute
//
// Each computation reads all its boxes first; when one is refused it says
// why and nothing is written.

ui::TextBox* FrmCalculators::box(const QString& name) const
{
    ui::TextBox* b = textBox(name);
    Q_ASSERT_X(b, "FrmCalculators", qPrintable(name));
    return b;
}

void FrmCalculators::cmdTab6_1_Click()
{
    InputReader in(*this);
    const double size = in.divisor(QStringLiteral("txtTab1_BlockSize"));
    double lengths[4];
    for (int k = 1; k <= 4; ++k)
        lengths[k - 1] = in.measure(n("txtTab1_Length", k));
    if (in.refused())
        return;
    QList<std::pair<ui::TextBox*, double>> results;
    double footer = 0;
    for (int k = 1; k <= 4; ++k) {
        const double blocks = group1::blocksAlong(lengths[k - 1], size);
        footer += blocks;
        results.append({box(n("txtTab1_Blocks", k)), blocks});
    }
    results.append({box(QStringLiteral("txtTab1_FooterBlocks")), footer});
    writeResults(results);
}

void FrmCalculators::cmdTab6_2_Click()
{
    InputReader in(*this);
    const double footer = in.measure(QStringLiteral("txtTab1_FooterBlocks"));
    const double height = in.measure(QStringLiteral("txtTab1_Height"));
    if (in.refused())
        return;
    writeResults({{box(QStringLiteral("txtTab1_TotalBlocks")), group1::blocksTotal(footer, height)}});
}

void FrmCalculators::cmdTab2_Click()
{
    InputReader in(*this);
    const double length = in.measure(QStringLiteral("txtTab2_2"));
    const double width = in.measure(QStringLiteral("txtTab2_1"));
    const double slabDepth = in.measure(QStringLiteral("txtTab2_3"));
    const double baseDepth = in.measure(QStringLiteral("txtTab2_BaseDepth"));
    if (in.refused())
        return;
    const group1::ConcreteMaterials c =
        group1::concreteMaterials(width, length, slabDepth, baseDepth, Tab2_Option1 && Tab2_Option1->isChecked());
    writeResults({{box(QStringLiteral("txtTab2_Slabarea")), c.slabArea},
                  {box(QStringLiteral("txtTab2_4")), c.slabVolume},
                  {box(QStringLiteral("txtTab2_Basevolume")), c.baseVolume},
                  {box(QStringLiteral("txtTab2_Totvolume")), c.totalVolume}});
}

void FrmCalculators::cmdTab3_Click()
{
    InputReader in(*this);
    const double height = in.measure(QStringLiteral("txtTab3_1"));
    const double length = in.measure(QStringLiteral("txtTab3_2"));
    if (in.refused())
        return;
    writeResults({{box(QStringLiteral("txtTab3_4")),
                   group1::blockWallCubicYards(height, length, Tab3_Option1 && Tab3_Option1->isChecked())}});
}

void FrmCalculators::cmdTab4_Click()
{
    InputReader in(*this);
    const double height = in.measure(QStringLiteral("txtTab4_1"));
    const double diameter = in.measure(QStringLiteral("txtTab4_2"));
    if (in.refused())
        return;
    writeResults({{box(QStringLiteral("txtTab4_4")), group1::columnCubicYards(height, diameter)}});
}

void FrmCalculators::cmdTab5_Click(int k)
{
    InputReader in(*this);
    const double length = in.measure(n("txtLength", k));
    const double width = in.measure(n("txtWidth", k));
    const double rate = in.measure(n("txtnBricks", k));
    if (in.refused())
        return;
    const group1::BrickArea a = group1::brickArea(length, width, rate);
    if (writeResults({{box(n("txtArea", k)), a.area},
                      {box(n("txtBricks", k)), a.at7},
                      {box(n("txtBricks9", k)), a.at9},
                      {box(n("txtBricksn", k)), a.custom}}))
        CalTab5Tot();
}

void FrmCalculators::CalTab5Tot()
{
    InputReader in(*this);
    double at7 = 0, at9 = 0, custom = 0;
    for (int k = 1; k <= 4; ++k) {
        at7 += in.measure(n("txtBricks", k));
        at9 += in.measure(n("txtBricks9", k));
        custom += in.measure(n("txtBricksn", k));
    }
    if (in.refused())
        return;
    writeResults({{box(QStringLiteral("txtTotal")), at7},
                  {box(QStringLiteral("txtTotal2")), at9},
                  {box(QStringLiteral("txtTotal3")), custom}});
}

void FrmCalculators::cmdTab8_1_Click()
{
    InputReader in(*this);
    const double perimeter = in.measure(QStringLiteral("txtTab8_1"));
    const double footingWidth = in.measure(QStringLiteral("txtTab8_2"));
    const double footingDepth = in.measure(QStringLiteral("txtTab8_3"));
    const double stemHeight = in.measure(QStringLiteral("txtTab8_4"));
    const double stemWidth = in.measure(QStringLiteral("txtTab8_5"));
    if (in.refused())
        return;
    const group1::FoundationVolumes v =
        group1::foundationVolumes(perimeter, footingWidth, footingDepth, stemHeight, stemWidth);
    writeResults({{box(QStringLiteral("txtTab8_6")), v.footing}, {box(QStringLiteral("txtTab8_7")), v.stemWall}});
}

void FrmCalculators::cmdTab8_2_Click()
{
    // Works on the volumes as the boxes show them, typed or computed.
    InputReader in(*this);
    const double footing = in.measure(QStringLiteral("txtTab8_6"));
    const double stem = in.measure(QStringLiteral("txtTab8_7"));
    const double costPerYard = in.money(QStringLiteral("txtTab8_8"));
    if (in.refused())
        return;
    const group1::FoundationCost c = group1::foundationCost(footing, stem, costPerYard);
    writeResults({{box(QStringLiteral("txtTab8_9")), c.footingTotal},
                  {box(QStringLiteral("txtTab8_10")), c.stemTotal},
                  {box(QStringLiteral("txtTab8_11")), c.totalYards},
                  {box(QStringLiteral("txtTab8_12")), c.material},
                  {box(QStringLiteral("txtTab8_13")), c.labour},
                  {box(QStringLiteral("txtTab8_14")), c.totalCost}});
}

namespace {

// One wall column of the framing frame, its boxes numbered from `first`.
// A wall with a length needs a stud spacing to divide it by.
group1::Framing readFraming(InputReader& in, int first, bool exterior)
{
    const double length = in.measure(n("txtTab9_", first));
    const double spacing = in.divisor(n("txtTab9_", first + 1), length != 0);
    const double corners = in.measure(n("txtTab9_", first + 2));
    const double spaces = in.measure(n("txtTab9_", first + 3));
    const double openings = in.measure(n("txtTab9_", first + 4));
    return exterior ? group1::exteriorFraming(length, spacing, corners, spaces, openings)
                    : group1::interiorFraming(length, spacing, corners, spaces, openings);
}

}  // namespace

void FrmCalculators::cmdTab9_Click()
{
    InputReader in(*this);
    const group1::Framing ext = readFraming(in, 1, true);
    const group1::Framing inner = readFraming(in, 6, false);
    if (in.refused())
        return;
    writeResults({{box(QStringLiteral("txtTab9_11")), ext.studs},
                  {box(QStringLiteral("txtTab9_12")), ext.boardFeet},
                  {box(QStringLiteral("txtTab9_13")), ext.plates},
                  {box(QStringLiteral("txtTab9_14")), inner.studs},
                  {box(QStringLiteral("txtTab9_15")), inner.boardFeet},
                  {box(QStringLiteral("txtTab9_16")), inner.plates}});
}

void FrmCalculators::cmdTab10_Click()
{
    InputReader in(*this);
    const double pitch = in.measure(QStringLiteral("txtTab10_1"));
    const double width = in.measure(QStringLiteral("txtTab10_2"));
    const double length = in.measure(QStringLiteral("txtTab10_3"));
    const double costPerSheet = in.money(QStringLiteral("txtTab10_4"));
    if (in.refused())
        return;
    const group1::RoofArea r = group1::roofArea(pitch, width, length, costPerSheet);
    writeResults({{box(QStringLiteral("txtTab10_5")), r.area},
                  {box(QStringLiteral("txtTab10_6")), r.sheets},
                  {box(QStringLiteral("txtTab10_7")), r.cost}});
}

void FrmCalculators::cmdTab11_Click()
{
    InputReader in(*this);
    double lengths[3];
    for (int k = 1; k <= 3; ++k)
        lengths[k - 1] = in.measure(n("txtTab11_", k));
    const double thickness = in.measure(QStringLiteral("txtTab11_5"));
    const double width = in.measure(QStringLiteral("txtTab11_6"));
    const double customLength = in.measure(QStringLiteral("txtTab11_4"));
    if (in.refused())
        return;
    QList<std::pair<ui::TextBox*, double>> results;
    double total = 0;
    for (int k = 1; k <= 3; ++k) {
        ui::ComboBox* size = comboBox(n("cmbTab11_", k));
        double bf = 0;
        if (size && size->listIndex() >= 0)
            if (const auto s = group1::nominalSize(size->text()))
                bf = group1::boardFeet(s->first, s->second, lengths[k - 1]);
        total += bf;
        results.append({box(n("txtTab11_", 6 + k)), bf});
    }
    const double custom = group1::boardFeet(thickness, width, customLength);
    total += custom;
    results.append({box(QStringLiteral("txtTab11_10")), custom});
    results.append({box(QStringLiteral("txtTab11_11")), total});
    writeResults(results);
}

}  // namespace calculators
