#include "support/calculatordriver.h"
#include "support/screentest.h"

#include "calculators/frmcalculator2.h"
#include "calculators/group2formulas.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/tabstrip.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <numbers>

using calculators::FrmCalculator2;

using calctest::click;
using calctest::enter;
using calctest::expect;

namespace {

FrmCalculator2& opened(int which) { return calctest::opened<FrmCalculator2>(which); }

}  // namespace

class TestGroup2 : public ScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.02); }
    void init() { initScreenTest(Database::None); }

    void computeWritesTheResults_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("compute");
        QTest::addColumn<QStringList>("outputs");

        const QStringList lengths{"txtTab17_1=10", "txtTab17_2=12.5", "txtTab17_3=", "txtTab17_4=3"};
        // clang-format off
        QTest::newRow("wall base") << 6 << lengths << "cmdTab17" << QStringList{"txtTab17_5=25.5"};
        QTest::newRow("shoe mould") << 7 << lengths << "cmdTab17" << QStringList{"txtTab17_5=25.5"};
        QTest::newRow("crown mould") << 8 << lengths << "cmdTab17" << QStringList{"txtTab17_5=25.5"};
        QTest::newRow("deck hand railing") << 10 << lengths << "cmdTab17" << QStringList{"txtTab17_5=25.5"};
        QTest::newRow("lengths with separators, fractions and blanks") << 6 << QStringList{"txtTab17_1=1,250", "txtTab17_2=3/4", "txtTab17_3= 2 ", "txtTab17_4=1 1/2"} << "cmdTab17" << QStringList{"txtTab17_5=1254.25"};

        QTest::newRow("insulation") << 9 << QStringList{"txtTab20_1=20", "txtTab20_2=8.5"} << "cmdTab20" << QStringList{"txtTab20_3=170"};

        const QStringList floor{"txtTab22_1=12", "txtTab22_2=15"};
        QTest::newRow("deck") << 11 << floor << "cmdTab22_1" << QStringList{"txtTab22_3=180"};
        QTest::newRow("tile") << 12 << floor << "cmdTab22_1" << QStringList{"txtTab22_3=180"};
        QTest::newRow("oak floor") << 13 << floor << "cmdTab22_1" << QStringList{"txtTab22_3=180"};
        QTest::newRow("carpet is square feet too") << 14 << floor << "cmdTab22_1" << QStringList{"txtTab22_3=180"};

        QTest::newRow("gutter") << 15 << QStringList{"txtTab26_1=40", "txtTab26_2=40", "txtTab26_3=30", "txtTab26_4=30"} << "cmdTab26" << QStringList{"txtTab26_5=140"};
        QTest::newRow("empty frame gives 0") << 15 << QStringList{} << "cmdTab26" << QStringList{"txtTab26_5=0"};

        // A 6 in 12 roof, 1.5 in ridge, 12 ft 3/4 in to the ridge centre (12 ft
        // to its face), 1 ft overhang: hip length per foot of run is 18/12.
        QTest::newRow("rafter 6 in 12") << 1 << QStringList{"txtTab12_1=6", "txtTab12_2=1.5", "txtTab12_3=12.0625", "txtTab12_4=1"} << "cmdTab12" << QStringList{"txtTab12_5~14.5344418537486", "txtTab12_6=19.5", "txtTab12_7=18", "txtTab12_8=1.5", "txtTab12_9~26.565051177078", "txtTab12_10~43.3138566582831", "txtTab12_11~19.4712206344907"};
        QTest::newRow("rafter 12 in 12, no ridge or overhang") << 1 << QStringList{"txtTab12_1=12", "txtTab12_3=10"} << "cmdTab12" << QStringList{"txtTab12_5~14.1421356237309", "txtTab12_6~17.3205080756888", "txtTab12_7~17.3205080756888", "txtTab12_8=0", "txtTab12_9~45", "txtTab12_10~39.2315204835923", "txtTab12_11~35.2643896827547"};

        // 12 x 10 room, 8 ft walls, one door (21 sq ft) and two windows (15 each),
        // gloss drywall at 400 sq ft a gallon, 25 a gallon.
        QTest::newRow("paint") << 2 << QStringList{"txtTab13_1=12", "txtTab13_2=10", "txtTab13_3=8", "txtTab13_4=1", "txtTab13_5=2",  "cmbTab13#1",    "txtTab13_6=25"} << "cmdTab13" << QStringList{"txtTab13_7=120",     "txtTab13_8=0.3",     "txtTab13_9=7.5", "txtTab13_10=301",    "txtTab13_11=0.7525", "txtTab13_12=18.8125", "txtTab13_13=26.3125"};
        QTest::newRow("paint cost in dollars") << 2 << QStringList{"txtTab13_1=12", "txtTab13_2=10", "txtTab13_3=8",     "txtTab13_4=1", "txtTab13_5=2",  "cmbTab13#1",    "txtTab13_6=$25.00"} << "cmdTab13" << QStringList{"txtTab13_9=7.5", "txtTab13_13=26.3125"};
        QTest::newRow("paint openings larger than the walls") << 2 << QStringList{"txtTab13_1=2", "txtTab13_2=2", "txtTab13_3=1", "txtTab13_4=3", "cmbTab13#2"} << "cmdTab13" << QStringList{"txtTab13_7=4", "txtTab13_8=0.016", "txtTab13_10=0", "txtTab13_11=0"};

        // pi x 5^2 x 0.5 / 27 = 1.45 CY, ordered as 2; labour half the concrete.
        QTest::newRow("circular slab") << 3 << QStringList{"txtTab14_1=10", "txtTab14_2=0.5", "txtTab14_3=100"} << "cmdTab14" << QStringList{"txtTab14_4=2", "txtTab14_5=200", "txtTab14_6=100", "txtTab14_7=300"};
        QTest::newRow("circular column") << 3 << QStringList{"txtTab14_1=3", "txtTab14_2=10", "txtTab14_3=120"} << "cmdTab14" << QStringList{"txtTab14_4=3", "txtTab14_5=360", "txtTab14_6=180", "txtTab14_7=540"};

        // The trade's figures for a square corner: 52/38 crown 31.62 and
        // 33.86, 45/45 crown 35.26 and 30.
        QTest::newRow("crown 38 degree spring") << 4 << QStringList{"txtTab15_1=90", "txtTab15_2=38"} << "cmdTab15" << QStringList{"txtTab15_3~31.6190065374646", "txtTab15_4~33.8629139809677", "txtTab15_5=52"};
        QTest::newRow("crown 45 degree spring") << 4 << QStringList{"txtTab15_1=90", "txtTab15_2=45"} << "cmdTab15" << QStringList{"txtTab15_3~35.2643896827547", "txtTab15_4~30", "txtTab15_5=45"};
        QTest::newRow("crown with nothing typed stays finite") << 4 << QStringList{} << "cmdTab15" << QStringList{"txtTab15_3=0", "txtTab15_4=90", "txtTab15_5=90"};

        QTest::newRow("square house 3-4-5") << 5 << QStringList{"txtTab16_1=3", "txtTab16_4=4"} << "cmdTab16" << QStringList{"txtTab16_7=5"};
        QTest::newRow("square house in inches and sixteenths") << 5 << QStringList{"txtTab16_1=3", "txtTab16_4=3", "txtTab16_5=11", "txtTab16_6=16"} << "cmdTab16" << QStringList{"txtTab16_7=5"};
        QTest::newRow("square house with a fraction of an inch") << 5 << QStringList{"txtTab16_1=3", "txtTab16_4=3", "txtTab16_5=11 1/2", "txtTab16_6=8"} << "cmdTab16" << QStringList{"txtTab16_7=5"};
        QTest::newRow("square house 6 ft by 8 ft 6 in") << 5 << QStringList{"txtTab16_1=6", "txtTab16_4=8", "txtTab16_5=6"} << "cmdTab16" << QStringList{"txtTab16_7~10.4043260233424"};
        // clang-format on
    }
    void computeWritesTheResults()
    {
        QFETCH(int, which);
        QFETCH(QStringList, inputs);
        QFETCH(QString, compute);
        QFETCH(QStringList, outputs);
        calctest::compute(opened(which), *fake, inputs, {compute}, outputs);
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

        // clang-format off
        QTest::newRow("lengths, a unit typed") << 6 << QStringList{"txtTab17_1=10ft", "txtTab17_2=.5"} << "cmdTab17" << "txtTab17_1" << refusal("not a number", "\"First\"", "10ft") << QStringList{"txtTab17_5"};
        QTest::newRow("lengths, negative") << 8 << QStringList{"txtTab17_3=-2"} << "cmdTab17" << "txtTab17_3" << refusal("negative", "\"Third\"", "-2") << QStringList{"txtTab17_5"};
        QTest::newRow("sofface with letters in a box") << 16 << QStringList{"txtTab26_1=40", "txtTab26_2=abc", "txtTab26_3=30"} << "cmdTab26" << "txtTab26_2" << refusal("not a number", "\"Rear\"", "abc") << QStringList{"txtTab26_5"};
        QTest::newRow("insulation, too large") << 9 << QStringList{"txtTab20_1=1E400", "txtTab20_2=8"} << "cmdTab20" << "txtTab20_1" << refusal("too large", "\"Length\"", "1E400") << QStringList{"txtTab20_3"};
        QTest::newRow("floor, negative width") << 14 << QStringList{"txtTab22_1=12", "txtTab22_2=-15"} << "cmdTab22_1" << "txtTab22_2" << refusal("negative", "\"Weight\"", "-15") << QStringList{"txtTab22_3"};
        QTest::newRow("square house, feet and inches in one box") << 5 << QStringList{"txtTab16_1=3", "txtTab16_5=6'"} << "cmdTab16" << "txtTab16_5" << refusal("not a number", "\"Input Side 2\" (Inches)", "6'") << QStringList{"txtTab16_7"};

        const QStringList paint{"txtTab13_7",  "txtTab13_8",  "txtTab13_9", "txtTab13_10",
                                "txtTab13_11", "txtTab13_12", "txtTab13_13"};
        QTest::newRow("paint, dollars in a count") << 2 << QStringList{"txtTab13_1=12", "txtTab13_4=$25", "cmbTab13#1"} << "cmdTab13" << "txtTab13_4" << refusal("not a number", "\"Number of Doors\"", "$25") << paint;
        QTest::newRow("paint, negative cost") << 2 << QStringList{"txtTab13_1=12", "cmbTab13#1", "txtTab13_6=-25"} << "cmdTab13" << "txtTab13_6" << refusal("negative", "\"Enter Paint Cost\"", "-25") << paint;
        QTest::newRow("circular, cost with a unit") << 3 << QStringList{"txtTab14_1=10", "txtTab14_2=0.5", "txtTab14_3=100/CY"} << "cmdTab14" << "txtTab14_3" << refusal("not an amount", "\"Cost per Cubic Yard\"", "100/CY") << QStringList{"txtTab14_4", "txtTab14_5", "txtTab14_6", "txtTab14_7"};
        QTest::newRow("crown, an angle in words") << 4 << QStringList{"txtTab15_1=right"} << "cmdTab15" << "txtTab15_1" << refusal("not a number", "\"Input Wall Angle\"", "right") << QStringList{"txtTab15_3", "txtTab15_4", "txtTab15_5"};

        // A ridge thicker than twice the plan distance leaves a negative run.
        const QStringList rafter{"txtTab12_5", "txtTab12_6",  "txtTab12_7", "txtTab12_8",
                                 "txtTab12_9", "txtTab12_10", "txtTab12_11"};
        QTest::newRow("rafter, no plan distance") << 1 << QStringList{"txtTab12_1=6", "txtTab12_2=1.5", "txtTab12_4=1"} << "cmdTab12" << "txtTab12_3" << FrmCalculator2::noRunMessage() << rafter;
        QTest::newRow("rafter, negative pitch") << 1 << QStringList{"txtTab12_1=-6", "txtTab12_3=12"} << "cmdTab12" << "txtTab12_1" << refusal("negative", "\"Roof Pitch\"", "-6") << rafter;
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
        calctest::refuses(opened(which), *fake, inputs, button, box, message, outputs);
    }

    void implementerFormulasOnTheirOwn()
    {
        // Hip length is the sum of its two parts along the hip.
        const auto r = calculators::group2::rafter({8, 1.5, 14, 1.5});
        QVERIFY(std::fabs(r.hipRafterLength - (r.hipPeakToBirdsmouth + r.hipHeelToBirdsmouth)) < 1e-12);
        // 8 in 12: slope factor sqrt(208)/12, run 14 - 1/16 ft.
        QVERIFY(std::fabs(r.rafterLength - (13.9375 + 1.5) * std::sqrt(208.0) / 12) < 1e-12);

        QCOMPARE(calculators::group2::decimalFeet(12, 6, 8), 12.541666666666666);
        QCOMPARE(calculators::group2::hypotenuse(5, 12), 13.0);
        QVERIFY(!calculators::group2::paint({12, 10, 8, 0, 0, 0, 20}).has_value());
        const auto inside = calculators::group2::crownMolding(135, 38);  // a bay corner
        QVERIFY(std::fabs(inside.miterAngle - 14.3064) < 1e-4);
        QVERIFY(std::fabs(inside.bevelAngle - 17.5512) < 1e-4);
    }

    void asinIsOfferedInsideTheOpenRange()
    {
        const std::optional<double> half = FrmCalculator2::asin(0.5);
        QVERIFY(half.has_value());
        QVERIFY(std::fabs(*half - std::numbers::pi / 6) < 1e-15);
        QVERIFY(!FrmCalculator2::asin(1).has_value());
        QVERIFY(!FrmCalculator2::asin(-1).has_value());
        QVERIFY(!FrmCalculator2::asin(2).has_value());
    }

    void paintWithoutASurfaceAsksForOne()
    {
        FrmCalculator2& w = opened(2);
        enter(w, {"txtTab13_1=12", "txtTab13_2=10", "txtTab13_3=8"});
        QCOMPARE(w.cmbTab13->listIndex(), -1);
        click(w, "cmdTab13");
        QCOMPARE(fake->messageTexts(), QStringList{"Please select the surface type."});
        for (int i = 7; i <= 13; ++i)
            QCOMPARE(w.textBox(QStringLiteral("txtTab13_%1").arg(i))->text(), QString());
    }

    void overflowGivesOneMessageAndKeepsTheOutputs_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("huge");
        QTest::addColumn<QString>("compute");
        QTest::addColumn<QStringList>("kept");
        // clang-format off
        QTest::newRow("perimeter") << 15 << QStringList{"txtTab26_1=10"} << QStringList{"txtTab26_1=1e308", "txtTab26_2=1e308"} << "cmdTab26" << QStringList{"txtTab26_5=10"};
        QTest::newRow("floor area") << 11 << QStringList{"txtTab22_1=2", "txtTab22_2=3"} << QStringList{"txtTab22_1=1e200", "txtTab22_2=1e200"} << "cmdTab22_1" << QStringList{"txtTab22_3=6"};
        QTest::newRow("rafter") << 1 << QStringList{"txtTab12_1=12", "txtTab12_3=10"} << QStringList{"txtTab12_3=1.7e308", "txtTab12_4=1.7e308"} << "cmdTab12" << QStringList{"txtTab12_6~17.3205080756888", "txtTab12_9~45"};
        QTest::newRow("circular") << 3 << QStringList{"txtTab14_1=10", "txtTab14_2=0.5", "txtTab14_3=100"} << QStringList{"txtTab14_1=1e200"} << "cmdTab14" << QStringList{"txtTab14_4=2", "txtTab14_7=300"};
        // clang-format on
    }
    void overflowGivesOneMessageAndKeepsTheOutputs()
    {
        QFETCH(int, which);
        QFETCH(QStringList, first);
        QFETCH(QStringList, huge);
        QFETCH(QString, compute);
        QFETCH(QStringList, kept);
        FrmCalculator2& w = opened(which);
        calctest::overflowKeeps(w, *fake, first, huge, compute, kept);
        QVERIFY(w.isLoaded());
    }

    void showframeMapsEveryTab_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("frame");
        const char* frames[] = {"frmTab12", "frmTab13", "frmTab14", "frmTab15", "frmTab16", "frmTab17",
                                "frmTab17", "frmTab17", "frmTab20", "frmTab17", "frmTab22", "frmTab22",
                                "frmTab22", "frmTab22", "frmTab26", "frmTab26"};
        for (int i = 0; i < 16; ++i)
            QTest::addRow("which %d", i + 1) << i + 1 << QString::fromLatin1(frames[i]);
        QTest::newRow("no tab 0") << 0 << QString();
        QTest::newRow("no tab 17") << 17 << QString();
    }
    void showframeMapsEveryTab()
    {
        QFETCH(int, which);
        QFETCH(QString, frame);
        FrmCalculator2& w = opened(which);
        if (frame.isEmpty()) {
            QCOMPARE(w.visibleFrame(), nullptr);
            return;
        }
        QVERIFY(w.isFrameVisible(frame));
        QVERIFY(w.control(frame)->isVisible());
    }

    void opensOnTheRafterFrame()
    {
        // Shown without Showframe, as the estimate screen does.
        FrmCalculator2& w = ui::form<FrmCalculator2>();
        w.show();
        QVERIFY(w.isFrameVisible("frmTab12"));
        QCOMPARE(w.caption(), QStringLiteral("Calculators"));
    }

    void sharedFramesKeepWhatWasTyped()
    {
        // Opened from the menu on "Gutter", then the "Sofface" tab is clicked.
        FrmCalculator2& w = opened(15);
        QVERIFY(w.isFrameVisible("frmTab26"));
        enter(w, {"txtTab26_1=40", "txtTab26_2=40", "txtTab26_3=25", "txtTab26_4=25"});
        click(w, "cmdTab26");
        w.TabStrip1->tabBar()->setCurrentIndex(15);
        QCOMPARE(w.Which, 16);
        QVERIFY(w.isFrameVisible("frmTab26"));
        expect(w, {"txtTab26_1=40", "txtTab26_4=25", "txtTab26_5=130"});

        // The lengths frame through its four tabs, the railing tab last.
        w.TabStrip1->tabBar()->setCurrentIndex(5);
        enter(w, {"txtTab17_1=10", "txtTab17_2=12.5", "txtTab17_4=3"});
        for (int tab : {7, 8, 10}) {
            w.TabStrip1->tabBar()->setCurrentIndex(tab - 1);
            QCOMPARE(w.Which, tab);
            QVERIFY(w.isFrameVisible("frmTab17"));
            expect(w, {"txtTab17_1=10", "txtTab17_2=12.5", "txtTab17_4=3"});
        }
        click(w, "cmdTab17");
        expect(w, {"txtTab17_5=25.5"});

        // Deck to Carpet: the same area in square feet.
        w.TabStrip1->tabBar()->setCurrentIndex(10);
        enter(w, {"txtTab22_1=12", "txtTab22_2=15"});
        click(w, "cmdTab22_1");
        w.TabStrip1->tabBar()->setCurrentIndex(13);
        QVERIFY(w.isFrameVisible("frmTab22"));
        expect(w, {"txtTab22_3=180"});
    }

    void typedValuesAreLostWithTheWindow()
    {
        FrmCalculator2& w = opened(9);
        enter(w, {"txtTab20_1=20"});
        w.Command2->click();
        QVERIFY(!w.isLoaded());
        opened(9);
        expect(w, {"txtTab20_1="});
    }

    void tabsFramesAndLabelsAsDesigned()
    {
        FrmCalculator2& w = opened(1);
        const QStringList tabs{"Rafter Angle Calculator",
                               "Paint Coverage Calculator",
                               "Concrete Calculator for Circular Volumes",
                               "Crown Molding Calculator",
                               "Square House Calculator",
                               "Wall base",
                               "Shoe mould",
                               "Crown mould",
                               "Insulation",
                               "Deck hand railing input",
                               "Deck",
                               "Tile",
                               "Oak floor",
                               "Carpet",
                               "Gutter",
                               "Sofface"};
        QTabBar* bar = w.TabStrip1->tabBar();
        QCOMPARE(bar->count(), 16);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(bar->tabText(i), tabs[i]);
            QCOMPARE(bar->tabToolTip(i), tabs[i]);
        }
        const QList<std::pair<QString, QString>> frames{{"frmTab12", "Rafter Angle Calculator"},
                                                        {"frmTab13", "Paint Coverage Calculator"},
                                                        {"frmTab14", "Concrete Calculator for Circular Volumes"},
                                                        {"frmTab15", "Crown Molding Calculator"},
                                                        {"frmTab16", "Square House Calculator"},
                                                        {"frmTab17", ""},
                                                        {"frmTab20", ""},
                                                        {"frmTab22", ""},
                                                        {"frmTab26", ""}};
        for (const auto& [name, caption] : frames) {
            auto* frame = qobject_cast<QGroupBox*>(w.control(name));
            QVERIFY2(frame, qPrintable(name));
            QCOMPARE(frame->title(), caption);
        }
        QCOMPARE(w.chkTab12->text(), QStringLiteral("Hip Roof? (Check if hip roof)"));
        for (int i = 1; i <= 11; ++i)
            QVERIFY(w.textBox(QStringLiteral("txtTab12_%1").arg(i)));
        for (int i = 1; i <= 13; ++i)
            QVERIFY(w.textBox(QStringLiteral("txtTab13_%1").arg(i)));
        for (int i = 1; i <= 7; ++i)
            QVERIFY(w.textBox(QStringLiteral("txtTab16_%1").arg(i)));
        for (const char* b : {"cmdTab12", "cmdTab13", "cmdTab14", "cmdTab15", "cmdTab16", "cmdTab17", "cmdTab20",
                              "cmdTab22_1", "cmdTab26"})
            QCOMPARE(w.button(b)->text(), QStringLiteral("Compute"));

        // The floor frame's width box keeps its old label.
        QStringList floorLabels;
        for (QLabel* l : w.control("frmTab22")->findChildren<QLabel*>())
            floorLabels << l->text();
        QVERIFY(floorLabels.contains("Weight"));
        QVERIFY(floorLabels.contains("sq. feet"));

        ui::ComboBox* c = w.cmbTab13;
        QCOMPARE(c->listCount(), 6);
        QCOMPARE(c->itemText(0), QStringLiteral("Drywall (Flat)"));
        QCOMPARE(c->itemData(4), 150);
        QCOMPARE(c->itemText(5), QStringLiteral("Concrete (Paint)"));
        QCOMPARE(c->listIndex(), -1);
    }

    void helpButtonsSpeakTheirTexts_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("starts");
        // clang-format off
        QTest::newRow("rafter") << 1 << "cmdHelp2_12" << "This calculator will give you the angles and lengths needed for hand framing";
        QTest::newRow("paint") << 2 << "cmdHelp2_13" << "The wall painting calculator will give you";
        QTest::newRow("circular") << 3 << "cmdHelp2_14" << "This calculator will give you the total cubic yards for circular";
        QTest::newRow("crown") << 4 << "cmdHelp2_15" << "The crown molding calculator will find the miter and bevel angles for any wall angle and spring angle.";
        QTest::newRow("square house") << 5 << "cmdHelp2_16" << "A user has requested this calculator";
        QTest::newRow("how to transfer") << 15 << "cmdHelpMain" << "You can transfer any of the totals you want";
        // clang-format on
    }
    void helpButtonsSpeakTheirTexts()
    {
        QFETCH(int, which);
        QFETCH(QString, button);
        QFETCH(QString, starts);
        FrmCalculator2& w = opened(which);
        const QString text =
            button == "cmdHelpMain" ? calculators::transferHelpText() : FrmCalculator2::helpText(button.mid(9).toInt());
        QVERIFY(text.startsWith(starts));
        click(w, button);
        const QStringList& requests = shell::frmMainMenu().Merlin().requests();
        QVERIFY(requests.contains("Show"));
        QCOMPARE(requests.last(), "Speak " + text);
        QTRY_VERIFY_WITH_TIMEOUT(fake->speechBackend.spoken.contains(text), 10000);
    }

    void helpTextsInFull()
    {
        QCOMPARE(FrmCalculator2::helpText(12),
                 "This calculator will give you the angles and lengths needed for hand framing your roof. When asked "
                 "for decimal feet input values such as 12.5 for 12 feet -6 inches. The Hip Roof checkbox is not "
                 "functional at this time so the calculator will output all values. Input values as stated.");
        QVERIFY(FrmCalculator2::helpText(14).endsWith("The values will be rounded up to nearest whole number."));
        QVERIFY(FrmCalculator2::helpText(16).endsWith("floor and roof sheathing."));
        QVERIFY(FrmCalculator2::helpText(16).contains("3-4-5 method just doesn't work."));
    }
};

QTEST_MAIN(TestGroup2)
#include "tst_group2.moc"
