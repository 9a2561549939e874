// The name-list screen for takeoff names and units: captions per table, one
// record at a time with Previous and Next, add and save with their
// questions (also when the window closes during an add), delete, search and
// the spoken help.

#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "masters/masterscreens.h"

#include "data/recordset.h"
#include "masters/frmmaster.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "shell/screens.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using masters::FrmMaster;

class TestFrmMaster : public ScreenTest {
    Q_OBJECT

    void addNames(const QString& table, const QStringList& names)
    {
        for (const QString& n : names)
            seed::addName(db, table, n);
    }
    QStringList stored(const QString& table)
    {
        return sqltest::column(db.query(QStringLiteral("SELECT Name FROM %1 ORDER BY Name").arg(table)));
    }
    FrmMaster& open(const QString& table = QStringLiteral("Rooms"))
    {
        FrmMaster& s = ui::form<FrmMaster>();
        s.MastertableName = table;
        s.show();
        return s;
    }
    // What the screen shows: the name and the record label.
    static QString shown(const FrmMaster& s) { return s.txtName->text() + QStringLiteral(" / ") + s.lblRecord->text(); }
    void answer(std::initializer_list<ui::Answer> a) { fake->answers.assign(a.begin(), a.end()); }

    const QString unsaved =
        QStringLiteral("Master Entry|You have not saved the data you added. Do you want to save it first?");
    const QString saveQuestion = QStringLiteral("Save Data|Do you want to save the record?");
    const QString saved = QStringLiteral("Master Entry|Record Saved");

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void captionsByTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("Rooms") << "Rooms" << "Takeoff Name  Master Entry Screen" << "Takeoff Name :";
        QTest::newRow("Units") << "Units" << "Units Master Entry Screen" << "Unit Name :";
        // clang-format on
    }
    void captionsByTable()
    {
        QFETCH(QString, table);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        FrmMaster& s = open(table);
        QCOMPARE(s.caption(), caption);
        QCOMPARE(s.Label1->text(), label);
        QCOMPARE(s.Label2->text(), QStringLiteral("Search"));
        QCOMPARE(s.cmdAdd->toolTip(), QStringLiteral("Press Add Button to add a new category"));
        QCOMPARE(s.cmdExit->text(), QStringLiteral("Ok"));
        QCOMPARE(s.helpContextId(), 6);
    }

    void emptyTableThenAddAndMove()
    {
        FrmMaster& s = open(QStringLiteral("Units"));
        QCOMPARE(shown(s), QStringLiteral(" / Record"));
        QVERIFY(!s.Position);

        s.cmdAdd->click();
        type(s.txtName, QStringLiteral("Sq ft"));
        answer({ui::Answer::Yes});
        s.CmdSave->click();
        QCOMPARE(fake->takeBoxes(), (QStringList{saveQuestion, saved}));
        QCOMPARE(stored("Units"), QStringList{"Sq ft"});
        QCOMPARE(shown(s), QStringLiteral("Sq ft / Record"));  // not re-read until a move

        s.cmdNext->click();
        QCOMPARE(shown(s), QStringLiteral("Sq ft / Record : 1 of 1"));
        QVERIFY(fake->takeBoxes().isEmpty());
    }

    void previousAndNextStopAtTheEnds()
    {
        addNames("Rooms", {"Kitchen", "Bath", "Attic"});
        FrmMaster& s = open();
        QCOMPARE(shown(s), QStringLiteral("Attic / Record : 1 of 3"));
        s.cmdPrevious->click();
        QCOMPARE(shown(s), QStringLiteral("Attic / Record : 1 of 3"));
        s.cmdNext->click();
        s.cmdNext->click();
        QCOMPARE(shown(s), QStringLiteral("Kitchen / Record : 3 of 3"));
        s.cmdNext->click();
        QCOMPARE(shown(s), QStringLiteral("Kitchen / Record : 3 of 3"));
        s.cmdPrevious->click();
        QCOMPARE(shown(s), QStringLiteral("Bath / Record : 2 of 3"));
        QVERIFY(fake->takeBoxes().isEmpty());
    }

    void applyRenamesTheShownRecord()
    {
        addNames("Rooms", {"Bath", "Kitchen"});
        FrmMaster& s = open();
        s.cmdNext->click();
        type(s.txtName, QStringLiteral("Kitchenette"));
        answer({ui::Answer::Yes});
        s.CmdSave->click();
        QCOMPARE(fake->takeBoxes(), (QStringList{saveQuestion, saved}));
        QCOMPARE(stored("Rooms"), (QStringList{"Bath", "Kitchenette"}));
    }

    void refusedNamesAreReportedByTheClass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("empty") << "" << "Master Entry|Empty Data";
        QTest::newRow("duplicate") << "Bath" << "Master Entry|Duplicate Data 'Bath'";
        // clang-format on
    }
    void refusedNamesAreReportedByTheClass()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        addNames("Rooms", {"Bath"});
        FrmMaster& s = open();
        s.cmdAdd->click();
        type(s.txtName, name);
        answer({ui::Answer::Yes});
        s.CmdSave->click();
        QCOMPARE(fake->takeBoxes(), (QStringList{saveQuestion, message}));
        QCOMPARE(s.txtName->text(), name);
        QCOMPARE(stored("Rooms"), QStringList{"Bath"});
        QCOMPARE(s.Names().AddEditDel, QStringLiteral("E"));
    }

    void movingAwayFromAnUnsavedAdd_data()
    {
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("rooms");
        // clang-format off
        QTest::newRow("save it: Yes, Yes") << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes} << QStringList{unsaved, saveQuestion, saved} << QStringList{"Attic", "Bath", "Cellar"};
        QTest::newRow("save it, then No") << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::No} << QStringList{unsaved, saveQuestion} << QStringList{"Attic", "Bath"};
        QTest::newRow("do not save") << QList<ui::Answer>{ui::Answer::No} << QStringList{unsaved} << QStringList{"Attic", "Bath"};
        // clang-format on
    }
    void movingAwayFromAnUnsavedAdd()
    {
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, rooms);
        addNames("Rooms", {"Attic", "Bath"});
        FrmMaster& s = open();
        s.cmdAdd->click();
        QCOMPARE(s.txtName->text(), QString());
        QCOMPARE(s.lblRecord->text(), QStringLiteral("Record : 1 of 2"));  // keeps its text
        type(s.txtName, QStringLiteral("Cellar"));
        fake->answers.assign(answers.begin(), answers.end());
        s.cmdNext->click();
        QCOMPARE(fake->takeBoxes(), messages);
        QCOMPARE(stored("Rooms"), rooms);
        QCOMPARE(s.Names().AddEditDel, QStringLiteral("E"));
        s.cmdNext->click();  // no question any more
        QVERIFY(fake->takeBoxes().isEmpty());
    }

    void closingDuringAnAddAsksFirst_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("units");
        // clang-format off
        QTest::newRow("Ok, save") << false << "Box" << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes} << QStringList{unsaved, saveQuestion, saved} << true << QStringList{"Box", "Each"};
        QTest::newRow("close box, save") << true << "Box" << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes} << QStringList{unsaved, saveQuestion, saved} << true << QStringList{"Box", "Each"};
        QTest::newRow("Ok, do not save") << false << "Box" << QList<ui::Answer>{ui::Answer::No} << QStringList{unsaved} << true << QStringList{"Each"};
        QTest::newRow("Ok, save then No") << false << "Box" << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::No} << QStringList{unsaved, saveQuestion} << true << QStringList{"Each"};
        // A refused name keeps the window, so the typed add is not lost.
        QTest::newRow("Ok, save a duplicate") << false << "Each" << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes} << QStringList{unsaved, saveQuestion, "Master Entry|Duplicate Data 'Each'"} << false << QStringList{"Each"};
        // clang-format on
    }
    void closingDuringAnAddAsksFirst()
    {
        QFETCH(bool, closeBox);
        QFETCH(QString, typed);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, closed);
        QFETCH(QStringList, units);
        addNames("Units", {"Each"});
        FrmMaster& s = open(QStringLiteral("Units"));
        s.cmdAdd->click();
        type(s.txtName, typed);
        fake->answers.assign(answers.begin(), answers.end());
        if (closeBox)
            s.window()->close();
        else
            s.cmdExit->click();
        QCOMPARE(fake->takeBoxes(), messages);
        QCOMPARE(!s.isLoaded(), closed);
        QCOMPARE(stored("Units"), units);
        if (!closed) {
            QCOMPARE(s.txtName->text(), typed);
            QCOMPARE(s.Names().AddEditDel, QStringLiteral("A"));  // the next close asks again
        }
    }

    // Escape leaves as Ok does, with its question about an unsaved add.
    void escapeLeavesAsOkDoes()
    {
        addNames("Units", {"Each"});
        FrmMaster& s = open(QStringLiteral("Units"));
        s.cmdAdd->click();
        type(s.txtName, QStringLiteral("Box"));
        fake->answers = {ui::Answer::No};
        QTest::keyClick(s.txtName, Qt::Key_Escape);
        QCOMPARE(fake->takeBoxes(), QStringList{unsaved});
        QVERIFY(!s.isLoaded());
        QCOMPARE(stored("Units"), QStringList{"Each"});
    }

    void closingWhileBrowsingAsksNothing()
    {
        addNames("Units", {"Each"});
        FrmMaster& s = open(QStringLiteral("Units"));
        type(s.txtName, QStringLiteral("changed, not applied"));
        s.cmdExit->click();
        QVERIFY(!s.isLoaded());
        QVERIFY(fake->takeBoxes().isEmpty());
        QCOMPARE(stored("Units"), QStringList{"Each"});
    }

    void deleteAsksWithTheLoadedName()
    {
        addNames("Rooms", {"Attic", "Bath", "Cellar", "Den"});
        FrmMaster& s = open();
        s.cmdNext->click();
        type(s.txtName, QStringLiteral("typed over"));
        answer({ui::Answer::No});
        s.cmdDelete->click();
        QCOMPARE(fake->takeBoxes(), QStringList{"Master Entry|Do you want to delete 'Bath'?"});
        QCOMPARE(stored("Rooms").size(), 4);

        answer({ui::Answer::Yes});
        s.cmdDelete->click();
        QCOMPARE(fake->takeBoxes(), QStringList{"Master Entry|Do you want to delete 'Bath'?"});
        QCOMPARE(stored("Rooms"), (QStringList{"Attic", "Cellar", "Den"}));
        // Position 2 plus one: the record after the one that moved up.
        QCOMPARE(shown(s), QStringLiteral("Den / Record : 3 of 3"));
    }

    void deletingTheOnlyRecordLeavesTheScreenAsItWas()
    {
        addNames("Units", {"Each"});
        FrmMaster& s = open(QStringLiteral("Units"));
        answer({ui::Answer::Yes});
        s.cmdDelete->click();
        QVERIFY(stored("Units").isEmpty());
        QCOMPARE(shown(s), QStringLiteral("Each / Record : 1 of 1"));
        QVERIFY(!s.Position);
        s.cmdNext->click();  // stays empty without trouble
        QVERIFY(!s.Position);
        addNames("Units", {"Roll"});
        s.cmdNext->click();  // rows again: the first is shown
        QCOMPARE(shown(s), QStringLiteral("Roll / Record : 1 of 1"));
    }

    void searchFindsAPartOfAName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("messages");
        // clang-format off
        QTest::newRow("inside a name") << "droo" << "Bedroom / Record : 2 of 3" << QStringList{};
        QTest::newRow("nothing: the first record") << "garage" << "Attic / Record : 1 of 3" << QStringList{"Search|No Result found."};
        QTest::newRow("empty text: the first record") << "" << "Attic / Record : 1 of 3" << QStringList{};
        // clang-format on
    }
    void searchFindsAPartOfAName()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QFETCH(QStringList, messages);
        addNames("Rooms", {"Kitchen", "Bedroom", "Attic"});
        FrmMaster& s = open();
        s.cmdNext->click();
        s.cmdNext->click();
        type(s.txtSearch, text);
        s.cmdSearch->click();
        QCOMPARE(shown(s), result);
        QCOMPARE(fake->takeBoxes(), messages);
    }

    void menuEntriesOpenTheScreenOnce()
    {
        addNames("Rooms", {"Attic"});
        addNames("Units", {"Each"});
        masters::registerScreens();
        const shell::Screen* entry = shell::findScreen(QStringLiteral("frmMaster"));
        QVERIFY(entry);
        entry->set(QStringLiteral("MastertableName"), QStringLiteral("Rooms"));
        entry->show();
        FrmMaster& s = ui::form<FrmMaster>();
        QVERIFY(s.isVisible());
        QCOMPARE(shown(s), QStringLiteral("Attic / Record : 1 of 1"));
        // The other entry while open: the window comes forward unchanged.
        entry->set(QStringLiteral("MastertableName"), QStringLiteral("Units"));
        entry->show();
        QCOMPARE(s.caption(), QStringLiteral("Takeoff Name  Master Entry Screen"));
        s.cmdNext->click();
        QCOMPARE(shown(s), QStringLiteral("Attic / Record : 1 of 1"));
    }

    void helpSpeaks()
    {
        FrmMaster& s = open();
        shell::Assistant& merlin = shell::frmMainMenu().Merlin();
        const int before = int(merlin.requests().size());
        s.cmdMainHelp->click();
        QCOMPARE(merlin.requests().mid(before), (QStringList{"Show", "Speak " + FrmMaster::helpText()}));
        QVERIFY(FrmMaster::helpText().startsWith(
            "This screen allows you to enter the data which will later be used while creating estimates."));
        QVERIFY(FrmMaster::helpText().endsWith("press 'Delete' button when the particular record is selected."));
    }

private:
    static void type(ui::TextBox* box, const QString& text)
    {
        box->selectAll();
        box->del();
        QTest::keyClicks(box, text);
    }
};

QTEST_MAIN(TestFrmMaster)
#include "tst_frmmaster.moc"
