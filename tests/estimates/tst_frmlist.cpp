#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "data/recordset.h"
#include "estimates/frmlist.h"
#include "estimates/frmorder.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

using estimates::FrmList;
using estimates::FrmOrder;

using screentest::rowCells;

namespace {

const QString pickerTitle = QStringLiteral("Items List");
const QString inventory = QStringLiteral("Inventory");

// The tree, depth first, one "key|text|level" line per node (the root is
// level 0). Each category is opened on the way, as the user would open it,
// since its items are read when it opens.
QStringList treeLines(QTreeWidget* tree)
{
    QStringList out;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* n, int level) {
        n->setExpanded(true);
        out << QStringLiteral("%1|%2|%3").arg(FrmList::nodeKey(n), n->text(0)).arg(level);
        for (int i = 0; i < n->childCount(); ++i)
            walk(n->child(i), level + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i), 0);
    return out;
}

}  // namespace

class TestFrmList : public ScreenTest {
    Q_OBJECT

    void exec(const QString& sql, const data::Params& params = {}) { db.execute(sql, params); }

    void addCategory(int id, const char* name, const data::DbValue& parent)
    {
        seed::addCategory(db, id, QString::fromUtf8(name), parent);
    }
    // Item `id`, numbered 100 + id, without sub-labour or equipment costs.
    void addItem(int id, const char* name, int category, int unit, double material, double labor, double qty)
    {
        seed::addItem(db, {.key = id,
                           .code = QString::number(100 + id),
                           .name = name,
                           .category = category,
                           .unit = unit,
                           .material = material,
                           .labor = labor,
                           .qty = qty,
                           .tu = "",
                           .subLabor = 0,
                           .equipment = 0});
    }

    FrmOrder& openEstimate()
    {
        FrmOrder& f = estimates::frmOrder();
        f.setAddOrDelete(QStringLiteral("A"));
        f.show();
        return f;
    }
    // The picker, opened from the estimate screen as the user does.
    FrmList& openPicker(FrmOrder& order)
    {
        order.cmdItemList->click();
        FrmList& l = estimates::frmList();
        return l;
    }
    void pick(FrmList& l, const QString& key)
    {
        QTreeWidgetItem* n = l.node(key);
        QVERIFY2(n, qPrintable(key));
        l.TreeCategory->setCurrentItem(n);
        l.TreeCategory_DblClick();
    }
    void pickRoom(FrmList& l, int roomKey) { QVERIFY(l.cmbRooms->selectByData(roomKey)); }

private slots:
    void init()
    {
        initScreenTest();

        exec(QStringLiteral("Insert into Rooms (Id, Name) values (1, 'Bathroom'), (2, 'Kitchen'), (3, 'Living Room')"));
        exec(QStringLiteral("Insert into Units (Id, Name) values (1, 'Each'), (2, 'LF'), (3, 'SF')"));

        const data::DbValue null;
        addCategory(1, "Interior", 0);
        addCategory(10, "Doors", 0);  // its key starts with 1's
        addCategory(2, "Kitchen", 1);
        addCategory(3, "Cabinets", 2);
        addCategory(4, "Hardware", 3);  // fourth level
        addCategory(5, "Knobs", 4);     // fifth level
        addCategory(6, "Lost", 99);     // its parent is gone
        addCategory(7, "Attic", null);  // no parent at all
        addCategory(8, "Loop A", 9);    // 8 and 9 are each other's parents
        addCategory(9, "Loop B", 8);
        addCategory(11, "Under loop", 9);
        addCategory(13, "Self", 13);
        addCategory(14, "Empty", 0);

        addItem(1, "Wall paint", 1, 1, 30, 10, 3);
        addItem(2, "Ceiling paint", 1, 1, 25, 12, 2);
        addItem(3, "Oak door", 10, 1, 150, 60, 1);
        addItem(4, "Base cabinet", 3, 1, 100, 20, 2);
        addItem(5, "Drawer pull", 4, 1, 3.5, 1, 12);
        addItem(6, "Brass knob", 5, 1, 4.25, 0.5, 8);
        addItem(7, "Spare part", 6, 1, 1, 1, 1);
        addItem(8, "Loop item", 9, 1, 1, 1, 1);
        addItem(9, "No unit item", 1, 99, 1, 1, 1);  // its unit is gone
        addItem(10, "Ghost item", 77, 1, 1, 1, 1);   // its category is gone
        addItem(11, "Skylight", 7, 3, 400, 150, 1);
        addItem(12, "Sink", 2, 1, 85.25, 45, 1);
    }

    // Keys, texts and levels: the top level by name; under a category its
    // items by name, then its sub-categories; every depth reachable;
    // categories without a parent row, and one of each loop, at the top.
    void treeOfCategoriesAndItems()
    {
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        QVERIFY(l.isVisible());
        QCOMPARE(l.caption(), QStringLiteral("Items List"));
        QCOMPARE(
            treeLines(l.TreeCategory),
            (QStringList{
                "R|Categories|0",     "C7|Attic|1",      "I11|Skylight|2",     "C10|Doors|1",     "I3|Oak door|2",
                "C14|Empty|1",        "C1|Interior|1",   "I2|Ceiling paint|2", "I1|Wall paint|2", "C1_2|Kitchen|2",
                "I12|Sink|3",         "C2_3|Cabinets|3", "I4|Base cabinet|4",  "C3_4|Hardware|4", "I5|Drawer pull|5",
                "C4_5|Knobs|5",       "I6|Brass knob|6", "C8|Loop A|1",        "C1_9|Loop B|2",   "I8|Loop item|3",
                "C2_11|Under loop|3", "C6|Lost|1",       "I7|Spare part|2",    "C13|Self|1",
            }));
        QVERIFY(l.TreeCategory->topLevelItem(0)->isExpanded());
        QCOMPARE(fake->messages.size(), 0);
    }

    // The tree comes from a fixed number of statements, whatever the number
    // of categories and items: not one or two per category.
    void treeFromAFixedNumberOfQueries()
    {
        FrmOrder& order = openEstimate();
        const auto statementsToOpen = [&] {
            int count = 0;
            db.setStatementObserver([&count](const QString&, const QString&) { ++count; });
            FrmList& l = openPicker(order);
            db.setStatementObserver({});
            const int nodes = int(treeLines(l.TreeCategory).size());
            l.cmdExit->click();
            return std::make_pair(count, nodes);
        };
        const auto [few, fewNodes] = statementsToOpen();
        for (int i = 0; i < 40; ++i) {
            addCategory(100 + i, "More", i % 2 ? 100 + i - 1 : 1);
            addItem(100 + i, "More item", 100 + i, 1, 1, 1, 1);
        }
        const auto [many, manyNodes] = statementsToOpen();
        QCOMPARE(manyNodes, fewNodes + 80);
        QCOMPARE(many, few);
        QVERIFY2(few <= 12, qPrintable(QString::number(few)));
    }

    // A category's items are read when it opens, not with the tree: ten
    // thousand of them come in name order under their category, before its
    // sub-categories, once however often it opens, and can be picked.
    void aCategoryOfTenThousandItems()
    {
        // In one statement: ten thousand, every fifth in another unit.
        db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
                                  "INSERT INTO Item (ItemId, ItemCode, ItemName, CategoryID, UnitId, Material, Labor, "
                                  "Qty, TU, SubLabor, Equipment) SELECT 1000 + i, 1100 + i, "
                                  "'Door ' || ((i * 7919) % 10007), 1, CASE WHEN i % 5 THEN 1 ELSE 2 END, 1, 1, 1, '', "
                                  "0, 0 FROM n"));
        addItem(20000, "Door without unit", 1, 99, 1, 1, 1);
        FrmOrder& order = openEstimate();
        QStringList statements;
        db.setStatementObserver([&statements](const QString& sql, const QString&) { statements << sql; });
        FrmList& l = openPicker(order);
        db.setStatementObserver({});
        for (const QString& sql : statements)
            QVERIFY2(!sql.contains(QLatin1String("ItemName"), Qt::CaseInsensitive), qPrintable(sql));

        QTreeWidgetItem* interior = l.node(QStringLiteral("C1"));
        QVERIFY(interior);
        QCOMPARE(interior->childCount(), 1);  // Kitchen, its sub-category
        QCOMPARE(interior->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        interior->setExpanded(true);
        QStringList want;
        data::Recordset rs = db.query(QStringLiteral("Select ItemId, ItemName from Item where CategoryID = 1 and "
                                                     "UnitId in (Select Id from Units) order by ItemName, ItemId"));
        for (; !rs.eof(); rs.moveNext())
            want << QStringLiteral("I%1|%2").arg(rs.value(0).toInt()).arg(rs.value(1).toText());
        QCOMPARE(want.size(), 10002);  // and the two paints
        const auto children = [&] {
            QStringList out;
            for (int i = 0; i < interior->childCount(); ++i)
                out << FrmList::nodeKey(interior->child(i)) + QLatin1Char('|') + interior->child(i)->text(0);
            return out;
        };
        QCOMPARE(children(), want + QStringList{"C1_2|Kitchen"});
        interior->setExpanded(false);
        interior->setExpanded(true);
        QCOMPARE(interior->childCount(), 10003);

        l.TreeCategory->setCurrentItem(interior->child(10001));
        l.TreeCategory_DblClick();
        QCOMPARE(l.ListView1->rowCount(), 1);
        QCOMPARE(l.ListView1->subItem(0, FrmList::ColItemName), want.last().section(QLatin1Char('|'), 1));
    }

    // Each opening reads the tree afresh; an empty master shows the root alone.
    void treeIsReadAtEachOpening()
    {
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        l.cmdExit->click();
        QVERIFY(!l.isLoaded());
        exec(QStringLiteral("Delete from Item"));
        exec(QStringLiteral("Delete from Category where CatId <> 10"));
        openPicker(order);
        QCOMPARE(treeLines(l.TreeCategory), (QStringList{"R|Categories|0", "C10|Doors|1"}));
        l.cmdExit->click();
        exec(QStringLiteral("Delete from Category"));
        openPicker(order);
        QCOMPARE(treeLines(l.TreeCategory), QStringList{"R|Categories|0"});
    }

    // Rows picked under different takeoff names, one removed, the rest
    // replayed into the open estimate through its Add: each line takes the
    // item's master figures and its own unit, whatever unit the screen
    // shows; the second pick of the same item and takeoff name is refused
    // by the estimate screen.
    void pickAndAddToEstimate()
    {
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        QCOMPARE(l.cmbRooms->text(), QStringLiteral("Bathroom"));
        QStringList headers;
        for (int c = 0; c < l.ListView1->columnCount(); ++c)
            headers << l.ListView1->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"ID", "Takeoff Name", "Item #", "Item Name", "Category", "Quantity", "Unit",
                                       "Material", "Labor", "Room Id"}));
        QVERIFY(l.ListView1->isColumnHidden(FrmList::ColItemId));
        QVERIFY(l.ListView1->isColumnHidden(FrmList::ColRoomId));

        // Categories and the root pick nothing.
        pick(l, QStringLiteral("R"));
        pick(l, QStringLiteral("C1"));
        pick(l, QStringLiteral("C2_3"));
        QCOMPARE(l.ListView1->rowCount(), 0);

        // A real double-click on an item picks it (the view takes a double
        // click only after a click on the same item).
        QTreeWidgetItem* oak = l.node(QStringLiteral("I3"));
        l.TreeCategory->scrollToItem(oak);
        QVERIFY(QTest::qWaitForWindowExposed(l.window()));
        const QPoint at = l.TreeCategory->visualItemRect(oak).center();
        QTest::mouseClick(l.TreeCategory->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l.TreeCategory->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(l.ListView1->rowCount(), 1);

        pickRoom(l, 2);
        pick(l, QStringLiteral("I4"));
        pick(l, QStringLiteral("I4"));  // no duplicate test here
        pickRoom(l, 3);
        pick(l, QStringLiteral("I11"));
        pick(l, QStringLiteral("I6"));
        QCOMPARE(l.ListView1->rowCount(), 5);
        QCOMPARE(rowCells(l.ListView1, 0),
                 (QStringList{"3", "Bathroom", "103", "Oak door", "Doors", "1", "Each", "150", "60", "1"}));
        QCOMPARE(rowCells(l.ListView1, 1),
                 (QStringList{"4", "Kitchen", "104", "Base cabinet", "Cabinets", "2", "Each", "100", "20", "2"}));
        QCOMPARE(rowCells(l.ListView1, 3),
                 (QStringList{"11", "Living Room", "111", "Skylight", "Attic", "1", "SF", "400", "150", "3"}));
        QCOMPARE(rowCells(l.ListView1, 4),
                 (QStringList{"6", "Living Room", "106", "Brass knob", "Knobs", "8", "Each", "4.25", "0.5", "3"}));

        // Deleting asks by item number; No keeps the row.
        l.ListView1->setSelectedRow(3);
        fake->answers = {ui::Answer::No};
        l.cmdDelete->click();
        QCOMPARE(l.ListView1->rowCount(), 5);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Do you want to delete item '111'?"));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Delete Item from the List"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::YesNo);
        fake->answers = {ui::Answer::Yes};
        l.cmdDelete->click();
        QCOMPARE(l.ListView1->rowCount(), 4);
        QCOMPARE(l.ListView1->text(3), QStringLiteral("6"));
        fake->messages.clear();

        // The screen's unit is not what the lines take.
        QVERIFY(order.cmbUnits->selectByData(3));
        l.cmdAddEstimate->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Item already added "});
        QCOMPARE(fake->messages[0].title, inventory);
        QVERIFY(!l.isLoaded());
        QVERIFY(order.isVisible());

        QCOMPARE(order.ListView1->rowCount(), 3);
        const auto line = [&](int row) {
            QStringList cells{order.ListView1->text(row)};
            for (int c = 1; c < order.ListView1->columnCount(); ++c)
                cells << order.ListView1->subItem(row, c);
            return cells;
        };
        QCOMPARE(line(0),
                 (QStringList{"3", "Bathroom", "1", "Each", "Oak door", "150", "60", "0", "0", "210", "1", "1"}));
        QCOMPARE(line(1),
                 (QStringList{"4", "Kitchen", "2", "Each", "Base cabinet", "200", "20", "0", "0", "220", "2", "1"}));
        QCOMPARE(line(2),
                 (QStringList{"6", "Living Room", "8", "Each", "Brass knob", "34", "0.5", "0", "0", "34.5", "3", "1"}));
        QCOMPARE(order.Order().ColnOrderItems().Count(), 3);
        QCOMPARE(order.TxtAmount->text(), QStringLiteral("464.5"));
    }

    // Each picked item comes in under its own unit, in the line and its
    // row; an item whose unit the screen does not list
    // takes the screen's unit. The same item twice under one takeoff name
    // is still refused.
    void pickedItemsKeepTheirUnit()
    {
        addItem(21, "Primer", 1, 4, 18, 0, 2);
        FrmOrder& order = openEstimate();
        // Its unit is made after the estimate screen filled its lists.
        exec(QStringLiteral("Insert into Units (Id, Name) values (4, 'GAL')"));
        FrmList& l = openPicker(order);
        pickRoom(l, 2);
        for (const char* key : {"I11", "I1", "I21", "I11"})
            pick(l, QString::fromLatin1(key));
        QCOMPARE(l.ListView1->subItem(2, 6), QStringLiteral("GAL"));

        QVERIFY(order.cmbUnits->selectByData(2));  // LF on the screen
        l.cmdAddEstimate->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Item already added "});
        QCOMPARE(order.ListView1->rowCount(), 3);
        const QList<QStringList> want{{"11", "SF", "3"}, {"1", "Each", "1"}, {"21", "LF", "2"}};
        for (int r = 0; r < 3; ++r) {
            const QStringList cells = rowCells(order.ListView1, r);
            QCOMPARE((QStringList{cells[FrmOrder::ColItemId], cells[FrmOrder::ColUnit], cells[FrmOrder::ColUnitId]}),
                     want[r]);
            QCOMPARE(order.Order().ColnOrderItems().Item(r + 1).mvarUnitId, want[r][2].toInt());
        }
    }

    // Enter on the tree is its double-click; every pick shows in the list;
    // Escape is Exit.
    void theKeyboardPicksAndLeaves()
    {
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        l.window()->resize(1000, 400);
        QTreeWidgetItem* category = l.node(QStringLiteral("C1"));
        l.TreeCategory->setCurrentItem(category);
        const bool expanded = category->isExpanded();
        QTest::keyClick(l.TreeCategory, Qt::Key_Return);
        QCOMPARE(category->isExpanded(), !expanded);
        QCOMPARE(l.ListView1->rowCount(), 0);

        l.TreeCategory->setCurrentItem(l.node(QStringLiteral("I3")));
        for (int i = 1; i <= 25; ++i) {
            QTest::keyClick(l.TreeCategory, i % 2 ? Qt::Key_Return : Qt::Key_Enter,
                            i % 2 ? Qt::NoModifier : Qt::KeypadModifier);
            QCOMPARE(l.ListView1->rowCount(), i);
            QCoreApplication::processEvents();
            const QRect shown = l.ListView1->visualItemRect(l.ListView1->topLevelItem(i - 1));
            QVERIFY2(l.ListView1->viewport()->rect().contains(shown), qPrintable(QString::number(i)));
        }
        QCOMPARE(l.ListView1->text(24), QStringLiteral("3"));

        QTest::keyClick(l.TreeCategory, Qt::Key_Escape);
        QVERIFY(!l.isLoaded());
        QCOMPARE(order.ListView1->rowCount(), 0);
        QVERIFY(fake->messages.isEmpty());
    }

    // A row whose item or takeoff name the estimate screen does not list is
    // refused with a message; it is never added as whatever the screen has
    // selected. The other rows go in.
    void rowsTheScreenDoesNotListAreRefused()
    {
        FrmOrder& order = openEstimate();
        // Made after the estimate screen filled its lists.
        addItem(20, "New window", 10, 1, 300, 90, 1);
        exec(QStringLiteral("Insert into Rooms (Id, Name) values (4, 'Garage')"));
        FrmList& l = openPicker(order);
        pick(l, QStringLiteral("I20"));
        pickRoom(l, 4);
        pick(l, QStringLiteral("I3"));
        pickRoom(l, 1);
        pick(l, QStringLiteral("I3"));
        QCOMPARE(l.ListView1->rowCount(), 3);

        QVERIFY(order.cmbItems->selectByData(12));  // Sink, not picked
        l.cmdAddEstimate->click();
        QCOMPARE(fake->messageTexts(),
                 (QStringList{"Item 'New window' is not in the estimate screen's item list, so it was not added.",
                              "Takeoff Name 'Garage' is not in the estimate screen's list, so item 'Oak door' was "
                              "not added."}));
        QCOMPARE(fake->messages[0].title, pickerTitle);
        QCOMPARE(fake->messages[1].title, pickerTitle);
        QCOMPARE(order.ListView1->rowCount(), 1);
        QCOMPARE(order.ListView1->text(0), QStringLiteral("3"));
        QCOMPARE(order.ListView1->subItem(0, FrmOrder::ColRoom), QStringLiteral("Bathroom"));
        QVERIFY(!l.isLoaded());
    }

    // A line open for editing is closed first (as Cancel does), so neither
    // the replay nor a later Apply writes over it.
    void pickerEndsAnOpenEdit()
    {
        FrmOrder& order = openEstimate();
        QVERIFY(order.cmbRooms->selectByData(2));
        QVERIFY(order.cmbItems->selectByData(12));
        order.TxtQty->setText(QStringLiteral("2"));
        order.cmdAdd->click();
        QCOMPARE(order.ListView1->rowCount(), 1);
        const QString sinkTotal = order.ListView1->subItem(0, FrmOrder::ColTotal);
        order.ListView1->setSelectedRow(0);
        order.CmdEdit->click();
        QVERIFY(order.isEditingLine());

        FrmList& l = openPicker(order);
        pick(l, QStringLiteral("I3"));
        l.cmdAddEstimate->click();
        QCOMPARE(fake->messages.size(), 0);
        QVERIFY(!order.isEditingLine());
        QVERIFY(order.cmdAdd->isVisible());
        QVERIFY(!order.cmdEditApply->isVisible());

        order.cmdEditApply_Click();
        QCOMPARE(order.ListView1->rowCount(), 2);
        QCOMPARE(order.ListView1->text(0), QStringLiteral("12"));
        QCOMPARE(order.ListView1->subItem(0, FrmOrder::ColQty), QStringLiteral("2"));
        QCOMPARE(order.ListView1->subItem(0, FrmOrder::ColTotal), sinkTotal);
        QCOMPARE(order.ListView1->text(1), QStringLiteral("3"));
        QCOMPARE(order.Order().ColnOrderItems().Count(), 2);
        QCOMPARE(order.Order().ColnOrderItems().Item(1).itemKey(), 12);
    }

    // Exit, or an estimate screen that cannot take lines, adds nothing.
    void nothingAddedWithoutAnOpenEstimate()
    {
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        pick(l, QStringLiteral("I3"));
        l.cmdExit->click();
        QVERIFY(!l.isLoaded());
        QCOMPARE(order.ListView1->rowCount(), 0);
        // The pick list went with the window.
        openPicker(order);
        QCOMPARE(l.ListView1->rowCount(), 0);

        pick(l, QStringLiteral("I3"));
        fake->answers = {ui::Answer::Yes};
        order.CmdCancel->click();
        QVERIFY(!order.isLoaded());
        fake->messages.clear();
        l.cmdAddEstimate->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Please open the estimate to add these items to first."});
        QVERIFY(l.isLoaded());
        QCOMPARE(l.ListView1->rowCount(), 1);
        QVERIFY(!order.isLoaded());
    }

    // A cost book's item keys go past 16 bits; such an item is picked and
    // added like any other.
    void itemWithALargeKey()
    {
        addItem(40000, "Gutter", 10, 1, 12, 3, 2);
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        pick(l, QStringLiteral("I40000"));
        QCOMPARE(rowCells(l.ListView1, 0),
                 (QStringList{"40000", "Bathroom", "40100", "Gutter", "Doors", "2", "Each", "12", "3", "1"}));
        l.cmdAddEstimate->click();
        QCOMPARE(order.ListView1->rowCount(), 1);
        QCOMPARE(order.ListView1->text(0), QStringLiteral("40000"));
        QCOMPARE(order.ListView1->subItem(0, FrmOrder::ColItemName), QStringLiteral("Gutter"));
    }

    // Without takeoff names nothing can be picked; the picker says why.
    void noTakeoffNames()
    {
        exec(QStringLiteral("Delete from Rooms"));
        FrmOrder& order = openEstimate();
        FrmList& l = openPicker(order);
        QCOMPARE(l.cmbRooms->listCount(), 0);
        pick(l, QStringLiteral("I3"));
        QCOMPARE(l.ListView1->rowCount(), 0);
        QCOMPARE(fake->messageTexts(),
                 QStringList{"Please add a Takeoff Name first: every item is picked for a takeoff name."});
    }
};

QTEST_MAIN(TestFrmList)
#include "tst_frmlist.moc"
