#include "support/calculatordriver.h"
#include "support/screentest.h"

#include "calculators/frmcalculator3.h"
#include "calculators/group3formulas.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/tabstrip.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

using calculators::FrmCalculator3;

using calctest::click;
using calctest::enter;
using calctest::expect;

namespace {

FrmCalculator3& opened(int which) { return calctest::opened<FrmCalculator3>(which); }

QStringList labelTexts(QWidget* frame)
{
    QStringList out;
    for (QLabel* l : frame->findChildren<QLabel*>())
        out << l->text();
    return out;
}

}  // namespace

class TestGroup3 : public ScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.02); }
    void init() { initScreenTest(Database::None); }

    void computeWritesTheResults_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("outputs");

        // 10 x 8 x 12 ft hole (35.56 CY), 6 in bed (2.22 CY).
        const QStringList hole{"txtTab28_2=10", "txtTab28_3=8", "txtTab28_4=12", "txtTab28_8=6"};
        // clang-format off
        QTest::newRow("round tank: 2.79 CY shown as 3") << 1 << hole + QStringList{"optTab28_1", "txtTab28_1=4", "txtTab28_7=6"} << QStringList{"txtTab28_9=35.56", "txtTab28_10=2.22", "txtTab28_11=30.34", "txtTab28_12=3"};
        // The square tank's sizes are not asked of a round one.
        QTest::newRow("no option chosen counts as round") << 1 << hole + QStringList{"txtTab28_1=4", "txtTab28_7=6", "txtTab28_5=100", "txtTab28_6=100"} << QStringList{"txtTab28_9=35.56", "txtTab28_10=2.22", "txtTab28_11=30.34", "txtTab28_12=3"};
        QTest::newRow("rectangular tank: 4.44 CY shown as 5") << 1 << hole + QStringList{"optTab28_2", "txtTab28_1=4", "txtTab28_5=4", "txtTab28_6=6", "txtTab28_7=5"} << QStringList{"txtTab28_9=35.56", "txtTab28_10=2.22", "txtTab28_11=28.34", "txtTab28_12=5"};
        QTest::newRow("rectangular tank of whole yards stays") << 1 << QStringList{"optTab28_2",   "txtTab28_2=3", "txtTab28_3=4", "txtTab28_4=3", "txtTab28_5=3", "txtTab28_6=3", "txtTab28_7=3"} << QStringList{"txtTab28_9=1.33", "txtTab28_11=0.33", "txtTab28_12=1"};
        QTest::newRow("rectangular tank turned to fit") << 1 << hole + QStringList{"optTab28_2", "txtTab28_5=12", "txtTab28_6=10", "txtTab28_7=5"} << QStringList{"txtTab28_11=10.34", "txtTab28_12=23"};
        // 1.02 CY of tank, ordered as 2, in a hole of 1.03: nothing is left
        // to fill, never less.
        QTest::newRow("tank filling its hole leaves no back fill") << 1 << QStringList{"optTab28_2",   "txtTab28_2=3", "txtTab28_3=3.1", "txtTab28_4=3", "txtTab28_5=3", "txtTab28_6=3", "txtTab28_7=3.05"} << QStringList{"txtTab28_9=1.03", "txtTab28_10=0", "txtTab28_11=0", "txtTab28_12=2"};
        QTest::newRow("tank on a third of a foot of bed, to the brim") << 1 << QStringList{"txtTab28_2=10", "txtTab28_3=8", "txtTab28_4=12", "txtTab28_8=4",  "txtTab28_1=4", "txtTab28_7=7 2/3"} << QStringList{"txtTab28_10=1.48", "txtTab28_12=4"};
        QTest::newRow("tank sizes with separators and fractions") << 1 << QStringList{"txtTab28_2=10",  "txtTab28_3=8", "txtTab28_4=1,200", "txtTab28_8=1/2", "txtTab28_1=4", "txtTab28_7=6"} << QStringList{"txtTab28_9=3555.56", "txtTab28_10=18.52"};

        // 24 x 36 in trench, 100 ft long, 6 x 6 in pipe on a 6 in bed.
        QTest::newRow("utility trench") << 2 << QStringList{"txtTab29_1=24", "txtTab29_2=36", "txtTab29_3=100", "txtTab29_4=6",  "txtTab29_5=6",  "txtTab29_6=6"} << QStringList{"txtTab29_7=22.22", "txtTab29_8=3.7", "txtTab29_9=17.59", "txtTab29_10=0.93"};
        // The three volumes round to 0.07, 0.04 and 0.04 of a pipe that fills its trench.
        QTest::newRow("utility trench filled by its pipe") << 2 << QStringList{"txtTab29_1=6", "txtTab29_2=6", "txtTab29_3=8", "txtTab29_4=6", "txtTab29_5=3", "txtTab29_6=3"} << QStringList{"txtTab29_7=0.07", "txtTab29_8=0.04", "txtTab29_9=0", "txtTab29_10=0.04"};

        // 4.2 + 3.6 is a hair over 7.8 in binary; the pipe still fits.
        QTest::newRow("pipe on its bed to the brim") << 2 << QStringList{"txtTab29_1=24", "txtTab29_2=7.8", "txtTab29_3=100", "txtTab29_4=6",  "txtTab29_5=4.2", "txtTab29_6=3.6"} << QStringList{"txtTab29_7=4.81", "txtTab29_8=2.22", "txtTab29_9=1.94", "txtTab29_10=0.65"};

        QTest::newRow("excavation") << 3 << QStringList{"txtTab30_1=100", "txtTab30_2=2", "txtTab30_3=3", "txtTab30_4=4", "txtTab30_5=5"} << QStringList{"txtTab30_6=350"};
        QTest::newRow("excavation unrounded") << 3 << QStringList{"txtTab30_1=10", "txtTab30_2=1", "txtTab30_3=1", "txtTab30_4=1", "txtTab30_5=0.5"} << QStringList{"txtTab30_6=8.75"};

        QTest::newRow("beam 0.3 t up to 0.5") << 4 << QStringList{"txtTab31_1=30", "txtTab31_2=20"} << QStringList{"txtTab31_3=0.5", "txtTab31_4=600"};
        QTest::newRow("beam 0.375 t up to 0.5") << 4 << QStringList{"txtTab31_1=30", "txtTab31_2=25"} << QStringList{"txtTab31_3=0.5", "txtTab31_4=750"};
        QTest::newRow("beam of exactly 2 t") << 4 << QStringList{"txtTab31_1=100", "txtTab31_2=40"} << QStringList{"txtTab31_3=2", "txtTab31_4=4000"};
        QTest::newRow("beam on a quarter stays") << 4 << QStringList{"txtTab31_1=25", "txtTab31_2=20"} << QStringList{"txtTab31_3=0.25", "txtTab31_4=500"};
        QTest::newRow("beam 0.8 t up to 1") << 4 << QStringList{"txtTab31_1=40", "txtTab31_2=40"} << QStringList{"txtTab31_3=1", "txtTab31_4=1600"};
        QTest::newRow("beam 2.6 t up to 2.75") << 4 << QStringList{"txtTab31_1=130", "txtTab31_2=40"} << QStringList{"txtTab31_3=2.75", "txtTab31_4=5200"};

        QTest::newRow("ceramic first size preset: 3 x 3") << 5 << QStringList{"txtTab32_1=10", "txtTab32_2=10"} << QStringList{"txtTab32_3=100", "txtTab32_4=1760"};
        QTest::newRow("ceramic 12 x 12: 110 tiles") << 5 << QStringList{"txtTab32_1=10", "txtTab32_2=10", "cmbTab32#5"} << QStringList{"txtTab32_3=100", "txtTab32_4=110"};
        QTest::newRow("ceramic 8 x 8: unrounded") << 5 << QStringList{"txtTab32_1=10", "txtTab32_2=10", "cmbTab32#3"} << QStringList{"txtTab32_3=100", "txtTab32_4=247.5"};

        QTest::newRow("carpet") << 6 << QStringList{"txtTab33_1=12", "txtTab33_5=15", "txtTab33_4=3", "txtTab33_8=10"} << QStringList{"txtTab33_9=180", "txtTab33_10=0",   "txtTab33_11=0", "txtTab33_12=60", "txtTab33_13=240", "txtTab33_14=27"};
        QTest::newRow("carpet of three areas") << 6 << QStringList{"txtTab33_1=9", "txtTab33_5=10",  "txtTab33_2=3", "txtTab33_6=3", "txtTab33_3=1.5", "txtTab33_7=2"} << QStringList{"txtTab33_9=90", "txtTab33_10=9",   "txtTab33_11=3", "txtTab33_12=0", "txtTab33_13=102", "txtTab33_14=12"};
        // 1.1 x 90 is 99.00000000000001 as a double; its box shows 99, and
        // 99 / 9 is exactly 11 square yards.
        QTest::newRow("carpet reads the total as its box shows it") << 6 << QStringList{"txtTab33_1=1.1", "txtTab33_5=90"} << QStringList{"txtTab33_9=99", "txtTab33_13=99", "txtTab33_14=11"};

        QTest::newRow("wallpaper 54 sq ft: 2 rolls") << 7 << QStringList{"txtTab34_1=8", "txtTab34_4=6.75"} << QStringList{"txtTab34_7=54", "txtTab34_10=54", "txtTab34_11=2"};
        QTest::newRow("wallpaper 67.5 sq ft stays 2.5") << 7 << QStringList{"txtTab34_2=7.5", "txtTab34_5=9"} << QStringList{"txtTab34_8=67.5", "txtTab34_10=67.5", "txtTab34_11=2.5"};
        QTest::newRow("wallpaper 60 sq ft: 2.5 rolls") << 7 << QStringList{"txtTab34_3=10", "txtTab34_6=6"} << QStringList{"txtTab34_9=60", "txtTab34_10=60", "txtTab34_11=2.5"};
        QTest::newRow("wallpaper of wall, ceiling and slope") << 7 << QStringList{"txtTab34_1=8",  "txtTab34_4=20", "txtTab34_2=10", "txtTab34_5=12", "txtTab34_3=4",  "txtTab34_6=5"} << QStringList{"txtTab34_7=160", "txtTab34_8=120", "txtTab34_9=20", "txtTab34_10=300", "txtTab34_11=11.5"};
        QTest::newRow("wallpaper 2.6 rolls up to 3") << 7 << QStringList{"txtTab34_1=7.02", "txtTab34_4=10"} << QStringList{"txtTab34_10=70.2", "txtTab34_11=3"};
        QTest::newRow("wallpaper reads the total as its box shows it") << 7 << QStringList{"txtTab34_1=1.1", "txtTab34_4=810"} << QStringList{"txtTab34_7=891", "txtTab34_10=891", "txtTab34_11=33"};

        QTest::newRow("vinyl stairway not doubled") << 8 << QStringList{"txtTab35_1=12", "txtTab35_5=15", "txtTab35_4=3", "txtTab35_8=10"} << QStringList{"txtTab35_9=180", "txtTab35_12=30", "txtTab35_13=210", "txtTab35_14=24"};

        QTest::newRow("resilient 12 in") << 9 << QStringList{"txtTab36_1=10", "txtTab36_4=12", "cmbTab36#0"} << QStringList{"txtTab36_7=120", "txtTab36_10=120", "txtTab36_11=120"};
        QTest::newRow("resilient 9 in: 213.3 up to 214") << 9 << QStringList{"txtTab36_1=10", "txtTab36_4=12", "cmbTab36#1"} << QStringList{"txtTab36_10=120", "txtTab36_11=214"};
        QTest::newRow("resilient 6 in, three areas") << 9 << QStringList{"txtTab36_1=10",  "txtTab36_4=12", "txtTab36_2=2", "txtTab36_5=3", "txtTab36_3=0.5", "txtTab36_6=2",  "cmbTab36#2"} << QStringList{"txtTab36_7=120", "txtTab36_8=6", "txtTab36_9=1", "txtTab36_10=127", "txtTab36_11=508"};
        QTest::newRow("resilient reads the total as its box shows it") << 9 << QStringList{"txtTab36_1=1.1", "txtTab36_4=90", "cmbTab36#0"} << QStringList{"txtTab36_10=99", "txtTab36_11=99"};
        // clang-format on
    }
    void computeWritesTheResults()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, outputs);
        calctest::compute(opened(which), *fake, inputs, {QStringLiteral("cmdTab%1").arg(27 + which)}, outputs);
    }

    // A box that does not hold a figure it may hold, or a tank or pipe that
    // cannot lie where the figures put it: one message, nothing computed.
    void refusedBoxes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("outputs");
        using calctest::refusal;
        using calculators::group3::PipeMisfit;
        using calculators::group3::TankMisfit;

        const QStringList tank{"txtTab28_9", "txtTab28_10", "txtTab28_11", "txtTab28_12"};
        const QStringList hole{"txtTab28_2=10", "txtTab28_3=8", "txtTab28_4=12", "txtTab28_8=6"};
        // clang-format off
        QTest::newRow("tank and no hole") << 1 << QStringList{"txtTab28_1=4", "txtTab28_7=6"} << "txtTab28_1" << FrmCalculator3::tankMisfitMessage(TankMisfit::Diameter) << tank;
        QTest::newRow("round tank longer than the hole") << 1 << QStringList{"txtTab28_2=10", "txtTab28_3=8", "txtTab28_4=3", "txtTab28_1=4", "txtTab28_7=6"} << "txtTab28_1" << FrmCalculator3::tankMisfitMessage(TankMisfit::Diameter) << tank;
        QTest::newRow("square tank wider than the hole either way") << 1 << hole + QStringList{"optTab28_2", "txtTab28_5=11", "txtTab28_6=11", "txtTab28_7=5"} << "txtTab28_5" << FrmCalculator3::tankMisfitMessage(TankMisfit::Footprint) << tank;
        QTest::newRow("tank on its bed deeper than the hole") << 1 << hole + QStringList{"txtTab28_1=4", "txtTab28_7=7.75"} << "txtTab28_7" << FrmCalculator3::tankMisfitMessage(TankMisfit::Depth) << tank;
        QTest::newRow("bed alone deeper than the hole") << 1 << QStringList{"txtTab28_2=10", "txtTab28_3=1", "txtTab28_4=12", "txtTab28_8=18"} << "txtTab28_7" << FrmCalculator3::tankMisfitMessage(TankMisfit::Depth) << tank;
        QTest::newRow("tank, negative bed") << 1 << hole + QStringList{"txtTab28_8=-6"} << "txtTab28_8" << refusal("negative", "\"Bed Tank Depth\"", "-6") << tank;

        const QStringList utility{"txtTab29_7", "txtTab29_8", "txtTab29_9", "txtTab29_10"};
        const QStringList trench{"txtTab29_1=24", "txtTab29_2=36", "txtTab29_3=100"};
        QTest::newRow("pipe wider than its trench") << 2 << trench + QStringList{"txtTab29_4=30", "txtTab29_5=6"} << "txtTab29_4" << FrmCalculator3::pipeMisfitMessage(PipeMisfit::Width) << utility;
        QTest::newRow("pipe on its bed higher than the trench") << 2 << trench + QStringList{"txtTab29_4=6", "txtTab29_5=32", "txtTab29_6=6"} << "txtTab29_5" << FrmCalculator3::pipeMisfitMessage(PipeMisfit::Depth) << utility;
        QTest::newRow("trench length in feet and inches") << 2 << QStringList{"txtTab29_1=24", "txtTab29_3=100'6\""} << "txtTab29_3" << refusal("not a number", "\"Trench for Utilities-1 Excavation Length\"", "100'6\"") << utility;

        QTest::newRow("excavation, negative height") << 3 << QStringList{"txtTab30_1=100", "txtTab30_3=-2"} << "txtTab30_3" << refusal("negative", "\"Height B\"", "-2") << QStringList{"txtTab30_6"};
        QTest::newRow("beam, a unit typed") << 4 << QStringList{"txtTab31_1=30 lb", "txtTab31_2=20"} << "txtTab31_1" << refusal("not a number", "\"Steel Beam Unit Weight\"", "30 lb") << QStringList{"txtTab31_3", "txtTab31_4"};
        QTest::newRow("ceramic, comma for a point") << 5 << QStringList{"txtTab32_1=10,5", "txtTab32_2=10"} << "txtTab32_1" << refusal("not a number", "\"Tile Area Length\"", "10,5") << QStringList{"txtTab32_3", "txtTab32_4"};

        const QStringList carpet{"txtTab33_9",  "txtTab33_10", "txtTab33_11",
                                 "txtTab33_12", "txtTab33_13", "txtTab33_14"};
        QTest::newRow("carpet, negative length") << 6 << QStringList{"txtTab33_2=3", "txtTab33_6=-3"} << "txtTab33_6" << refusal("negative", "\"Area 2 (in feet)\" (Length)", "-3") << carpet;
        QTest::newRow("carpet, stairs in words") << 6 << QStringList{"txtTab33_4=3", "txtTab33_8=ten"} << "txtTab33_8" << refusal("not a number", "\"Stairway (in feet)\" (Number of Stairs)", "ten") << carpet;
        QTest::newRow("wallpaper, letters for the base") << 7 << QStringList{"txtTab34_3=10", "txtTab34_6=6x"} << "txtTab34_6" << refusal("not a number", "\"Sloping wall (in feet)\" (Base)", "6x") << QStringList{"txtTab34_7", "txtTab34_8", "txtTab34_9", "txtTab34_10", "txtTab34_11"};
        QTest::newRow("vinyl, the stair box without a label") << 8 << QStringList{"txtTab35_4=3", "txtTab35_8=-10"} << "txtTab35_8" << refusal("negative", "\"Stairway (in feet)\" (second box)", "-10") << QStringList{"txtTab35_12", "txtTab35_13", "txtTab35_14"};
        QTest::newRow("resilient, too large") << 9 << QStringList{"txtTab36_3=1E400", "cmbTab36#0"} << "txtTab36_3" << refusal("too large", "\"Area 3 (in feet)\" (Width)", "1E400") << QStringList{"txtTab36_9", "txtTab36_10", "txtTab36_11"};
        // clang-format on
    }
    void refusedBoxes()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QString, box);
        QFETCH(QString, message);
        QFETCH(QStringList, outputs);
        calctest::refuses(opened(which), *fake, inputs, QStringLiteral("cmdTab%1").arg(27 + which), box, message,
                          outputs);
    }

    void roundingSteps_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("whole");
        QTest::addColumn<double>("quarter");
        QTest::addColumn<double>("half");
        QTest::newRow("whole") << 2.0 << 2.0 << 2.0 << 2.0;
        QTest::newRow("a little over") << 2.01 << 3.0 << 2.25 << 2.5;
        QTest::newRow("a quarter") << 2.25 << 3.0 << 2.25 << 2.5;
        QTest::newRow("a half") << 2.5 << 3.0 << 2.5 << 2.5;
        QTest::newRow("over a half") << 2.6 << 3.0 << 2.75 << 3.0;
        QTest::newRow("three quarters") << 2.75 << 3.0 << 2.75 << 3.0;
        QTest::newRow("nearly whole") << 2.9 << 3.0 << 3.0 << 3.0;
        QTest::newRow("negative") << -1.3 << -1.0 << -1.25 << -1.0;
    }
    void roundingSteps()
    {
        QFETCH(double, x);
        QFETCH(double, whole);
        QFETCH(double, quarter);
        QFETCH(double, half);
        QCOMPARE(calculators::group3::roundUpWhole(x), whole);
        QCOMPARE(calculators::group3::roundUpQuarter(x), quarter);
        QCOMPARE(calculators::group3::roundUpHalf(x), half);
    }

    void backFillUsesTheRoundedVolumes()
    {
        // Hole 1 x 1 x 1.4 / 27 = 0.05185 -> 0.05; bed 1.4 x 1 x 0.5 / 27 = 0.0259 -> 0.03.
        calculators::group3::TankInput t;
        t.round = false;
        t.excavationWidth = 1;
        t.excavationDepth = 1;
        t.excavationLength = 1.4;
        t.bedDepthInches = 6;
        const auto r = calculators::group3::tankTrench(t);
        QCOMPARE(r.holeVolume, 0.05);
        QCOMPARE(r.bedFillVolume, 0.03);
        QCOMPARE(r.backFillVolume, 0.02);  // 0.0518 - 0.0259 would give 0.03
    }

    void tileWithoutASizeAsksForOne_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("outputs");
        // clang-format off
        QTest::newRow("resilient, never chosen") << 9 << QStringList{"txtTab36_1=10", "txtTab36_4=12"} << QStringList{"txtTab36_7=", "txtTab36_10=", "txtTab36_11="};
        QTest::newRow("ceramic, cleared") << 5 << QStringList{"txtTab32_1=10", "txtTab32_2=10", "cmbTab32#-1"} << QStringList{"txtTab32_3=", "txtTab32_4="};
        // clang-format on
    }
    void tileWithoutASizeAsksForOne()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, outputs);
        FrmCalculator3& w = opened(which);
        enter(w, inputs);
        click(w, QStringLiteral("cmdTab%1").arg(27 + which));
        QCOMPARE(fake->messageTexts(), QStringList{FrmCalculator3::noTileSizeMessage()});
        expect(w, outputs);
    }

    void overflowGivesOneMessageAndKeepsTheOutputs_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("huge");
        QTest::addColumn<QStringList>("kept");
        // clang-format off
        QTest::newRow("excavation") << 3 << QStringList{"txtTab30_1=10", "txtTab30_2=4"} << QStringList{"txtTab30_1=1e308", "txtTab30_3=1e308"} << QStringList{"txtTab30_6=10"};
        QTest::newRow("beam") << 4 << QStringList{"txtTab31_1=30", "txtTab31_2=20"} << QStringList{"txtTab31_1=1e200", "txtTab31_2=1e200"} << QStringList{"txtTab31_3=0.5", "txtTab31_4=600"};
        QTest::newRow("tank") << 1 << QStringList{"txtTab28_2=10", "txtTab28_3=8", "txtTab28_4=12", "txtTab28_8=6",  "txtTab28_1=4", "txtTab28_7=6"} << QStringList{"txtTab28_2=1e200", "txtTab28_3=1e200"} << QStringList{"txtTab28_9=35.56", "txtTab28_11=30.34", "txtTab28_12=3"};
        QTest::newRow("carpet") << 6 << QStringList{"txtTab33_1=3", "txtTab33_5=3"} << QStringList{"txtTab33_1=1e300", "txtTab33_5=1e300"} << QStringList{"txtTab33_9=9", "txtTab33_14=1"};
        // clang-format on
    }
    void overflowGivesOneMessageAndKeepsTheOutputs()
    {
        QFETCH(int, which);
        QFETCH(QStringList, first);
        QFETCH(QStringList, huge);
        QFETCH(QStringList, kept);
        calctest::overflowKeeps(opened(which), *fake, first, huge, QStringLiteral("cmdTab%1").arg(27 + which), kept);
    }

    void showframeMapsEveryTab_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("frame");
        for (int i = 1; i <= 9; ++i)
            QTest::addRow("which %d", i) << i << QStringLiteral("frmTab%1").arg(27 + i);
        QTest::newRow("no tab 10") << 10 << QString();
    }
    void showframeMapsEveryTab()
    {
        QFETCH(int, which);
        QFETCH(QString, frame);
        FrmCalculator3& w = opened(which);
        if (frame.isEmpty()) {
            QCOMPARE(w.visibleFrame(), nullptr);
            return;
        }
        QVERIFY(w.isFrameVisible(frame));
        // Only the ceramic frame picks a size; the resilient combo stays empty.
        QCOMPARE(w.cmbTab32->listIndex(), which == 5 ? 0 : -1);
        QCOMPARE(w.cmbTab36->listIndex(), -1);
    }

    void tabClickOnCeramicPicksTheFirstSizeAgain()
    {
        FrmCalculator3& w = opened(5);
        w.cmbTab32->setListIndex(4);
        w.TabStrip1->tabBar()->setCurrentIndex(0);
        QVERIFY(w.isFrameVisible("frmTab28"));
        w.TabStrip1->tabBar()->setCurrentIndex(4);
        QCOMPARE(w.Which, 5);
        QCOMPARE(w.cmbTab32->listIndex(), 0);
    }

    void opensOnTheTankFrame()
    {
        FrmCalculator3& w = ui::form<FrmCalculator3>();
        w.show();
        QVERIFY(w.isFrameVisible("frmTab28"));
        QVERIFY(!w.optTab28_1->isChecked() && !w.optTab28_2->isChecked());
    }

    void tabsFramesAndLabelsAsDesigned()
    {
        FrmCalculator3& w = opened(1);
        const QStringList tabs{"Trenching for Tanks",  "Utility Trenching",       "Excavation Volume",
                               "Steel Beam",           "Ceramic Tile Calculator", "Carpet Calculator",
                               "Wallpaper Calculator", "Sheet Vinyl Calculator",  "Resilient Tile Calculator"};
        QTabBar* bar = w.TabStrip1->tabBar();
        QCOMPARE(bar->count(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(bar->tabText(i), tabs[i]);
            QCOMPARE(bar->tabToolTip(i), tabs[i]);
            auto* frame = qobject_cast<QGroupBox*>(w.control(QStringLiteral("frmTab%1").arg(28 + i)));
            QVERIFY(frame);
            QCOMPARE(frame->title(), tabs[i]);
            QCOMPARE(w.button(QStringLiteral("cmdTab%1").arg(28 + i))->text(), QStringLiteral("Compute"));
        }
        // Only the "How to Transfer?" help in this window.
        QVERIFY(w.button("cmdHelpMain"));
        QVERIFY(w.window()->findChildren<QWidget*>(QRegularExpression("^cmdHelp2_")).isEmpty());

        const int boxes[] = {12, 10, 6, 4, 4, 14, 11, 14, 11};
        for (int i = 0; i < 9; ++i)
            for (int n = 1; n <= boxes[i]; ++n)
                QVERIFY2(w.textBox(QStringLiteral("txtTab%1_%2").arg(28 + i).arg(n)),
                         qPrintable(QStringLiteral("txtTab%1_%2").arg(28 + i).arg(n)));

        QCOMPARE(w.optTab28_1->text(), QStringLiteral("Yes"));
        QCOMPARE(w.optTab28_2->text(), QStringLiteral("No"));

        ui::ComboBox* ceramic = w.cmbTab32;
        QCOMPARE(ceramic->listCount(), 10);
        QCOMPARE(ceramic->itemText(0), QStringLiteral("3 x 3"));
        QCOMPARE(ceramic->itemText(9), QStringLiteral("24 x 24"));
        QCOMPARE(ceramic->itemData(9), 24);
        ui::ComboBox* resilient = w.cmbTab36;
        QCOMPARE(resilient->listCount(), 3);
        QCOMPARE(resilient->itemText(0), QStringLiteral("12\"-by-12\""));
        QCOMPARE(resilient->itemText(2), QStringLiteral("6\"-by-6\""));
        QCOMPARE(resilient->itemData(1), 9);

        QVERIFY(labelTexts(w.control("frmTab32")).contains("(Takes 10% wastage into consideration)"));
        QVERIFY(labelTexts(w.control("frmTab31")).contains("Beam Weight"));
        const QStringList carpet = labelTexts(w.control("frmTab33"));
        QVERIFY(carpet.contains("Number of Stairs"));
        QVERIFY(carpet.contains("Width x "));
        // The vinyl frame carries the carpet's words, and none after its stair box.
        const QStringList vinyl = labelTexts(w.control("frmTab35"));
        QVERIFY(vinyl.contains("Total area to be carpeted: "));
        QVERIFY(vinyl.contains("Amount of carpet needed: "));
        QVERIFY(!vinyl.contains("Number of Stairs"));
        const QStringList paper = labelTexts(w.control("frmTab34"));
        QVERIFY(paper.contains("Length x"));
        QVERIFY(paper.contains("Room perimeter"));
        QVERIFY(paper.contains("roll(s)"));
    }

    void howToTransferSpeaks()
    {
        FrmCalculator3& w = opened(3);
        click(w, "cmdHelpMain");
        QCOMPARE(shell::frmMainMenu().Merlin().requests().last(), "Speak " + calculators::transferHelpText());
        QTRY_VERIFY_WITH_TIMEOUT(fake->speechBackend.spoken.contains(calculators::transferHelpText()), 10000);
    }
};

QTEST_MAIN(TestGroup3)
#include "tst_group3.moc"
