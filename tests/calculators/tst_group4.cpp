// The Group 4 calculators: roofing squares and lumber cost, through the
// boxes and buttons of the window.

#include "support/calculatordriver.h"
#include "support/screentest.h"

#include "calculators/calculatorscreens.h"
#include "calculators/frmcalculator4.h"
#include "calculators/group4formulas.h"
#include "shell/assistant.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QTest>

using calculators::FrmCalculator4;

using calctest::type;

class TestGroup4 : public ScreenTest {
    Q_OBJECT

    static FrmCalculator4& open(int which) { return calctest::opened<FrmCalculator4>(which); }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }
    void init() { initScreenTest(Database::None, {calculators::registerScreens}); }

    void frameTexts()
    {
        FrmCalculator4& w = open(1);
        QCOMPARE(w.frmTab37->title(), QStringLiteral("Roofing Calculator"));
        QCOMPARE(w.frmTab38->title(), QStringLiteral("Lumber Calculator"));
        QCOMPARE(w.button("cmdTab37")->text(), QStringLiteral("Compute"));
        QCOMPARE(w.button("cmdTab38")->text(), QStringLiteral("Compute"));

        ui::ComboBox* pitch = w.comboBox("cmbTab37");
        QCOMPARE(pitch->listCount(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pitch->itemText(i), QStringLiteral("%1 in 12").arg(4 + i));
            QCOMPARE(pitch->itemData(i), qint64(4 + i));
        }
        ui::ComboBox* dimension = w.comboBox("cmbTab38_1");
        const QStringList dims = {"2 by 2", "2 by 3", "2 by 4",  "2 by 6",  "2 by 8", "2 by 10", "2 by 12", "4 by 4",
                                  "4 by 6", "4 by 8", "4 by 10", "4 by 12", "6 by 6", "6 by 8",  "6 by 10", "6 by 12"};
        QCOMPARE(dimension->listCount(), dims.size());
        for (int i = 0; i < dims.size(); ++i) {
            QCOMPARE(dimension->itemText(i), dims[i]);
            QCOMPARE(dimension->itemData(i), qint64(i < 9 ? 4 + i : 0));
        }
        ui::ComboBox* unit = w.comboBox("cmbTab38_2");
        QCOMPARE(unit->listCount(), 2);
        QCOMPARE(unit->itemText(0), QStringLiteral("Lineal foot"));
        QCOMPARE(unit->itemData(0), qint64(4));
        QCOMPARE(unit->itemText(1), QStringLiteral("Board foot"));
        QCOMPARE(unit->itemData(1), qint64(5));
    }

    void roofing_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("pitch");  // list position, -1 for none
        QTest::addColumn<QString>("actualBefore");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("squares");
        // clang-format off
        QTest::newRow("1500 at 6 in 12") << "1500" << 2 << "" << "1680" << "17";
        QTest::newRow("1500 at 4 in 12") << "1500" << 0 << "" << "1590" << "16";
        QTest::newRow("2000 at 8 in 12") << "2000" << 4 << "" << "2400" << "24";
        QTest::newRow("1000 at 12 in 12") << "1000" << 8 << "" << "1420" << "15";
        QTest::newRow("empty size") << "" << 2 << "" << "0" << "0";
        // 2800.0000000000005 in binary; the box shows 2800, which is 28 squares.
        QTest::newRow("2500 at 6 in 12") << "2500" << 2 << "" << "2800" << "28";
        QTest::newRow("2,500 at 6 in 12") << "2,500" << 2 << "" << "2800" << "28";
        QTest::newRow("blanks and a fraction") << " 1,499 1/2 " << 0 << "" << "1589.47" << "16";
        QTest::newRow("no pitch keeps the area") << "1500" << -1 << "950" << "950" << "10";
        // clang-format on
    }
    void roofing()
    {
        QFETCH(QString, size);
        QFETCH(int, pitch);
        QFETCH(QString, actualBefore);
        QFETCH(QString, actual);
        QFETCH(QString, squares);
        FrmCalculator4& w = open(1);
        type(w, "txtTab37_1", size);
        w.comboBox("cmbTab37")->setListIndex(pitch);
        w.textBox("txtTab37_2")->setText(actualBefore);
        w.button("cmdTab37")->click();
        QCOMPARE(w.textBox("txtTab37_2")->text(), actual);
        QCOMPARE(w.textBox("txtTab37_3")->text(), squares);
        QVERIFY(fake->messages.isEmpty());
    }

    void lumber_data()
    {
        QTest::addColumn<int>("dimension");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("feet");
        QTest::addColumn<QString>("cost");
        // clang-format off
        QTest::newRow("2 by 4, lineal") << 2 << 0 << "1.25" << "120" << "150";
        QTest::newRow("6 by 12, board") << 15 << 1 << "1.25" << "120" << "150";
        QTest::newRow("nothing chosen") << -1 << -1 << "1.25" << "120" << "150";
        QTest::newRow("empty") << 0 << 0 << "" << "" << "0";
        QTest::newRow("dollars") << 0 << 0 << "$1.25" << "1,200" << "1500";
        QTest::newRow("a fraction of a dollar") << 0 << 0 << "1 1/4" << "120" << "150";
        QTest::newRow("fractions") << 0 << 0 << "0.1" << "3" << "0.3";
        // clang-format on
    }
    void lumber()
    {
        QFETCH(int, dimension);
        QFETCH(int, unit);
        QFETCH(QString, price);
        QFETCH(QString, feet);
        QFETCH(QString, cost);
        FrmCalculator4& w = open(2);
        w.comboBox("cmbTab38_1")->setListIndex(dimension);
        w.comboBox("cmbTab38_2")->setListIndex(unit);
        type(w, "txtTab38_1", price);
        type(w, "txtTab38_2", feet);
        w.button("cmdTab38")->click();
        QCOMPARE(w.textBox("txtTab38_3")->text(), cost);
    }

    // A box that does not hold a figure it may hold: one message naming it
    // by its label, and nothing computed.
    void refusedBoxes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("outputs");
        using calctest::refusal;
        const QStringList roofing{"txtTab37_2", "txtTab37_3"};
        // clang-format off
        QTest::newRow("roofing, a unit typed") << 1 << QStringList{"txtTab37_1=2500 sq ft"} << "txtTab37_1" << refusal("not a number", "\"Nominal roof size (in sq. ft.)\"", "2500 sq ft") << roofing;
        QTest::newRow("roofing, negative size") << 1 << QStringList{"txtTab37_1=-1500"} << "txtTab37_1" << refusal("negative", "\"Nominal roof size (in sq. ft.)\"", "-1500") << roofing;
        QTest::newRow("roofing, too large") << 1 << QStringList{"txtTab37_1=1E400"} << "txtTab37_1" << refusal("too large", "\"Nominal roof size (in sq. ft.)\"", "1E400") << roofing;
        const QStringList lumber{"txtTab38_3"};
        QTest::newRow("lumber, negative feet") << 2 << QStringList{"txtTab38_1=1.25", "txtTab38_2=-120"} << "txtTab38_2" << refusal("negative", "\"Number of lineal feet\"", "-120") << lumber;
        QTest::newRow("lumber, price with two points") << 2 << QStringList{"txtTab38_1=$1.2.5", "txtTab38_2=120"} << "txtTab38_1" << refusal("not an amount", "\"Price per lineal foot\"", "$1.2.5") << lumber;
        // clang-format on
    }
    void refusedBoxes()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QString, box);
        QFETCH(QString, message);
        QFETCH(QStringList, outputs);
        calctest::refuses(open(which), *fake, inputs, which == 1 ? "cmdTab37" : "cmdTab38", box, message, outputs);
    }

    // With no pitch chosen the squares come from the area as typed; that
    // box is read like any other.
    void roofingReadsATypedArea()
    {
        FrmCalculator4& w = open(1);
        w.comboBox("cmbTab37")->setListIndex(-1);
        calctest::refuses(w, *fake, {"txtTab37_1=1500", "txtTab37_2=about 950"}, "cmdTab37", "txtTab37_2",
                          calctest::refusal("not a number", "\"Actual square feet of house\"", "about 950"),
                          {"txtTab37_3"});
    }

    void overflowLeavesResults_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("box1");
        QTest::addColumn<QString>("box2");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("outputs");
        // clang-format off
        QTest::newRow("roofing") << 1 << "txtTab37_1" << QString() << "cmdTab37" << QStringList{"txtTab37_2", "txtTab37_3"};
        QTest::newRow("lumber") << 2 << "txtTab38_1" << "txtTab38_2" << "cmdTab38" << QStringList{"txtTab38_3"};
        // clang-format on
    }
    void overflowLeavesResults()
    {
        QFETCH(int, which);
        QFETCH(QString, box1);
        QFETCH(QString, box2);
        QFETCH(QString, button);
        QFETCH(QStringList, outputs);
        FrmCalculator4& w = open(which);
        if (which == 1)
            w.comboBox("cmbTab37")->setListIndex(8);
        for (const QString& o : outputs)
            w.textBox(o)->setText(QStringLiteral("as before"));
        type(w, box1, QStringLiteral("1.7e308"));
        if (!box2.isEmpty())
            type(w, box2, QStringLiteral("1e10"));
        w.button(button)->click();
        QCOMPARE(fake->messages.size(), 1);
        for (const QString& o : outputs)
            QCOMPARE(w.textBox(o)->text(), QStringLiteral("as before"));
    }

    void pitchFactors()
    {
        const double factors[] = {1.06, 1.08, 1.12, 1.16, 1.2, 1.25, 1.3, 1.36, 1.42};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(calculators::group4::pitchFactor(i), std::optional<double>(factors[i]));
        QCOMPARE(calculators::group4::pitchFactor(-1), std::nullopt);
        QCOMPARE(calculators::group4::pitchFactor(9), std::nullopt);
    }
};

QTEST_MAIN(TestGroup4)
#include "tst_group4.moc"
