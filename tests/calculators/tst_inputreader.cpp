// How the calculator windows read their boxes: the figures a box may hold,
// the names and messages a refused box is reported with, and the reader's
// first-problem-wins order, seen through a window.

#include "support/calculatordriver.h"
#include "support/screentest.h"

#include "calculators/calculatorscreens.h"
#include "calculators/frmcalculator2.h"
#include "calculators/frmcalculator3.h"
#include "calculators/frmcalculator4.h"
#include "calculators/frmcalculators.h"
#include "calculators/inputreader.h"
#include "shell/assistant.h"
#include "ui/forms.h"
#include "ui/tabstrip.h"
#include "ui/textbox.h"

#include <QGroupBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

using calculators::Figure;
using calculators::InputReader;
using calculators::readFigure;

Q_DECLARE_METATYPE(Figure::Status)

class TestInputReader : public ScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }
    void init() { initScreenTest(Database::None, {calculators::registerScreens}); }

    void figures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("money");
        QTest::addColumn<Figure::Status>("status");
        QTest::addColumn<double>("value");

        const auto number = [](const char* name, const QString& text, double value, bool money = false) {
            QTest::newRow(name) << text << money << Figure::Number << value;
        };
        const auto refused = [](const char* name, const QString& text, Figure::Status status, bool money = false) {
            QTest::newRow(name) << text << money << status << 0.0;
        };

        QTest::newRow("empty") << "" << false << Figure::Empty << 0.0;
        QTest::newRow("blanks only") << " \t " << false << Figure::Empty << 0.0;
        number("whole", "12", 12);
        number("blanks around", " \t12.5  ", 12.5);
        number("thousands", "2,500", 2500);
        number("thousands with decimals", "1,250.75", 1250.75);
        number("millions", "12,345,678", 12345678);
        number("leading point", ".5", 0.5);
        number("trailing point", "5.", 5);
        number("plus sign", "+4", 4);
        number("minus sign", "-4.5", -4.5);  // read; the window refuses it where it must not be negative
        number("minus zero is zero", "-0", 0);
        number("exponent as results are written", "1E-05", 1e-05);
        number("signed exponent", "1.5e+20", 1.5e20);
        number("underflow is zero", "1E-400", 0);
        number("simple fraction", "3/4", 0.75);
        number("mixed fraction", "1 1/2", 1.5);
        number("mixed fraction, a tab then a blank", "1\t 1/2", 1.5);
        number("mixed fraction, more blanks", " 2  3/8 ", 2.375);
        number("negative mixed fraction", "-1 1/2", -1.5);
        number("thousands in a mixed fraction", "1,499 1/2", 1499.5);
        number("improper fraction", "5/4", 1.25);

        number("dollars", "$125", 125, true);
        number("dollars and cents", "$1,250.75", 1250.75, true);
        number("dollar sign and a blank", "$ 12.50", 12.5, true);
        number("cost without a dollar sign", "95.5", 95.5, true);
        number("sign before the dollar", "-$5", -5, true);
        number("sign after the dollar", "$-5", -5, true);

        refused("letters", "abc", Figure::NotANumber);
        refused("trailing letter", "12.5x", Figure::NotANumber);
        refused("unit typed", "2.5ft", Figure::NotANumber);
        refused("feet and inches", "10'6\"", Figure::NotANumber);
        refused("two numbers", "12 5", Figure::NotANumber);
        refused("comma as the decimal point", "2,50", Figure::NotANumber);
        refused("group of two", "25,00", Figure::NotANumber);
        refused("group of four", "1,2345", Figure::NotANumber);
        refused("first group too long", "2500,000", Figure::NotANumber);
        refused("leading comma", ",500", Figure::NotANumber);
        refused("doubled comma", "1,,000", Figure::NotANumber);
        refused("comma in the decimals", "1,000.5,0", Figure::NotANumber);
        refused("two points", "1.2.3", Figure::NotANumber);
        refused("point alone", ".", Figure::NotANumber);
        refused("sign alone", "-", Figure::NotANumber);
        refused("exponent without digits", "1e", Figure::NotANumber);
        refused("exponent alone", "e5", Figure::NotANumber);
        refused("old exponent letter", "1d3", Figure::NotANumber);
        refused("hexadecimal", "&H10", Figure::NotANumber);
        refused("over zero", "1/0", Figure::NotANumber);
        refused("two slashes", "1/2/3", Figure::NotANumber);
        refused("decimal over", "1.5/2", Figure::NotANumber);
        refused("blanks round the slash", "3 / 4", Figure::NotANumber);
        refused("dash in a mixed fraction", "1-1/2", Figure::NotANumber);
        refused("three parts", "1 1 1/2", Figure::NotANumber);
        refused("thousands over", "1,000/2", Figure::NotANumber);
        refused("dollar in a length box", "$125", Figure::NotANumber);
        refused("dollar alone", "$", Figure::NotANumber, true);
        refused("two dollars", "$$5", Figure::NotANumber, true);
        refused("dollar after", "5$", Figure::NotANumber, true);

        refused("beyond the double range", "1E400", Figure::TooLarge);
        refused("four hundred digits", QString(400, QLatin1Char('9')), Figure::TooLarge);
        refused("fraction of huge digits", QString(400, QLatin1Char('9')) + "/3", Figure::TooLarge);
        refused("huge cost", "$1E400", Figure::TooLarge, true);
    }
    void figures()
    {
        QFETCH(QString, text);
        QFETCH(bool, money);
        QFETCH(Figure::Status, status);
        QFETCH(double, value);
        const Figure f = readFigure(text, money);
        QCOMPARE(f.status, status);
        QCOMPARE(f.value, value);
        QVERIFY(!std::signbit(f.value) || f.value < 0);
    }

    void fieldNames()
    {
        QWidget box;
        QCOMPARE(calculators::fieldName(&box), QString());
        calculators::setFieldName(&box, QStringLiteral("Length (Feet) "));
        QCOMPARE(calculators::fieldName(&box), QStringLiteral("\"Length (Feet)\""));
        calculators::setFieldName(&box, QStringLiteral("Length (Feet) "), QStringLiteral("FIRST AREA"));
        QCOMPARE(calculators::fieldName(&box), QStringLiteral("\"Length (Feet)\" (FIRST AREA)"));
        calculators::setFieldName(&box, QStringLiteral("Actual square feet of house: "));
        QCOMPARE(calculators::fieldName(&box), QStringLiteral("\"Actual square feet of house\""));
    }

    void messages()
    {
        const QString name = QStringLiteral("\"Width (Feet)\" (SECOND AREA)");
        QCOMPARE(InputReader::notANumberMessage(name, "2.5ft", false),
                 QStringLiteral("\"Width (Feet)\" (SECOND AREA) is not a number: \"2.5ft\". Please type a figure "
                                "such as 12.5, 2,500, 3/4 or 1 1/2."));
        QCOMPARE(InputReader::notANumberMessage(name, "abc", true),
                 QStringLiteral("\"Width (Feet)\" (SECOND AREA) is not a number: \"abc\". Please type a figure "
                                "such as 125, $1,250.75 or 12.50."));
        QCOMPARE(InputReader::tooLargeMessage(name, "1E400"),
                 QStringLiteral("\"Width (Feet)\" (SECOND AREA) is too large a number: \"1E400\"."));
        QCOMPARE(InputReader::negativeMessage(name, "-8"),
                 QStringLiteral("\"Width (Feet)\" (SECOND AREA) cannot be negative: \"-8\"."));
        QCOMPARE(InputReader::zeroMessage(name), QStringLiteral("\"Width (Feet)\" (SECOND AREA) must be more than 0."));
    }

    // The reader over the lumber frame: the first box refused is the one
    // reported, later reads give 0, and the box is selected for correction.
    void firstProblemWins()
    {
        auto& w = calctest::opened<calculators::FrmCalculator4>(2);
        calctest::enter(w, {"txtTab38_1=-2", "txtTab38_2=abc"});
        InputReader in(w);
        QCOMPARE(in.money("txtTab38_1"), 0.0);
        QCOMPARE(in.measure("txtTab38_2"), 0.0);
        in.refuse(QStringLiteral("later"), QStringLiteral("txtTab38_2"));
        QVERIFY(!in.ok());
        QVERIFY(in.refused());
        QCOMPARE(fake->messageTexts(),
                 QStringList{InputReader::negativeMessage("\"Price per lineal foot\"", QStringLiteral("-2"))});
        QCOMPARE(w.textBox("txtTab38_1")->selectedText(), QStringLiteral("-2"));

        calctest::enter(w, {"txtTab38_1= $1.25 ", "txtTab38_2="});
        InputReader good(w);
        QCOMPARE(good.money("txtTab38_1"), 1.25);
        QCOMPARE(good.measure("txtTab38_2"), 0.0);
        QCOMPARE(good.divisor("txtTab38_2", false), 0.0);
        QVERIFY(good.ok());
        QVERIFY(!good.refused());
        QCOMPARE(good.divisor("txtTab38_2"), 0.0);
        QVERIFY(good.refused());
        QCOMPARE(fake->messageTexts().last(), InputReader::zeroMessage("\"Number of lineal feet\""));
    }

    void anglesMayBeNegative()
    {
        auto& w = calctest::opened<calculators::FrmCalculator2>(4);
        calctest::enter(w, {"txtTab15_1=-22 1/2"});
        InputReader in(w);
        QCOMPARE(in.angle("txtTab15_1"), -22.5);
        QVERIFY(in.ok());
    }

    // A message must tell which box it means: every box of every frame has
    // a name, and no two boxes of one frame have the same.
    void everyBoxHasANameOfItsOwn_data()
    {
        QTest::addColumn<int>("group");
        for (int g = 1; g <= 4; ++g)
            QTest::addRow("group %d", g) << g;
    }
    void everyBoxHasANameOfItsOwn()
    {
        QFETCH(int, group);
        calculators::CalculatorWindow* w = nullptr;
        switch (group) {
        case 1: w = &ui::form<calculators::FrmCalculators>(); break;
        case 2: w = &ui::form<calculators::FrmCalculator2>(); break;
        case 3: w = &ui::form<calculators::FrmCalculator3>(); break;
        default: w = &ui::form<calculators::FrmCalculator4>(); break;
        }
        w->show();
        int boxes = 0;
        for (QGroupBox* frame : w->client()->findChildren<QGroupBox*>(QRegularExpression("^frmTab\\d+$"))) {
            QSet<QString> names;
            for (ui::TextBox* box : frame->findChildren<ui::TextBox*>()) {
                const QString name = calculators::fieldName(box);
                QVERIFY2(!name.isEmpty(), qPrintable(box->objectName()));
                QVERIFY2(!names.contains(name), qPrintable(box->objectName() + " " + name));
                names.insert(name);
                ++boxes;
            }
        }
        QVERIFY(boxes > 0);
    }
};

QTEST_MAIN(TestInputReader)
#include "tst_inputreader.moc"
