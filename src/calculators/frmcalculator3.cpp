#include "frmcalculator3.h"

#include "group3formulas.h"
#include "inputreader.h"

#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace calculators {

FrmCalculator3& frmCalculator3() { return ui::form<FrmCalculator3>(); }

QList<CalculatorWindow::Tab> FrmCalculator3::tabList()
{
    QList<Tab> tabs;
    for (const char* caption :
         {"Trenching for Tanks", "Utility Trenching", "Excavation Volume", "Steel Beam", "Ceramic Tile Calculator",
          "Carpet Calculator", "Wallpaper Calculator", "Sheet Vinyl Calculator", "Resilient Tile Calculator"})
        tabs.append({QString::fromUtf8(caption), {}});
    return tabs;
}

FrmCalculator3::FrmCalculator3() : CalculatorWindow(QStringLiteral("frmCalculator3"), tabList(), 22) {}

QString FrmCalculator3::noTileSizeMessage() { return QStringLiteral("Please select the tile size."); }

ui::TextBox* FrmCalculator3::out(const QString& box) const { return textBox(box); }

void FrmCalculator3::askForTileSize(ui::ComboBox* combo)
{
    ui::msgBox(noTileSizeMessage());
    if (combo)
        combo->setFocus();
}

// ---------------------------------------------------------------- the frames

namespace {

QString box(int frame, int number) { return QStringLiteral("txtTab%1_%2").arg(frame).arg(number); }

QPushButton* computeRow(FrameBuilder& f, int frame, int column = 1)
{
    QPushButton* b = f.pushButton(QStringLiteral("cmdTab%1").arg(frame), QStringLiteral("Compute"));
    f.grid()->addWidget(b, f.row(), column);
    f.nextRow();
    return b;
}

// The covering frames are tables: a row label, two boxes with their words
// between and after, and the row's total in a "Totals" column.
constexpr int totalsColumn = 5;

void tableHeader(FrameBuilder& f)
{
    QLabel* head = f.label(QStringLiteral("Totals"));
    f.grid()->addWidget(head, f.row(), totalsColumn, Qt::AlignHCenter);
    f.nextRow();
}

void tableRow(FrameBuilder& f, const QString& caption, const QString& first, const QString& between,
              const QString& second, const QString& after, const QString& total)
{
    QGridLayout* g = f.grid();
    g->addWidget(f.label(caption), f.row(), 0);
    // The boxes are named by the row and the word beside them: "Width x "
    // names the first box, the word after the second (if any) the second.
    ui::TextBox* firstBox = f.textBox(first);
    QString firstWord = between.trimmed();
    if (firstWord.endsWith(QLatin1Char('x')))
        firstWord = firstWord.chopped(1).trimmed();
    setFieldName(firstBox, caption, firstWord);
    g->addWidget(firstBox, f.row(), 1);
    g->addWidget(f.label(between), f.row(), 2);
    ui::TextBox* secondBox = f.textBox(second);
    setFieldName(secondBox, caption, after.isEmpty() ? QStringLiteral("second box") : after);
    g->addWidget(secondBox, f.row(), 3);
    if (!after.isEmpty())
        g->addWidget(f.label(after), f.row(), 4);
    ui::TextBox* totalBox = f.textBox(total, true);
    setFieldName(totalBox, caption, QStringLiteral("Totals"));
    g->addWidget(totalBox, f.row(), totalsColumn);
    f.nextRow();
}

void summaryRow(FrameBuilder& f, const QString& caption, const QString& name, const QString& unit)
{
    QGridLayout* g = f.grid();
    g->addWidget(f.label(caption), f.row(), 0, 1, totalsColumn, Qt::AlignRight);
    ui::TextBox* box = f.textBox(name, true);
    setFieldName(box, caption);
    g->addWidget(box, f.row(), totalsColumn);
    g->addWidget(f.label(unit), f.row(), totalsColumn + 1);
    f.nextRow();
}

}  // namespace

void FrmCalculator3::buildTankTrench()
{
    frmTab28 = newFrame(QStringLiteral("frmTab28"), QStringLiteral("Trenching for Tanks"));
    FrameBuilder f(frmTab28);
    const QString lf = QStringLiteral("LF");
    const QString cy = QStringLiteral("CY");

    f.grid()->addWidget(f.label(QStringLiteral("Tank is Round?")), f.row(), 0);
    optTab28_1 = new QRadioButton(QStringLiteral("Yes"), frmTab28);
    optTab28_1->setObjectName(QStringLiteral("optTab28_1"));
    optTab28_2 = new QRadioButton(QStringLiteral("No"), frmTab28);
    optTab28_2->setObjectName(QStringLiteral("optTab28_2"));
    auto* options = new QHBoxLayout;
    options->addWidget(optTab28_1);
    options->addWidget(optTab28_2);
    options->addStretch(1);
    f.grid()->addLayout(options, f.row(), 1, 1, 2);
    f.nextRow();

    f.input(QStringLiteral("Diameter if Round"), box(28, 1), lf);
    f.input(QStringLiteral("Tank Excavation Width"), box(28, 2), lf);
    f.input(QStringLiteral("Tank Excavation Depth"), box(28, 3), lf);
    f.input(QStringLiteral("Tank Excavation Length"), box(28, 4), lf);
    f.input(QStringLiteral("Tank Width"), box(28, 5), lf);
    f.input(QStringLiteral("Tank Length"), box(28, 6), lf);
    f.input(QStringLiteral("Tank Depth"), box(28, 7), lf);
    f.input(QStringLiteral("Bed Tank Depth"), box(28, 8), QStringLiteral("IN"));
    ui::onClick(computeRow(f, 28), [this] { cmdTab28_Click(); });
    f.separator();
    f.output(QStringLiteral("Tank Hole Volume"), box(28, 9), cy);
    f.output(QStringLiteral("Tank Bed Fill Volume"), box(28, 10), cy);
    f.output(QStringLiteral("Tank Back Fill Volume"), box(28, 11), cy);
    f.output(QStringLiteral("Tank Volume"), box(28, 12), cy);
    f.finish();
}

void FrmCalculator3::buildUtilityTrench()
{
    frmTab29 = newFrame(QStringLiteral("frmTab29"), QStringLiteral("Utility Trenching"));
    FrameBuilder f(frmTab29);
    const QString inch = QStringLiteral("IN");
    const QString cy = QStringLiteral("CY");
    f.input(QStringLiteral("Trench for Utilities-1 Excavation Width"), box(29, 1), inch);
    f.input(QStringLiteral("Trench for Utilities-1 Excavation Depth"), box(29, 2), inch);
    f.input(QStringLiteral("Trench for Utilities-1 Excavation Length"), box(29, 3), QStringLiteral("LF"));
    f.input(QStringLiteral("Pipe/casing Width"), box(29, 4), inch);
    f.input(QStringLiteral("Pipe/casing Height"), box(29, 5), inch);
    f.input(QStringLiteral("Sand/gravel Bed Depth"), box(29, 6), inch);
    ui::onClick(computeRow(f, 29), [this] { cmdTab29_Click(); });
    f.separator();
    f.output(QStringLiteral("Trench for Utilities-1 Excavation Volume"), box(29, 7), cy);
    f.output(QStringLiteral("Trench for Utilities-1 Bed Fill Volume"), box(29, 8), cy);
    f.output(QStringLiteral("Trench for Utilities-1 Back Fill Volume"), box(29, 9), cy);
    f.output(QStringLiteral("Pipe/casing Volume deduct"), box(29, 10), cy);
    f.finish();
}

void FrmCalculator3::buildExcavation()
{
    frmTab30 = newFrame(QStringLiteral("frmTab30"), QStringLiteral("Excavation Volume"));
    FrameBuilder f(frmTab30);
    const QString lf = QStringLiteral("LF");
    f.input(QStringLiteral("Surface Area"), box(30, 1), QStringLiteral("Sq. Ft."));
    f.input(QStringLiteral("Height A:"), box(30, 2), lf);
    f.input(QStringLiteral("Height B:"), box(30, 3), lf);
    f.input(QStringLiteral("Height C:"), box(30, 4), lf);
    f.input(QStringLiteral("Height D:"), box(30, 5), lf);
    ui::onClick(computeRow(f, 30), [this] { cmdTab30_Click(); });
    f.separator();
    f.output(QStringLiteral("Excavation Volume"), box(30, 6), QStringLiteral("CF"));
    f.finish();
}

void FrmCalculator3::buildSteelBeam()
{
    frmTab31 = newFrame(QStringLiteral("frmTab31"), QStringLiteral("Steel Beam"));
    FrameBuilder f(frmTab31);
    f.input(QStringLiteral("Steel Beam Unit Weight"), box(31, 1), QStringLiteral("LB/FT"));
    // The old label says "Weight"; the box is the beam's length.
    f.input(QStringLiteral("Beam Weight"), box(31, 2), QStringLiteral("LF"));
    ui::onClick(computeRow(f, 31), [this] { cmdTab31_Click(); });
    f.separator();
    f.output(QStringLiteral("Steel Beam Weight (Ton.)"), box(31, 3), QStringLiteral("Ton"));
    f.output(QStringLiteral("Steel Beam Weight (Lbs.)"), box(31, 4), QStringLiteral("Lbs."));
    f.finish();
}

void FrmCalculator3::buildCeramicTile()
{
    frmTab32 = newFrame(QStringLiteral("frmTab32"), QStringLiteral("Ceramic Tile Calculator"));
    FrameBuilder f(frmTab32);
    f.input(QStringLiteral("Tile Area Length"), box(32, 1), QStringLiteral("Ft."));
    f.input(QStringLiteral("Tile Area Width"), box(32, 2), QStringLiteral("Ft."));
    QList<std::pair<QString, qint64>> sizes;
    for (int side : {3, 4, 6, 8, 10, 12, 14, 16, 18, 24})
        sizes.append({QStringLiteral("%1 x %1").arg(side), side});
    cmbTab32 = f.combo(QStringLiteral("Tile Size (inches)"), QStringLiteral("cmbTab32"), sizes);
    ui::onClick(computeRow(f, 32), [this] { cmdTab32_Click(); });
    f.separator();
    f.output(QStringLiteral("Total Tile Area"), box(32, 3), QStringLiteral("Sq. Ft."));
    f.output(QStringLiteral("Total Tiles you need"), box(32, 4), QStringLiteral("Pcs."));
    f.note(QStringLiteral("(Takes 10% wastage into consideration)"));
    f.finish();
}

// Carpet and sheet vinyl: three areas and a stairway, boxes numbered alike.
QPushButton* FrmCalculator3::buildAreaTable(QGroupBox* frame, int n, const QString& stairUnit,
                                            const QString& totalLabel, const QString& neededLabel,
                                            const QString& neededUnit)
{
    FrameBuilder f(frame);
    tableHeader(f);
    const QString widthBy = QStringLiteral("Width x ");
    for (int i = 1; i <= 3; ++i)
        tableRow(f, QStringLiteral("Area %1 (in feet)").arg(i), box(n, i), widthBy, box(n, i + 4),
                 QStringLiteral("Length"), box(n, i + 8));
    tableRow(f, QStringLiteral("Stairway (in feet)"), box(n, 4), widthBy, box(n, 8), stairUnit, box(n, 12));
    f.separator();
    summaryRow(f, totalLabel, box(n, 13), QStringLiteral("Sq. Ft."));
    summaryRow(f, neededLabel, box(n, 14), neededUnit);
    QPushButton* compute = computeRow(f, n, totalsColumn);
    f.finish();
    return compute;
}

void FrmCalculator3::buildWallpaper()
{
    frmTab34 = newFrame(QStringLiteral("frmTab34"), QStringLiteral("Wallpaper Calculator"));
    FrameBuilder f(frmTab34);
    tableHeader(f);
    tableRow(f, QStringLiteral("Wall (in feet)"), box(34, 1), QStringLiteral("Height x "), box(34, 4),
             QStringLiteral("Room perimeter"), box(34, 7));
    tableRow(f, QStringLiteral("Ceiling (in feet)"), box(34, 2), QStringLiteral("Length x"), box(34, 5),
             QStringLiteral("Width"), box(34, 8));
    tableRow(f, QStringLiteral("Sloping wall (in feet)"), box(34, 3), QStringLiteral("Height x "), box(34, 6),
             QStringLiteral("Base"), box(34, 9));
    f.separator();
    summaryRow(f, QStringLiteral("Total wallpaper area: "), box(34, 10), QStringLiteral("Sq. Ft."));
    summaryRow(f, QStringLiteral("Total rolls of wallpaper you need: "), box(34, 11), QStringLiteral("roll(s)"));
    ui::onClick(computeRow(f, 34, totalsColumn), [this] { cmdTab34_Click(); });
    f.finish();
}

void FrmCalculator3::buildResilientTile()
{
    frmTab36 = newFrame(QStringLiteral("frmTab36"), QStringLiteral("Resilient Tile Calculator"));
    FrameBuilder f(frmTab36);
    tableHeader(f);
    for (int i = 1; i <= 3; ++i)
        tableRow(f, QStringLiteral("Area %1 (in feet)").arg(i), box(36, i), QStringLiteral("Width x "), box(36, i + 3),
                 QStringLiteral("Length"), box(36, i + 6));
    f.separator();

    // Square tiles of 12, 9 and 6 inches, written 12"-by-12"; left unselected.
    cmbTab36 = new ui::ComboBox(frmTab36, QStringLiteral("cmbTab36"));
    for (int side : {12, 9, 6})
        cmbTab36->addItem(QStringLiteral("%1\"-by-%1\"").arg(side), side);
    f.grid()->addWidget(f.label(QStringLiteral("Tile Size (inches)")), f.row(), 0, 1, totalsColumn, Qt::AlignRight);
    f.grid()->addWidget(cmbTab36, f.row(), totalsColumn);
    f.nextRow();

    summaryRow(f, QStringLiteral("Total Area to be tiled"), box(36, 10), QStringLiteral("Sq. Ft."));
    summaryRow(f, QStringLiteral("Amount of resilient tile needed: "), box(36, 11), QStringLiteral("Pcs."));
    ui::onClick(computeRow(f, 36, totalsColumn), [this] { cmdTab36_Click(); });
    f.finish();
}

void FrmCalculator3::createFrames()
{
    buildTankTrench();
    buildUtilityTrench();
    buildExcavation();
    buildSteelBeam();
    buildCeramicTile();

    frmTab33 = newFrame(QStringLiteral("frmTab33"), QStringLiteral("Carpet Calculator"));
    QPushButton* carpetCompute =
        buildAreaTable(frmTab33, 33, QStringLiteral("Number of Stairs"), QStringLiteral("Total area to be carpeted: "),
                       QStringLiteral("Amount of carpet needed: "), QStringLiteral("Sq. yards"));
    ui::onClick(carpetCompute, [this] { cmdTab33_Click(); });
    buildWallpaper();
    // The vinyl frame carries the carpet's labels, and nothing after its
    // stair box.
    frmTab35 = newFrame(QStringLiteral("frmTab35"), QStringLiteral("Sheet Vinyl Calculator"));
    QPushButton* vinylCompute =
        buildAreaTable(frmTab35, 35, QString(), QStringLiteral("Total area to be carpeted: "),
                       QStringLiteral("Amount of carpet needed: "), QStringLiteral("Sq. yards"));
    ui::onClick(vinylCompute, [this] { cmdTab35_Click(); });
    buildResilientTile();

    QGroupBox* const byWhich[] = {frmTab28, frmTab29, frmTab30, frmTab31, frmTab32,
                                  frmTab33, frmTab34, frmTab35, frmTab36};
    for (int i = 0; i < 9; ++i)
        mapWhich(i + 1, byWhich[i]);
    // Showing the ceramic tile frame also picks its first size.
    mapWhich(5, frmTab32, [this] {
        if (cmbTab32)
            cmbTab32->setListIndex(0);
    });
    fitBoxesToResults(client(), 0);
}

void FrmCalculator3::Form_Load()
{
    CalculatorWindow::Form_Load();
    showOnly(frmTab28);
}

// ------------------------------------------------------------- computations
//
// Each computation reads all its boxes first; when one is refused, or the
// figures describe a tank or pipe that cannot be, it says why and nothing
// is written.

QString FrmCalculator3::tankMisfitMessage(group3::TankMisfit misfit)
{
    switch (misfit) {
    case group3::TankMisfit::Diameter:
        return QStringLiteral(
            "The tank does not fit in its excavation: \"Diameter if Round\" is more than \"Tank Excavation Width\" "
            "or \"Tank Excavation Length\".");
    case group3::TankMisfit::Footprint:
        return QStringLiteral(
            "The tank does not fit in its excavation: \"Tank Width\" by \"Tank Length\" is more than \"Tank "
            "Excavation Width\" by \"Tank Excavation Length\", either way round.");
    case group3::TankMisfit::Depth:
        return QStringLiteral(
            "The tank and its bed do not fit in the excavation: \"Tank Depth\" and \"Bed Tank Depth\" together are "
            "more than \"Tank Excavation Depth\".");
    case group3::TankMisfit::None: break;
    }
    return {};
}

QString FrmCalculator3::pipeMisfitMessage(group3::PipeMisfit misfit)
{
    switch (misfit) {
    case group3::PipeMisfit::Width:
        return QStringLiteral(
            "The pipe does not fit in its trench: \"Pipe/casing Width\" is more than \"Trench for Utilities-1 "
            "Excavation Width\".");
    case group3::PipeMisfit::Depth:
        return QStringLiteral(
            "The pipe and its bed do not fit in the trench: \"Pipe/casing Height\" and \"Sand/gravel Bed Depth\" "
            "together are more than \"Trench for Utilities-1 Excavation Depth\".");
    case group3::PipeMisfit::None: break;
    }
    return {};
}

void FrmCalculator3::cmdTab28_Click()
{
    InputReader in(*this);
    group3::TankInput t;
    // Round unless "No" is chosen.
    t.round = !(optTab28_2 && optTab28_2->isChecked());
    t.diameter = in.measure(box(28, 1));
    t.excavationWidth = in.measure(box(28, 2));
    t.excavationDepth = in.measure(box(28, 3));
    t.excavationLength = in.measure(box(28, 4));
    t.tankWidth = in.measure(box(28, 5));
    t.tankLength = in.measure(box(28, 6));
    t.tankDepth = in.measure(box(28, 7));
    t.bedDepthInches = in.measure(box(28, 8));
    if (in.ok()) {
        // The box to correct: the tank's own figure.
        const group3::TankMisfit misfit = group3::tankMisfit(t);
        const int at = misfit == group3::TankMisfit::Diameter ? 1 : misfit == group3::TankMisfit::Footprint ? 5 : 7;
        if (misfit != group3::TankMisfit::None)
            in.refuse(tankMisfitMessage(misfit), box(28, at));
    }
    if (in.refused())
        return;
    const group3::TankResult r = group3::tankTrench(t);
    writeResults({{out(box(28, 9)), r.holeVolume},
                  {out(box(28, 10)), r.bedFillVolume},
                  {out(box(28, 11)), r.backFillVolume},
                  {out(box(28, 12)), r.tankVolume}});
}

void FrmCalculator3::cmdTab29_Click()
{
    InputReader in(*this);
    group3::UtilityInput u;
    u.widthInches = in.measure(box(29, 1));
    u.depthInches = in.measure(box(29, 2));
    u.length = in.measure(box(29, 3));
    u.pipeWidthInches = in.measure(box(29, 4));
    u.pipeHeightInches = in.measure(box(29, 5));
    u.bedDepthInches = in.measure(box(29, 6));
    if (in.ok()) {
        const group3::PipeMisfit misfit = group3::pipeMisfit(u);
        if (misfit != group3::PipeMisfit::None)
            in.refuse(pipeMisfitMessage(misfit), box(29, misfit == group3::PipeMisfit::Width ? 4 : 5));
    }
    if (in.refused())
        return;
    const group3::UtilityResult r = group3::utilityTrench(u);
    writeResults({{out(box(29, 7)), r.excavationVolume},
                  {out(box(29, 8)), r.bedFillVolume},
                  {out(box(29, 9)), r.backFillVolume},
                  {out(box(29, 10)), r.pipeDeduct}});
}

void FrmCalculator3::cmdTab30_Click()
{
    InputReader in(*this);
    double v[5];
    for (int i = 0; i < 5; ++i)
        v[i] = in.measure(box(30, i + 1));
    if (in.refused())
        return;
    writeResults({{out(box(30, 6)), group3::excavationVolume(v[0], v[1], v[2], v[3], v[4])}});
}

void FrmCalculator3::cmdTab31_Click()
{
    InputReader in(*this);
    const double unitWeight = in.measure(box(31, 1));
    const double length = in.measure(box(31, 2));
    if (in.refused())
        return;
    const group3::BeamResult r = group3::steelBeam(unitWeight, length);
    writeResults({{out(box(31, 3)), r.tons}, {out(box(31, 4)), r.pounds}});
}

void FrmCalculator3::cmdTab32_Click()
{
    InputReader in(*this);
    const double length = in.measure(box(32, 1));
    const double width = in.measure(box(32, 2));
    if (in.refused())
        return;
    const double side = cmbTab32 ? double(cmbTab32->selectedData()) : 0.0;
    const std::optional<group3::CeramicResult> r = group3::ceramicTile(length, width, side);
    if (!r)
        return askForTileSize(cmbTab32);
    writeResults({{out(box(32, 3)), r->area}, {out(box(32, 4)), r->tiles}});
}

namespace {

// The carpet and vinyl frames: three areas, then the stairway.
group3::FloorInput floorInput(InputReader& in, int n)
{
    group3::FloorInput f;
    for (int i = 0; i < 3; ++i) {
        f.widths[i] = in.measure(box(n, i + 1));
        f.lengths[i] = in.measure(box(n, i + 5));
    }
    f.stairWidth = in.measure(box(n, 4));
    f.stairs = in.measure(box(n, 8));
    return f;
}

}  // namespace

void FrmCalculator3::cmdTab33_Click()
{
    InputReader in(*this);
    const group3::FloorInput f = floorInput(in, 33);
    if (in.refused())
        return;
    const group3::FloorResult r = group3::carpet(f);
    writeResults({{out(box(33, 9)), r.rowTotals[0]},
                  {out(box(33, 10)), r.rowTotals[1]},
                  {out(box(33, 11)), r.rowTotals[2]},
                  {out(box(33, 12)), r.stairTotal},
                  {out(box(33, 13)), r.totalArea},
                  {out(box(33, 14)), r.squareYards}});
}

void FrmCalculator3::cmdTab34_Click()
{
    InputReader in(*this);
    group3::WallpaperInput w;
    w.wallHeight = in.measure(box(34, 1));
    w.roomPerimeter = in.measure(box(34, 4));
    w.ceilingLength = in.measure(box(34, 2));
    w.ceilingWidth = in.measure(box(34, 5));
    w.slopeHeight = in.measure(box(34, 3));
    w.slopeBase = in.measure(box(34, 6));
    if (in.refused())
        return;
    const group3::WallpaperResult r = group3::wallpaper(w);
    writeResults({{out(box(34, 7)), r.wall},
                  {out(box(34, 8)), r.ceiling},
                  {out(box(34, 9)), r.slopingWall},
                  {out(box(34, 10)), r.totalArea},
                  {out(box(34, 11)), r.rolls}});
}

void FrmCalculator3::cmdTab35_Click()
{
    InputReader in(*this);
    const group3::FloorInput f = floorInput(in, 35);
    if (in.refused())
        return;
    const group3::FloorResult r = group3::sheetVinyl(f);
    writeResults({{out(box(35, 9)), r.rowTotals[0]},
                  {out(box(35, 10)), r.rowTotals[1]},
                  {out(box(35, 11)), r.rowTotals[2]},
                  {out(box(35, 12)), r.stairTotal},
                  {out(box(35, 13)), r.totalArea},
                  {out(box(35, 14)), r.squareYards}});
}

void FrmCalculator3::cmdTab36_Click()
{
    InputReader in(*this);
    group3::ResilientInput t;
    for (int i = 0; i < 3; ++i) {
        t.widths[i] = in.measure(box(36, i + 1));
        t.lengths[i] = in.measure(box(36, i + 4));
    }
    if (in.refused())
        return;
    const double side = cmbTab36 ? double(cmbTab36->selectedData()) : 0.0;
    const std::optional<group3::ResilientResult> r = group3::resilientTile(t, side);
    if (!r)
        return askForTileSize(cmbTab36);
    writeResults({{out(box(36, 7)), r->rowTotals[0]},
                  {out(box(36, 8)), r->rowTotals[1]},
                  {out(box(36, 9)), r->rowTotals[2]},
                  {out(box(36, 10)), r->totalArea},
                  {out(box(36, 11)), r->tiles}});
}

}  // namespace calculators
