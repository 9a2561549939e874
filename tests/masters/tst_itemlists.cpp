// The item lists read by index a page at a time give exactly what the
// lists' own statements give read whole, for every sort and every kind of
// search, whether a search is read whole or walked; and the statements
// they run are served by the indexes, not by reading the table.

#include "support/screentest.h"
#include "support/schemav1.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/schemaupgrade.h"
#include "masters/clsitem.h"
#include "masters/itemlists.h"

#include <QRegularExpression>
#include <QTest>
#include <optional>

using masters::ClsItem;
using masters::ItemLists;

namespace {

QList<qint64> keysOf(const std::optional<data::RowArray>& rows)
{
    QList<qint64> out;
    if (rows)
        for (int r = 0; r < rows->rowCount(); ++r)
            out << rows->at(0, r).toInt64();
    return out;
}

QList<qint64> keysOf(const data::Recordset& rs)
{
    QList<qint64> out;
    for (int r = 0; r < rs.recordCount(); ++r)
        out << rs.rows().at(0, r).toInt64();
    return out;
}

// The sort columns of the lists, and how the plain statement orders by each.
struct Sort {
    const char* column;
    const char* sql;  // %1: " Desc" or nothing
};
const Sort sorts[] = {
    {"ItemCode", "Item.ItemCode%1, Item.ItemID%1"},
    {"ItemName", "Item.ItemName%1, Item.ItemID%1"},
    {"CatName", "Category.CatName%1, Item.ItemID%1"},
    {"Material", "Item.Material%1, Item.ItemID%1"},
    {"Qty", "Item.Qty%1, Item.ItemID%1"},
    {"TU", "Item.TU%1, Item.ItemID%1"},
    {"ItemID", "Item.ItemID%1"},
    {"Name", "Units.Name%1, Item.ItemID%1"},
};

struct WholeLimit {
    std::int64_t kept = ItemLists::wholeSearchLimit;
    explicit WholeLimit(std::int64_t limit) { ItemLists::wholeSearchLimit = limit; }
    ~WholeLimit() { ItemLists::wholeSearchLimit = kept; }
};

}  // namespace

class TstItemLists : public ScreenTest {
    Q_OBJECT

    // Items of every awkward kind: names and numbers with quotes, "%" and
    // "_", mixed case and letters beyond ASCII; item numbers that are
    // numbers only to val(), empty or Null; prices that are text; and items
    // whose category or unit is missing, Null or not a key at all.
    void awkwardItems()
    {
        db.beginImmediate();
        const int plumbing = seed::addCategory(db, QStringLiteral("Plumbing"));
        const int plaster = seed::addCategory(db, QStringLiteral("plaster"));
        const int wood = seed::addCategory(db, QStringLiteral("Wood_work"));
        const int sale = seed::addCategory(db, QStringLiteral("50% off"));
        const int obrien = seed::addCategory(db, QStringLiteral("O'Brien's"));
        const int ecole = seed::addCategory(db, QStringLiteral("École"));
        const int same1 = seed::addCategory(db, QStringLiteral("Same"));
        const int same2 = seed::addCategory(db, QStringLiteral("same"));
        const int empty = seed::addCategory(db, QString());
        const int nullName = seed::addCategory(db, QStringLiteral("gone"));
        db.execute(QStringLiteral("UPDATE Category SET CatName = NULL WHERE CatId = ?"), {nullName});
        const int ea = seed::addUnit(db, QStringLiteral("ea"));
        const int box = seed::addUnit(db, QStringLiteral("box"));
        const int ft = seed::addUnit(db, QStringLiteral("Ft"));
        const int sameUnit = seed::addUnit(db, QStringLiteral("EA"));
        const int categories[] = {plumbing, plaster, wood, sale, obrien, ecole, same1, same2, empty, nullName};
        const int units[] = {ea, box, ft, sameUnit};
        const data::DbValue codes[] = {"10", "9",    "A1",   "a1",    "1e3",   "010",   " 12",   "2.5",
                                       "-4", "&H10", "12 3", "12abc", "100-2", "",      "x",     {},
                                       "٣",  "00",   "0",    "12\r",  "1d2",   "99999", "9.5.1", "+7"};
        const data::DbValue names[] = {
            "Plate", "plate", "Plank",  "O'Brien's bolt", "50% off nail", "Tar_x", "École pipe", "école", "",
            {},      "pipe",  "Pipe 1", "Slate tile",     "ATE",          "mate",  "Pl%n",       "x_y",   "Beam"};
        const data::DbValue materials[] = {1.0, 2.5, {}, "text", -3.0, 0.0, 2.5};
        const data::DbValue quantities[] = {1.0, 2.0, {}, 1.0, 7.0};
        const data::DbValue tus[] = {"ea", "EA", {}, "", "ft", "Box"};
        for (int i = 0; i < 130; ++i) {
            seed::addItem(db, {.code = codes[i % std::size(codes)],
                               .name = names[(i * 7) % std::size(names)],
                               .category = categories[i % std::size(categories)],
                               .unit = units[(i / 3) % std::size(units)],
                               .material = materials[i % std::size(materials)],
                               .labor = 0,
                               .qty = quantities[(i / 2) % std::size(quantities)],
                               .tu = tus[i % std::size(tus)]});
        }
        // Not listed: a missing category or unit, a Null one, a key that is
        // text or a fraction.
        const data::DbValue strays[][2] = {{999, ea},  {plumbing, 999}, {{}, ea},  {plaster, {}},
                                           {"x", box}, {2.5, ft},       {999, 998}};
        int n = 0;
        for (const auto& stray : strays)
            for (const char* name : {"Plate", "Slate", "École"})
                seed::addItem(db, {.code = codes[n++ % std::size(codes)],
                                   .name = QString::fromUtf8(name),
                                   .category = stray[0],
                                   .unit = stray[1],
                                   .material = 1.0,
                                   .qty = 1.0,
                                   .tu = "ea"});
        db.commit();
    }

    // The keys of the plain statement of a list, read whole.
    QList<qint64> reference(const QString& field, const QString& value, const Sort& sort, bool descending)
    {
        const QString d = descending ? QStringLiteral(" Desc") : QString();
        QString order = QString::fromLatin1(sort.sql).arg(d);
        if (field.isEmpty() && QLatin1String(sort.column) == QLatin1String("ItemCode"))
            order = QStringLiteral("val(Item.ItemCode)%1, Item.ItemCode%1, Item.ItemID%1").arg(d);
        QString where;
        data::Params params;
        const QString pattern = value + QLatin1Char('%');
        if (field == QLatin1String("All")) {
            where = QStringLiteral(" and (ItemName like ? or CatName like ?)");
            params = {pattern, pattern};
        } else if (!field.isEmpty()) {
            where = QStringLiteral(" and ") + field + QStringLiteral(" like ?");
            params = {pattern};
        }
        return keysOf(db.query(QStringLiteral("SELECT Item.ItemID FROM Item,Category,Units where Item.CategoryID = "
                                              "Category.CatId and Item.UnitId=Units.Id") +
                                   where + QStringLiteral(" order by ") + order,
                               params));
    }

    // One page as the screen asks for it.
    static std::optional<data::RowArray> pageOf(ClsItem& item, const QString& field, int& page, int& pages,
                                                const QString& sort, const QString& direction)
    {
        return field.isEmpty() ? item.GetAllItemsN(page, pages, sort, direction)
                               : item.GetSearchItems(page, pages, sort, direction);
    }

private slots:
    void init() { initScreenTest(); }
    void cleanup() { cleanupScreenTest(); }

    void everySortOfEverySearchAgreesWithThePlainStatement_data()
    {
        QTest::addColumn<QString>("field");  // empty: the full list
        QTest::addColumn<QString>("value");
        const struct {
            const char* field;
            const char* value;
        } searches[] = {
            {"", ""},
            {"All", ""},
            {"All", "Pl"},
            {"All", "pl"},
            {"All", "%ate"},
            {"All", "%"},
            {"All", "_la"},
            {"All", "%o'b"},
            {"All", "50%"},
            {"All", "É"},
            {"ItemName", "pl"},
            {"ItemName", "%ate"},
            {"ItemName", "%at"},
            {"ItemName", "Pla_e"},
            {"ItemName", "%_"},
            {"ItemName", "%50%"},
            {"ItemName", "é"},
            {"ItemName", "%'"},
            {"ItemName", "%l%t"},
            {"ItemName", "_late"},
            {"ItemName", "%%ATE"},
            {"ItemName", "Pl%n"},
            {"ItemName", "%x_y"},
            {"CatName", "pl"},
            {"CatName", "%o%"},
            {"CatName", "same"},
            {"CatName", ""},
            {"CatName", "_"},
            {"CatName", "50%"},
            {"ItemCode", "1"},
            {"ItemCode", "%1"},
            {"ItemCode", "1_"},
            {"ItemCode", ""},
            {"ItemCode", "%e3"},
            {"ItemCode", "&"},
            {"ItemCode", " "},
            {"ItemCode", "0"},
            {"ItemCode", "%99"},
            {"ItemCode", "nothing"},
        };
        for (const auto& s : searches) {
            const QByteArray tag = s.field[0] ? QByteArray(s.field) + " \"" + s.value + "\"" : "full list";
            QTest::newRow(tag.constData()) << QString::fromLatin1(s.field) << QString::fromUtf8(s.value);
        }
    }
    void everySortOfEverySearchAgreesWithThePlainStatement()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        awkwardItems();
        // Read whole, and walked page by page (from either end, on from the
        // page before or after, and straight to a page in the middle).
        // The full list always walks; a small search is read whole unless
        // told otherwise.
        for (const std::int64_t limit : {ItemLists::wholeSearchLimit, std::int64_t(0)}) {
            if (field.isEmpty() && limit == 0)
                continue;
            const bool walked = field.isEmpty() || limit == 0;
            const WholeLimit whole(limit);
            for (const Sort& sort : sorts) {
                // A descending page is read as the ascending rows from the
                // other end: the full list both ways, a search each sort one
                // way, turn about.
                const bool turn = (&sort - sorts) % 2;
                for (const char* direction : {"A", "D"}) {
                    if (!field.isEmpty() && (QLatin1String(direction) == QLatin1String("D")) != turn)
                        continue;
                    const QString what = QStringLiteral("by %1 %2, %3")
                                             .arg(QLatin1String(sort.column), QLatin1String(direction),
                                                  QLatin1String(walked ? "walked" : "read whole"));
                    const QList<qint64> expected =
                        reference(field, value, sort, QLatin1String(direction) != QLatin1String("A"));
                    ClsItem item(9);
                    item.SearchFld = field;
                    item.SearchVal = value;
                    item.RecordCount = -5;
                    int pages = -3;
                    int page = 1;
                    const QString s = QString::fromLatin1(sort.column);
                    const QString dir = QString::fromLatin1(direction);
                    const auto first = pageOf(item, field, page, pages, s, dir);
                    if (expected.isEmpty()) {
                        QVERIFY2(!first, qPrintable(what));
                        QCOMPARE(item.RecordCount, -5);
                        QCOMPARE(pages, -3);
                        continue;
                    }
                    QVERIFY2(first, qPrintable(what));
                    QVERIFY2(item.RecordCount == expected.size(), qPrintable(what));
                    QVERIFY2(pages == (expected.size() + 8) / 9, qPrintable(what));
                    const auto slice = [&](int p) { return expected.mid((p - 1) * 9, 9); };
                    QList<qint64> forward = keysOf(first);
                    for (int p = 2; p <= pages; ++p) {
                        int asked = p;
                        forward << keysOf(pageOf(item, field, asked, pages, s, dir));
                    }
                    QVERIFY2(forward == expected, qPrintable(what + QStringLiteral(", Next to the end")));
                    if (!walked)
                        continue;
                    for (int p = pages; p >= 1; --p) {
                        int asked = p;
                        QVERIFY2(keysOf(pageOf(item, field, asked, pages, s, dir)) == slice(p),
                                 qPrintable(what + QStringLiteral(", Prev to page %1").arg(p)));
                    }
                    ClsItem jumping(9);
                    jumping.SearchFld = field;
                    jumping.SearchVal = value;
                    for (int p : {(pages + 1) / 2, pages, 2, pages + 4, (pages + 1) / 2, (pages + 1) / 2 + 1}) {
                        int asked = p;
                        const QList<qint64> got = keysOf(pageOf(jumping, field, asked, pages, s, dir));
                        const int used = std::clamp(p, 1, pages);
                        QVERIFY2(asked == used && got == slice(used),
                                 qPrintable(what + QStringLiteral(", straight to page %1").arg(p)));
                    }
                }
            }
        }
    }

    // A database of the first version is listed by the statements alone;
    // brought up to date, by its new indexes: the same pages either way.
    void aVersionOneDatabaseListsTheSamePagesWhenBroughtUpToDate()
    {
        db.close();
        QVERIFY(QFile::remove(data::databasePath()));
        sqltest::rawExec(data::databasePath(), schemav1::sql);
        db.open(data::databasePath());
        awkwardItems();
        const struct {
            const char* field;
            const char* value;
        } lists[] = {{"", ""}, {"All", "Pl"}, {"ItemName", "%ate"}, {"CatName", "pl"}, {"ItemCode", "1"}};
        const auto everyPage = [&](const QString& field, const QString& value, const QString& sort,
                                   const QString& direction) {
            ClsItem item(7);
            item.SearchFld = field;
            item.SearchVal = value;
            QList<qint64> keys;
            int pages = 0;
            for (int page = 1; page == 1 || page <= pages; ++page) {
                int asked = page;
                const auto rows = pageOf(item, field, asked, pages, sort, direction);
                if (!rows)
                    break;
                keys << keysOf(rows);
            }
            return keys;
        };
        QMap<QString, QList<qint64>> before;
        for (const auto& l : lists)
            for (const Sort& sort : sorts)
                for (bool descending : {false, true}) {
                    const QString field = QString::fromLatin1(l.field), value = QString::fromLatin1(l.value);
                    const QString key = field + value + QLatin1String(sort.column) + (descending ? "D" : "A");
                    before[key] = everyPage(field, value, QString::fromLatin1(sort.column),
                                            descending ? QStringLiteral("D") : QStringLiteral("A"));
                    QVERIFY2(before[key] == reference(field, value, sort, descending), qPrintable(key));
                }

        QCOMPARE(data::ensureDatabase(data::databasePath()), data::OpenOutcome::Opened);
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
        for (const auto& l : lists)
            for (const Sort& sort : sorts)
                for (bool descending : {false, true}) {
                    const QString field = QString::fromLatin1(l.field), value = QString::fromLatin1(l.value);
                    const QString key = field + value + QLatin1String(sort.column) + (descending ? "D" : "A");
                    QVERIFY2(everyPage(field, value, QString::fromLatin1(sort.column),
                                       descending ? QStringLiteral("D") : QStringLiteral("A")) == before[key],
                             qPrintable(key));
                }
    }

    // Hundreds of items whose category was deleted lie along every order:
    // a page far along is found past them.
    void pagesFarPastManyItemsThatAreNotListed()
    {
        db.beginImmediate();
        const int kept = seed::addCategory(db, QStringLiteral("Kept"));
        const int doomed = seed::addCategory(db, QStringLiteral("Doomed"));
        const int ea = seed::addUnit(db, QStringLiteral("ea"));
        for (int i = 0; i < 3000; ++i)
            seed::addItem(db, QString::number((i * 7919) % 3001), QStringLiteral("Item %1").arg(i % 997),
                          i % 5 ? doomed : kept, ea, double(i % 13), 1);
        for (const char* code : {"2.5", " 7", "-1", "1e2"})
            seed::addItem(db, QString::fromLatin1(code), QStringLiteral("Odd"), kept, ea);
        db.execute(QStringLiteral("DELETE FROM Category WHERE CatId = ?"), {doomed});
        db.commit();
        for (const Sort& sort : {sorts[0], sorts[1], sorts[3]}) {
            for (bool descending : {false, true}) {
                const QList<qint64> expected = reference(QString(), QString(), sort, descending);
                QCOMPARE(expected.size(), 604);
                ClsItem item;
                for (int p : {20, 21, 2, 38, 41}) {
                    int page = p, pages = 0;
                    const auto got = item.GetAllItemsN(page, pages, QString::fromLatin1(sort.column),
                                                       descending ? QStringLiteral("D") : QStringLiteral("A"));
                    QCOMPARE(pages, 41);
                    QCOMPARE(keysOf(got), expected.mid((page - 1) * 15, 15));
                }
            }
        }
    }

    // The next item number, for every kind of item number, is the plain
    // statement's.
    void nextItemNumberAgreesWithThePlainStatement_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("whole numbers") << QStringList{"9", "10", "010", "A1"};
        QTest::newRow("only val() reads them") << QStringList{"1e3", "&H10", " 12", "12 3", "1d2", "2.5", "+7"};
        QTest::newRow("numbers then text") << QStringList{"12abc", "100-2", "99x", "3"};
        QTest::newRow("a carriage return after") << QStringList{"12\r", "4"};
        QTest::newRow("zero only") << QStringList{"0", "00", "A", "x1"};
        QTest::newRow("negative only") << QStringList{"-4", "-10", "abc"};
        QTest::newRow("none numeric") << QStringList{"", "A1", "٣", "1.2.3"};
        QTest::newRow("too long for the index") << QStringList{"12345678901234567", "5"};
    }
    void nextItemNumberAgreesWithThePlainStatement()
    {
        QFETCH(QStringList, codes);
        const int cat = seed::addCategory(db, QStringLiteral("Plumbing"));
        const int unit = seed::addUnit(db, QStringLiteral("ea"));
        for (const QString& code : codes)
            seed::addItem(db, code, QStringLiteral("x"), cat, unit);
        seed::addItem(db, {.name = "Null code", .category = cat, .unit = unit});
        const data::DbValue plain =
            db.scalar(QStringLiteral("Select max(cdbl(itemcode)) from Item where isnumeric(itemcode)"));
        ClsItem item;
        QCOMPARE(item.Maxitemno(), plain.isNull() ? 1.0 : plain.toDouble() + 1.0);
    }

    // Every statement the lists run for a page is served by an index: none
    // reads the item table through, nor sorts all of it.
    void pagesAreReadByIndex()
    {
        awkwardItems();
        struct Ran {
            QString sql, expanded;
        };
        QList<Ran> ran;
        db.setStatementObserver([&ran](const QString& sql, const QString& expanded) { ran.append({sql, expanded}); });
        auto stop = qScopeGuard([this] { db.setStatementObserver({}); });
        const WholeLimit walked(0);
        // Each order's walk goes along its own index.
        const struct {
            const char* column;
            const char* index;
        } walks[] = {{"ItemCode", "Item_ItemNumber"}, {"ItemName", "Item_ItemName"}, {"CatName", "Item_CategoryID"},
                     {"Material", "Item_Material"},   {"Qty", "Item_Qty"},           {"TU", "Item_TU"},
                     {"Name", "Item_UnitId"}};
        const auto plans = [this](const QString& expanded) {
            QStringList out;
            data::Recordset rs;
            try {
                rs = db.query(QStringLiteral("EXPLAIN QUERY PLAN ") + expanded);
            } catch (const data::DbError& e) {
                qWarning("%s: %s", qPrintable(expanded), qPrintable(e.message()));
                throw;
            }
            for (int r = 0; r < rs.recordCount(); ++r)
                out << rs.rows().at(3, r).toText();
            return out.join(QStringLiteral("; "));
        };
        const auto check = [&](const QString& what, const char* mustUse) {
            bool used = mustUse == nullptr;
            for (const Ran& r : ran) {
                // Besides the lists' own: the text index's statements, which
                // SQLite shows as comments.
                if (r.sql.startsWith(QLatin1String("PRAGMA")) || r.sql.startsWith(QLatin1String("EXPLAIN")) ||
                    r.expanded.startsWith(QLatin1String("--")))
                    continue;
                const QString plan = plans(r.expanded);
                used = used || plan.contains(QLatin1String(mustUse));
                // Sorting is for what an index range found, never for a pass
                // over the table.
                if (plan.contains(QLatin1String("TEMP B-TREE FOR ORDER BY")))
                    QVERIFY2(!plan.contains(QLatin1String("SCAN Item")),
                             qPrintable(what + QStringLiteral(": ") + r.sql + QStringLiteral(" -> ") + plan));
                // The key order is the table's own.
                const bool byKey =
                    r.sql.contains(QLatin1String("ORDER BY ItemId")) && !r.sql.contains(QLatin1String("WHERE"));
                if (!byKey)
                    QVERIFY2(!plan.contains(QRegularExpression(QStringLiteral("SCAN Item($|;| USING INTEGER)"))),
                             qPrintable(what + QStringLiteral(": ") + r.sql + QStringLiteral(" -> ") + plan));
            }
            QVERIFY2(used, qPrintable(what + QStringLiteral(" did not use ") + QLatin1String(mustUse)));
            ran.clear();
        };
        for (const auto& w : walks) {
            for (int page : {1, 9}) {
                ClsItem item(7);
                int p = page, pages = 0;
                QVERIFY(item.GetAllItemsN(p, pages, QString::fromLatin1(w.column), QStringLiteral("A")));
                check(QStringLiteral("the full list by %1, page %2").arg(QLatin1String(w.column)).arg(page), w.index);
            }
        }
        const struct {
            const char* field;
            const char* value;
            const char* counts;  // what the count goes by
        } searches[] = {{"All", "Pl", "Item_ItemName (ItemName>? AND ItemName<?)"},
                        {"All", "%ate", "VIRTUAL TABLE INDEX"},
                        {"ItemCode", "1", "Item_ItemCode (ItemCode>? AND ItemCode<?)"},
                        {"CatName", "pl", nullptr}};
        for (const auto& s : searches) {
            for (const char* sort : {"ItemCode", "ItemName", "Material"}) {
                ClsItem item(7);
                item.SearchFld = QString::fromLatin1(s.field);
                item.SearchVal = QString::fromUtf8(s.value);
                for (int page : {1, 2, 1}) {
                    int p = page, pages = 0;
                    QVERIFY(item.GetSearchItems(p, pages, QString::fromLatin1(sort), QStringLiteral("A")));
                }
                check(QStringLiteral("%1 \"%2\" by %3")
                          .arg(QLatin1String(s.field), QString::fromUtf8(s.value), QLatin1String(sort)),
                      s.counts);
            }
        }
        ClsItem item;
        item.Maxitemno();
        check(QStringLiteral("the next item number"), "Item_ItemNumber");
    }

    // The statements the estimate screen and the multi-item picker read by
    // keyset: each walks its index, in its order, without sorting.
    void keysetStatementsWalkTheirIndexes_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("index");
        QTest::newRow("items by name, after a key")
            << "SELECT ItemId, ItemName FROM Item WHERE (ItemName, ItemId) > ('Pipe', 7) ORDER BY ItemName, ItemId "
               "LIMIT 50"
            << "Item_ItemName";
        QTest::newRow("items by name, before a key")
            << "SELECT ItemId, ItemName FROM Item WHERE (ItemName, ItemId) < ('Pipe', 7) ORDER BY ItemName DESC, "
               "ItemId DESC LIMIT 50"
            << "Item_ItemName";
        QTest::newRow("a category's items by name")
            << "SELECT ItemId, ItemName FROM Item WHERE CategoryID = 3 ORDER BY ItemName, ItemId"
            << "Item_CategoryID_ItemName";
        QTest::newRow("a category's items by name, after a key")
            << "SELECT ItemId FROM Item WHERE CategoryID = 3 AND (ItemName, ItemId) > ('Pipe', 7) ORDER BY ItemName, "
               "ItemId LIMIT 50"
            << "Item_CategoryID_ItemName";
        QTest::newRow("the item-number order")
            << QStringLiteral("SELECT ItemId FROM Item WHERE %1 >= -9e999 ORDER BY %1, ItemCode, ItemId LIMIT 15")
                   .arg(QString::fromUtf8(data::itemNumberKey))
            << "Item_ItemNumber";
    }
    void keysetStatementsWalkTheirIndexes()
    {
        QFETCH(QString, sql);
        QFETCH(QString, index);
        awkwardItems();
        const data::Recordset rs = db.query(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        QStringList plan;
        for (int r = 0; r < rs.recordCount(); ++r)
            plan << rs.rows().at(3, r).toText();
        const QString text = plan.join(QStringLiteral("; "));
        QVERIFY2(text.contains(QStringLiteral("INDEX ") + index), qPrintable(text));
        QVERIFY2(!text.contains(QLatin1String("TEMP B-TREE")), qPrintable(text));
    }
};

QTEST_MAIN(TstItemLists)
#include "tst_itemlists.moc"
