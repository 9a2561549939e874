// The list-screen frame, seen through a small member screen over the units
// table: paging and its label, the one-flag sort with its header icons,
// keeping the chosen row across refills, the page after a delete, search
// failures, modes and captions, and the picker hand-back to an opener.

#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "masters/clsmaster.h"
#include "masters/listscreen.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using masters::ListScreen;

using screentest::clickHeader;
using screentest::columnTexts;
using screentest::doubleClickRow;
using screentest::modalWindow;
using screentest::openInMode;

namespace {

// A member screen of the frame over the table Units: key hidden, the name,
// and the key once more as a visible column.
class UnitsList : public ListScreen {
public:
    UnitsList()
        : ListScreen(QStringLiteral("unitsList"), {.caption = QStringLiteral("Units"),
                                                   .helpContext = 6,
                                                   .sortField = QStringLiteral("Name"),
                                                   .sortPosition = 2})
    {}

    masters::clsMaster& names()
    {
        if (!names_) {
            names_ = std::make_unique<masters::clsMaster>();
            names_->Mastertable = QStringLiteral("Units");
        }
        return *names_;
    }

    QStringList opened;  // "key mode" of each row the double-click opened
    int notFoundCalls = 0;

protected:
    QList<Column> columns() const override
    {
        return {{QStringLiteral("Id"), 0, {}},
                {QStringLiteral("Unit Name"), 2400, QStringLiteral("Name")},
                {QStringLiteral("Number"), 1200, QStringLiteral("Id")},
                {QStringLiteral("Note"), 1200, {}}};
    }
    std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& f, const QString& d) override
    {
        return names().GetAllCategories(page, pageCount, f, d);
    }
    std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& f, const QString& d) override
    {
        return names().GetSearchCategories(page, pageCount, f, d);
    }
    records::RecordClass& records() override { return names(); }
    QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) override
    {
        return {rows(1, row).toText(), rows(0, row).toText(),
                searched ? QStringLiteral("found") : QStringLiteral("listed")};
    }
    QString modeCaption(const QString& mode) const override
    {
        if (mode == QLatin1String("A"))
            return QStringLiteral("Add Unit");
        if (mode == QLatin1String("E"))
            return QStringLiteral("Edit Unit");
        if (mode == QLatin1String("D"))
            return QStringLiteral("Delete Unit");
        if (mode == QLatin1String("S"))
            return QStringLiteral("Select Unit");
        return {};
    }
    QString helpText(const QString& mode) const override
    {
        return mode == QLatin1String("A") ? QStringLiteral("Units are added here.") : QString();
    }
    void takeSearch() override { names().Name = searchBox() ? searchBox()->text() : QString(); }
    void notFound() override { ++notFoundCalls; }
    void createSearchControls(QGridLayout* grid) override
    {
        addSearchRow(grid, QStringLiteral("Search Unit :"), QStringLiteral("txtSearch"));
    }
    QString modeButtons() const override { return QStringLiteral("AEDS"); }
    bool doubleClickPicks() const override { return true; }
    void openRow(int key) override { opened << QString::number(key) + QLatin1Char(' ') + AddOrDelete; }

private:
    std::unique_ptr<masters::clsMaster> names_;
};

// A window that picks a unit: its record key and name box receive the
// choice, as an estimate screen's would.
class UnitOpener : public ui::Form {
public:
    UnitOpener() : ui::Form(QStringLiteral("unitOpener")) {}
    int unitKey = 0;
    QPointer<ui::TextBox> txtUnit;
    void pick()
    {
        masters::runListScreenModal<UnitsList>(QStringLiteral("S"), [this](int key, const QString& name) {
            unitKey = key;
            txtUnit->setText(name);
        });
    }

protected:
    void createControls() override { txtUnit = new ui::TextBox(client(), QStringLiteral("txtUnit")); }
};

QString label(const ListScreen& s) { return s.LblRecords->text(); }

QList<ui::HeaderIcon> icons(const ui::ListView& lv)
{
    QList<ui::HeaderIcon> out;
    for (int c = 0; c < lv.columnCount(); ++c)
        out << lv.headerIcon(c);
    return out;
}

}  // namespace

Q_DECLARE_METATYPE(ui::HeaderIcon)

class TestListScreen : public ScreenTest {
    Q_OBJECT

    // Units "U01".."Unn", inserted in reverse so that name order is not key order.
    void addUnits(int n)
    {
        for (int i = n; i >= 1; --i)
            seed::addUnit(db, QStringLiteral("U%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    int keyOf(const QString& name)
    {
        return db.scalar(QStringLiteral("SELECT Id FROM Units WHERE Name = ?"), {name}).toInt();
    }
    static UnitsList& open(const QString& mode = QStringLiteral("A")) { return openInMode<UnitsList>(mode); }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void pagesThroughTheList()
    {
        addUnits(31);
        UnitsList& s = open();
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(s.TotalPages, 3);
        QCOMPARE(label(s), QStringLiteral("Record 1 - 15 of 31"));
        QCOMPARE(s.ListView1->rowCount(), 15);
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(s.CmdNext->isEnabled());

        s.CmdNext->click();
        QCOMPARE(label(s), QStringLiteral("Record 16 - 30 of 31"));
        QVERIFY(s.CmdPrev->isEnabled());
        QVERIFY(s.CmdNext->isEnabled());

        s.CmdNext->click();
        QCOMPARE(s.CurrentPage, 3);
        QCOMPARE(label(s), QStringLiteral("Record 31 - 31 of 31"));
        QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"U31"});
        QVERIFY(!s.CmdNext->isEnabled());
        QVERIFY(s.CmdPrev->isEnabled());

        s.CmdNext_Click();  // beyond the last page: nothing
        QCOMPARE(s.CurrentPage, 3);
        s.CmdPrev->click();
        s.CmdPrev->click();
        QCOMPARE(s.CurrentPage, 1);
        QVERIFY(!s.CmdPrev->isEnabled());
        s.CmdPrev_Click();
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(columnTexts(s.ListView1, 1).first(), QStringLiteral("U01"));
    }

    void emptyTableShowsOneToZero()
    {
        UnitsList& s = open(QStringLiteral("S"));
        QCOMPARE(label(s), QStringLiteral("Record 1 - 0 of 0"));
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(!s.CmdNext->isEnabled());
        QVERIFY(!s.hasRows());
        bool handedBack = false;
        s.HandBack = [&](int, const QString&) { handedBack = true; };
        s.CmdSelect->click();  // acts only on a row
        QVERIFY(!handedBack);
        QVERIFY(s.isLoaded());
    }

    void rowsFollowTheColumnsAndKeyIsHidden()
    {
        addUnits(2);
        UnitsList& s = open();
        QVERIFY(s.ListView1->isColumnHidden(0));
        QCOMPARE(columnTexts(s.ListView1, 0),
                 (QStringList{QString::number(keyOf("U01")), QString::number(keyOf("U02"))}));
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"U01", "U02"}));
        QCOMPARE(columnTexts(s.ListView1, 3), (QStringList{"listed", "listed"}));
    }

    void headerClicksToggleOneFlag_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("sortField");
        QTest::addColumn<QString>("sortDir");
        QTest::addColumn<int>("flag");
        QTest::addColumn<ui::HeaderIcon>("icon");  // on the last clicked header
        QTest::addColumn<QString>("firstName");
        // clang-format off
        QTest::newRow("first click on any header sorts descending") << QList<int>{2} << "Name" << "D" << 1 << ui::HeaderIcon::Down << "U20";
        QTest::newRow("second click ascending") << QList<int>{2, 2} << "Name" << "A" << 0 << ui::HeaderIcon::Up << "U01";
        // Keys were given in reverse name order: by key descending, U01 is first.
        QTest::newRow("another header turns the direction too") << QList<int>{2, 3} << "Id" << "A" << 0 << ui::HeaderIcon::Up << "U20";
        QTest::newRow("a header without a sort field keeps the field") << QList<int>{4} << "Name" << "D" << 1 << ui::HeaderIcon::Down << "U20";
        QTest::newRow("three clicks") << QList<int>{3, 2, 2} << "Name" << "D" << 1 << ui::HeaderIcon::Down << "U20";
        // clang-format on
    }
    void headerClicksToggleOneFlag()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, sortField);
        QFETCH(QString, sortDir);
        QFETCH(int, flag);
        QFETCH(ui::HeaderIcon, icon);
        QFETCH(QString, firstName);
        addUnits(20);
        UnitsList& s = open();
        // At load: ascending, yet "Down" on the initial sort header.
        QCOMPARE(s.SortDir, QStringLiteral("A"));
        QCOMPARE(icons(*s.ListView1), (QList<ui::HeaderIcon>{ui::HeaderIcon::Blank, ui::HeaderIcon::Down,
                                                             ui::HeaderIcon::Blank, ui::HeaderIcon::Blank}));
        s.CmdNext->click();
        for (int position : clicks)
            clickHeader(*s.ListView1, position);
        QCOMPARE(s.SortField, sortField);
        QCOMPARE(s.SortDir, sortDir);
        QCOMPARE(s.ListView1->sortOrder(), flag);
        QCOMPARE(s.CurrentPage, 2);  // the page stays
        s.CmdPrev->click();
        QCOMPARE(columnTexts(s.ListView1, 1).first(), firstName);
        QList<ui::HeaderIcon> expected(4, ui::HeaderIcon::Blank);
        expected[clicks.last() - 1] = icon;
        QCOMPARE(icons(*s.ListView1), expected);
    }

    void refillKeepsTheChosenRow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Show All") << "all";
        QTest::newRow("search") << "search";
        QTest::newRow("sort") << "sort";
        QTest::newRow("dialog closed (double-click)") << "double";
    }
    void refillKeepsTheChosenRow()
    {
        QFETCH(QString, action);
        addUnits(10);
        UnitsList& s = open();
        QTest::mouseClick(s.ListView1->viewport(), Qt::LeftButton, {},
                          s.ListView1->visualItemRect(s.ListView1->topLevelItem(6)).center());
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("U07"));
        if (action == "all") {
            s.CmdAll->click();
        } else if (action == "search") {
            s.searchBox()->setText(QStringLiteral("U0"));
            s.cmdSearch->click();
            QCOMPARE(s.ListView1->rowCount(), 9);
        } else if (action == "sort") {
            clickHeader(*s.ListView1, 2);
            QCOMPARE(columnTexts(s.ListView1, 1).first(), QStringLiteral("U10"));
        } else {
            s.AddOrDelete = QStringLiteral("E");
            doubleClickRow(*s.ListView1, 6);
            QCOMPARE(s.opened, QStringList{QString::number(keyOf("U07")) + " EE"});
        }
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("U07"));
        QCOMPARE(s.selectedKey(), keyOf("U07"));
    }

    void refillWithoutTheChosenRowSelectsTheFirst()
    {
        addUnits(5);
        UnitsList& s = open();
        s.ListView1->setSelectedRow(3);
        db.execute(QStringLiteral("DELETE FROM Units WHERE Name = 'U04'"));
        s.RefreshGrid();
        QCOMPARE(s.ListView1->selectedRow(), 0);
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("U01"));
    }

    void deletingTheOnlyRowOfTheLastPageShowsTheNewLastPage()
    {
        addUnits(31);
        UnitsList& s = open();
        s.CmdNext->click();
        s.CmdNext->click();
        QCOMPARE(label(s), QStringLiteral("Record 31 - 31 of 31"));
        db.execute(QStringLiteral("DELETE FROM Units WHERE Name = 'U31'"));
        s.RefreshGrid();
        QCOMPARE(s.CurrentPage, 2);
        QCOMPARE(s.TotalPages, 2);
        QCOMPARE(label(s), QStringLiteral("Record 16 - 30 of 30"));
        QCOMPARE(s.ListView1->rowCount(), 15);
        QVERIFY(s.CmdPrev->isEnabled());
        QVERIFY(!s.CmdNext->isEnabled());
    }

    void failedSearchKeepsRowsLabelAndGoesOnSearching()
    {
        addUnits(20);
        UnitsList& s = open();
        s.CmdNext->click();
        const QStringList before = columnTexts(s.ListView1, 1);
        s.searchBox()->setText(QStringLiteral("nothing like it"));
        s.cmdSearch->click();
        QCOMPARE(s.notFoundCalls, 1);
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(columnTexts(s.ListView1, 1), before);
        QCOMPARE(label(s), QStringLiteral("Record 16 - 20 of 20"));  // as it was
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(s.CmdNext->isEnabled());  // by the last page count
        QCOMPARE(s.searchBox()->selectedText(), QStringLiteral("nothing like it"));

        s.CmdNext->click();  // re-runs the failing search
        QCOMPARE(s.notFoundCalls, 2);
        clickHeader(*s.ListView1, 2);
        QCOMPARE(s.notFoundCalls, 3);
        QCOMPARE(fake->messageTexts().count(QStringLiteral("No Result found.")), 3);
    }

    void showAllAfterASearchShowsTheSamePageOfEverything()
    {
        addUnits(40);
        UnitsList& s = open();
        s.searchBox()->setText(QStringLiteral("U"));
        s.cmdSearch->click();
        QCOMPARE(columnTexts(s.ListView1, 3).first(), QStringLiteral("found"));
        s.CmdNext->click();
        QCOMPARE(s.CurrentPage, 2);
        s.CmdAll->click();
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(s.CurrentPage, 2);
        QCOMPARE(label(s), QStringLiteral("Record 16 - 30 of 40"));
        QCOMPARE(columnTexts(s.ListView1, 3).first(), QStringLiteral("listed"));
    }

    void modeButtonsAndCaptions_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("visible");
        // clang-format off
        QTest::newRow("A") << "A" << "Add Unit" << QStringList{"cmdAdd"};
        QTest::newRow("E") << "E" << "Edit Unit" << QStringList{"CmdEdit"};
        QTest::newRow("D") << "D" << "Delete Unit" << QStringList{"cmdDel"};
        QTest::newRow("S") << "S" << "Select Unit" << QStringList{"CmdSelect"};
        QTest::newRow("other: as designed") << "X" << "Units" << QStringList{"cmdAdd", "CmdEdit", "cmdDel", "CmdSelect"};
        QTest::newRow("copy, a button this screen lacks") << "C" << "Units" << QStringList{"cmdAdd", "CmdEdit", "cmdDel", "CmdSelect"};
        // clang-format on
    }
    void modeButtonsAndCaptions()
    {
        QFETCH(QString, mode);
        QFETCH(QString, caption);
        QFETCH(QStringList, visible);
        UnitsList& s = open(mode);
        QCOMPARE(s.caption(), caption);
        QStringList shown;
        for (QPushButton* b : {s.cmdAdd.data(), s.CmdEdit.data(), s.cmdDel.data(), s.CmdSelect.data()})
            if (b->isVisibleTo(s.window()))
                shown << b->objectName();
        QCOMPARE(shown, visible);
        QVERIFY(!s.cmdCopy);  // not one of this screen's buttons
        QCOMPARE(s.helpContextId(), 6);
    }

    void showingTheOpenScreenAppliesAChangedMode()
    {
        addUnits(20);
        UnitsList& s = open(QStringLiteral("A"));
        s.CmdNext->click();
        s.AddOrDelete = QStringLiteral("D");
        s.show();
        QCOMPARE(s.caption(), QStringLiteral("Delete Unit"));
        QVERIFY(s.cmdDel->isVisibleTo(s.window()));
        QVERIFY(!s.cmdAdd->isVisibleTo(s.window()));
        QCOMPARE(s.CurrentPage, 2);  // brought forward, not reopened

        // A double-click's turned mode is not a new mode to apply.
        doubleClickRow(*s.ListView1, 0);
        QCOMPARE(s.AddOrDelete, QStringLiteral("DE"));
        s.AddOrDelete = QStringLiteral("D");
        s.show();
        QCOMPARE(s.caption(), QStringLiteral("Delete Unit"));
    }

    void doubleClickTurnsTheMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("turned");
        // clang-format off
        QTest::newRow("A") << "A" << "AE";
        QTest::newRow("D") << "D" << "DE";
        QTest::newRow("E") << "E" << "EE";
        QTest::newRow("AE stays") << "AE" << "AE";
        QTest::newRow("C stays") << "C" << "C";
        // clang-format on
    }
    void doubleClickTurnsTheMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, turned);
        addUnits(3);
        UnitsList& s = open(mode);
        doubleClickRow(*s.ListView1, 1);
        QCOMPARE(s.AddOrDelete, turned);
        QCOMPARE(s.opened, QStringList{QString::number(keyOf("U02")) + QLatin1Char(' ') + turned});
    }

    void pickerHandsBackKeyAndName_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("alsoOpenFromMenu");
        QTest::newRow("Select") << "Select" << false;
        QTest::newRow("double-click") << "double-click" << false;
        QTest::newRow("Enter on the row") << "Enter" << false;
        QTest::newRow("while open from the menu") << "Select" << true;
    }
    void pickerHandsBackKeyAndName()
    {
        QFETCH(QString, how);
        QFETCH(bool, alsoOpenFromMenu);
        addUnits(20);
        UnitsList* fromMenu = nullptr;
        if (alsoOpenFromMenu) {
            fromMenu = &open(QStringLiteral("A"));
            fromMenu->CmdNext->click();
        }
        UnitOpener& opener = ui::form<UnitOpener>();
        opener.show();

        bool driven = false;
        QTimer::singleShot(0, [&] {
            QWidget* w = modalWindow(QStringLiteral("unitsList"));
            QVERIFY(w);
            driven = true;
            QCOMPARE(w->windowTitle(), QStringLiteral("Select Unit"));
            auto* lv = w->findChild<ui::ListView*>(QStringLiteral("ListView1"));
            QCOMPARE(lv->rowCount(), 15);  // a fresh screen: page 1
            lv->setSelectedRow(2);
            if (how == QLatin1String("double-click")) {
                doubleClickRow(*lv, 2);
            } else if (how == QLatin1String("Enter")) {
                lv->setFocus();
                QTest::keyClick(lv, Qt::Key_Return);
            } else {
                w->findChild<QPushButton*>(QStringLiteral("CmdSelect"))->click();
            }
        });
        opener.pick();
        QVERIFY(driven);
        QCOMPARE(opener.unitKey, keyOf("U03"));
        QCOMPARE(opener.txtUnit->text(), QStringLiteral("U03"));
        QVERIFY(!modalWindow(QStringLiteral("unitsList")));
        if (fromMenu) {
            // The screen the menu opened is untouched.
            QVERIFY(fromMenu->isVisible());
            QCOMPARE(fromMenu->AddOrDelete, QStringLiteral("A"));
            QCOMPARE(fromMenu->caption(), QStringLiteral("Add Unit"));
            QCOMPARE(fromMenu->CurrentPage, 2);
        }
    }

    void pickerClosedWithoutChoiceHandsNothingBack()
    {
        addUnits(3);
        UnitOpener& opener = ui::form<UnitOpener>();
        opener.show();
        opener.txtUnit->setText(QStringLiteral("kept"));
        QTimer::singleShot(0, [&] {
            QWidget* w = modalWindow(QStringLiteral("unitsList"));
            QVERIFY(w);
            w->close();
        });
        opener.pick();
        QCOMPARE(opener.unitKey, 0);
        QCOMPARE(opener.txtUnit->text(), QStringLiteral("kept"));
    }

    // Escape is the exit button: from the list, the search box or the
    // window, in a picker as on a screen of the menu.
    void escapeClosesAsExitDoes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("focus");
        // clang-format off
        QTest::newRow("picker, list") << "S" << "ListView1";
        QTest::newRow("add, search box") << "A" << "txtSearch";
        QTest::newRow("edit, a button") << "E" << "CmdNext";
        // clang-format on
    }
    void escapeClosesAsExitDoes()
    {
        QFETCH(QString, mode);
        QFETCH(QString, focus);
        addUnits(20);
        UnitsList& s = open(mode);
        int handedBack = 0;
        s.HandBack = [&](int, const QString&) { ++handedBack; };
        auto* target = s.window()->findChild<QWidget*>(focus);
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!s.isLoaded());
        QCOMPARE(handedBack, 0);
    }

    // The list takes the room the user gives the window.
    void theListGrowsWithTheWindow()
    {
        addUnits(20);
        UnitsList& s = open();
        QWidget* w = s.window();
        const QSize opened = w->size();
        const int listHeight = s.ListView1->height();
        const int listWidth = s.ListView1->width();
        w->resize(opened + QSize(200, 150));
        QCoreApplication::processEvents();
        QCOMPARE(s.ListView1->height(), listHeight + 150);
        QCOMPARE(s.ListView1->width(), listWidth + 200);
        QVERIFY(w->minimumSize().height() < opened.height());
    }

    void handBackServesOneOpening()
    {
        addUnits(3);
        UnitsList& s = open(QStringLiteral("S"));
        int calls = 0;
        s.HandBack = [&](int, const QString&) { ++calls; };
        s.CmdSelect->click();
        QCOMPARE(calls, 1);
        QVERIFY(!s.isLoaded());
        QVERIFY(!s.HandBack);
    }

    void refreshOfAClosedScreenDoesNotOpenIt()
    {
        UnitsList& s = ui::form<UnitsList>();
        s.RefreshGrid();
        s.RunSearch();
        QVERIFY(!s.isLoaded());
    }

    void everyOpeningStartsAtPageOneWithTheInitialSort()
    {
        addUnits(20);
        UnitsList& s = open();
        s.CmdNext->click();
        clickHeader(*s.ListView1, 3);
        s.cmdExit->click();
        QVERIFY(!s.isLoaded());
        open();
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(s.SortField, QStringLiteral("Name"));
        QCOMPARE(s.SortDir, QStringLiteral("A"));
        QCOMPARE(s.ListView1->sortOrder(), 0);
        QCOMPARE(columnTexts(s.ListView1, 1).first(), QStringLiteral("U01"));
    }

    void helpSpeaksTheModesText_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("requests");
        QTest::newRow("with a text") << "A" << QStringList{"Show", "Speak Units are added here."};
        QTest::newRow("without") << "D" << QStringList{"Show"};
    }
    void helpSpeaksTheModesText()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, requests);
        UnitsList& s = open(mode);
        shell::Assistant& merlin = shell::frmMainMenu().Merlin();
        const int before = int(merlin.requests().size());
        s.cmdMainHelp->click();
        QCOMPARE(merlin.requests().mid(before), requests);
    }
};

QTEST_MAIN(TestListScreen)
#include "tst_listscreen.moc"
