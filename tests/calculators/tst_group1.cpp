// The Group 1 calculators, driven as the user drives them: figures typed
// into the boxes, options and sizes chosen, the Compute or Calculate button
// clicked, the result boxes read.

#include "support/calculatordriver.h"
#include "support/screentest.h"

#include "calculators/calculatorscreens.h"
#include "calculators/frmcalculators.h"
#include "calculators/group1formulas.h"
#include "shell/assistant.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

using calculators::FrmCalculators;

using calctest::click;

namespace {

FrmCalculators& open(int which) { return calctest::opened<FrmCalculators>(which); }

}  // namespace

class TestGroup1 : public ScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }
    void init() { initScreenTest(Database::None, {calculators::registerScreens}); }

    void frameTexts()
    {
        FrmCalculators& w = open(1);
        const QStringList captions = {
            "Blocks Calculator",    "Concrete Materials Calculators", "Block Wall Calculator",   "Column Calculator",
            "Bricks Calculator",    "Foundation Concrete Calculator", "Wall Framing Calculator", "Roof Area Calculator",
            "Board Foot Calculator"};
        const int numbers[] = {1, 2, 3, 4, 5, 8, 9, 10, 11};
        for (int i = 0; i < 9; ++i) {
            auto* frame = qobject_cast<QGroupBox*>(w.control(QStringLiteral("frmTab%1").arg(numbers[i])));
            QVERIFY(frame);
            QCOMPARE(frame->title(), captions[i]);
        }
        const QStringList areas = {"FIRST AREA", "SECOND AREA", "THIRD AREA", "FOURTH AREA"};
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(qobject_cast<QGroupBox*>(w.control(QStringLiteral("ftmTab5_%1").arg(k)))->title(), areas[k - 1]);
        QCOMPARE(w.button("cmdTab6_1")->text(), QStringLiteral("Calculate"));
        QCOMPARE(w.button("cmdTab5_3")->text(), QStringLiteral("Calculate"));
        QCOMPARE(w.button("cmdTab8_2")->text(), QStringLiteral("Compute"));
        QVERIFY(w.Tab2_Option1->isChecked());
        QVERIFY(w.Tab3_Option1->isChecked());

        // The size combos: their items, item data 0, and nothing chosen.
        const QStringList sizes = {"Select", "1 x 2", "1 x 3", "1 x 4", "1 x 6 / 2 x 3", "2 x 4", "2 x 6", "2 x 8"};
        for (int k = 1; k <= 3; ++k) {
            ui::ComboBox* c = w.comboBox(QStringLiteral("cmbTab11_%1").arg(k));
            QCOMPARE(c->listCount(), sizes.size());
            for (int i = 0; i < sizes.size(); ++i) {
                QCOMPARE(c->itemText(i), sizes[i]);
                QCOMPARE(c->itemData(i), qint64(0));
            }
            QCOMPARE(c->listIndex(), -1);
        }
    }

    void compute_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("expected");

        // Concrete Materials.
        const QStringList slab = {"txtTab2_1=10", "txtTab2_2=20", "txtTab2_3=4", "txtTab2_BaseDepth=6"};
        // clang-format off
        QTest::newRow("concrete, inches") << 2 << slab << QStringList{} << QStringList{"cmdTab2"} << QStringList{"txtTab2_Slabarea=200", "txtTab2_4=2.46914", "txtTab2_Basevolume=3.7037", "txtTab2_Totvolume=6.17284"};
        QTest::newRow("concrete, feet") << 2 << slab << QStringList{"Tab2_Option2"} << QStringList{"cmdTab2"} << QStringList{"txtTab2_Slabarea=200", "txtTab2_4=29.62963", "txtTab2_Basevolume=44.44444", "txtTab2_Totvolume=74.07407"};
        QTest::newRow("concrete, empty") << 2 << QStringList{} << QStringList{} << QStringList{"cmdTab2"} << QStringList{"txtTab2_Slabarea=0", "txtTab2_4=0", "txtTab2_Basevolume=0", "txtTab2_Totvolume=0"};
        QTest::newRow("concrete, blanks, separators and fractions") << 2 << QStringList{"txtTab2_1= 10 ", "txtTab2_2=1,000", "txtTab2_3=3 3/4", "txtTab2_BaseDepth=1/2"} << QStringList{} << QStringList{"cmdTab2"} << QStringList{"txtTab2_Slabarea=10000", "txtTab2_4=115.74074", "txtTab2_Basevolume=15.4321", "txtTab2_Totvolume=131.17284"};

        // Block Wall and Column.
        QTest::newRow("block wall, 8 inch") << 3 << QStringList{"txtTab3_1=8", "txtTab3_2=27"} << QStringList{} << QStringList{"cmdTab3"} << QStringList{"txtTab3_4=2.56"};
        QTest::newRow("block wall, 12 inch") << 3 << QStringList{"txtTab3_1=8", "txtTab3_2=27"} << QStringList{"Tab3_Option2"} << QStringList{"cmdTab3"} << QStringList{"txtTab3_4=4.08"};
        QTest::newRow("column") << 4 << QStringList{"txtTab4_1=10", "txtTab4_2=12"} << QStringList{} << QStringList{"cmdTab4"} << QStringList{"txtTab4_4=0.29089"};
        QTest::newRow("block wall, thousands") << 3 << QStringList{"txtTab3_1=8", "txtTab3_2=1,350"} << QStringList{} << QStringList{"cmdTab3"} << QStringList{"txtTab3_4=128"};

        // Blocks: length * 12 / block size per side, unrounded; the total
        // lays the footer count in 8-inch courses up the wall.
        QTest::newRow("blocks along the footer") << 1 << QStringList{"txtTab1_BlockSize=16", "txtTab1_Length1=40", "txtTab1_Length2=30", "txtTab1_Length3=20", "txtTab1_Length4=10"} << QStringList{} << QStringList{"cmdTab6_1"} << QStringList{"txtTab1_Blocks1=30", "txtTab1_Blocks2=22.5", "txtTab1_Blocks3=15", "txtTab1_Blocks4=7.5", "txtTab1_FooterBlocks=75"};
        QTest::newRow("blocks total from the footer box") << 1 << QStringList{"txtTab1_FooterBlocks=75", "txtTab1_Height=8"} << QStringList{} << QStringList{"cmdTab6_2"} << QStringList{"txtTab1_TotalBlocks=900"};

        // Bricks: 7 and 9 per square foot and the custom rate, then totals.
        QTest::newRow("bricks, one area") << 5 << QStringList{"txtLength1=10", "txtWidth1=8", "txtnBricks1=8"} << QStringList{} << QStringList{"cmdTab5_1"} << QStringList{"txtArea1=80",  "txtBricks1=560", "txtBricks91=720", "txtBricksn1=640", "txtTotal=560", "txtTotal2=720",  "txtTotal3=640"};
        QTest::newRow("bricks, two areas add up") << 5 << QStringList{"txtLength1=10", "txtWidth1=8", "txtnBricks1=8", "txtLength3=5", "txtWidth3=4.5"} << QStringList{} << QStringList{"cmdTab5_1", "cmdTab5_3"} << QStringList{"txtArea3=22.5",  "txtBricks3=157.5", "txtBricks93=202.5", "txtBricksn3=0", "txtTotal=717.5", "txtTotal2=922.5",  "txtTotal3=640"};

        // Foundation: perimeter x width x depth in feet / 27, then 12% and
        // 8% added and rounded up; labour is three times material.
        QTest::newRow("foundation volumes") << 8 << QStringList{"txtTab8_1=200", "txtTab8_2=16", "txtTab8_3=8", "txtTab8_4=3", "txtTab8_5=8"} << QStringList{} << QStringList{"cmdTab8_1"} << QStringList{"txtTab8_6=6.58436213991769", "txtTab8_7=14.8148148148148"};
        QTest::newRow("foundation cost") << 8 << QStringList{"txtTab8_1=200", "txtTab8_2=16", "txtTab8_3=8", "txtTab8_4=3",   "txtTab8_5=8",  "txtTab8_8=100"} << QStringList{} << QStringList{"cmdTab8_1", "cmdTab8_2"} << QStringList{"txtTab8_9=8",     "txtTab8_10=16",   "txtTab8_11=24", "txtTab8_12=2400", "txtTab8_13=7200", "txtTab8_14=9600"};
        QTest::newRow("foundation cost in dollars") << 8 << QStringList{"txtTab8_6=10", "txtTab8_7=25", "txtTab8_8=$95.50"} << QStringList{} << QStringList{"cmdTab8_2"} << QStringList{"txtTab8_12=3724.5", "txtTab8_14=14898"};
        QTest::newRow("foundation cost from typed volumes") << 8 << QStringList{"txtTab8_6=10", "txtTab8_7=25", "txtTab8_8=95.5"} << QStringList{} << QStringList{"cmdTab8_2"} << QStringList{"txtTab8_9=12",      "txtTab8_10=27",      "txtTab8_11=39", "txtTab8_12=3724.5", "txtTab8_13=11173.5", "txtTab8_14=14898"};

        // Wall framing: a stud per spacing, 2 per corner, 1 per separate
        // run, 2 per opening; 8-foot studs; 3 plates of 16 feet.
        QTest::newRow("wall framing") << 9 << QStringList{"txtTab9_1=160", "txtTab9_2=16",  "txtTab9_3=4",  "txtTab9_4=0", "txtTab9_5=10",  "txtTab9_6=100", "txtTab9_7=16", "txtTab9_8=2", "txtTab9_9=3",   "txtTab9_10=4"} << QStringList{} << QStringList{"cmdTab9"} << QStringList{"txtTab9_11=148", "txtTab9_12=1184", "txtTab9_13=30", "txtTab9_14=90",  "txtTab9_15=480",  "txtTab9_16=18.75"};
        // An empty interior wall needs no spacing.
        QTest::newRow("wall framing, exterior only") << 9 << QStringList{"txtTab9_1=160", "txtTab9_2=16", "txtTab9_3=4"} << QStringList{} << QStringList{"cmdTab9"} << QStringList{"txtTab9_11=128", "txtTab9_12=1024", "txtTab9_13=30", "txtTab9_14=0",   "txtTab9_15=0",    "txtTab9_16=0"};

        // Roof area: width x length x sqrt(pitch^2 + 144) / 12, rounded up;
        // 32 sq ft sheets, rounded up.
        QTest::newRow("roof, 6 in 12") << 10 << QStringList{"txtTab10_1=6", "txtTab10_2=30", "txtTab10_3=40", "txtTab10_4=12.5"} << QStringList{} << QStringList{"cmdTab10"} << QStringList{"txtTab10_5=1342", "txtTab10_6=42", "txtTab10_7=525"};
        QTest::newRow("roof, cost in dollars") << 10 << QStringList{"txtTab10_1=6", "txtTab10_2=30", "txtTab10_3=40", "txtTab10_4=$12.50"} << QStringList{} << QStringList{"cmdTab10"} << QStringList{"txtTab10_7=525"};
        QTest::newRow("roof, flat and whole") << 10 << QStringList{"txtTab10_1=0", "txtTab10_2=10", "txtTab10_3=32", "txtTab10_4=20"} << QStringList{} << QStringList{"cmdTab10"} << QStringList{"txtTab10_5=320", "txtTab10_6=10", "txtTab10_7=200"};

        // Board feet: thickness x width (inches) x length (feet) / 12.
        QTest::newRow("board feet") << 11 << QStringList{"txtTab11_1=12", "txtTab11_2=8", "txtTab11_3=10", "txtTab11_5=4",  "txtTab11_6=4", "txtTab11_4=10"} << QStringList{"cmbTab11_1#5", "cmbTab11_2#4"} << QStringList{"cmdTab11"} << QStringList{"txtTab11_7=8", "txtTab11_8=4", "txtTab11_9=0", "txtTab11_10=13.3333333333333", "txtTab11_11=25.3333333333333"};
        QTest::newRow("board feet, Select counts nothing") << 11 << QStringList{"txtTab11_1=12", "txtTab11_2=16"} << QStringList{"cmbTab11_1#0", "cmbTab11_2#7"} << QStringList{"cmdTab11"} << QStringList{"txtTab11_7=0", "txtTab11_8=21.3333333333333", "txtTab11_10=0", "txtTab11_11=21.3333333333333"};
        QTest::newRow("board feet, fractions of an inch") << 11 << QStringList{"txtTab11_5=1 1/2", "txtTab11_6=3 1/2", "txtTab11_4=8"} << QStringList{} << QStringList{"cmdTab11"} << QStringList{"txtTab11_10=3.5", "txtTab11_11=3.5"};
        // clang-format on
    }
    void compute()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, choices);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, expected);
        calctest::compute(open(which), *fake, inputs + choices, buttons, expected);
    }

    // A box that does not hold a figure it may hold: one message naming it
    // by its label, and nothing computed.
    void refusedBoxes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("outputs");
        using calctest::refusal;

        const QStringList concrete{"txtTab2_Slabarea", "txtTab2_4", "txtTab2_Basevolume", "txtTab2_Totvolume"};
        // clang-format off
        QTest::newRow("concrete, letters for a depth") << 2 << QStringList{"txtTab2_1=10", "txtTab2_2=20", "txtTab2_3=abc"} << "cmdTab2" << "txtTab2_3" << refusal("not a number", "\"Depth of Slab (Inch)\"", "abc") << concrete;
        QTest::newRow("concrete, a unit typed") << 2 << QStringList{"txtTab2_1=10 ft", "txtTab2_2=20"} << "cmdTab2" << "txtTab2_1" << refusal("not a number", "\"Width (Feet)\"", "10 ft") << concrete;

        const QStringList blocks{"txtTab1_Blocks1", "txtTab1_Blocks2", "txtTab1_Blocks3", "txtTab1_Blocks4",
                                 "txtTab1_FooterBlocks"};
        QTest::newRow("blocks, feet and inches") << 1 << QStringList{"txtTab1_BlockSize=16", "txtTab1_Length1=10'6\""} << "cmdTab6_1" << "txtTab1_Length1" << refusal("not a number", "\"Length (Feet)\" (Front)", "10'6\"") << blocks;
        QTest::newRow("blocks, no block size") << 1 << QStringList{"txtTab1_Length3=40"} << "cmdTab6_1" << "txtTab1_BlockSize" << refusal("zero", "\"Size of Each Block (Inches)\"") << blocks;
        QTest::newRow("blocks, negative length") << 1 << QStringList{"txtTab1_BlockSize=16", "txtTab1_Length4=-20"} << "cmdTab6_1" << "txtTab1_Length4" << refusal("negative", "\"Length (Feet)\" (Right Side)", "-20") << blocks;
        QTest::newRow("blocks, the footer count as typed") << 1 << QStringList{"txtTab1_FooterBlocks=12.5x", "txtTab1_Height=8"} << "cmdTab6_2" << "txtTab1_FooterBlocks" << refusal("not a number", "\"Total # of Blocks along the footer\"", "12.5x") << QStringList{"txtTab1_TotalBlocks"};

        const QStringList second{"txtArea2", "txtBricks2", "txtBricks92", "txtBricksn2",
                                 "txtTotal", "txtTotal2",  "txtTotal3"};
        QTest::newRow("bricks, negative width") << 5 << QStringList{"txtLength2=10", "txtWidth2=-8"} << "cmdTab5_2" << "txtWidth2" << refusal("negative", "\"Width (Feet)\" (SECOND AREA)", "-8") << second;
        QTest::newRow("bricks, a rate in words") << 5 << QStringList{"txtLength2=10", "txtWidth2=8", "txtnBricks2=seven"} << "cmdTab5_2" << "txtnBricks2" << refusal("not a number", "\"Bricks per sq. ft\" (SECOND AREA)", "seven") << second;

        const QStringList costs{"txtTab8_9", "txtTab8_10", "txtTab8_11", "txtTab8_12", "txtTab8_13", "txtTab8_14"};
        QTest::newRow("foundation, a unit in the perimeter") << 8 << QStringList{"txtTab8_1=200ft", "txtTab8_2=16"} << "cmdTab8_1" << "txtTab8_1" << refusal("not a number", "\"Building Perimeter (feet)\"", "200ft") << QStringList{"txtTab8_6", "txtTab8_7"};
        QTest::newRow("foundation, cost too large") << 8 << QStringList{"txtTab8_6=10", "txtTab8_7=25", "txtTab8_8=$1E400"} << "cmdTab8_2" << "txtTab8_8" << refusal("too large", "\"Cost per Cubic Yard (Include haul)\"", "$1E400") << costs;
        QTest::newRow("foundation, negative cost") << 8 << QStringList{"txtTab8_6=10", "txtTab8_7=25", "txtTab8_8=-$95"} << "cmdTab8_2" << "txtTab8_8" << refusal("negative", "\"Cost per Cubic Yard (Include haul)\"", "-$95") << costs;
        QTest::newRow("foundation, cost in words") << 8 << QStringList{"txtTab8_6=10", "txtTab8_8=ninety"} << "cmdTab8_2" << "txtTab8_8" << refusal("not an amount", "\"Cost per Cubic Yard (Include haul)\"", "ninety") << costs;

        const QStringList framing{"txtTab9_11", "txtTab9_12", "txtTab9_13", "txtTab9_14", "txtTab9_15", "txtTab9_16"};
        QTest::newRow("wall framing, no spacing") << 9 << QStringList{"txtTab9_1=160", "txtTab9_3=4"} << "cmdTab9" << "txtTab9_2" << refusal("zero", "\"Stud spacing (inches)\" (exterior)") << framing;
        QTest::newRow("wall framing, interior without spacing") << 9 << QStringList{"txtTab9_1=160", "txtTab9_2=16", "txtTab9_6=100"} << "cmdTab9" << "txtTab9_7" << refusal("zero", "\"Stud spacing (inches)\" (interior)") << framing;
        QTest::newRow("wall framing, negative openings") << 9 << QStringList{"txtTab9_1=160", "txtTab9_2=16", "txtTab9_10=-1"} << "cmdTab9" << "txtTab9_10" << refusal("negative", "\"Number of Openings\" (interior)", "-1") << framing;

        QTest::newRow("roof, negative width") << 10 << QStringList{"txtTab10_1=6", "txtTab10_2=-30", "txtTab10_3=40"} << "cmdTab10" << "txtTab10_2" << refusal("negative", "\"Input Width of Roof\"", "-30") << QStringList{"txtTab10_5", "txtTab10_6", "txtTab10_7"};

        const QStringList boardFeet{"txtTab11_7", "txtTab11_8", "txtTab11_9", "txtTab11_10", "txtTab11_11"};
        QTest::newRow("board feet, a unit in the custom length") << 11 << QStringList{"txtTab11_5=2", "txtTab11_6=4", "txtTab11_4=2.5ft"} << "cmdTab11" << "txtTab11_4" << refusal("not a number", "\"Length (feet)\" (custom size)", "2.5ft") << boardFeet;
        QTest::newRow("board feet, negative length in a row") << 11 << QStringList{"cmbTab11_2#5", "txtTab11_2=-3"} << "cmdTab11" << "txtTab11_2" << refusal("negative", "\"Length (feet)\" (row 2)", "-3") << boardFeet;
        // clang-format on
    }
    void refusedBoxes()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, message);
        QFETCH(QStringList, outputs);
        calctest::refuses(open(which), *fake, inputs, button, box, message, outputs);
    }

    void bricksTotalsOfEmptyAreas()
    {
        FrmCalculators& w = open(5);
        w.CalTab5Tot();
        QCOMPARE(w.textBox("txtTotal")->text(), QStringLiteral("0"));
        QCOMPARE(w.textBox("txtTotal2")->text(), QStringLiteral("0"));
        QCOMPARE(w.textBox("txtTotal3")->text(), QStringLiteral("0"));
    }

    // A result beyond the double range: one message, the boxes as they were.
    void overflowLeavesResults_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("outputs");
        // clang-format off
        QTest::newRow("concrete") << 2 << QStringList{"txtTab2_1=1e200", "txtTab2_2=1e200"} << "cmdTab2" << QStringList{"txtTab2_Slabarea", "txtTab2_4", "txtTab2_Basevolume", "txtTab2_Totvolume"};
        QTest::newRow("bricks and their totals") << 5 << QStringList{"txtLength2=1e300", "txtWidth2=1e10"} << "cmdTab5_2" << QStringList{"txtArea2", "txtBricks2", "txtBricks92", "txtBricksn2", "txtTotal", "txtTotal2",  "txtTotal3"};
        QTest::newRow("foundation cost") << 8 << QStringList{"txtTab8_6=1e300", "txtTab8_8=1e300"} << "cmdTab8_2" << QStringList{"txtTab8_9", "txtTab8_11", "txtTab8_12", "txtTab8_14"};
        QTest::newRow("roof") << 10 << QStringList{"txtTab10_2=1e300", "txtTab10_3=1e300"} << "cmdTab10" << QStringList{"txtTab10_5", "txtTab10_6", "txtTab10_7"};
        QTest::newRow("board feet") << 11 << QStringList{"txtTab11_5=1e300", "txtTab11_6=1e300", "txtTab11_4=1"} << "cmdTab11" << QStringList{"txtTab11_10", "txtTab11_11", "txtTab11_7"};
        // clang-format on
    }
    void overflowLeavesResults()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QString, button);
        QFETCH(QStringList, outputs);
        FrmCalculators& w = open(which);
        for (const QString& name : outputs)
            w.textBox(name)->setText(QStringLiteral("as before"));
        calctest::enter(w, inputs);
        click(w, button);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages[0].text.contains(QStringLiteral("too large")));
        for (const QString& name : outputs)
            QCOMPARE(w.textBox(name)->text(), QStringLiteral("as before"));
        // The window goes on working.
        QVERIFY(w.isVisible());
    }

    void nominalSizes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<double>("width");
        QTest::newRow("2 x 8") << "2 x 8" << 2.0 << 8.0;
        QTest::newRow("1 x 6 / 2 x 3") << "1 x 6 / 2 x 3" << 1.0 << 6.0;
        QTest::newRow("Select") << "Select" << 0.0 << 0.0;
        QTest::newRow("empty") << "" << 0.0 << 0.0;
    }
    void nominalSizes()
    {
        QFETCH(QString, text);
        QFETCH(double, thickness);
        QFETCH(double, width);
        const auto size = calculators::group1::nominalSize(text);
        QCOMPARE(size.has_value(), thickness != 0);
        if (size) {
            QCOMPARE(size->first, thickness);
            QCOMPARE(size->second, width);
        }
    }
};

QTEST_MAIN(TestGroup1)
#include "tst_group1.moc"
