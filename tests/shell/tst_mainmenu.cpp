#include "support/screentest.h"

#include "shell/mainmenu.h"
#include "shell/menutree.h"
#include "shell/screens.h"
#include "ui/forms.h"

#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using shell::MainMenu;

namespace {

// Registers stand-in screens that write down what the menu does to them.
struct ScreenRecorder {
    QStringList log;
    void add(const QString& name)
    {
        shell::registerScreen(name, shell::Screen{[this, name](const QString& var, const QVariant& v) {
                                                      log << name + "." + var + "=" + v.toString();
                                                  },
                                                  [this, name](const QString& proc) { log << name + "." + proc; },
                                                  [this, name] { log << name + ".Show"; }});
    }
    void addAll()
    {
        for (const char* n :
             {"frmCategory", "frmMaster", "frmItem", "frmCustomer", "frmOrder", "frmOrders", "FrmOrderNo",
              "frmCalculators", "frmCalculator2", "frmCalculator3", "frmCalculator4", "frmRptOrders", "rptCustomers"})
            add(QLatin1String(n));
    }
};

QAction* action(MainMenu& m, const QString& name) { return m.window()->findChild<QAction*>(name); }

QStringList actionTexts(const QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out << a->text();
    return out;
}

}  // namespace

class TestMainMenu : public ScreenTest {
    Q_OBJECT

    MainMenu& started()
    {
        MainMenu& m = shell::frmMainMenu();
        m.load();
        return m;
    }

private slots:
    void init() { initScreenTest(Database::None); }

    void menuBarHasTheCaptionsInOrder()
    {
        MainMenu& m = started();
        QStringList top;
        for (QAction* a : m.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{"File", "Mater Tables", "Estimates", "Calculators", "Reports", "Notes Area", "Help",
                                   "Exit"}));
        QCOMPARE(actionTexts(m.menu("mnuInventory")),
                 (QStringList{"Categories", "Takeoff Names", "Units", "Item", "Customers"}));
        QCOMPARE(actionTexts(m.menu("mnuCustomer")), (QStringList{"Add", "Edit", "Delete"}));
        QCOMPARE(actionTexts(m.menu("mnuHelp")), (QStringList{"Contents", "Search for help on..."}));
        QVERIFY(action(m, "mnuBlank") && action(m, "mnuExit"));
        int calculators = 0;
        for (const char* g : {"mnucalc1", "mnucalc2", "mnucalc3", "mnucalc4"})
            calculators += m.menu(g)->actions().size();
        QCOMPARE(calculators, 38);
        QCOMPARE(actionTexts(m.menu("mnucalc2")).at(11), QStringLiteral("Crown moulding calculatr"));
    }

    void itemsSetTheModeThenShow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("steps");
        // clang-format off
        QTest::newRow("category add") << "SubMnuAddCat" << QStringList{"frmCategory.AddOrDelete=A", "frmCategory.Show"};
        QTest::newRow("category delete") << "SubMnuDelCat" << QStringList{"frmCategory.AddOrDelete=D", "frmCategory.Show"};
        QTest::newRow("item edit") << "SubMnuEditItem" << QStringList{"frmItem.AddOrDelete=E", "frmItem.Show"};
        QTest::newRow("customer add") << "SubMnuAddCust" << QStringList{"frmCustomer.AddOrDelete=A", "frmCustomer.Show"};
        QTest::newRow("takeoff names") << "mnuRooms" << QStringList{"frmMaster.MastertableName=Rooms", "frmMaster.Show"};
        QTest::newRow("units") << "mnuUnits" << QStringList{"frmMaster.MastertableName=Units", "frmMaster.Show"};
        QTest::newRow("new estimate") << "mnuNewEstimate" << QStringList{"frmOrder.AddOrDelete=A", "frmOrder.Show"};
        QTest::newRow("search estimate") << "mnuEditEstimate" << QStringList{"frmOrders.Show"};
        QTest::newRow("delete estimate") << "mnuDelEstimate" << QStringList{"frmOrder.AddOrDelete=D", "FrmOrderNo.Caption=Delete Order", "FrmOrderNo.Show"};
        QTest::newRow("blocks") << "mnucalc1_1" << QStringList{"frmCalculators.Which=1", "frmCalculators.Showframe", "frmCalculators.Show"};
        QTest::newRow("conversions shows first") << "mnucalc1_6" << QStringList{"frmCalculators.Show", "frmCalculators.Which=6", "frmCalculators.Showframe"};
        QTest::newRow("scientific") << "mnucalc1_7" << QStringList{"frmCalculators.Which=7", "frmCalculators.Showframe", "frmCalculators.Show"};
        QTest::newRow("insulation is tab 9") << "mnucalc2_4" << QStringList{"frmCalculator2.Which=9", "frmCalculator2.Showframe", "frmCalculator2.Show"};
        QTest::newRow("crown moulding is tab 4") << "mnucalc2_12" << QStringList{"frmCalculator2.Which=4", "frmCalculator2.Showframe", "frmCalculator2.Show"};
        QTest::newRow("sofface is tab 16") << "mnucalc2_11" << QStringList{"frmCalculator2.Which=16", "frmCalculator2.Showframe", "frmCalculator2.Show"};
        QTest::newRow("resilient tile") << "mnucalc3_9" << QStringList{"frmCalculator3.Which=9", "frmCalculator3.Showframe", "frmCalculator3.Show"};
        QTest::newRow("lumber") << "mnucalc4_2" << QStringList{"frmCalculator4.Which=2", "frmCalculator4.Showframe", "frmCalculator4.Show"};
        QTest::newRow("estimates report") << "mnusalesrpt" << QStringList{"frmRptOrders.Show"};
        QTest::newRow("customers report") << "mnucustrpt" << QStringList{"rptCustomers.Show"};
        // clang-format on
    }
    void itemsSetTheModeThenShow()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, steps);
        ScreenRecorder rec;
        rec.addAll();
        MainMenu& m = started();
        action(m, item)->trigger();
        QCOMPARE(rec.log, steps);
        QVERIFY(fake->messages.isEmpty());
    }

    void screenNotBuiltYetSaysSo()
    {
        ScreenRecorder rec;
        rec.add("frmOrder");  // FrmOrderNo is missing: nothing may be set
        MainMenu& m = started();
        action(m, "mnuDelEstimate")->trigger();
        QVERIFY(rec.log.isEmpty());
        QCOMPARE(fake->messageTexts(),
                 QStringList{"\"Estimates > Delete Estimate\" is not available in this version yet."});
    }

    void pictureButtonsPopUpTheMenuBarsMenus()
    {
        MainMenu& m = started();
        m.show();
        const QList<std::pair<QToolButton*, QString>> buttons = {{m.cmd_Files, "mnuFile"},
                                                                 {m.cmd_Masters, "mnuInventory"},
                                                                 {m.cmd_Estimates, "mnuEstimates"},
                                                                 {m.cmd_Calculators, "mnucalc"},
                                                                 {m.cmd_Reports, "mnuReport"}};
        for (const auto& [button, menuName] : buttons) {
            QVERIFY(!button->toolTip().isEmpty());
            QVERIFY(!button->icon().isNull());
            button->click();
            QMenu* menu = m.menu(menuName);
            QTRY_VERIFY(menu->isVisible());
            const QPoint expected = m.client()->mapToGlobal(m.popupPoint(button));
            QCOMPARE(menu->pos(), expected);
            menu->hide();
        }
        QCOMPARE(actionTexts(m.menu("mnuFile")), (QStringList{"Backup", "Restore from Backup", "Exit"}));
        // Just right of the button, level with its top; the frame's left is not added.
        const QToolButton* b = m.cmd_Reports;
        QCOMPARE(m.popupPoint(b), QPoint(b->x() + b->width(), b->y() + m.Frame2->y()));
    }

    void exitButtonAndMenusUnloadTheMainWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "cmd_Exit";
        QTest::newRow("menu bar") << "mnuExit";
        QTest::newRow("file menu") << "mnuClose";
    }
    void exitButtonAndMenusUnloadTheMainWindow()
    {
        QFETCH(QString, how);
        MainMenu& m = started();
        m.show();
        if (auto* b = m.window()->findChild<QToolButton*>(how))
            b->click();
        else
            action(m, how)->trigger();
        QVERIFY(!m.isLoaded());
    }

    void helpOpensTheViewer()
    {
        MainMenu& m = started();
        m.show();
        action(m, "mnuHelpContents")->trigger();
        action(m, "mnuHelpSearch")->trigger();
        QTest::keyClick(m.window(), Qt::Key_F1);
        const QString file = dir->path() + "/CORVANELVERSION2.html";
        QCOMPARE(fake->log,
                 (QStringList{"showHelp|" + file + "|0|", "showHelp|" + file + "|1|", "showHelp|" + file + "|2|1"}));

        fake->helpResult = false;
        fake->helpError = "Cannot find the help file " + file + ".";
        action(m, "mnuHelpContents")->trigger();
        QCOMPARE(fake->messageTexts(), QStringList{fake->helpError});
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
