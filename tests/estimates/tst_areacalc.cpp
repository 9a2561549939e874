#include "support/screentest.h"
#include "support/seed.h"

#include "calculators/calculatorscreens.h"
#include "calculators/frmcalculator2.h"
#include "calculators/frmcalculator3.h"
#include "calculators/frmcalculator4.h"
#include "calculators/frmcalculators.h"
#include "estimates/areacalc.h"
#include "estimates/frmorder.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using estimates::AreaFigures;
using estimates::AreaRow;
using estimates::FrmOrder;

namespace {

QStringList figureTexts(const AreaFigures& f) { return QStringList(f.text.begin(), f.text.end()); }

QStringList boxTexts(const FrmOrder& f)
{
    return {f.txtPerimeter->text(), f.txtWalls->text(),       f.txtCeiling->text(),
            f.txtConcrete->text(),  f.txtFloorCeil->text(),   f.txtTotArea->text(),
            f.txtPlywood->text(),   f.txtDrywall4x12->text(), f.txtDrywall4x8->text()};
}

QList<QRadioButton*> options(const FrmOrder& f)
{
    return {f.chkarea1, f.chkarea2, f.chkarea3, f.chkarea4, f.chkarea5, f.chkarea6, f.chkarea7, f.chkarea8, f.chkarea9};
}

}  // namespace

class TestAreaCalc : public ScreenTest {
    Q_OBJECT

    FrmOrder& openNew()
    {
        FrmOrder& f = estimates::frmOrder();
        f.setAddOrDelete(QStringLiteral("A"));
        f.show();
        return f;
    }

private slots:
    void init()
    {
        initScreenTest();
        seed::addCategory(db, 1, QStringLiteral("Interior"), 0);
        db.execute(QStringLiteral("Insert into Rooms (Id, Name) values (1, 'Bathroom')"));
        db.execute(QStringLiteral("Insert into Units (Id, Name) values (1, 'SF')"));
        seed::addItem(db, {.key = 1,
                           .code = "101",
                           .name = "Drywall sheet",
                           .category = 1,
                           .unit = 1,
                           .material = 0.5,
                           .labor = 1,
                           .qty = 3,
                           .tu = "",
                           .subLabor = 0,
                           .equipment = 0});
    }

    // The nine figures, in row order: perimeter, walls, ceiling+walls,
    // concrete, floors/ceiling, total area, plywood, drywall 4x12 and 4x8.
    void figures_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QStringList>("expected");

        // clang-format off
        QTest::newRow("10 x 12 x 8") << "10" << "12" << "8" << QStringList{"44", "352", "472", "2.75", "120", "472", "3.75", "2.5", "3.75"};
        // No height: no walls, ceiling+walls is the floor, concrete "0".
        QTest::newRow("height empty") << "10" << "12" << "" << QStringList{"44", "0", "120", "0", "120", "120", "3.75", "2.5", "3.75"};
        QTest::newRow("height 0") << "10" << "12" << "0" << QStringList{"44", "0", "120", "0", "120", "120", "3.75", "2.5", "3.75"};
        QTest::newRow("height negative") << "10" << "12" << "-2" << QStringList{"44", "-88", "32", "0", "120", "32", "3.75", "2.5", "3.75"};
        // Letters only read 0; a number followed by letters reads the number.
        QTest::newRow("letters") << "abc" << "12ft" << "8 ft" << QStringList{"24", "192", "192", "1.5", "0", "192", "0", "0", "0"};
        QTest::newRow("nothing typed") << "" << "" << "" << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0"};
        // Sheet counts stay fractional; concrete is (L + W) / H and nothing more.
        QTest::newRow("fractions") << "10.5" << "7.25" << "8" << QStringList{"35.5",    "284",        "360.125",   "2.21875",   "76.125", "360.125", "2.37890625", "1.5859375", "2.37890625"};
        QTest::newRow("small room") << "3" << "4" << "2.5" << QStringList{"14", "35", "47", "2.8", "12", "47", "0.375", "0.25", "0.375"};
        // The default text form: 15 significant digits, no rounding for show.
        QTest::newRow("thirds") << "1" << "2" << "3" << QStringList{"6",     "18", "20", "1", "2", "20", "0.0625", "0.0416666666666667", "0.0625"};
        // Beyond the double range a figure is left empty; those that stay
        // in range are still shown.
        QTest::newRow("product overflows") << "1E200" << "1E200" << "1" << QStringList{"4E+200", "4E+200", "", "2E+200", "", "", "", "", ""};
        QTest::newRow("height beyond range") << "10" << "12" << "1E400" << QStringList{"44", "", "", "", "120", "", "3.75", "2.5", "3.75"};
        // clang-format on
    }
    void figures()
    {
        QFETCH(QString, length);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QStringList, expected);
        QCOMPARE(figureTexts(estimates::areaFigures(length, width, height)), expected);
    }

    // The rows' labels and names, and the row selected when the window opens.
    void frameOnTheScreen()
    {
        FrmOrder& f = openNew();
        QVERIFY(f.Frame6);
        QCOMPARE(f.Frame6->title(), QStringLiteral("Area Calculator"));
        QVERIFY(f.Frame6->isVisible());
        QStringList captions;
        for (QRadioButton* o : options(f))
            captions << o->text();
        QCOMPARE(captions,
                 (QStringList{"Perimeter:", "Walls(SF):", "Ceiling+Walls(SF):", "Concrete(YD):", "Floors/Ceiling(SF):",
                              "Total Area:", "Ply-4x8 sheets:", "Drywall 4x12", "Drywall 4x8"}));
        for (int i = 0; i < 9; ++i)
            QCOMPARE(options(f).at(i)->isChecked(), i == 5);
        QCOMPARE(f.cmdMove->text(), QStringLiteral("Move selected to quantity box"));
        // Nothing is computed until something is typed.
        QCOMPARE(boxTexts(f), QStringList(9, QString()));

        // One group: picking another row unselects "Total Area:".
        f.chkarea2->click();
        QVERIFY(f.chkarea2->isChecked());
        QVERIFY(!f.chkarea6->isChecked());
    }

    // The figures follow every keystroke; a change of the height alone
    // leaves the figures that do not use it as they were.
    void figuresFollowTyping()
    {
        FrmOrder& f = openNew();
        QTest::keyClicks(f.txtLength, QStringLiteral("10"));
        QCOMPARE(f.txtPerimeter->text(), QStringLiteral("20"));
        QTest::keyClicks(f.txtWidth, QStringLiteral("12"));
        QTest::keyClicks(f.txtHeight, QStringLiteral("8"));
        QCOMPARE(boxTexts(f), (QStringList{"44", "352", "472", "2.75", "120", "472", "3.75", "2.5", "3.75"}));

        QTest::keyClick(f.txtHeight, Qt::Key_Backspace);
        QTest::keyClicks(f.txtHeight, QStringLiteral("10"));
        QCOMPARE(boxTexts(f), (QStringList{"44", "440", "560", "2.2", "120", "560", "3.75", "2.5", "3.75"}));
    }

    void moveSelected_data()
    {
        QTest::addColumn<int>("row");  // 0: none selected
        QTest::addColumn<QString>("expected");
        QTest::newRow("none selected: total area") << 0 << "472";
        QTest::newRow("perimeter") << 1 << "44";
        QTest::newRow("walls") << 2 << "352";
        QTest::newRow("concrete") << 4 << "2.75";
        QTest::newRow("floors") << 5 << "120";
        QTest::newRow("total area") << 6 << "472";
        QTest::newRow("plywood") << 7 << "3.75";
        QTest::newRow("drywall 4x12") << 8 << "2.5";
        QTest::newRow("drywall 4x8") << 9 << "3.75";
    }
    void moveSelected()
    {
        QFETCH(int, row);
        QFETCH(QString, expected);
        const AreaFigures figures =
            estimates::areaFigures(QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("8"));
        QCOMPARE(estimates::figureToMove(figures, row), expected);

        if (row == 0)
            return;  // the screen's buttons always have one selected
        FrmOrder& f = openNew();
        f.txtLength->setText(QStringLiteral("10"));
        f.txtWidth->setText(QStringLiteral("12"));
        f.txtHeight->setText(QStringLiteral("8"));
        options(f).at(row - 1)->click();
        f.cmdMove->click();
        QCOMPARE(f.TxtQty->text(), expected);
    }

    // The moved figure is the quantity the next line is added with, all its
    // digits included.
    void movedFigureIsTheLinesQuantity()
    {
        FrmOrder& f = openNew();
        QCOMPARE(f.TxtQty->text(), QStringLiteral("3"));  // the item's default
        f.txtLength->setText(QStringLiteral("10.5"));
        f.txtWidth->setText(QStringLiteral("7.25"));
        f.txtHeight->setText(QStringLiteral("8"));
        f.chkarea7->click();
        f.cmdMove->click();
        QCOMPARE(f.TxtQty->text(), QStringLiteral("2.37890625"));
        f.cmdAdd->click();
        QCOMPARE(fake->messages.size(), 0);
        QCOMPARE(f.ListView1->rowCount(), 1);
        QCOMPARE(f.ListView1->subItem(0, FrmOrder::ColQty), QStringLiteral("2.37890625"));
        QCOMPARE(f.Order().ColnOrderItems().Item(1).mvarQty, float(2.37890625));
    }

    // "Calculators" pops up the four groups beside the button; each shows
    // its window as it is, choosing no calculator in it.
    void calculatorMenu()
    {
        calculators::registerScreens();
        FrmOrder& f = openNew();
        QVERIFY(f.Command7->isEnabled());
        QCOMPARE(f.Command7->text(), QStringLiteral("Calculators"));
        QCOMPARE(f.mnuCalc->title(), QStringLiteral("Menu"));
        QStringList captions;
        for (QAction* a : f.mnuCalc->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"Group 1", "Group 2", "Group 3", "Group 4"}));

        // The test screen is small: bring the button near its top left, so
        // that the menu fits where it is put.
        QWidget* w = f.window();
        w->move(w->pos() - f.Command7->mapToGlobal(QPoint(0, 0)) + QPoint(20, 20));
        f.Command7->click();
        QTRY_VERIFY(f.mnuCalc->isVisible());
        const QPoint expected = f.Command7->mapToGlobal(QPoint(f.Command7->width(), 0));
        QVERIFY2((f.mnuCalc->pos() - expected).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("menu at %1,%2, expected %3,%4")
                                .arg(f.mnuCalc->pos().x())
                                .arg(f.mnuCalc->pos().y())
                                .arg(expected.x())
                                .arg(expected.y())));
        f.mnuCalc->hide();

        // A Which left from elsewhere is not acted on: the window opens on
        // the frame its load shows.
        auto& group2 = ui::form<calculators::FrmCalculator2>();
        group2.Which = 15;
        f.mnuCalc2->trigger();
        QVERIFY(group2.isVisible());
        QCOMPARE(group2.Which, 15);
        QVERIFY(group2.frmTab12->isVisible());
        QVERIFY(!group2.frmTab26->isVisible());

        f.mnuCalc1->trigger();
        QVERIFY(ui::form<calculators::FrmCalculators>().isVisible());
        f.mnuCalc4->trigger();
        QVERIFY(ui::form<calculators::FrmCalculator4>().isVisible());
        f.mnuCalc3->trigger();
        QVERIFY(ui::form<calculators::FrmCalculator3>().isVisible());
        QCOMPARE(fake->messages.size(), 0);
    }

    // Without the calculator windows the menu says so instead of failing.
    void calculatorMenuWithoutWindows()
    {
        FrmOrder& f = openNew();
        f.mnuCalc2->trigger();
        QCOMPARE(fake->messageTexts(), QStringList{"\"Calculators -> Group 2\" is not available in this version yet."});
    }
};

QTEST_MAIN(TestAreaCalc)
#include "tst_areacalc.moc"
