#include "schemaupgrade.h"

#include "connection.h"
#include "dberror.h"
#include "schema.h"

#include <QDir>
#include <cstdint>
#include <sqlite3.h>

namespace data {

#define ITEM_NUMBER_KEY                                                                                                \
    "(CASE WHEN ItemCode IS NULL THEN -9e999 WHEN typeof(ItemCode) <> 'text' THEN NULL "                               \
    "WHEN ItemCode GLOB '[0-9]*' THEN CASE WHEN length(ItemCode) - length(ltrim(ItemCode, '0123456789')) <= 15 "       \
    "AND substr(ltrim(ItemCode, '0123456789'), 1, 1) NOT IN ('.', 'e', 'E', 'd', 'D', ' ', char(9), char(10)) "        \
    "THEN CAST(ItemCode AS INTEGER) END "                                                                              \
    "WHEN ItemCode = '' OR ItemCode GLOB '[^0-9 +.&' || char(9, 10, 13) || '-]*' THEN 0 END)"

const char* const itemNumberKey = ITEM_NUMBER_KEY;

// The new row counted and indexed: the end of the insert and update triggers.
#define COUNT_NEW_ROW                                                                                                  \
    "    INSERT INTO ItemsByCategory (CategoryID, Items) SELECT new.CategoryID, 0\n"                                   \
    "        WHERE NOT EXISTS (SELECT 1 FROM ItemsByCategory WHERE CategoryID IS new.CategoryID);\n"                   \
    "    UPDATE ItemsByCategory SET Items = Items + 1 WHERE CategoryID IS new.CategoryID;\n"                           \
    "    INSERT INTO ItemsByUnit (UnitId, Items) SELECT new.UnitId, 0\n"                                               \
    "        WHERE NOT EXISTS (SELECT 1 FROM ItemsByUnit WHERE UnitId IS new.UnitId);\n"                               \
    "    UPDATE ItemsByUnit SET Items = Items + 1 WHERE UnitId IS new.UnitId;\n"                                       \
    "    INSERT INTO ItemText (rowid, ItemName, ItemCode, CategoryID, UnitId)\n"                                       \
    "        VALUES (new.ItemId, CASE WHEN typeof(new.ItemName) = 'text' THEN lower(new.ItemName) END,\n"              \
    "                CASE WHEN typeof(new.ItemCode) = 'text' THEN lower(new.ItemCode) END, new.CategoryID,\n"          \
    "                new.UnitId);\n"

namespace {

// Version 2: what lets the item lists read a page of a million items
// without reading them all.
//  - Item_ItemNumber serves the numeric item-number order.
//  - Item_CategoryID_ItemName hands over a category's items by name.
//    (By name alone, Item_ItemName does: the key is its last column.)
//  - ItemsByCategory and ItemsByUnit count the items of each category key
//    and unit key, so that a list's count and a category's share of it are
//    sums of a few rows.
//  - ItemText, a trigram index of the names and item numbers, finds the
//    items whose text holds a given text. It holds the texts' ASCII letters
//    in lower case, as LIKE compares them, and nothing for a Null or a blob,
//    which LIKE never matches; and beside them the category and unit keys
//    each item is counted under.
// The triggers keep the tallies and the text index with every write,
// whichever program makes it. A row that REPLACE deletes to make room for
// another passes no delete trigger: what the text index holds for its key
// is taken back first.
// What a file may already hold of these (one marked older than it is) is
// dropped first: they hold nothing but what is read again from Item.
const std::vector<SchemaStep> steps{
    {1,
     {
         "DROP TRIGGER IF EXISTS Item_Added",
         "DROP TRIGGER IF EXISTS Item_Removed",
         "DROP TRIGGER IF EXISTS Item_Changed",
         "DROP TABLE IF EXISTS ItemText",
         "DROP TABLE IF EXISTS ItemsByCategory",
         "DROP TABLE IF EXISTS ItemsByUnit",
         "CREATE INDEX IF NOT EXISTS Item_ItemNumber ON Item (" ITEM_NUMBER_KEY ", ItemCode)",
         "CREATE INDEX IF NOT EXISTS Item_CategoryID_ItemName ON Item (CategoryID, ItemName)",
         "CREATE TABLE ItemsByCategory (CategoryID INTEGER UNIQUE, Items INTEGER NOT NULL)",
         "INSERT INTO ItemsByCategory (CategoryID, Items) SELECT CategoryID, count(*) FROM Item GROUP BY CategoryID",
         "CREATE TABLE ItemsByUnit (UnitId INTEGER UNIQUE, Items INTEGER NOT NULL)",
         "INSERT INTO ItemsByUnit (UnitId, Items) SELECT UnitId, count(*) FROM Item GROUP BY UnitId",
         "CREATE VIRTUAL TABLE ItemText USING fts5(ItemName, ItemCode, CategoryID UNINDEXED, UnitId UNINDEXED, "
         "tokenize = 'trigram case_sensitive 1', columnsize = 0)",
         R"sql(INSERT INTO ItemText (rowid, ItemName, ItemCode, CategoryID, UnitId)
    SELECT ItemId, CASE WHEN typeof(ItemName) = 'text' THEN lower(ItemName) END,
           CASE WHEN typeof(ItemCode) = 'text' THEN lower(ItemCode) END, CategoryID, UnitId FROM Item)sql",
         R"sql(CREATE TRIGGER Item_Added AFTER INSERT ON Item BEGIN
    UPDATE ItemsByCategory SET Items = Items - 1
        WHERE CategoryID IS (SELECT CategoryID FROM ItemText WHERE rowid = new.ItemId)
          AND EXISTS (SELECT 1 FROM ItemText WHERE rowid = new.ItemId);
    DELETE FROM ItemsByCategory
        WHERE CategoryID IS (SELECT CategoryID FROM ItemText WHERE rowid = new.ItemId) AND Items <= 0;
    UPDATE ItemsByUnit SET Items = Items - 1
        WHERE UnitId IS (SELECT UnitId FROM ItemText WHERE rowid = new.ItemId)
          AND EXISTS (SELECT 1 FROM ItemText WHERE rowid = new.ItemId);
    DELETE FROM ItemsByUnit WHERE UnitId IS (SELECT UnitId FROM ItemText WHERE rowid = new.ItemId) AND Items <= 0;
    DELETE FROM ItemText WHERE rowid = new.ItemId;
)sql" COUNT_NEW_ROW "END",
         R"sql(CREATE TRIGGER Item_Removed AFTER DELETE ON Item BEGIN
    UPDATE ItemsByCategory SET Items = Items - 1 WHERE CategoryID IS old.CategoryID;
    UPDATE ItemsByUnit SET Items = Items - 1 WHERE UnitId IS old.UnitId;
    DELETE FROM ItemsByCategory WHERE CategoryID IS old.CategoryID AND Items <= 0;
    DELETE FROM ItemsByUnit WHERE UnitId IS old.UnitId AND Items <= 0;
    DELETE FROM ItemText WHERE rowid = old.ItemId;
END)sql",
         R"sql(CREATE TRIGGER Item_Changed AFTER UPDATE OF ItemId, ItemCode, ItemName, CategoryID, UnitId ON Item
    WHEN old.ItemId IS NOT new.ItemId OR old.ItemCode IS NOT new.ItemCode OR old.ItemName IS NOT new.ItemName
      OR old.CategoryID IS NOT new.CategoryID OR old.UnitId IS NOT new.UnitId
BEGIN
    UPDATE ItemsByCategory SET Items = Items - 1
        WHERE new.ItemId IS NOT old.ItemId
          AND CategoryID IS (SELECT CategoryID FROM ItemText WHERE rowid = new.ItemId)
          AND EXISTS (SELECT 1 FROM ItemText WHERE rowid = new.ItemId);
    DELETE FROM ItemsByCategory
        WHERE CategoryID IS (SELECT CategoryID FROM ItemText WHERE rowid = new.ItemId) AND Items <= 0;
    UPDATE ItemsByUnit SET Items = Items - 1
        WHERE new.ItemId IS NOT old.ItemId
          AND UnitId IS (SELECT UnitId FROM ItemText WHERE rowid = new.ItemId)
          AND EXISTS (SELECT 1 FROM ItemText WHERE rowid = new.ItemId);
    DELETE FROM ItemsByUnit WHERE UnitId IS (SELECT UnitId FROM ItemText WHERE rowid = new.ItemId) AND Items <= 0;
    DELETE FROM ItemText WHERE rowid = new.ItemId AND new.ItemId IS NOT old.ItemId;
    UPDATE ItemsByCategory SET Items = Items - 1 WHERE CategoryID IS old.CategoryID;
    DELETE FROM ItemsByCategory WHERE CategoryID IS old.CategoryID AND Items <= 0;
    UPDATE ItemsByUnit SET Items = Items - 1 WHERE UnitId IS old.UnitId;
    DELETE FROM ItemsByUnit WHERE UnitId IS old.UnitId AND Items <= 0;
    DELETE FROM ItemText WHERE rowid = old.ItemId;
)sql" COUNT_NEW_ROW "END",
     }},
};

[[noreturn]] void failed(sqlite3* db, int rc)
{
    throw DbError(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)), rc & 0xff);
}

void run(sqlite3* db, const char* sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        failed(db, rc);
}

// Why the upgrade could not be made, for the user.
QString upgradeFailure(const QString& path, int rc, const QString& reason)
{
    const QString file = QDir::toNativeSeparators(path);
    const QString lead =
        QStringLiteral("The database \"%1\" was made by an earlier version of Corvanel and has to be brought up to "
                       "date before it can be used, ")
            .arg(file);
    QString why;
    switch (rc & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH: why = QStringLiteral("but the file or its folder is read-only."); break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        why = QStringLiteral("but another program is using it. Please try again when that program has finished.");
        break;
    case SQLITE_FULL: why = QStringLiteral("but there is not enough room left on its disk."); break;
    default: why = QStringLiteral("but that failed: %1.").arg(reason); break;
    }
    return lead + why + QStringLiteral(" The file was left unchanged.");
}

}  // namespace

void applySchemaSteps(Connection& c, int version)
{
    for (const SchemaStep& step : steps)
        if (step.from >= version)
            for (const char* sql : step.statements)
                c.execute(QString::fromUtf8(sql));
}

void applySchemaSteps(sqlite3* db, int version)
{
    for (const SchemaStep& step : steps)
        if (step.from >= version)
            for (const char* sql : step.statements)
                run(db, sql);
}

void upgradeDatabaseFile(const QString& path)
{
    Connection c;
    try {
        c.open(path);
        bringUpToDate(c);
    } catch (const IncompleteDatabaseError&) {
        throw;
    } catch (const DbError& e) {
        c.close();
        throw DbError(upgradeFailure(path, e.sqliteCode(), e.message()), e.sqliteCode());
    }
}

}  // namespace data
