// The items list: paging through the item master, its columns and sort
// fields, the search options and the not-found add offer, and the add,
// edit, copy, view and delete flows through the item dialog, with the
// messages the user sees.

#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "masters/masterscreens.h"

#include "data/appfolder.h"
#include "data/recordset.h"
#include "masters/frmitem.h"
#include "masters/itemmast.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sqlite3.h>

using masters::FrmItem;
using masters::FrmItemMast;

using screentest::clickHeader;
using screentest::columnTexts;
using screentest::doubleClickRow;
using screentest::openInMode;
using screentest::typeOver;
using seed::addCategory;
using seed::addItem;
using seed::addUnit;

namespace {

void clickRow(ui::ListView& lv, int row)
{
    QTest::mouseClick(lv.viewport(), Qt::LeftButton, {}, lv.visualItemRect(lv.topLevelItem(row)).center());
}

// Runs `act` on the item dialog once it is up modally. Whatever `act` did,
// the dialog is closed afterwards, so a failed check cannot hang the test.
void onDialog(std::function<void(FrmItemMast&)> act, bool* ran)
{
    QTimer::singleShot(0, [act = std::move(act), ran] {
        FrmItemMast& d = ui::form<FrmItemMast>();
        *ran = d.isShownModal();
        if (*ran)
            act(d);
        if (d.isLoaded())
            d.unload();
    });
}

}  // namespace

class TestFrmItem : public ScreenTest {
    Q_OBJECT

    // "code|name|material|qty|TU" of every item, by key.
    QStringList storedItems()
    {
        QStringList out;
        data::Recordset rs =
            db.query(QStringLiteral("SELECT ItemCode, ItemName, Material, Qty, TU FROM Item ORDER BY ItemId"));
        for (; !rs.eof(); rs.moveNext())
            out << QStringList{rs.value(0).toText(), rs.value(1).toText(), rs.value(2).toText(), rs.value(3).toText(),
                               rs.value(4).toText()}
                       .join(QLatin1Char('|'));
        return out;
    }
    static FrmItem& open(const QString& mode) { return openInMode<FrmItem>(mode); }
    const QString app = ui::applicationTitle();

    // Five items in three categories for the searches.
    void addSearchItems()
    {
        const int unit = addUnit(db, QStringLiteral("Each"));
        const int plumbing = addCategory(db, QStringLiteral("Plumbing"));
        const int walls = addCategory(db, QStringLiteral("Walls"));
        const int electrical = addCategory(db, QStringLiteral("Electrical"));
        addItem(db, QStringLiteral("10"), QStringLiteral("Pipe clamp"), plumbing, unit);
        addItem(db, QStringLiteral("11"), QStringLiteral("Plaster board"), walls, unit);
        addItem(db, QStringLiteral("12"), QStringLiteral("Wire"), electrical, unit);
        addItem(db, QStringLiteral("9"), QStringLiteral("Tap"), plumbing, unit);
        addItem(db, QStringLiteral("20"), QStringLiteral("Plug"), electrical, unit);
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void pagesThroughThirtyOneItems()
    {
        const int cat = addCategory(db, QStringLiteral("General"));
        const int unit = addUnit(db, QStringLiteral("Each"));
        for (int i = 1; i <= 31; ++i)
            addItem(db, QString::number(i), QStringLiteral("Item %1").arg(i), cat, unit);
        FrmItem& s = open(QStringLiteral("A"));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 15 of 31"));
        QVERIFY(!s.CmdPrev->isEnabled());
        s.CmdNext->click();
        s.CmdNext->click();
        QCOMPARE(s.CurrentPage, 3);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 31 - 31 of 31"));
        QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"31"});
        QVERIFY(!s.CmdNext->isEnabled());
        QVERIFY(s.CmdPrev->isEnabled());
    }

    // A file spoilt under the program is told in its own words, not
    // SQLite's, and saying that nothing was saved where it could not be.
    void aSpoiltFileIsToldInTheProgramsWords_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");  // %1: the database file
        // clang-format off
        QTest::newRow("item pages damaged") << "damaged" << "The database \"%1\" is damaged. Restore a backup with File > Restore from Backup.";
        QTest::newRow("a column gone") << "column" << "The database \"%1\" has no column \"UnitId\", which this needs, so it " "could not be done and nothing was saved. Restore a whole backup with File " "> Restore from Backup.";
        // clang-format on
    }
    void aSpoiltFileIsToldInTheProgramsWords()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        const int cat = addCategory(db, QStringLiteral("General"));
        const int unit = addUnit(db, QStringLiteral("Each"));
        db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                                  "INSERT INTO Item (ItemCode, ItemName, CategoryID, UnitId, Material, Qty) "
                                  "SELECT i, printf('%080d', i), ?, ?, 1, 1 FROM n"),
                   {cat, unit});
        const QString path = QFileInfo(data::databasePath()).canonicalFilePath();
        // The item table's own pages, the rows a list page shows.
        QList<qint64> itemPages;
        for (data::Recordset rs = db.query(QStringLiteral("SELECT pageno FROM dbstat WHERE name = 'Item'")); !rs.eof();
             rs.moveNext())
            itemPages << rs.value(0).toInt64();
        const qint64 pageSize = db.scalar(QStringLiteral("PRAGMA page_size")).toInt64();
        db.close();
        masters::registerScreens();
        shell::MainMenu& menu = shell::frmMainMenu();
        menu.show();
        QVERIFY(fake->messages.isEmpty());
        if (how == QLatin1String("damaged")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(itemPages.size() > 16);
            for (qint64 page : itemPages.mid(1)) {
                QVERIFY(f.seek((page - 1) * pageSize));
                f.write(QByteArray(int(pageSize), char(0x5a)));
            }
        } else {
            // Another program's handle, which waits while the start-up check reads.
            sqlite3* other = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
            sqlite3_busy_timeout(other, 20000);
            const int rc =
                sqlite3_exec(other,
                             "DROP TRIGGER Item_Added; DROP TRIGGER Item_Removed; DROP TRIGGER Item_Changed; "
                             "DROP INDEX Item_UnitId; ALTER TABLE Item DROP COLUMN UnitId",
                             nullptr, nullptr, nullptr);
            sqlite3_close(other);
            QCOMPARE(rc, SQLITE_OK);
        }
        // As the user opens it, from the main window's menu.
        QAction* add = menu.window()->findChild<QAction*>(QStringLiteral("SubMnuAddItem"));
        QVERIFY(add);
        add->trigger();
        FrmItem& s = ui::form<FrmItem>();
        if (s.isLoaded() && s.CmdNext)
            s.CmdNext->click();
        const QString expected = message.arg(QDir::toNativeSeparators(path));
        QVERIFY2(!fake->messages.isEmpty(), "nothing was told");
        for (const FakePlatform::Message& m : fake->messages)
            QCOMPARE(m.text, expected);
    }

    // The list pages by the main window's rows per page.
    void pagesByTheMainWindowsRowsPerPage()
    {
        const int cat = addCategory(db, QStringLiteral("General"));
        const int unit = addUnit(db, QStringLiteral("Each"));
        for (int i = 1; i <= 10; ++i)
            addItem(db, QString::number(i), QStringLiteral("Item %1").arg(i), cat, unit);
        shell::frmMainMenu().load();  // which sets it to 15
        shell::frmMainMenu().NoInList = 4;
        auto restore = qScopeGuard([] { shell::frmMainMenu().NoInList = 15; });
        FrmItem& s = open(QStringLiteral("A"));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 4 of 10"));
        QCOMPARE(s.ListView1->rowCount(), 4);
    }

    void columnsShowTheItem()
    {
        const int cat = addCategory(db, QStringLiteral("Tiles"));
        const int unit = addUnit(db, QStringLiteral("Sq ft"));
        const int key = addItem(db, QStringLiteral("A-7"), QStringLiteral("Floor tile"), cat, unit, 2.75, 12);
        FrmItem& s = open(QStringLiteral("E"));
        ui::ListView& lv = *s.ListView1;
        QStringList headers;
        for (int c = 0; c < lv.columnCount(); ++c)
            headers << lv.headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"ID", "Item #", "Item Name", "Category", "Material", "Quantity", "Unit"}));
        QVERIFY(lv.isColumnHidden(0));
        QCOMPARE(lv.text(0), QString::number(key));
        QCOMPARE((QStringList{lv.subItem(0, 1), lv.subItem(0, 2), lv.subItem(0, 3), lv.subItem(0, 4), lv.subItem(0, 5),
                              lv.subItem(0, 6)}),
                 (QStringList{"A-7", "Floor tile", "Tiles", "2.75", "12", "Sq ft"}));
        QCOMPARE(s.caption(), QStringLiteral("Edit Item"));
        QCOMPARE(s.helpContextId(), 2);
    }

    void headersSortByTheirFields_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("sortField");
        QTest::newRow("Item #") << 2 << "Itemcode";
        QTest::newRow("Item Name") << 3 << "ItemName";
        QTest::newRow("Category") << 4 << "CatName";
        QTest::newRow("Material") << 5 << "Material";
        QTest::newRow("Quantity") << 6 << "Qty";
        QTest::newRow("Unit sorts by TU") << 7 << "TU";
    }
    void headersSortByTheirFields()
    {
        QFETCH(int, position);
        QFETCH(QString, sortField);
        addSearchItems();
        FrmItem& s = open(QStringLiteral("A"));
        clickHeader(*s.ListView1, position);
        QCOMPARE(s.SortField, sortField);
        QCOMPARE(s.SortDir, QStringLiteral("D"));
        QCOMPARE(s.ListView1->rowCount(), 5);
    }

    void itemNumbersSortByValue()
    {
        const int cat = addCategory(db, QStringLiteral("General"));
        const int unit = addUnit(db, QStringLiteral("Each"));
        addItem(db, QStringLiteral("10"), QStringLiteral("ten"), cat, unit);
        addItem(db, QStringLiteral("9"), QStringLiteral("nine"), cat, unit);
        addItem(db, QStringLiteral("A1"), QStringLiteral("letter"), cat, unit);
        FrmItem& s = open(QStringLiteral("A"));
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"A1", "9", "10"}));
        QCOMPARE(s.ListView1->headerIcon(1), ui::HeaderIcon::Down);
        clickHeader(*s.ListView1, 2);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"10", "9", "A1"}));
        QCOMPARE(s.ListView1->headerIcon(1), ui::HeaderIcon::Down);
        clickHeader(*s.ListView1, 2);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"A1", "9", "10"}));
        QCOMPARE(s.ListView1->headerIcon(1), ui::HeaderIcon::Up);
    }

    void searchesByEachOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        // Search results sort item numbers as text.
        // clang-format off
        QTest::newRow("All: name or category begins") << "OptAll" << "Pl" << QStringList{"10", "11", "20", "9"};
        QTest::newRow("Name") << "OptName" << "Pl" << QStringList{"11", "20"};
        QTest::newRow("Category") << "OptCat" << "Pl" << QStringList{"10", "9"};
        QTest::newRow("Item #") << "OptCode" << "1" << QStringList{"10", "11", "12"};
        // clang-format on
    }
    void searchesByEachOption()
    {
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        addSearchItems();
        FrmItem& s = open(QStringLiteral("E"));
        QVERIFY(s.OptAll->isChecked());
        QTest::mouseClick(s.searchOptionButton(option), Qt::LeftButton);
        typeOver(s.txtName, text);
        QTest::keyClick(s.txtName, Qt::Key_Return);
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        QCOMPARE(columnTexts(s.ListView1, 1), codes);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - %1 of %1").arg(codes.size()));
        QCOMPARE(s.window()->focusWidget(), s.txtName.data());
        QCOMPARE(s.txtName->selectedText(), text);
        QVERIFY(fake->messages.isEmpty());
    }

    void notFound_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("dialog");
        const QString offer = QStringLiteral("Inventory|Item Not Found : Would You Like To Add ? ");
        const QString notFound = ui::applicationTitle() + QStringLiteral("|Item Not Found");
        // clang-format off
        QTest::newRow("Name in add mode, Yes") << "A" << "OptName" << true << QStringList{offer} << true;
        QTest::newRow("Name in add mode, No") << "A" << "OptName" << false << QStringList{offer} << false;
        QTest::newRow("All in add mode") << "A" << "OptAll" << true << QStringList{notFound} << false;
        QTest::newRow("Name in edit mode") << "E" << "OptName" << true << QStringList{notFound} << false;
        // clang-format on
    }
    void notFound()
    {
        QFETCH(QString, mode);
        QFETCH(QString, option);
        QFETCH(bool, yes);
        QFETCH(QStringList, messages);
        QFETCH(bool, dialog);
        addSearchItems();
        FrmItem& s = open(mode);
        QTest::mouseClick(s.searchOptionButton(option), Qt::LeftButton);
        typeOver(s.txtName, QStringLiteral("Grout"));
        fake->answers.push_back(yes ? ui::Answer::Yes : ui::Answer::No);
        bool ran = false;
        QString code, name, material, qty;
        int category = -1, unit = -1;
        onDialog(
            [&](FrmItemMast& d) {
                code = d.txtCode->text();
                name = d.TxtName->text();
                material = d.TxtMaterial->text();
                qty = d.TxtQty->text();
                category = d.CmbCat->listIndex();
                unit = d.cmbUnit->listIndex();
                d.CmdCancel->click();
            },
            &ran);
        s.cmdSearch->click();
        QCoreApplication::processEvents();  // lets the check run when no dialog came
        QCOMPARE(fake->takeBoxes(), messages);
        QCOMPARE(ran, dialog);
        if (dialog) {
            QCOMPARE(code, QStringLiteral("21"));  // the next item number
            QCOMPARE(name, QStringLiteral("Grout"));
            QCOMPARE(material, QStringLiteral("0"));
            QCOMPARE(qty, QStringLiteral("0"));
            QCOMPARE(category, 0);
            QCOMPARE(unit, 0);
            QCOMPARE(s.AddOrDelete, QStringLiteral("A"));
        }
        QCOMPARE(s.ListView1->rowCount(), 5);  // the rows stay
        QCOMPARE(storedItems().size(), 5);
    }

    void addsAnItemThroughTheDialog()
    {
        const int cat = addCategory(db, QStringLiteral("Paint"));
        addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("7"), QStringLiteral("Primer"), cat, 1, 20, 1);
        FrmItem& s = open(QStringLiteral("A"));
        typeOver(s.txtName, QStringLiteral("Gloss"));
        bool ran = false;
        onDialog(
            [&](FrmItemMast& d) {
                QCOMPARE(d.txtCode->text(), QStringLiteral("8"));
                QCOMPARE(d.TxtName->text(), QStringLiteral("Gloss"));
                QVERIFY(d.CmdSave->isVisibleTo(d.window()));
                typeOver(d.TxtMaterial, QStringLiteral("31.5"));
                typeOver(d.txtLabor, QStringLiteral("4"));
                typeOver(d.TxtQty, QStringLiteral("2"));
                d.cmdOk->click();
            },
            &ran);
        s.cmdAdd->click();
        QVERIFY(ran);
        QCOMPARE(fake->takeBoxes(), QStringList{"Inventory| Item Saved"});
        QCOMPARE(storedItems(), (QStringList{"7|Primer|20|1|", "8|Gloss|31.5|2|"}));
        QCOMPARE(columnTexts(s.ListView1, 2), (QStringList{"Primer", "Gloss"}));
        QVERIFY(!ui::form<FrmItemMast>().isLoaded());
    }

    void editsAnItemThroughTheDialog()
    {
        const int cat = addCategory(db, QStringLiteral("Paint"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, unit, 20, 1);
        const int key =
            addItem(db, QStringLiteral("2"), QStringLiteral("Gloss"), cat, unit, 30, 2, QStringLiteral("box"));
        FrmItem& s = open(QStringLiteral("E"));
        clickRow(*s.ListView1, 1);
        bool ran = false;
        onDialog(
            [&](FrmItemMast& d) {
                QCOMPARE(d.TxtName->text(), QStringLiteral("Gloss"));
                QCOMPARE(d.TxtMaterial->text(), QStringLiteral("30"));
                QVERIFY(d.txtCode->isEnabled());
                QVERIFY(d.fraFields->isEnabled());
                typeOver(d.TxtName, QStringLiteral("Gloss white"));
                d.CmdSave->click();
                QVERIFY(!d.CmdSave->isEnabled());
                d.cmdOk->click();  // nothing more to save
            },
            &ran);
        s.CmdEdit->click();
        QVERIFY(ran);
        QCOMPARE(fake->takeBoxes(), QStringList{"Inventory| Item Saved"});
        // The dialog has no field for TU: saving writes it empty.
        QCOMPARE(storedItems(), (QStringList{"1|Primer|20|1|", "2|Gloss white|30|2|"}));
        QCOMPARE(s.selectedKey(), key);
        QCOMPARE(s.selectedSubItem(2), QStringLiteral("Gloss white"));
    }

    void copiesAnItemThroughTheDialog()
    {
        const int cat = addCategory(db, QStringLiteral("Paint"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, unit, 20, 1);
        FrmItem& s = open(QStringLiteral("C"));
        QVERIFY(s.cmdCopy->isVisibleTo(s.window()));
        QCOMPARE(s.caption(), QStringLiteral("Copy Item"));
        bool ran = false;
        onDialog(
            [&](FrmItemMast& d) {
                QCOMPARE(d.TxtName->text(), QStringLiteral("Primer"));
                QVERIFY(d.fraFields->isEnabled());
                d.CmdSave->click();  // an equal item exists
                typeOver(d.txtCode, QStringLiteral("2"));
                typeOver(d.TxtMaterial, QStringLiteral("22"));
                d.cmdOk->click();
            },
            &ran);
        s.cmdCopy->click();
        QVERIFY(ran);
        QCOMPARE(fake->takeBoxes(), (QStringList{"Inventory|Duplicate Item Data ", "Inventory|Please enter Valid Data",
                                                 "Inventory| Item Saved"}));
        QCOMPARE(storedItems(), (QStringList{"1|Primer|20|1|", "2|Primer|22|1|"}));
        QCOMPARE(s.ListView1->rowCount(), 2);
    }

    void deleteAsksAndReloads_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void deleteAsksAndReloads()
    {
        QFETCH(bool, yes);
        const int cat = addCategory(db, QStringLiteral("Paint"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, unit);
        addItem(db, QStringLiteral("2"), QStringLiteral("Gloss"), cat, unit);
        addItem(db, QStringLiteral("3"), QStringLiteral("Matt"), cat, unit);
        FrmItem& s = open(QStringLiteral("D"));
        typeOver(s.txtName, QStringLiteral("G"));
        s.cmdSearch->click();
        QCOMPARE(s.ListView1->rowCount(), 1);
        fake->answers.push_back(yes ? ui::Answer::Yes : ui::Answer::No);
        s.cmdDel->click();
        QStringList expected{"Inventory|Are you sure you want to Delete ' 2 '"};
        if (yes)
            expected << app + QStringLiteral("|Deleted");
        QCOMPARE(fake->takeBoxes(), expected);
        // Either way the full list comes back and the search box is emptied.
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(columnTexts(s.ListView1, 1), (yes ? QStringList{"1", "3"} : QStringList{"1", "2", "3"}));
        QCOMPARE(s.txtName->text(), QString());
        QCOMPARE(s.window()->focusWidget(), s.txtName.data());
    }

    void deletingTheOnlyRowOfTheLastPageShowsTheNewLastPage()
    {
        const int cat = addCategory(db, QStringLiteral("General"));
        const int unit = addUnit(db, QStringLiteral("Each"));
        for (int i = 1; i <= 16; ++i)
            addItem(db, QString::number(i), QStringLiteral("Item %1").arg(i), cat, unit);
        FrmItem& s = open(QStringLiteral("D"));
        s.CmdNext->click();
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 16 - 16 of 16"));
        fake->answers.push_back(ui::Answer::Yes);
        s.cmdDel->click();
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 15 of 15"));
        QCOMPARE(s.ListView1->rowCount(), 15);
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(!s.CmdNext->isEnabled());
    }

    void doubleClickOpensTheRow_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("turned");
        QTest::addColumn<bool>("viewOnly");
        // clang-format off
        QTest::newRow("add: view only") << "A" << "AE" << true;
        QTest::newRow("delete: view only") << "D" << "DE" << true;
        QTest::newRow("edit: editable") << "E" << "EE" << false;
        // clang-format on
    }
    void doubleClickOpensTheRow()
    {
        QFETCH(QString, mode);
        QFETCH(QString, turned);
        QFETCH(bool, viewOnly);
        const int cat = addCategory(db, QStringLiteral("Paint"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, unit);
        addItem(db, QStringLiteral("2"), QStringLiteral("Gloss"), cat, unit);
        FrmItem& s = open(mode);
        bool ran = false;
        bool saveShown = false, okShown = false, codeEnabled = false, fieldsEnabled = false;
        QString name;
        onDialog(
            [&](FrmItemMast& d) {
                name = d.TxtName->text();
                saveShown = d.CmdSave->isVisibleTo(d.window());
                okShown = d.cmdOk->isVisibleTo(d.window());
                codeEnabled = d.txtCode->isEnabled() && d.TxtName->isEnabled();
                fieldsEnabled = d.fraFields->isEnabled();
                QVERIFY(d.CmdCancel->isVisibleTo(d.window()));
                QVERIFY(d.cmdMainHelp->isVisibleTo(d.window()));
                d.CmdCancel->click();
            },
            &ran);
        doubleClickRow(*s.ListView1, 1);
        QVERIFY(ran);
        QCOMPARE(name, QStringLiteral("Gloss"));
        QCOMPARE(saveShown, !viewOnly);
        QCOMPARE(okShown, !viewOnly);
        QCOMPARE(codeEnabled, !viewOnly);
        QCOMPARE(fieldsEnabled, !viewOnly);
        QCOMPARE(s.AddOrDelete, turned);
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(storedItems().size(), 2);
    }

    void addButtonEndsTheViewMode()
    {
        const int cat = addCategory(db, QStringLiteral("Paint"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, unit);
        FrmItem& s = open(QStringLiteral("A"));
        bool ran = false;
        onDialog([](FrmItemMast& d) { d.CmdCancel->click(); }, &ran);
        doubleClickRow(*s.ListView1, 0);
        QCOMPARE(s.AddOrDelete, QStringLiteral("AE"));
        bool editable = false;
        onDialog(
            [&](FrmItemMast& d) {
                editable = d.CmdSave->isVisibleTo(d.window()) && d.fraFields->isEnabled();
                d.CmdCancel->click();
            },
            &ran);
        s.cmdAdd->click();
        QVERIFY(ran);
        QVERIFY(editable);
        QCOMPARE(s.AddOrDelete, QStringLiteral("A"));
    }

    void helpSpeaksByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("afterDoubleClick");
        QTest::addColumn<QString>("text");
        QTest::newRow("A") << "A" << false << FrmItem::helpTextFor("A");
        QTest::newRow("E") << "E" << false << FrmItem::helpTextFor("E");
        QTest::newRow("D") << "D" << false << FrmItem::helpTextFor("D");
        QTest::newRow("DE after a double-click: nothing") << "D" << true << QString();
    }
    void helpSpeaksByMode()
    {
        QFETCH(QString, mode);
        QFETCH(bool, afterDoubleClick);
        QFETCH(QString, text);
        const int cat = addCategory(db, QStringLiteral("Paint"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, addUnit(db, QStringLiteral("Gallon")));
        FrmItem& s = open(mode);
        if (afterDoubleClick) {
            bool ran = false;
            onDialog([](FrmItemMast& d) { d.CmdCancel->click(); }, &ran);
            doubleClickRow(*s.ListView1, 0);
            QVERIFY(ran);
        }
        shell::Assistant& merlin = shell::frmMainMenu().Merlin();
        const int before = int(merlin.requests().size());
        s.cmdMainHelp->click();
        QStringList expected{"Show"};
        if (!text.isEmpty())
            expected << "Speak " + text;
        QCOMPARE(merlin.requests().mid(before), expected);
    }

    void helpTextsAreTheScreensOwn()
    {
        QCOMPARE(FrmItem::helpTextFor("A"),
                 QStringLiteral("This screen allows you to enter the Items in the master table. Click on 'Add' "
                                "button to add a new record in the Items database. "));
        QVERIFY(FrmItem::helpTextFor("E").startsWith("This screen allows you to edit the Items"));
        QVERIFY(FrmItem::helpTextFor("D").endsWith("It will delete the item record after confirmation."));
        QCOMPARE(FrmItem::helpTextFor("S"), QString());
    }

    void mainMenuOpensAndRetargetsTheScreen()
    {
        const int cat = addCategory(db, QStringLiteral("Paint"));
        addItem(db, QStringLiteral("1"), QStringLiteral("Primer"), cat, addUnit(db, QStringLiteral("Gallon")));
        masters::registerScreens();
        shell::MainMenu& menu = shell::frmMainMenu();
        menu.show();
        menu.pick(QStringLiteral("SubMnuAddItem"));
        FrmItem& s = ui::form<FrmItem>();
        QVERIFY(s.isVisible());
        QVERIFY(!s.isShownModal());
        QCOMPARE(s.caption(), QStringLiteral("Add Item"));
        menu.pick(QStringLiteral("SubMnuDelItem"));
        QCOMPARE(s.caption(), QStringLiteral("Delete Item"));
        QVERIFY(s.cmdDel->isVisibleTo(s.window()));
        QVERIFY(!s.cmdAdd->isVisibleTo(s.window()));
        QCOMPARE(s.AddOrDelete, QStringLiteral("D"));
    }

    void selectAndExitClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Select") << "CmdSelect";
        QTest::newRow("Exit") << "cmdExit";
    }
    void selectAndExitClose()
    {
        QFETCH(QString, button);
        FrmItem& s = open(QStringLiteral("S"));
        QCOMPARE(s.caption(), QStringLiteral("Select Item"));
        QCOMPARE(s.cmdExit->toolTip(), QStringLiteral("Press Exit to close this window"));
        s.window()->findChild<QPushButton*>(button)->click();
        QVERIFY(!s.isLoaded());
    }

    void searchLabelsAndOptions()
    {
        FrmItem& s = open(QStringLiteral("A"));
        QStringList labels;
        for (QLabel* l : s.window()->findChildren<QLabel*>())
            labels << l->text();
        QVERIFY(labels.contains("Search Item :"));
        QVERIFY(labels.contains("Search On"));
        QCOMPARE((QStringList{s.OptAll->text(), s.OptName->text(), s.OptCat->text(), s.OptCode->text()}),
                 (QStringList{"All", "Name", "Category", "Item #"}));
        QCOMPARE(s.CmdAll->text(), QStringLiteral("Show All"));
    }
};

QTEST_MAIN(TestFrmItem)
#include "tst_frmitem.moc"
