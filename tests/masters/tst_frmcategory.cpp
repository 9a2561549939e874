#include "support/categoryscreentest.h"
#include "support/screendriver.h"
#include "support/seed.h"

#include "masters/catmast.h"
#include "masters/frmcategory.h"
#include "masters/itemmast.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using masters::FrmCategory;
using masters::FrmCatMast;

Q_DECLARE_METATYPE(ui::Answer)

using screentest::columnTexts;
using screentest::comboTexts;
using screentest::doubleClickRow;
using screentest::rowNamed;
using screentest::selectRow;
using seed::addCategory;
using seed::addItem;

using screentest::visibleWindow;
using screentest::whenListShown;

namespace {

const QString appTitle = QStringLiteral("Corvanel");
const QString inventory = QStringLiteral("Inventory");
const QString noParent = QStringLiteral("No Parent Category");

}  // namespace

class TestFrmCategory : public CategoryScreenTest {
    Q_OBJECT

    void addItems(int category, int n)
    {
        for (int i = 0; i < n; ++i)
            addItem(db, {.code = QString::number(category * 100 + i),
                         .name = "Item",
                         .category = category,
                         .unit = 1,
                         .material = 1,
                         .qty = 1});
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void modeSetsCaptionButtonAndExplanation_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("explain");
        // clang-format off
        QTest::newRow("add") << "A" << "Add Category" << "cmdAdd" << "Enter the category name, select parent category and press the 'Add' button to add a " "new category";
        QTest::newRow("edit") << "E" << "Edit Category" << "CmdEdit" << "Double click on the category row that you wish to edit and change the category name " "or parent category in the window that appears.";
        QTest::newRow("delete") << "D" << "Delete Category" << "cmdDel" << "Select the category you wish to delete from the table by clicking that row and " "press the 'Delete' button.";
        QTest::newRow("select") << "S" << "Select Category" << "CmdSelect" << "Select category by double clicking the desired category row and pressing the " "'Select' button.";
        // clang-format on
    }
    void modeSetsCaptionButtonAndExplanation()
    {
        QFETCH(QString, mode);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        QFETCH(QString, explain);
        FrmCategory& s = open(mode);
        QCOMPARE(s.caption(), caption);
        QCOMPARE(s.lblExplain->text(), explain);
        for (QPushButton* b : {s.cmdAdd.data(), s.CmdEdit.data(), s.cmdDel.data(), s.CmdSelect.data()})
            QCOMPARE(b->isVisible(), b->objectName() == button);
        QVERIFY(!s.cmdCopy);
        QCOMPARE(s.helpContextId(), 4);
        QCOMPARE(s.ListView1->headerIcon(1), ui::HeaderIcon::Down);
        QCOMPARE(s.CmdAll->text(), QStringLiteral("Search All"));
        QCOMPARE(s.cmdExit->text(), QStringLiteral("Ok"));
        QCOMPARE(s.cmdAdd->toolTip(), QStringLiteral("Press Add Button to add a new category"));
    }

    // Tab: the name and its parent (what Add takes), the search buttons,
    // the list, paging (both off with one page), then the buttons along the
    // bottom.
    void tabOrderInAddMode()
    {
        addCategory(db, QStringLiteral("Root"));
        FrmCategory& s = open(QStringLiteral("A"));
        QCOMPARE(screentest::tabWalk(s.txtCatName),
                 (QStringList{"txtCatName", "cmbParent", "cmdSearch", "CmdAll", "cmdHelp2", "ListView1", "cmdAdd",
                              "cmdExit", "cmdMainHelp"}));
    }

    void fullListingShowsCountsAndParentNames()
    {
        const int root = addCategory(db, QStringLiteral("Root"));
        const int child = addCategory(db, QStringLiteral("Child"), root);
        addCategory(db, QStringLiteral("Orphan"), 999);  // its parent was deleted elsewhere
        addCategory(db, QStringLiteral("Loose"), data::DbValue());
        addItems(child, 2);

        FrmCategory& s = open(QStringLiteral("E"));
        QCOMPARE(s.ListView1->columnWidth(0), 0);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Child", "Loose", "Orphan", "Root"}));
        QCOMPARE(columnTexts(s.ListView1, 2), (QStringList{"2", "0", "0", "0"}));
        // A parent that is gone reads as no parent at all.
        QCOMPARE(columnTexts(s.ListView1, 3), (QStringList{"Root", "", "", ""}));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 4 of 4"));
        QCOMPARE(s.ListView1->text(0), QString::number(child));
    }

    void parentComboListsPlainNames_data()
    {
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("list screen") << false;
        QTest::newRow("category dialog") << true;
    }
    void parentComboListsPlainNames()
    {
        QFETCH(bool, inDialog);
        const int root = addCategory(db, QStringLiteral("Root"));
        const int mid = addCategory(db, QStringLiteral("Mid"), root);
        const int leaf = addCategory(db, QStringLiteral("Leaf"), mid);
        addCategory(db, QStringLiteral("Deep"), leaf);
        const int orphan = addCategory(db, QStringLiteral("Orphan"), 999);
        addCategory(db, QStringLiteral("Stray"), orphan);

        ui::ComboBox* combo = nullptr;
        if (inDialog) {
            FrmCatMast& d = ui::form<FrmCatMast>();
            d.Cat.Catid = mid;
            d.Cat.GetCatg();
            d.Cat.AddEditDel = QStringLiteral("E");
            d.show();
            combo = d.cmbParent;
            QCOMPARE(combo->selectedData(), qint64(root));
        } else {
            combo = open(QStringLiteral("A")).cmbParent;
            QCOMPARE(combo->listIndex(), 0);
        }
        // Plain names in name order, whatever the depth or a lost parent.
        QCOMPARE(comboTexts(combo), (QStringList{noParent, "Deep", "Leaf", "Mid", "Orphan", "Root", "Stray"}));
        QCOMPARE(combo->itemData(0), qint64(0));
        QCOMPARE(combo->itemData(4), qint64(orphan));
    }

    void emptyTable()
    {
        FrmCategory& s = open(QStringLiteral("A"));
        QCOMPARE(s.ListView1->rowCount(), 0);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 0 of 0"));
        QCOMPARE(comboTexts(s.cmbParent), QStringList{noParent});
        QCOMPARE(s.cmbParent->listIndex(), -1);
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(!s.CmdNext->isEnabled());

        s.txtCatName->setText(QStringLiteral("First"));
        s.cmdAdd->click();
        QCOMPARE(storedParent(QStringLiteral("First")), 0);
        QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"First"});
        QCOMPARE(comboTexts(s.cmbParent), (QStringList{noParent, "First"}));
        QCOMPARE(s.cmbParent->listIndex(), 0);
    }

    void rowButtonsDoNothingOnAnEmptyList_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("edit") << "E";
        QTest::newRow("delete") << "D";
        QTest::newRow("select") << "S";
    }
    void rowButtonsDoNothingOnAnEmptyList()
    {
        QFETCH(QString, mode);
        FrmCategory& s = open(mode);
        bool handedBack = false;
        s.HandBack = [&](int, const QString&) { handedBack = true; };
        for (QPushButton* b : {s.CmdEdit.data(), s.cmdDel.data(), s.CmdSelect.data()})
            if (b->isVisible())
                b->click();
        QVERIFY(s.isLoaded());
        QVERIFY(!handedBack);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(!ui::form<FrmCatMast>().isLoaded());
    }

    void inlineAdd_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");  // empty: "No Parent Category"
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("saved");
        // clang-format off
        QTest::newRow("top level") << "Tiles" << "" << QStringList{"Category Added "} << true;
        QTest::newRow("under a parent") << "Grout" << "Root" << QStringList{"Category Added "} << true;
        QTest::newRow("quote in the name") << "Owner's" << "Root" << QStringList{"Category Added "} << true;
        QTest::newRow("empty name") << "" << "Root" << QStringList{"Empty Data", "Please enter Valid Data"} << false;
        QTest::newRow("duplicate") << "Root" << "" << QStringList{"Duplicate Data", "Please enter Valid Data"} << false;
        // clang-format on
    }
    void inlineAdd()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QStringList, messages);
        QFETCH(bool, saved);
        const int root = addCategory(db, QStringLiteral("Root"));
        addCategory(db, QStringLiteral("Other"));
        const QStringList before = storedNames();

        FrmCategory& s = open(QStringLiteral("A"));
        s.txtCatName->setText(name);
        if (!parent.isEmpty())
            QVERIFY(s.cmbParent->selectByData(root));
        const qint64 chosen = s.cmbParent->selectedData();
        s.cmdAdd->click();

        QCOMPARE(fake->messageTexts(), messages);
        QCOMPARE(fake->messageTitles(), QStringList(messages.size(), inventory));
        if (saved) {
            QCOMPARE(storedParent(name), parent.isEmpty() ? 0 : root);
            QVERIFY(rowNamed(s.ListView1, name) >= 0);
            // The new category is offered as a parent at once.
            QVERIFY(comboTexts(s.cmbParent).contains(name));
        } else {
            QCOMPARE(storedNames(), before);
        }
        QCOMPARE(s.ListView1->rowCount(), storedNames().size());
        // The boxes keep what the user chose, ready for the next one.
        QCOMPARE(s.txtCatName->text(), name);
        QCOMPARE(s.cmbParent->selectedData(), chosen);
        QVERIFY(s.txtCatName->isEnabled());
        QCOMPARE(s.Category().Catname, QString());
        QCOMPARE(s.AddOrDelete, QStringLiteral("A"));
    }

    void parentComboFollowsAddsAndDeletes()
    {
        const int root = addCategory(db, QStringLiteral("Root"));
        FrmCategory& s = open(QStringLiteral("A"));

        s.txtCatName->setText(QStringLiteral("Walls"));
        s.cmbParent->selectByData(root);
        s.cmdAdd->click();
        const int walls = s.cmbParent->findText(QStringLiteral("Walls"));
        QVERIFY(walls > 0);
        // Chosen as the parent of the next one without reopening the screen.
        const int wallsKey = int(s.cmbParent->itemData(walls));
        s.cmbParent->setListIndex(walls);
        s.txtCatName->setText(QStringLiteral("Paint"));
        s.cmdAdd->click();
        QCOMPARE(s.cmbParent->selectedData(), qint64(wallsKey));
        QCOMPARE(storedParent(QStringLiteral("Paint")), wallsKey);
        QCOMPARE(comboTexts(s.cmbParent), (QStringList{noParent, "Paint", "Root", "Walls"}));

        // The same screen brought forward in delete mode.
        s.AddOrDelete = QStringLiteral("D");
        s.show();
        QVERIFY(s.cmdDel->isVisible());
        QVERIFY(!s.cmdAdd->isVisible());
        selectRow(s.ListView1, QStringLiteral("Walls"));
        fake->answers = {ui::Answer::Yes};
        s.cmdDel->click();
        QCOMPARE(storedNames(), (QStringList{"Paint", "Root"}));
        // The deleted one is no parent any more; its child now stands at
        // the top of the tree and keeps its stored parent key.
        QCOMPARE(comboTexts(s.cmbParent), (QStringList{noParent, "Paint", "Root"}));
        QCOMPARE(s.cmbParent->listIndex(), 0);
        QCOMPARE(storedParent(QStringLiteral("Paint")), wallsKey);
        QCOMPARE(s.ListView1->subItem(rowNamed(s.ListView1, QStringLiteral("Paint")), 3), QString());
    }

    void deleteRefusedWhileItemsBelong()
    {
        const int tiles = addCategory(db, QStringLiteral("Tiles"));
        addCategory(db, QStringLiteral("Empty"));
        addItems(tiles, 2);
        FrmCategory& s = open(QStringLiteral("D"));
        selectRow(s.ListView1, QStringLiteral("Tiles"));
        s.txtCatName->setText(QStringLiteral("typed"));
        s.cmdDel->click();

        QCOMPARE(fake->messageTexts(),
                 QStringList{"Can not delete category 'Tiles'. Please delete or reassign items that belong to it "
                             "first."});
        QCOMPARE(fake->messages.first().title, appTitle);
        QCOMPARE(fake->messages.first().buttons, ui::Buttons::Ok);
        QCOMPARE(storedNames(), (QStringList{"Empty", "Tiles"}));
        QCOMPARE(s.txtCatName->text(), QStringLiteral("typed"));
    }

    void deleteAsks_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("yes") << ui::Answer::Yes << QStringList{"Child", "Other"};
        QTest::newRow("no") << ui::Answer::No << QStringList{"Child", "Other", "Root"};
    }
    void deleteAsks()
    {
        QFETCH(ui::Answer, answer);
        QFETCH(QStringList, remaining);
        const int root = addCategory(db, QStringLiteral("Root"));
        addCategory(db, QStringLiteral("Child"), root);
        addCategory(db, QStringLiteral("Other"));
        FrmCategory& s = open(QStringLiteral("D"));
        // A search listing first: the delete goes back to the full listing.
        s.txtCatName->setText(QStringLiteral("R"));
        s.cmdSearch->click();
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        selectRow(s.ListView1, QStringLiteral("Root"));
        fake->answers = {answer};
        s.cmdDel->click();

        QCOMPARE(fake->messageTexts(), QStringList{"Are you sure you want to Delete ' Root '"});
        QCOMPARE(fake->messages.first().title, inventory);
        QCOMPARE(fake->messages.first().buttons, ui::Buttons::YesNo);
        QCOMPARE(storedNames(), remaining);
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(columnTexts(s.ListView1, 1), remaining);
        // The child of a deleted category is left as it was.
        QCOMPARE(storedParent(QStringLiteral("Child")), root);
        QCOMPARE(s.txtCatName->text(), QString());
        QVERIFY(s.txtCatName->isEnabled());
        QCOMPARE(s.cmbParent->listIndex(), 0);
    }

    void searchListsParentKeys()
    {
        const int root = addCategory(db, QStringLiteral("Root"));
        addCategory(db, QStringLiteral("Roof"), root);
        addCategory(db, QStringLiteral("Walls"), root);
        FrmCategory& s = open(QStringLiteral("E"));

        s.txtCatName->setText(QStringLiteral("ro"));
        s.cmdSearch->click();
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Roof", "Root"}));
        QCOMPARE(columnTexts(s.ListView1, 3), (QStringList{QString::number(root), "0"}));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 2 of 2"));
        QCOMPARE(s.txtCatName->selectedText(), QStringLiteral("ro"));

        // Nothing found: a notice, and the rows stay.
        s.txtCatName->setText(QStringLiteral("Zz"));
        s.cmdSearch->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Category Not Found"});
        QCOMPARE(fake->messages.first().title, appTitle);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Roof", "Root"}));

        s.CmdAll->click();
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(columnTexts(s.ListView1, 3), (QStringList{"Root", "", "Root"}));
    }

    void searchInAddModeOffersToAdd_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("yes") << ui::Answer::Yes;
        QTest::newRow("no") << ui::Answer::No;
    }
    void searchInAddModeOffersToAdd()
    {
        QFETCH(ui::Answer, answer);
        const int root = addCategory(db, QStringLiteral("Root"));
        FrmCategory& s = open(QStringLiteral("A"));
        s.cmbParent->selectByData(root);
        s.txtCatName->setText(QStringLiteral("Gutters"));
        fake->answers = {answer};
        s.cmdSearch->click();

        QCOMPARE(fake->messages.first().text, QStringLiteral("Category Not Found : Would You Like To Add ? "));
        QCOMPARE(fake->messages.first().title, inventory);
        QCOMPARE(fake->messages.first().buttons, ui::Buttons::YesNo);
        if (answer == ui::Answer::Yes) {
            QCOMPARE(fake->messageTexts().mid(1), QStringList{"Category Added "});
            QCOMPARE(storedParent(QStringLiteral("Gutters")), root);
            // The reload is the search for the added name.
            QCOMPARE(s.ListMode, QStringLiteral("Searched"));
            QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"Gutters"});
        } else {
            QCOMPARE(fake->messages.size(), 1);
            QCOMPARE(storedNames(), QStringList{"Root"});
            QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"Root"});
        }
    }

    void refusedAddFromSearchAsksOnce()
    {
        // An empty table and an empty name: the search finds nothing, the add
        // is refused, and its reload must not offer the add again.
        FrmCategory& s = open(QStringLiteral("A"));
        fake->answers = {ui::Answer::Yes};
        s.cmdSearch->click();
        QCOMPARE(fake->messageTexts(), (QStringList{"Category Not Found : Would You Like To Add ? ", "Empty Data",
                                                    "Please enter Valid Data"}));
        QVERIFY(storedNames().isEmpty());
    }

    void doubleClickLoadsTheRow_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("turnedMode");
        QTest::addColumn<bool>("boxesEnabled");
        QTest::addColumn<QString>("parentShown");
        // clang-format off
        QTest::newRow("add") << "A" << "Child" << "AE" << false << "Root";
        QTest::newRow("delete") << "D" << "Child" << "DE" << false << "Root";
        QTest::newRow("select") << "S" << "Child" << "S" << true << "Root";
        QTest::newRow("orphan") << "A" << "Orphan" << "AE" << false << noParent;
        // clang-format on
    }
    void doubleClickLoadsTheRow()
    {
        QFETCH(QString, mode);
        QFETCH(QString, row);
        QFETCH(QString, turnedMode);
        QFETCH(bool, boxesEnabled);
        QFETCH(QString, parentShown);
        const int root = addCategory(db, QStringLiteral("Root"));
        addCategory(db, QStringLiteral("Alpha"));
        addCategory(db, QStringLiteral("Beta"));
        addCategory(db, QStringLiteral("Child"), root);
        addCategory(db, QStringLiteral("Orphan"), 999);
        FrmCategory& s = open(mode);
        bool handedBack = false;
        s.HandBack = [&](int, const QString&) { handedBack = true; };
        s.cmbParent->setListIndex(comboTexts(s.cmbParent).indexOf(QStringLiteral("Beta")));

        // From a search listing of that one row.
        s.txtCatName->setText(row);
        s.cmdSearch->click();
        QCOMPARE(s.ListView1->rowCount(), 1);
        doubleClickRow(s.ListView1, 0);

        QCOMPARE(s.AddOrDelete, turnedMode);
        QCOMPARE(s.txtCatName->text(), row);
        QCOMPARE(s.txtCatName->isEnabled(), boxesEnabled);
        QCOMPARE(s.cmbParent->isEnabled(), boxesEnabled);
        QCOMPARE(s.cmbParent->currentText(), parentShown);
        // Back to the full listing, the double-clicked row still selected.
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(s.ListView1->rowCount(), 5);
        QCOMPARE(s.selectedSubItem(1), row);
        QVERIFY(s.isLoaded());
        QVERIFY(!handedBack);
        QVERIFY(!ui::form<FrmCatMast>().isLoaded());
        QVERIFY(fake->messages.isEmpty());

        if (mode == QLatin1String("A")) {
            // Add after viewing a row only returns to adding.
            s.cmdAdd->click();
            QCOMPARE(s.AddOrDelete, QStringLiteral("A"));
            QVERIFY(s.txtCatName->isEnabled());
            QVERIFY(s.cmbParent->isEnabled());
            QCOMPARE(storedNames().size(), 5);
            QVERIFY(fake->messages.isEmpty());
        }
    }

    void pickerHandsBackToTheItemDialog()
    {
        // With no category at load the item dialog shows the name box and
        // its choose button; a category added since can be picked.
        masters::FrmItemMast& item = ui::form<masters::FrmItemMast>();
        item.show();
        QVERIFY(!item.HasCategories);
        const int tiles = addCategory(db, QStringLiteral("Tiles"));
        addCategory(db, QStringLiteral("Bricks"));

        bool ran = false;
        bool strayPicker = false;
        whenListShown(
            QStringLiteral("frmCategory"),
            [&](QWidget* w) {
                ran = true;
                auto* lv = w->findChild<ui::ListView*>(QStringLiteral("ListView1"));
                auto* select = w->findChild<QPushButton*>(QStringLiteral("CmdSelect"));
                QVERIFY(lv && select);
                QCOMPARE(w->windowTitle(), QStringLiteral("Select Category"));
                QVERIFY(select->isVisible());
                const int row = rowNamed(lv, QStringLiteral("Tiles"));
                // A double-click only loads the row; Select hands it back.
                doubleClickRow(lv, row);
                QVERIFY(w->isVisible());
                select->click();
                QVERIFY(!visibleWindow(QStringLiteral("frmCategory")));
            },
            strayPicker);
        item.CmdSelCat->click();
        QVERIFY(ran);
        QVERIFY(!strayPicker);
        QCOMPARE(item.Item.CategoryId, tiles);
        QCOMPARE(item.txtCatName->text(), QStringLiteral("Tiles"));
        // The main menu's instance was not involved.
        QVERIFY(!ui::form<FrmCategory>().isLoaded());
    }

    void pickerClosedWithoutAChoice()
    {
        addCategory(db, QStringLiteral("Tiles"));
        bool called = false;
        bool strayPicker = false;
        whenListShown(
            QStringLiteral("frmCategory"),
            [&](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click(); }, strayPicker);
        FrmCategory::pickCategory([&](int, const QString&) { called = true; });
        QVERIFY(!called);
        QVERIFY(!strayPicker);
    }

    void addFromTheItemDialog()
    {
        masters::FrmItemMast& item = ui::form<masters::FrmItemMast>();
        item.show();
        QVERIFY(!item.HasCategories);
        bool strayPicker = false;
        whenListShown(
            QStringLiteral("frmCategory"),
            [&](QWidget* w) {
                QCOMPARE(w->windowTitle(), QStringLiteral("Add Category"));
                w->findChild<ui::TextBox*>(QStringLiteral("txtCatName"))->setText(QStringLiteral("Tiles"));
                w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
                w->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
            },
            strayPicker);
        item.cmdAddCat->click();
        QVERIFY(!strayPicker);
        QCOMPARE(fake->messageTexts(), QStringList{"Category Added "});
        QVERIFY(item.HasCategories);
        QCOMPARE(item.CmbCat->currentText(), QStringLiteral("Tiles"));
    }

    void helpButtonsSpeak_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("search help") << "cmdHelp2" << "Enter the name you want to search in the 'Category name' box here and press " "the 'Search' button.";
        QTest::newRow("screen help") << "cmdMainHelp" << "To enter a category, you only need to give the category name. You can create the multiple level of " "hierarchy for the categories. You will need to select the 'Parent category' under which you want " "your category to appear. \r\n\r\n This screen also shows list of all the categories in a table. The " "first column shows category name, second column shows number of items belonging to that category and " "third column shows the parent category name (if any). The table can be sorted by clicking on the " "column header row.";
        // clang-format on
    }
    void helpButtonsSpeak()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        for (const QString& mode : {QStringLiteral("D"), QStringLiteral("AE")}) {
            FrmCategory& s = open(mode);
            auto* b = s.window()->findChild<QAbstractButton*>(button);
            QVERIFY(b);
            b->click();
            const QStringList& requests = shell::frmMainMenu().Merlin().requests();
            QVERIFY(requests.size() >= 2);
            QCOMPARE(requests.mid(requests.size() - 2), (QStringList{"Show", "Speak " + text}));
            s.unload();
        }
    }
};

QTEST_MAIN(TestFrmCategory)
#include "tst_frmcategory.moc"
