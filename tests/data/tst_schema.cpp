#include "data/appfolder.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/schema.h"

#include "../support/sqltestutil.h"

#include <QtTest>
#include <sqlite3.h>

using data::Connection;
using data::DbError;
using data::OpenOutcome;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

using sqltest::column;
using sqltest::rawExec;

class TstSchema : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;  // a fresh database, made once for the read-only checks
    Connection c_;

private slots:
    void initTestCase();
    void cleanupTestCase();

    void createdWhenMissing();
    void createNeverReplacesAFile();
    void databasePathInApplicationFolder();

    void columns_data();
    void columns();
    void noOtherTables();
    void textColumnsIgnoreCase();
    void categoriesViewCountsEveryCategory();
    void states();
    void blankNotesHoldsOneEmptyText();
    void startsEmpty_data();
    void startsEmpty();
    void versionMarks();
    void orderItemIndexedOnOrderNo();

    void refusesForeignFiles_data();
    void refusesForeignFiles();
    void opensDespiteHotJournal();
    void bringUpToDate_data();
    void bringUpToDate();
};

void TstSchema::initTestCase()
{
    QVERIFY(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("fixture/Corvanel.mdb"));
    QVERIFY(QDir().mkpath(QFileInfo(path_).absolutePath()));
    data::createFreshDatabase(path_);
    c_.open(path_);
}

void TstSchema::cleanupTestCase() { c_.close(); }

void TstSchema::createdWhenMissing()
{
    const QString folder = dir_.filePath(QStringLiteral("new"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Corvanel.mdb");

    QCOMPARE(data::ensureDatabase(path), OpenOutcome::Created);
    // Nothing left behind from building it under another name.
    QCOMPARE(entries(folder), QStringList({"Corvanel.mdb"}));

    const QByteArray made = readAll(path);
    QVERIFY(made.startsWith(QByteArray("SQLite format 3\0", 16)));
    QCOMPARE(data::ensureDatabase(path), OpenOutcome::Opened);
    QCOMPARE(readAll(path), made);

    Connection c;
    c.open(path);
    QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM States")).toInt(), 51);
}

void TstSchema::createNeverReplacesAFile()
{
    const QString path = dir_.filePath(QStringLiteral("occupied.mdb"));
    writeFile(path, "keep me");
    QVERIFY_THROWS_EXCEPTION(DbError, data::createFreshDatabase(path));
    QCOMPARE(readAll(path), QByteArray("keep me"));

    // A folder that cannot be written to: an error, and no file at all.
    const QString nowhere = dir_.filePath(QStringLiteral("no-such-folder/Corvanel.mdb"));
    QVERIFY_THROWS_EXCEPTION(DbError, data::ensureDatabase(nowhere));
    QVERIFY(!QFileInfo::exists(QFileInfo(nowhere).absolutePath()));
}

void TstSchema::databasePathInApplicationFolder()
{
    data::setApplicationFolder(dir_.path() + QStringLiteral("/"));
    QCOMPARE(data::databasePath(), dir_.path() + QStringLiteral("/Corvanel.mdb"));
    data::setApplicationFolder(QString());
    QCOMPARE(data::applicationFolder(), QCoreApplication::applicationDirPath());
    QCOMPARE(data::databasePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/Corvanel.mdb"));
}

void TstSchema::columns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("columns");  // "Name TYPE"; a view's names only

    QTest::newRow("Item") << "Item"
                          << "table"
                          << QStringList{"ItemId INTEGER", "ItemCode TEXT", "ItemName TEXT", "CategoryID INTEGER",
                                         "UnitId INTEGER", "Material REAL", "Labor REAL",    "Qty REAL",
                                         "TU TEXT",        "SubLabor REAL", "Equipment REAL"};
    QTest::newRow("Category") << "Category"
                              << "table" << QStringList{"CatId INTEGER", "CatName TEXT", "ParentCategory INTEGER"};
    QTest::newRow("Categories") << "Categories"
                                << "view" << QStringList{"CatId", "CatName", "totitm", "ParentCategory"};
    QTest::newRow("Rooms") << "Rooms"
                           << "table" << QStringList{"Id INTEGER", "Name TEXT"};
    QTest::newRow("Units") << "Units"
                           << "table" << QStringList{"Id INTEGER", "Name TEXT"};
    QTest::newRow("Customer") << "Customer"
                              << "table"
                              << QStringList{"CustId INTEGER", "CustName TEXT",  "BStreet1 TEXT", "BStreet2 TEXT",
                                             "BCity TEXT",     "BState INTEGER", "BZip TEXT",     "BCountry TEXT",
                                             "BPhone TEXT",    "BFax TEXT",      "BMobile TEXT",  "BEmail TEXT",
                                             "BUrl TEXT",      "BCCNo TEXT"};
    QTest::newRow("States") << "States"
                            << "table" << QStringList{"StateId INTEGER", "StateName TEXT"};
    QTest::newRow("OrderInfo") << "OrderInfo"
                               << "table"
                               << QStringList{"OrderNo INTEGER", "CustId INTEGER",   "RepId INTEGER", "OrderDate TEXT",
                                              "SStreet1 TEXT",   "SStreet2 TEXT",    "SCity TEXT",    "SState INTEGER",
                                              "SZip TEXT",       "SCountry TEXT",    "SPhone TEXT",   "SMobile TEXT",
                                              "SEmail TEXT",     "ShipId INTEGER",   "Amount REAL",   "Tax REAL",
                                              "Total REAL",      "UPSTracking TEXT", "Notes TEXT",    "Overhead REAL"};
    QTest::newRow("OrderItem") << "OrderItem"
                               << "table" << QStringList{"OrderNo INTEGER", "ItemId INTEGER", "Qty REAL",
                                                         "Material REAL",   "RoomId INTEGER", "UnitId INTEGER",
                                                         "Extension REAL",  "Labor REAL",     "Others REAL"};
    QTest::newRow("Tax") << "Tax"
                         << "table" << QStringList{"Stateid INTEGER", "TaxRate REAL"};
    QTest::newRow("Representatives") << "Representatives"
                                     << "table" << QStringList{"RepId INTEGER", "RepName TEXT"};
    QTest::newRow("Ship") << "Ship"
                          << "table" << QStringList{"ShipId INTEGER", "ShippingMedia TEXT"};
    QTest::newRow("BlankNotes") << "BlankNotes"
                                << "table" << QStringList{"Notes TEXT"};
}

void TstSchema::columns()
{
    QFETCH(QString, table);
    QFETCH(QString, kind);
    QFETCH(QStringList, columns);

    QCOMPARE(c_.scalar(QStringLiteral("SELECT type FROM sqlite_schema WHERE name = ?"), {table}).toText(), kind);
    const data::Recordset info =
        c_.query(QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"), {table});
    QStringList actual;
    const data::RowArray& rows = info.rows();
    for (int r = 0; r < rows.rowCount(); ++r) {
        QString c = rows.at(0, r).toText();
        if (kind == QLatin1String("table"))
            c += QLatin1Char(' ') + rows.at(1, r).toText();
        actual << c;
    }
    QCOMPARE(actual, columns);
}

void TstSchema::noOtherTables()
{
    const QStringList names = column(c_.query(QStringLiteral(
        "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite%' ORDER BY name")));
    QStringList expected{"BlankNotes",      "Categories", "Category", "Customer", "Item", "OrderInfo", "OrderItem",
                         "Representatives", "Rooms",      "Ship",     "States",   "Tax",  "Units"};
    // The item tallies, and the items' text index with its shadow tables.
    const QStringList items{"ItemsByCategory",  "ItemsByUnit",   "ItemText",    "ItemText_config",
                            "ItemText_content", "ItemText_data", "ItemText_idx"};
    expected += items;
    expected.sort();
    QCOMPARE(names, expected);
}

void TstSchema::textColumnsIgnoreCase()
{
    // Every TEXT column of every table finds 'MixedCase' when asked for
    // 'mIXEDcASE', and sorts 'b' before 'C'.
    const QStringList tables = column(c_.query(QStringLiteral(
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name")));
    data::Transaction t(c_);
    for (const QString& table : tables) {
        const QStringList textColumns =
            column(c_.query(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE type = 'TEXT'"), {table}));
        for (const QString& col : textColumns) {
            const QString where = QStringLiteral("%1.%2").arg(table, col);
            c_.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES ('MixedCase'), ('b'), ('C')").arg(table, col));
            QVERIFY2(
                c_.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = 'mIXEDcASE'").arg(table, col)).toInt() ==
                    1,
                qPrintable(where));
            const QStringList order = column(
                c_.query(QStringLiteral("SELECT %2 FROM %1 WHERE %2 IN ('b', 'C') ORDER BY %2").arg(table, col)));
            QVERIFY2(order == QStringList({"b", "C"}), qPrintable(where));
        }
    }
    // Through the view, too.
    c_.execute(QStringLiteral("INSERT INTO Category (CatName) VALUES ('beta'), ('Alpha'), ('Gamma')"));
    QCOMPARE(column(c_.query(QStringLiteral(
                 "SELECT CatName FROM Categories WHERE CatName IN ('beta', 'Alpha', 'Gamma') ORDER BY CatName"))),
             QStringList({"Alpha", "beta", "Gamma"}));
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Categories WHERE CatName = 'ALPHA'")).toInt(), 1);
}  // rolled back

void TstSchema::categoriesViewCountsEveryCategory()
{
    data::Transaction t(c_);
    c_.execute(QStringLiteral("INSERT INTO Category (CatId, CatName, ParentCategory) VALUES "
                              "(1, 'Tile', 0), (2, 'Paint', 0), (3, 'Wood', 1)"));
    c_.execute(QStringLiteral("INSERT INTO Item (ItemCode, CategoryID) VALUES "
                              "('T1', 1), ('T2', 1), ('W1', 3), ('X', NULL), ('Y', 99)"));
    const data::Recordset rs = c_.query(QStringLiteral("SELECT * FROM Categories ORDER BY CatId"));
    QStringList rows;
    for (int r = 0; r < rs.recordCount(); ++r) {
        QStringList cells;
        for (int f = 0; f < rs.fieldCount(); ++f)
            cells << rs.rows().at(f, r).toText();
        rows << cells.join(QLatin1Char('|'));
    }
    QCOMPARE(rows, QStringList({"1|Tile|2|0", "2|Paint|0|0", "3|Wood|1|1"}));
    QCOMPARE(rs.rows().at(2, 1).isInteger(), true);
}

void TstSchema::states()
{
    const data::Recordset rs = c_.query(QStringLiteral("SELECT StateId, StateName FROM States ORDER BY StateId"));
    QCOMPARE(rs.recordCount(), 51);
    QStringList names;
    for (int r = 0; r < rs.recordCount(); ++r) {
        QCOMPARE(rs.rows().at(0, r).toInt(), r + 1);
        names << rs.rows().at(1, r).toText();
    }
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 51);
    QCOMPARE(names.first(), QStringLiteral("Alabama"));
    QCOMPARE(names.last(), QStringLiteral("Wyoming"));
    QVERIFY(names.contains(QStringLiteral("District of Columbia")));
    QVERIFY(names.contains(QStringLiteral("New Hampshire")));
}

void TstSchema::blankNotesHoldsOneEmptyText()
{
    const data::Recordset rs = c_.query(QStringLiteral("SELECT Notes FROM BlankNotes"));
    QCOMPARE(rs.recordCount(), 1);
    QVERIFY(rs.value(0).isText());
    QCOMPARE(rs.value(0).toText(), QString());
}

void TstSchema::startsEmpty_data()
{
    QTest::addColumn<QString>("table");
    for (const char* t :
         {"Item", "Category", "Rooms", "Units", "Customer", "OrderInfo", "OrderItem", "Tax", "Representatives", "Ship"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

void TstSchema::startsEmpty()
{
    QFETCH(QString, table);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(), 0);
}

void TstSchema::versionMarks()
{
    QCOMPARE(c_.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
    QCOMPARE(c_.scalar(QStringLiteral("PRAGMA application_id")).toInt(), data::applicationId);
    QCOMPARE(c_.scalar(QStringLiteral("PRAGMA journal_mode")).toText(), QStringLiteral("delete"));
}

void TstSchema::orderItemIndexedOnOrderNo()
{
    const QStringList indexed = column(c_.query(
        QStringLiteral("SELECT ii.name FROM pragma_index_list('OrderItem') il, pragma_index_info(il.name) ii")));
    QCOMPARE(indexed, QStringList({"OrderNo"}));
}

void TstSchema::refusesForeignFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");  // a part the message must hold besides the file's name

    QTest::newRow("text file") << "text"
                               << "is not a Corvanel database";
    QTest::newRow("empty file") << "empty"
                                << "is not a Corvanel database";
    QTest::newRow("header cut short") << "short header"
                                      << "is not a Corvanel database";
    QTest::newRow("another engine's file") << "other engine"
                                           << "is not a Corvanel database";
    QTest::newRow("another program's SQLite file") << "foreign sqlite"
                                                   << "is not a Corvanel database";
    QTest::newRow("SQLite header, then garbage") << "garbage"
                                                 << "is not a Corvanel database";
    QTest::newRow("newer schema") << "newer"
                                  << "newer version";
}

void TstSchema::refusesForeignFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    const QString folder = dir_.filePath(QStringLiteral("refuse-") + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Corvanel.mdb");
    if (kind == QLatin1String("text")) {
        writeFile(path, "ItemCode,ItemName\r\nA1,Tile\r\n");
    } else if (kind == QLatin1String("empty")) {
        writeFile(path, QByteArray());
    } else if (kind == QLatin1String("short header")) {
        writeFile(path, QByteArray("SQLite format 3"));
    } else if (kind == QLatin1String("other engine")) {
        QByteArray bytes(4096, '\0');
        bytes.replace(0, 20,
                      QByteArray("\x00\x01\x00\x00"
                                 "Some Other DB\x00\x00\x00",
                                 20));
        for (int i = 20; i < bytes.size(); ++i)
            bytes[i] = char((i * 37) & 0xff);
        writeFile(path, bytes);
    } else if (kind == QLatin1String("foreign sqlite")) {
        rawExec(path,
                "CREATE TABLE Item (ItemId INTEGER PRIMARY KEY, ItemName TEXT); INSERT INTO Item VALUES (1, 'x');");
    } else if (kind == QLatin1String("garbage")) {
        QByteArray bytes("SQLite format 3\0", 16);
        bytes += QByteArray(4080, '\xAB');
        writeFile(path, bytes);
    } else if (kind == QLatin1String("newer")) {
        QVERIFY(QFile::copy(path_, path));
        rawExec(path, QByteArray("PRAGMA user_version = " + QByteArray::number(data::schemaVersion + 1)).constData());
    }
    if (QTest::currentTestFailed())
        return;

    const QByteArray before = readAll(path);
    const QStringList filesBefore = entries(folder);
    try {
        data::ensureDatabase(path);
        QFAIL("the file was accepted");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QLatin1String("left unchanged")), qPrintable(e.message()));
    }
    QVERIFY(readAll(path) == before);
    QCOMPARE(entries(folder), filesBefore);
}

void TstSchema::opensDespiteHotJournal()
{
    // A save cut short leaves a hot journal, which a read-only handle may not
    // roll back; the database is still ours and must not be refused.
    const QString folder = dir_.filePath(QStringLiteral("hot"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Corvanel.mdb");
    const QString journal = path + QStringLiteral("-journal");
    data::createFreshDatabase(path);

    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    // A tiny cache forces pages out to the file mid-transaction, which makes
    // SQLite sync the journal: a copy of it is then a hot journal.
    QCOMPARE(sqlite3_exec(db, "PRAGMA cache_size = 2; BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    const QByteArray insert = "INSERT INTO Item (ItemName) VALUES ('" + QByteArray(1000, 'x') + "')";
    for (int i = 0; i < 200; ++i)
        QCOMPARE(sqlite3_exec(db, insert.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    const QByteArray hot = readAll(journal);
    QCOMPARE(sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    writeFile(journal, hot);

    QCOMPARE(data::ensureDatabase(path), OpenOutcome::Opened);
    Connection c;
    c.open(path);
    QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 0);
    QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM States")).toInt(), 51);
    QVERIFY(!QFile::exists(journal));
}

void TstSchema::bringUpToDate_data()
{
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<QString>("missing");  // empty: brought up to date
    QTest::newRow("this version, whole") << QByteArray() << QString();
    QTest::newRow("version 0, without indexes and the saved query")
        << QByteArray("PRAGMA user_version = 0; DROP INDEX Item_ItemName; DROP INDEX OrderItem_OrderNo; "
                      "DROP VIEW Categories;")
        << QString();
    QTest::newRow("version 0, without a column")
        << QByteArray("PRAGMA user_version = 0; DROP TRIGGER Item_Added; DROP TRIGGER Item_Removed; "
                      "DROP TRIGGER Item_Changed; DROP INDEX Item_ItemName; DROP INDEX Item_CategoryID_ItemName; "
                      "ALTER TABLE Item DROP COLUMN ItemName;")
        << QStringLiteral("column \"ItemName\" of table \"Item\"");
    QTest::newRow("this version, without a table and a column")
        << QByteArray("DROP TABLE Ship; ALTER TABLE OrderInfo DROP COLUMN UPSTracking;")
        << QStringLiteral("column \"UPSTracking\" of table \"OrderInfo\", table \"Ship\"");
}

void TstSchema::bringUpToDate()
{
    QFETCH(QByteArray, change);
    QFETCH(QString, missing);
    const QString folder = dir_.filePath(QStringLiteral("up-") + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Corvanel.mdb");
    data::createFreshDatabase(path);
    if (!change.isEmpty())
        rawExec(path, change.constData());
    const QByteArray before = readAll(path);

    Connection c;
    c.open(path);
    try {
        data::bringUpToDate(c);
        QVERIFY2(missing.isEmpty(), "an incomplete file was taken");
    } catch (const data::IncompleteDatabaseError& e) {
        QCOMPARE(data::describeMissing(e.missing()), missing);
        QVERIFY2(e.message().contains(missing), qPrintable(e.message()));
    }
    if (missing.isEmpty()) {
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
        QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN "
                                         "('Item_ItemName', 'OrderItem_OrderNo', 'Categories')"))
                     .toInt(),
                 3);
    } else {
        // Refused as a whole: not even the version moved.
        c.close();
        QVERIFY(readAll(path) == before);
    }
}

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
