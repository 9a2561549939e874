#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "masters/clsitem.h"
#include "shell/mainmenu.h"

#include <QTest>
#include <optional>

using masters::ClsItem;
using seed::addCategory;
using seed::addUnit;
using sqltest::column;

namespace {

QList<qint64> keys(const std::optional<data::RowArray>& rows)
{
    QList<qint64> out;
    if (rows)
        for (int r = 0; r < rows->rowCount(); ++r)
            out << rows->at(0, r).toInt64();
    return out;
}

// The full list, a search that keeps most items, and one that keeps few.
enum class Getter { All, Search, NarrowSearch };

}  // namespace

class TstClsItem : public ScreenTest {
    Q_OBJECT
    int cat_ = 0;
    int unit_ = 0;

    // An item in the Plumbing category and unit ea unless others are given.
    int addItem(const QString& code, const QString& name, int cat = -1, int unit = -1, double material = 1,
                double qty = 1, const data::DbValue& tu = QString())
    {
        return seed::addItem(db, code, name, cat < 0 ? cat_ : cat, unit < 0 ? unit_ : unit, material, qty, tu);
    }
    QStringList messages() const { return fake->messageTexts(); }

private slots:
    void init()
    {
        initScreenTest();
        cat_ = addCategory(db, QStringLiteral("Plumbing"));
        unit_ = addUnit(db, QStringLiteral("ea"));
    }

    void pagesByTheRowsPerPageItWasGiven()
    {
        ClsItem item(7);
        QCOMPARE(item.PageSize, 7);
        QCOMPARE(ClsItem().PageSize, 15);
    }

    void validateStopsAtFirstFailure_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("category");
        QTest::addColumn<double>("material");
        QTest::addColumn<double>("qty");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("all empty") << "" << "" << 0 << 0.0 << 0.0 << "Enter Item #";
        QTest::newRow("no description") << "7" << "" << 0 << 0.0 << 0.0 << "Enter Item Description";
        QTest::newRow("no category") << "7" << "Pipe" << 0 << 0.0 << 0.0 << "Please select category";
        QTest::newRow("no material") << "7" << "Pipe" << 1 << 0.0 << 0.0 << "Enter Material Cost";
        QTest::newRow("no quantity") << "7" << "Pipe" << 1 << 2.5 << 0.0 << "Enter Default Quantity";
        QTest::newRow("negative passes") << "7" << "Pipe" << 1 << -5.0 << -1.0 << "";
        QTest::newRow("tiny is not zero") << "7" << "Pipe" << 1 << 1e-9 << 1e-9 << "";
        // clang-format on
    }
    void validateStopsAtFirstFailure()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(int, category);
        QFETCH(double, material);
        QFETCH(double, qty);
        QFETCH(QString, message);
        ClsItem item;
        item.AddEditDel = QStringLiteral("A");
        item.Itemcode = code;
        item.Itemname = name;
        item.CategoryId = category;
        item.Material = material;
        item.qty = qty;
        QCOMPARE(item.Validate(), message.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(fake->messages.isEmpty());
        } else {
            QCOMPARE(fake->messages.size(), 1);
            QCOMPARE(fake->messages[0].text, message);
            QCOMPARE(fake->messages[0].title, QStringLiteral("Item Details"));
            QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
        }
    }

    void duplicateTestIgnoresItemNumber()
    {
        addItem(QStringLiteral("100"), QStringLiteral("Copper Pipe"), cat_, unit_, 12.5, 3);
        ClsItem item;
        item.Itemcode = QStringLiteral("200");
        item.Itemname = QStringLiteral("copper pipe");  // text compares without regard to case
        item.CategoryId = cat_;
        item.Material = 12.5;
        item.qty = 3;

        item.AddEditDel = QStringLiteral("A");
        QVERIFY(!item.Validate());
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Duplicate Item Data "));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));

        item.AddEditDel = QStringLiteral("E");
        QVERIFY(item.Validate());
        item.AddEditDel = QStringLiteral("A");
        item.qty = 4;
        QVERIFY(item.Validate());
        QCOMPARE(fake->messages.size(), 1);
    }

    void saveInsertsUpdatesAndDeletes()
    {
        const int other = addCategory(db, QStringLiteral("Electrical"));
        ClsItem item;
        item.AddEditDel = QStringLiteral("A");
        item.Itemcode = QStringLiteral("12");
        item.Itemname = QStringLiteral("O'Brien's 2\" pipe");
        item.CategoryId = cat_;
        item.UnitId = unit_;
        item.Material = 1.1;
        item.Labor = 2.25;
        item.SubLabor = 3;
        item.Equipment = 0.1 + 0.2;
        item.qty = 7;
        item.TU = QStringLiteral("ft");
        QVERIFY(item.Save());
        const int key = item.itemid;
        QVERIFY(key > 0);

        ClsItem back;
        back.itemid = key;
        QVERIFY(back.GetItem());
        QCOMPARE(back.Itemcode, QStringLiteral("12"));
        QCOMPARE(back.Itemname, QStringLiteral("O'Brien's 2\" pipe"));
        QCOMPARE(back.CategoryId, cat_);
        QCOMPARE(back.UnitId, unit_);
        QCOMPARE(back.Material, 1.1);  // doubles, not singles: stored as typed
        QCOMPARE(back.Labor, 2.25);
        QCOMPARE(back.SubLabor, 3.0);
        QCOMPARE(back.Equipment, 0.1 + 0.2);
        QCOMPARE(back.qty, 7.0);
        QCOMPARE(back.TU, QStringLiteral("ft"));

        back.AddEditDel = QStringLiteral("E");
        back.Itemcode = QStringLiteral("12b");
        back.Itemname = QStringLiteral("Pipe");
        back.CategoryId = other;
        back.Material = 9;
        back.Labor = 8;
        back.SubLabor = 7;
        back.Equipment = 6;
        back.qty = 5;
        back.TU = QString();
        QVERIFY(back.Save());
        ClsItem again;
        again.itemid = key;
        QVERIFY(again.GetItem());
        QCOMPARE(QStringList({again.Itemcode, again.Itemname, again.TU}), QStringList({"12b", "Pipe", ""}));
        QCOMPARE(again.CategoryId, other);
        QCOMPARE(QList<double>({again.Material, again.Labor, again.SubLabor, again.Equipment, again.qty}),
                 QList<double>({9, 8, 7, 6, 5}));

        again.AddEditDel = QStringLiteral("E");
        again.Delete();  // only mode "D" deletes
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 1);
        again.AddEditDel = QStringLiteral("D");
        QVERIFY(!again.Save());  // and mode "D" saves nothing
        again.Delete();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 0);
        QVERIFY(fake->messages.isEmpty());
    }

    void updateOfMissingKeyWritesNothing()
    {
        ClsItem item;
        item.AddEditDel = QStringLiteral("E");
        item.itemid = 4242;
        item.Itemcode = QStringLiteral("1");
        QVERIFY(!item.Save());
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 0);
    }

    void getItemReadsNullsAsZeroAndEmpty()
    {
        sqltest::rawExec(data::databasePath(), "INSERT INTO Item (ItemId) VALUES (77)");
        ClsItem item;
        item.itemid = 77;
        item.Itemcode = QStringLiteral("old");
        item.Material = 5;
        QVERIFY(item.GetItem());
        QCOMPARE(QStringList({item.Itemcode, item.Itemname, item.TU}), QStringList({"", "", ""}));
        QCOMPARE(QList<int>({item.CategoryId, item.UnitId}), QList<int>({0, 0}));
        QCOMPARE(QList<double>({item.Material, item.Labor, item.SubLabor, item.Equipment, item.qty}),
                 QList<double>({0, 0, 0, 0, 0}));
    }

    void getItemOfMissingKeyChangesNothing()
    {
        ClsItem item;
        item.itemid = 5;
        item.Itemcode = QStringLiteral("keep");
        item.Material = 3;
        QVERIFY(!item.GetItem());
        QCOMPARE(item.Itemcode, QStringLiteral("keep"));
        QCOMPARE(item.Material, 3.0);
    }

    void nextItemNumber_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<double>("next");
        QTest::newRow("empty table") << QStringList() << 1.0;
        QTest::newRow("9 10 A1") << QStringList({"9", "10", "A1"}) << 11.0;
        QTest::newRow("none numeric") << QStringList({"A1", "B7"}) << 1.0;
        QTest::newRow("decimal") << QStringList({"2.5", "1"}) << 3.5;
        QTest::newRow("negative") << QStringList({"-4"}) << -3.0;
        QTest::newRow("number then text") << QStringList({"12abc", "3"}) << 4.0;
    }
    void nextItemNumber()
    {
        QFETCH(QStringList, codes);
        QFETCH(double, next);
        for (const QString& c : codes)
            addItem(c, QStringLiteral("x"));
        ClsItem item;
        QCOMPARE(item.Maxitemno(), next);
    }

    void itemNumbersSortByValueInFullListAndAsTextInSearch()
    {
        for (const char* c : {"10", "A1", "9", "2"})
            addItem(QString::fromLatin1(c), QStringLiteral("Pipe"));
        ClsItem item;
        int page = 1, pages = 0;
        QCOMPARE(column(item.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")), 5),
                 QStringList({"A1", "2", "9", "10"}));
        QCOMPARE(column(item.GetAllItemsN(page, pages, QStringLiteral("itemcode"), QStringLiteral("D")), 5),
                 QStringList({"10", "9", "2", "A1"}));
        item.SearchFld = QStringLiteral("All");
        item.SearchVal = QString();
        QCOMPARE(column(item.GetSearchItems(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")), 5),
                 QStringList({"10", "2", "9", "A1"}));
    }

    void listColumnsByPosition()
    {
        const int key = addItem(QStringLiteral("5"), QStringLiteral("Valve"), cat_, unit_, 2.5, 4);
        ClsItem item;
        int page = 1, pages = 0;
        const auto all = item.GetAllItemsN(page, pages, QStringLiteral("ItemName"), QStringLiteral("A"));
        QVERIFY(all);
        QCOMPARE(all->fieldCount(), 7);
        const QStringList expected{QString::number(key), "Valve", "Plumbing", "2.5", "4", "5", "ea"};
        QStringList got;
        for (int f = 0; f < 7; ++f)
            got << all->at(f, 0).toText();
        QCOMPARE(got, expected);

        item.SearchFld = QStringLiteral("ItemName");
        item.SearchVal = QStringLiteral("V");
        const auto found = item.GetSearchItems(page, pages, QStringLiteral("ItemName"), QStringLiteral("A"));
        QVERIFY(found);
        got.clear();
        for (int f = 0; f < 7; ++f)
            got << found->at(f, 0).toText();
        QCOMPARE(got, expected);
    }

    void emptyListLeavesCountsAsTheyWere()
    {
        ClsItem item;
        item.RecordCount = 88;
        int page = 3, pages = 77;
        QVERIFY(!item.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")));
        QCOMPARE(QList<int>({page, pages, item.RecordCount}), QList<int>({3, 77, 88}));
        item.SearchFld = QStringLiteral("All");
        item.SearchVal = QStringLiteral("nothing");
        addItem(QStringLiteral("1"), QStringLiteral("Pipe"));
        QVERIFY(!item.GetSearchItems(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")));
        QCOMPARE(QList<int>({page, pages, item.RecordCount}), QList<int>({3, 77, 88}));
    }

    void pagesOfFifteen_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("rows");
        QTest::newRow("first") << 1 << 1 << 15;
        QTest::newRow("last") << 2 << 2 << 1;
        QTest::newRow("past the end") << 5 << 2 << 1;
        QTest::newRow("zero") << 0 << 1 << 15;
        QTest::newRow("-1 where not allowed") << -1 << 1 << 15;
    }
    void pagesOfFifteen()
    {
        QFETCH(int, asked);
        QFETCH(int, used);
        QFETCH(int, rows);
        for (int i = 1; i <= 16; ++i)
            addItem(QString::number(i), QStringLiteral("Item %1").arg(i));
        ClsItem item;
        QCOMPARE(item.PageSize, 15);
        int page = asked, pages = 0;
        const auto got = item.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A"));
        QVERIFY(got);
        QCOMPARE(got->rowCount(), rows);
        QCOMPARE(page, used);
        QCOMPARE(pages, 2);
        QCOMPARE(item.RecordCount, 16);
        if (used == 2)
            QCOMPARE(got->at(5, 0).toText(), QStringLiteral("16"));
    }

    void deletingLastRowOfLastPageGivesNewLastPage()
    {
        int last = 0;
        for (int i = 1; i <= 16; ++i)
            last = addItem(QString::number(i), QStringLiteral("Item %1").arg(i));
        ClsItem list;
        int page = 2, pages = 0;
        QVERIFY(list.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")));
        ClsItem doomed;
        doomed.AddEditDel = QStringLiteral("D");
        doomed.itemid = last;
        doomed.Delete();
        const auto got = list.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A"));
        QVERIFY(got);
        QCOMPARE(page, 1);
        QCOMPARE(pages, 1);
        QCOMPARE(got->rowCount(), 15);
        QCOMPARE(list.RecordCount, 15);
    }

    void directionOtherThanExactlyAIsDescending_data()
    {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QStringList>("names");
        const QStringList up{"Alpha", "beta", "Gamma"};
        const QStringList down{"Gamma", "beta", "Alpha"};
        QTest::newRow("A") << "A" << up;
        QTest::newRow("a") << "a" << down;
        QTest::newRow("D") << "D" << down;
        QTest::newRow("empty") << "" << down;
        QTest::newRow("Asc") << "Asc" << down;
    }
    void directionOtherThanExactlyAIsDescending()
    {
        QFETCH(QString, direction);
        QFETCH(QStringList, names);
        for (const char* n : {"beta", "Gamma", "Alpha"})
            addItem(QStringLiteral("1"), QString::fromLatin1(n));
        ClsItem item;
        int page = 1, pages = 0;
        QCOMPARE(column(item.GetAllItemsN(page, pages, QStringLiteral("ItemName"), direction), 1), names);
        QCOMPARE(column(item.GetAllItems(page, pages, QStringLiteral("ItemName"), direction), 2), names);
    }

    // Pages read by keys, from either end and without the joins where
    // they change nothing, must agree with the one statement read whole.
    void pagesAgreeWithTheWholeStatement_data()
    {
        QTest::addColumn<int>("getter");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<bool>("orphan");
        for (bool orphan : {false, true})
            for (const char* s : {"ItemCode", "ItemName", "CatName", "Material", "Qty", "TU", "Name"}) {
                const QByteArray tag = QByteArray(s) + (orphan ? " with orphan" : "");
                // clang-format off
                QTest::newRow(tag.constData()) << int(Getter::All) << QString::fromLatin1(s) << orphan;
                QTest::newRow(("search " + tag).constData()) << int(Getter::Search) << QString::fromLatin1(s) << orphan;
                QTest::newRow(("narrow search " + tag).constData()) << int(Getter::NarrowSearch) << QString::fromLatin1(s) << orphan;
                // clang-format on
            }
    }
    void pagesAgreeWithTheWholeStatement()
    {
        QFETCH(int, getter);
        QFETCH(QString, sort);
        QFETCH(bool, orphan);
        const int same1 = addCategory(db, QStringLiteral("Same"));
        const int same2 = addCategory(db, QStringLiteral("same"));
        const int unit2 = addUnit(db, QStringLiteral("box"));
        const int cats[] = {cat_, same1, same2};
        const int units[] = {unit_, unit2};
        const char* names[] = {"Pipe", "pipe", "Board", "Pipe", "Nail"};
        const char* codes[] = {"9", "10", "A1", "a1", "10", "", "2.5", "x"};
        for (int i = 0; i < 47; ++i) {
            const data::DbValue tu = i % 5 == 0 ? data::DbValue() : data::DbValue(i % 2 ? "ea" : "EA");
            const int key = addItem(QString::fromLatin1(codes[i % 8]), QString::fromLatin1(names[i % 5]), cats[i % 3],
                                    units[i % 2], double(i % 4), double(i % 3), tu);
            if (i % 7 == 0)
                db.execute(QStringLiteral("UPDATE Item SET Material = NULL, ItemCode = NULL WHERE ItemId = ?"), {key});
        }
        if (orphan)
            addItem(QStringLiteral("5"), QStringLiteral("Pipe"), 999, unit_);

        const bool narrow = getter == int(Getter::NarrowSearch);
        ClsItem item;
        item.PageSize = 4;
        item.SearchFld = narrow ? QStringLiteral("ItemName") : QStringLiteral("All");
        item.SearchVal = narrow ? QStringLiteral("B") : QStringLiteral("P");
        for (const QString& direction : {QStringLiteral("A"), QStringLiteral("D")}) {
            const bool byValue = getter == int(Getter::All) && sort == QLatin1String("ItemCode");
            const QString d = direction == QLatin1String("A") ? QString() : QStringLiteral(" Desc");
            const QString order = byValue
                                      ? QStringLiteral("val(Item.ItemCode)%1, Item.ItemCode%1, Item.ItemID%1").arg(d)
                                      : QStringLiteral("%1%2, Item.ItemID%2").arg(sort, d);
            const QString filter = narrow ? QStringLiteral(" and ItemName like 'B%'")
                                   : getter == int(Getter::Search)
                                       ? QStringLiteral(" and (ItemName like 'P%' or CatName like 'P%')")
                                       : QString();
            const QList<qint64> whole = keys(std::optional<data::RowArray>(
                db.query(QStringLiteral("SELECT Item.ItemID FROM Item,Category,Units where Item.CategoryID = "
                                        "Category.CatId and Item.UnitId=Units.Id") +
                         filter + QStringLiteral(" order by ") + order)
                    .rows()));
            QVERIFY(whole.size() > 2 * item.PageSize);

            QList<qint64> paged;
            int pages = 0;
            for (int page = 1; page == 1 || page <= pages; ++page) {
                int asked = page;
                const auto rows = getter == int(Getter::All) ? item.GetAllItemsN(asked, pages, sort, direction)
                                                             : item.GetSearchItems(asked, pages, sort, direction);
                QVERIFY(pages > 2);
                QVERIFY(rows);
                QCOMPARE(asked, page);
                paged << keys(rows);
            }
            QCOMPARE(item.RecordCount, int(whole.size()));
            QCOMPARE(paged, whole);
        }
    }

    void listsFollowWritesElsewhere()
    {
        for (const char* c : {"3", "1", "2"})
            addItem(QString::fromLatin1(c), QStringLiteral("Pipe"));
        ClsItem list;
        int page = 1, pages = 0;
        QCOMPARE(column(list.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")), 5),
                 QStringList({"1", "2", "3"}));

        // Through another object of the program...
        ClsItem dialog;
        dialog.AddEditDel = QStringLiteral("A");
        dialog.Itemcode = QStringLiteral("1.5");
        dialog.Itemname = QStringLiteral("Pipe");
        dialog.CategoryId = cat_;
        dialog.UnitId = unit_;
        QVERIFY(dialog.Save());
        QCOMPARE(column(list.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")), 5),
                 QStringList({"1", "1.5", "2", "3"}));

        // ...and by another program, which also takes an item's unit away.
        sqltest::rawExec(data::databasePath(), "UPDATE Item SET UnitId = 999 WHERE ItemCode = '2'");
        QCOMPARE(column(list.GetAllItemsN(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A")), 5),
                 QStringList({"1", "1.5", "3"}));
        QCOMPARE(list.RecordCount, 3);
        QCOMPARE(column(list.GetAllItemsN(page, pages, QStringLiteral("Qty"), QStringLiteral("A")), 5).size(), 3);
    }

    // One list object lives through writes of every kind; after each, its
    // pages (every order, both directions, full list and searches) are
    // those of the plain statement on the database.
    void listsMendedAfterEachWriteAgreeWithTheDatabase_data()
    {
        QTest::addColumn<QString>("write");
        for (const char* w : {"insert", "edit", "delete", "category renamed", "category deleted", "unit deleted",
                              "many rows", "long texts written again and again", "another program", "rolled back"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void listsMendedAfterEachWriteAgreeWithTheDatabase()
    {
        QFETCH(QString, write);
        const int same = addCategory(db, QStringLiteral("same"));
        const int other = addCategory(db, QStringLiteral("Pantry"));
        const int box = addUnit(db, QStringLiteral("box"));
        const int cats[] = {cat_, same, other, 999};
        const char* names[] = {"Pipe", "pipe", "École", "école", "Plate", "Tar_x", "Board", "Nail"};
        const char* codes[] = {"9", "10", "A1", "a1", " 12", "1e2", "2.5", "x", "010"};
        for (int i = 0; i < 300; ++i) {
            const int key = addItem(QString::fromUtf8(codes[i % 9]), QString::fromUtf8(names[i % 8]),
                                    cats[i % 4 == 3 && i % 3 ? 0 : i % 4], i % 5 ? unit_ : box, double(i % 6),
                                    double(i % 4), i % 7 ? data::DbValue(i % 2 ? "ea" : "EA") : data::DbValue());
            if (i % 11 == 0)
                db.execute(QStringLiteral("UPDATE Item SET ItemName = NULL, ItemCode = NULL WHERE ItemId = ?"), {key});
        }
        addItem(QStringLiteral("5"), QStringLiteral("Pipe"), 999, unit_);  // not listed

        ClsItem list;
        list.PageSize = 50;
        const auto agree = [&](const char* when) {
            struct Search {
                const char* field;
                const char* value;
                const char* where;
            };
            const Search searches[] = {{nullptr, nullptr, ""},
                                       {"All", "P", " and (ItemName like 'P%' or CatName like 'P%')"},
                                       {"ItemName", "%ol", " and ItemName like '%ol%'"},
                                       {"ItemName", "É", " and ItemName like 'É%'"},
                                       {"CatName", "s_m", " and CatName like 's_m%'"},
                                       {"ItemCode", "1", " and Item.ItemCode like '1%'"}};
            for (const Search& search : searches) {
                for (const char* s : {"ItemCode", "ItemName", "CatName", "Material", "Qty", "TU", "Name", "ItemID"}) {
                    for (const char* direction : {"A", "D"}) {
                        const QString sort = QString::fromLatin1(s);
                        const bool byValue = !search.field && sort == QLatin1String("ItemCode");
                        const QString d =
                            QLatin1String(direction) == QLatin1String("A") ? QString() : QStringLiteral(" Desc");
                        const QString order =
                            byValue ? QStringLiteral("val(Item.ItemCode)%1, Item.ItemCode%1, Item.ItemID%1").arg(d)
                                    : QStringLiteral("%1%2, Item.ItemID%2").arg(sort, d);
                        const QList<qint64> whole = keys(std::optional<data::RowArray>(
                            db.query(
                                  QStringLiteral("SELECT Item.ItemID FROM Item,Category,Units where Item.CategoryID = "
                                                 "Category.CatId and Item.UnitId=Units.Id") +
                                  QString::fromUtf8(search.where) + QStringLiteral(" order by ") + order)
                                .rows()));
                        if (search.field) {
                            list.SearchFld = QString::fromLatin1(search.field);
                            list.SearchVal = QString::fromUtf8(search.value);
                        }
                        QList<qint64> paged;
                        int pages = 0;
                        for (int page = 1; page == 1 || page <= pages; ++page) {
                            int asked = page;
                            const auto rows = search.field
                                                  ? list.GetSearchItems(asked, pages, sort, QLatin1String(direction))
                                                  : list.GetAllItemsN(asked, pages, sort, QLatin1String(direction));
                            paged << keys(rows);
                            if (!rows)
                                break;
                        }
                        if (paged != whole)
                            QFAIL(qPrintable(QStringLiteral("%1: %2 '%3' by %4 %5 differs")
                                                 .arg(QLatin1String(when),
                                                      QLatin1String(search.field ? search.field : "list"),
                                                      QString::fromUtf8(search.value ? search.value : ""), sort,
                                                      QLatin1String(direction))));
                    }
                }
            }
        };
        agree("before");
        if (QTest::currentTestFailed())
            return;

        if (write == QLatin1String("insert")) {
            ClsItem dialog;
            dialog.AddEditDel = QStringLiteral("A");
            dialog.Itemcode = QStringLiteral("9.5");
            dialog.Itemname = QStringLiteral("Pipe");
            dialog.CategoryId = other;
            dialog.UnitId = box;
            dialog.Material = 3;
            QVERIFY(dialog.Save());
        } else if (write == QLatin1String("edit")) {
            db.execute(
                QStringLiteral("UPDATE Item SET ItemCode = '1', ItemName = 'aaa', CategoryID = ?, Material = 'text', "
                               "TU = NULL WHERE ItemId IN (3, 40, 41)"),
                {other});
            db.execute(QStringLiteral("UPDATE Item SET UnitId = 999 WHERE ItemId = 50"));
        } else if (write == QLatin1String("delete")) {
            ClsItem dialog;
            dialog.AddEditDel = QStringLiteral("D");
            dialog.itemid = 7;
            dialog.Delete();
        } else if (write == QLatin1String("category renamed")) {
            db.execute(QStringLiteral("UPDATE Category SET CatName = 'Aardvark' WHERE CatId = ?"), {other});
        } else if (write == QLatin1String("category deleted")) {
            db.execute(QStringLiteral("DELETE FROM Category WHERE CatId = ?"), {same});
        } else if (write == QLatin1String("unit deleted")) {
            db.execute(QStringLiteral("DELETE FROM Units WHERE Id = ?"), {box});
        } else if (write == QLatin1String("many rows")) {
            db.execute(
                QStringLiteral("UPDATE Item SET ItemName = 'P' || ItemId, ItemCode = 300 - ItemId WHERE ItemId > 20"));
        } else if (write == QLatin1String("long texts written again and again")) {
            // Megabytes of texts replaced while the list keeps up, so that
            // it packs its store of texts.
            for (const char* digit : {"1", "2", "3"}) {
                db.execute(
                    QStringLiteral("UPDATE Item SET ItemName = ? || ItemId || replace(hex(zeroblob(3000)), '0', ?) "
                                   "WHERE ItemId <= 200"),
                    {QString::fromLatin1(digit), QString::fromLatin1(digit)});
                int page = 1, pages = 0;
                QVERIFY(list.GetAllItemsN(page, pages, QStringLiteral("ItemName"), QStringLiteral("A")));
            }
        } else if (write == QLatin1String("another program")) {
            sqltest::rawExec(data::databasePath(), "UPDATE Item SET ItemName = 'Zed' WHERE ItemId = 2");
        } else if (write == QLatin1String("rolled back")) {
            // Read while the write is open, then taken back.
            db.beginImmediate();
            db.execute(QStringLiteral("UPDATE Item SET ItemName = 'Aaa', ItemCode = '0' WHERE ItemId = 2"));
            int page = 1, pages = 0;
            QVERIFY(column(list.GetAllItemsN(page, pages, QStringLiteral("ItemName"), QStringLiteral("A")), 1)
                        .contains(QStringLiteral("Aaa")));
            db.rollback();
        }
        agree("after");
    }

    void itemsWithoutCategoryOrUnitAreNotListed()
    {
        addItem(QStringLiteral("1"), QStringLiteral("Listed"));
        addItem(QStringLiteral("2"), QStringLiteral("No category"), 999, unit_);
        addItem(QStringLiteral("3"), QStringLiteral("No unit"), cat_, 999);
        sqltest::rawExec(data::databasePath(),
                         "INSERT INTO Item (ItemCode, ItemName, UnitId) VALUES ('4', 'Null category', 1)");
        ClsItem item;
        int page = 1, pages = 0;
        QCOMPARE(column(item.GetAllItemsN(page, pages, QStringLiteral("ItemName"), QStringLiteral("A")), 1),
                 QStringList({"Listed"}));
        QCOMPARE(item.RecordCount, 1);
        item.SearchFld = QStringLiteral("All");
        item.SearchVal = QString();
        QCOMPARE(column(item.GetSearchItems(page, pages, QStringLiteral("ItemName"), QStringLiteral("A")), 1),
                 QStringList({"Listed"}));
    }

    void searchPatterns_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("names");
        // clang-format off
        QTest::newRow("all: name or category begins") << "All" << "Pl" << QStringList({"Board", "Plank", "plate"});
        QTest::newRow("name prefix, any case") << "ItemName" << "pl" << QStringList({"Plank", "plate"});
        QTest::newRow("name is no substring match") << "ItemName" << "ank" << QStringList();
        QTest::newRow("typed % is a wildcard") << "ItemName" << "%a" << QStringList({"Board", "Plank", "plate", "Tar_x"});
        QTest::newRow("typed _ is a wildcard") << "ItemName" << "Pla_e" << QStringList({"plate"});
        QTest::newRow("apostrophe") << "ItemName" << "O'B" << QStringList({"O'Brien bolt"});
        QTest::newRow("category") << "CatName" << "wood" << QStringList({"Tar_x"});
        QTest::newRow("item number as text") << "ItemCode" << "1" << QStringList({"Board", "Plank"});
        QTest::newRow("empty matches every listed item") << "All" << "" << QStringList({"Board", "O'Brien bolt", "Plank", "plate", "Tar_x"});
        // clang-format on
    }
    void searchPatterns()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, names);
        const int wood = addCategory(db, QStringLiteral("Woodwork"));
        const int misc = addCategory(db, QStringLiteral("Misc"));
        addItem(QStringLiteral("10"), QStringLiteral("Plank"), misc);
        addItem(QStringLiteral("21"), QStringLiteral("plate"), misc);
        addItem(QStringLiteral("1"), QStringLiteral("Board"), cat_);  // in "Plumbing"
        addItem(QStringLiteral("3"), QStringLiteral("Tar_x"), wood);
        addItem(QStringLiteral("4"), QStringLiteral("O'Brien bolt"), misc);
        ClsItem item;
        item.SearchFld = field;
        item.SearchVal = value;
        int page = 1, pages = 0;
        QCOMPARE(column(item.GetSearchItems(page, pages, QStringLiteral("ItemName"), QStringLiteral("A")), 1), names);
    }

    void searchPageMinusOneGivesEveryRow()
    {
        for (int i = 0; i < 20; ++i)
            addItem(QString::number(i), QStringLiteral("Pipe"));
        ClsItem item;
        item.SearchFld = QStringLiteral("CategoryID");
        item.SearchVal = QString::number(cat_);
        int page = -1, pages = 0;
        const auto rows = item.GetSearchItems(page, pages, QStringLiteral("ItemName"), QStringLiteral("A"));
        QVERIFY(rows);
        QCOMPARE(rows->rowCount(), 20);
        QCOMPARE(page, -1);
        QCOMPARE(item.RecordCount, 20);
    }

    void namesThatAreNoColumnAreRefused_data()
    {
        QTest::addColumn<QString>("searchField");
        QTest::addColumn<QString>("sort");
        // clang-format off
        QTest::newRow("sort") << "All" << "ItemName; DROP TABLE Item";
        QTest::newRow("search field") << "ItemName = ItemName or 1" << "ItemName";
        // clang-format on
    }
    void namesThatAreNoColumnAreRefused()
    {
        QFETCH(QString, searchField);
        QFETCH(QString, sort);
        addItem(QStringLiteral("1"), QStringLiteral("Pipe"));
        ClsItem item;
        item.SearchFld = searchField;
        int page = 1, pages = 0;
        QVERIFY_THROWS_EXCEPTION(data::DbError, item.GetSearchItems(page, pages, sort, QStringLiteral("A")));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 1);
    }

    void priceUpdates_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("material") << 0 << "Material" << "Material price updated in master file";
        QTest::newRow("labor") << 1 << "Labor" << "Labor price updated in master file";
        QTest::newRow("sub-labor") << 2 << "SubLabor" << "Sub-Labor price updated in master file";
        QTest::newRow("equipment") << 3 << "Equipment" << "Equipment price updated in master file";
        // clang-format on
    }
    void priceUpdates()
    {
        QFETCH(int, which);
        QFETCH(QString, column);
        QFETCH(QString, message);
        const int key = addItem(QStringLiteral("1"), QStringLiteral("Pipe"));
        const int other = addItem(QStringLiteral("2"), QStringLiteral("Board"));
        ClsItem item;
        const double price = 12.345678901;
        switch (which) {
        case 0: item.Updatematerialprice(key, price); break;
        case 1: item.Updatelabourprice(key, price); break;
        case 2: item.UpdateSublabourprice(key, price); break;
        default: item.UpdateEquipmentprice(key, price); break;
        }
        const QString read = QStringLiteral("SELECT %1 FROM Item WHERE ItemId = ?").arg(column);
        QCOMPARE(db.scalar(read, {key}).toDouble(), price);
        QVERIFY(db.scalar(read, {other}).toDouble() != price);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, message);
        QCOMPARE(fake->messages[0].title, ui::applicationTitle());
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
    }

    void wholeTableListHasEveryColumn()
    {
        addItem(QStringLiteral("2"), QStringLiteral("B"), 999, 999);  // listed: no join here
        addItem(QStringLiteral("1"), QStringLiteral("A"));
        ClsItem item;
        int page = 1, pages = 0;
        const auto rows = item.GetAllItems(page, pages, QStringLiteral("ItemCode"), QStringLiteral("A"));
        QVERIFY(rows);
        QCOMPARE(rows->fieldCount(), 11);
        QCOMPARE(column(rows, 2), QStringList({"A", "B"}));
        QCOMPARE(item.RecordCount, 2);
    }
};

QTEST_MAIN(TstClsItem)
#include "tst_clsitem.moc"
