#include "data/connection.h"
#include "data/dberror.h"
#include "data/quickcheck.h"
#include "data/recordset.h"
#include "data/sqlnames.h"

#include "../support/sqltestutil.h"

#include <QtTest>
#include <sqlite3.h>
#include <unistd.h>

using data::Connection;
using data::DbError;
using data::DbValue;
using data::Params;
using data::Recordset;

Q_DECLARE_METATYPE(data::DbValue)

namespace {

// Type and value as one text, so a test sees INTEGER 9 and TEXT 9 apart.
QString describe(const DbValue& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.isInteger())
        return QStringLiteral("INTEGER ") + v.toText();
    if (v.isReal())
        return QStringLiteral("REAL ") + v.toText();
    if (v.isText())
        return QStringLiteral("TEXT ") + v.toText();
    return QStringLiteral("BLOB ") + QString::fromLatin1(v.toBlob().toHex());
}

}  // namespace

using sqltest::column;
using sqltest::rawExec;

class TstDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;  // a fresh database of the fixture tables for each test
    Connection c_;

    // Numbers(Id INTEGER PRIMARY KEY, Name TEXT) holding ids 1..count.
    void fillNumbers(int count)
    {
        data::Transaction t(c_);
        for (int i = 1; i <= count; ++i)
            c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (?, ?)"),
                       {i, QStringLiteral("n%1").arg(i)});
        t.commit();
    }

private slots:
    void init();
    void cleanup();

    void openRefusesMissingFile();
    void openRefusesFileOfAnotherKind();
    void connectionsShareOneHandle();
    void commitsLandInTheFileAlone();

    void nullApartFromEmptyText();
    void valuesKeepSqliteTypes();
    void dbValueConversions_data();
    void dbValueConversions();
    void fieldNamesIgnoreCase();
    void recordsetNavigation();

    void nocaseComparisons();
    void rollbackLeavesData();
    void beginImmediateTakesWriteLock();
    void boundValuesStayLiteral();
    void oneStatementPerCall();
    void executeCountsChangedRows();
    void errorsCarrySqliteMessage();
    void fileStatesAreToldInPlainWords_data();
    void fileStatesAreToldInPlainWords();
    void quickCheckFindsDamage_data();
    void quickCheckFindsDamage();
    void backgroundQuickCheckReportsOnItsContext();

    void checkedIdentifier_data();
    void checkedIdentifier();
    void isoDate();

    void sqlFunctions_data();
    void sqlFunctions();
    void sqlFunctionsOverColumns();
};

void TstDatabase::init()
{
    QVERIFY(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("%1.db").arg(QString::fromLatin1(QTest::currentTestFunction())));
    QFile::remove(path_);
    rawExec(path_, "CREATE TABLE Numbers (Id INTEGER PRIMARY KEY, Name TEXT);"
                   "CREATE TABLE Words (Id INTEGER PRIMARY KEY, Word TEXT COLLATE NOCASE, Plain TEXT);"
                   "CREATE TABLE Typed (I INTEGER, R REAL, T TEXT, U);"
                   "CREATE TABLE Item (ItemId INTEGER PRIMARY KEY, ItemCode TEXT COLLATE NOCASE);");
    c_.open(path_);
}

void TstDatabase::cleanup() { c_.close(); }

void TstDatabase::openRefusesMissingFile()
{
    const QString missing = dir_.filePath(QStringLiteral("nothing-here.db"));
    Connection c;
    try {
        c.open(missing);
        QFAIL("a missing file was opened");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(missing)), qPrintable(e.message()));
    }
    QVERIFY(!c.isOpen());
    QVERIFY(!QFile::exists(missing));
}

void TstDatabase::openRefusesFileOfAnotherKind()
{
    const QString text = dir_.filePath(QStringLiteral("notes.txt"));
    const QByteArray content = "These are not the rows you are looking for, but they are long enough.\n";
    {
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    Connection c;
    QVERIFY_THROWS_EXCEPTION(DbError, c.open(text));
    QFile f(text);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
}

void TstDatabase::connectionsShareOneHandle()
{
    // Another spelling of the same file still reaches the same handle.
    Connection b;
    b.open(dir_.path() + QStringLiteral("/./") + QFileInfo(path_).fileName());
    QVERIFY(b.sharesHandleWith(c_));
    QCOMPARE(b.path(), c_.path());
    QCOMPARE(c_.scalar(QStringLiteral("PRAGMA journal_mode")).toText(), QStringLiteral("delete"));

    // Temporary tables belong to a handle: they show which one is in use.
    c_.execute(QStringLiteral("CREATE TEMP TABLE Marker (x)"));
    c_.close();
    QVERIFY(!c_.isOpen());
    QCOMPARE(b.scalar(QStringLiteral("SELECT count(*) FROM temp.sqlite_master WHERE name = 'Marker'")).toInt(), 1);

    // With the last connection gone, the handle is closed: a new one starts clean.
    b.close();
    c_.open(path_);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM temp.sqlite_master WHERE name = 'Marker'")).toInt(), 0);

    // Moving a connection moves its hold on the handle.
    Connection moved = std::move(c_);
    QVERIFY(moved.isOpen());
    QVERIFY(!c_.isOpen());
}

void TstDatabase::commitsLandInTheFileAlone()
{
    fillNumbers(3);
    // A rollback journal that is gone after the commit, and no WAL beside it.
    QVERIFY(!QFile::exists(path_ + QStringLiteral("-journal")));
    QVERIFY(!QFile::exists(path_ + QStringLiteral("-wal")));

    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open_v2(path_.toUtf8().constData(), &other, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    QCOMPARE(sqlite3_prepare_v2(other, "SELECT count(*) FROM Numbers", -1, &st, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_step(st), SQLITE_ROW);
    const int count = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(other);
    QCOMPARE(count, 3);
}

void TstDatabase::nullApartFromEmptyText()
{
    c_.execute(QStringLiteral("INSERT INTO Typed (T) VALUES (NULL), (''), (?), (?), (?)"),
               {DbValue(), QString(), QStringLiteral("")});
    const Recordset rs = c_.query(QStringLiteral("SELECT T FROM Typed ORDER BY rowid"));
    QStringList kinds;
    for (int r = 0; r < rs.recordCount(); ++r)
        kinds << describe(rs.rows().at(0, r));
    QCOMPARE(kinds, QStringList({"NULL", "TEXT ", "NULL", "TEXT ", "TEXT "}));
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Typed WHERE T IS NULL")).toInt(), 2);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Typed WHERE T = ''")).toInt(), 3);

    QVERIFY(DbValue() != DbValue(QString()));
    QCOMPARE(DbValue().toText(), QString());
    QVERIFY(c_.scalar(QStringLiteral("SELECT T FROM Typed WHERE 0")).isNull());  // no row at all
}

void TstDatabase::valuesKeepSqliteTypes()
{
    // Column affinity decides: the same '9' comes back as each column keeps it.
    c_.execute(QStringLiteral("INSERT INTO Typed (I, R, T, U) VALUES (?, ?, ?, ?)"),
               {QStringLiteral("9"), QStringLiteral("9"), 9, 9.5});
    c_.execute(QStringLiteral("INSERT INTO Typed (I, R, T, U) VALUES (?, ?, ?, ?)"),
               {QStringLiteral("9x"), 1, 2.5, QByteArray("\x01\x02", 2)});
    const Recordset rs = c_.query(QStringLiteral("SELECT I, R, T, U FROM Typed ORDER BY rowid"));
    QCOMPARE(rs.recordCount(), 2);
    const data::RowArray& a = rs.rows();
    QCOMPARE(QStringList({describe(a(0, 0)), describe(a(1, 0)), describe(a(2, 0)), describe(a(3, 0))}),
             QStringList({"INTEGER 9", "REAL 9", "TEXT 9", "REAL 9.5"}));
    QCOMPARE(QStringList({describe(a(0, 1)), describe(a(1, 1)), describe(a(2, 1)), describe(a(3, 1))}),
             QStringList({"TEXT 9x", "REAL 1", "TEXT 2.5", "BLOB 0102"}));

    // Whole numbers past 2^53 survive the trip.
    const std::int64_t big = 9007199254740993;
    QCOMPARE(c_.scalar(QStringLiteral("SELECT ?"), {big}).toInt64(), big);
}

void TstDatabase::dbValueConversions_data()
{
    QTest::addColumn<DbValue>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<qint64>("whole");

    // clang-format off
    QTest::newRow("null") << DbValue() << "" << 0.0 << qint64(0);
    QTest::newRow("integer") << DbValue(42) << "42" << 42.0 << qint64(42);
    QTest::newRow("real") << DbValue(0.1 + 0.2) << "0.3" << 0.1 + 0.2 << qint64(0);
    QTest::newRow("real half to even") << DbValue(2.5) << "2.5" << 2.5 << qint64(2);
    QTest::newRow("real odd half up") << DbValue(-3.5) << "-3.5" << -3.5 << qint64(-4);
    QTest::newRow("real too big clamps") << DbValue(1e300) << "1E+300" << 1e300 << std::numeric_limits<qint64>::max();
    QTest::newRow("real too small clamps") << DbValue(-1e300) << "-1E+300" << -1e300 << std::numeric_limits<qint64>::min();
    QTest::newRow("text read from the start") << DbValue("12.5abc") << "12.5abc" << 12.5 << qint64(12);
    QTest::newRow("text not numeric") << DbValue("abc") << "abc" << 0.0 << qint64(0);
    QTest::newRow("text with comma") << DbValue("7,5") << "7,5" << 7.0 << qint64(7);
    QTest::newRow("blob") << DbValue(QByteArray("3.5")) << "3.5" << 3.5 << qint64(4);
    // clang-format on
}

void TstDatabase::dbValueConversions()
{
    QFETCH(DbValue, value);
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(qint64, whole);
    QCOMPARE(value.toText(), text);
    QVERIFY(value.toDouble() == number);
    QCOMPARE(value.toInt64(), whole);
}

void TstDatabase::fieldNamesIgnoreCase()
{
    c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (7, 'seven')"));
    Recordset rs = c_.query(QStringLiteral("SELECT Id AS OrderNo, Name FROM Numbers"));
    QCOMPARE(rs.fieldCount(), 2);
    QCOMPARE(rs.fieldName(0), QStringLiteral("OrderNo"));
    QCOMPARE(rs.fieldIndex(QStringLiteral("orderno")), 0);
    QCOMPARE(rs.fieldIndex(QStringLiteral("NAME")), 1);
    QCOMPARE(rs.fieldIndex(QStringLiteral("Nope")), -1);
    QCOMPARE(rs[QStringLiteral("orderno")].toInt(), 7);
    QCOMPARE(rs.value(QStringLiteral("ORDERNO")).toInt(), 7);
    QCOMPARE(rs.value(1).toText(), QStringLiteral("seven"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.value(QStringLiteral("Nope")));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.value(2));
    rs.moveNext();
    QVERIFY(rs.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs.value(QStringLiteral("Name")));
}

void TstDatabase::recordsetNavigation()
{
    fillNumbers(5);
    Recordset rs = c_.query(QStringLiteral("SELECT Id, Name FROM Numbers ORDER BY Id"));
    QCOMPARE(rs.recordCount(), 5);
    QVERIFY(!rs.eof());
    QCOMPARE(rs.absolutePosition(), 1);
    rs.moveNext();
    QCOMPARE(rs.absolutePosition(), 2);
    QCOMPARE(rs.value(0).toInt(), 2);

    // [field, row]: field first.
    const data::RowArray two = rs.getRows(2);
    QCOMPARE(two.rowCount(), 2);
    QCOMPARE(two.fieldCount(), 2);
    QCOMPARE(two.at(0, 0).toInt(), 2);
    QCOMPARE(two.at(1, 1).toText(), QStringLiteral("n3"));
    QCOMPARE(rs.absolutePosition(), 4);

    const data::RowArray rest = rs.getRows();
    QCOMPARE(column(rest), QStringList({"4", "5"}));
    QVERIFY(rs.eof());
    QVERIFY(rs.getRows().isEmpty());

    rs.setAbsolutePosition(5);
    QCOMPARE(rs.value(QStringLiteral("id")).toInt(), 5);
    rs.moveNext();
    rs.moveNext();  // stays at EOF
    QVERIFY(rs.eof());
    rs.moveFirst();
    QCOMPARE(rs.value(0).toInt(), 1);

    QVERIFY(rs.isOpen());
    rs.close();
    QVERIFY(!rs.isOpen());

    const Recordset none = c_.query(QStringLiteral("SELECT Id FROM Numbers WHERE 0"));
    QVERIFY(none.eof());
    QCOMPARE(none.recordCount(), 0);
    QCOMPARE(none.fieldName(0), QStringLiteral("Id"));
}

void TstDatabase::nocaseComparisons()
{
    for (const char* w : {"apple", "Banana", "cherry", "APPLE pie", "Apple"})
        c_.execute(QStringLiteral("INSERT INTO Words (Word, Plain) VALUES (?1, ?1)"), {w});

    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words WHERE Word = ?"), {"APPLE"}).toInt(), 2);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words WHERE Word LIKE ?"), {"aPp%"}).toInt(), 3);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words WHERE Word > ?"), {"BANANA"}).toInt(), 1);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(DISTINCT Word) FROM Words")).toInt(), 4);
    // By case alone B sorts before a; without regard to case it does not.
    QCOMPARE(column(c_.query(QStringLiteral("SELECT Word FROM Words ORDER BY Word, Id"))),
             QStringList({"apple", "Apple", "APPLE pie", "Banana", "cherry"}));
    QCOMPARE(column(c_.query(QStringLiteral("SELECT Plain FROM Words ORDER BY Plain"))).first(),
             QStringLiteral("APPLE pie"));
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words WHERE Plain = ?"), {"APPLE"}).toInt(), 0);
}

void TstDatabase::rollbackLeavesData()
{
    fillNumbers(3);
    {
        data::Transaction t(c_);
        c_.execute(QStringLiteral("UPDATE Numbers SET Name = 'changed'"));
        c_.execute(QStringLiteral("DELETE FROM Numbers WHERE Id = 1"));
        QVERIFY(c_.inTransaction());
    }  // no commit
    QVERIFY(!c_.inTransaction());
    QCOMPARE(column(c_.query(QStringLiteral("SELECT Name FROM Numbers ORDER BY Id"))), QStringList({"n1", "n2", "n3"}));

    c_.beginImmediate();
    c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (4, 'n4')"));
    c_.rollback();
    c_.rollback();  // again, and without a transaction: harmless
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Numbers")).toInt(), 3);

    {
        data::Transaction t(c_, false);
        c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (4, 'n4')"));
        t.commit();
    }
    c_.close();
    c_.open(path_);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Numbers")).toInt(), 4);
}

void TstDatabase::beginImmediateTakesWriteLock()
{
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open_v2(path_.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    c_.beginImmediate();
    // Before any write of ours, another program already cannot start one.
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_BUSY);
    c_.rollback();
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
}

void TstDatabase::boundValuesStayLiteral()
{
    const QStringList names = {"O'Brien", "50%", "50x", "a_b", "axb", "say \"hi\"", "x'); DROP TABLE Words; --"};
    for (const QString& n : names)
        c_.execute(QStringLiteral("INSERT INTO Words (Word) VALUES (?)"), {n});
    for (const QString& n : names) {
        const Recordset rs = c_.query(QStringLiteral("SELECT Word FROM Words WHERE Word = ?"), {n});
        QCOMPARE(column(rs), QStringList({n}));
    }
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words WHERE Word = ?"), {"' OR '1'='1"}).toInt(), 0);
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Words")).toInt(), int(names.size()));
}

void TstDatabase::oneStatementPerCall()
{
    fillNumbers(2);
    QVERIFY_THROWS_EXCEPTION(DbError, c_.execute(QStringLiteral("UPDATE Numbers SET Name = 'x'; DROP TABLE Numbers")));
    // The first statement, already prepared when the second was found, was
    // finalized too: an open one would keep the handle from ever closing.
    QCOMPARE(c_.unfinishedStatements(), 0);
    QCOMPARE(column(c_.query(QStringLiteral("SELECT Name FROM Numbers ORDER BY Id"))), QStringList({"n1", "n2"}));
    // A trailing ';' or comment is not a second statement.
    QCOMPARE(c_.execute(QStringLiteral("UPDATE Numbers SET Name = 'y' WHERE Id = 1; -- done\n")), 1);
    QVERIFY_THROWS_EXCEPTION(DbError, c_.execute(QStringLiteral("  ")));
}

void TstDatabase::executeCountsChangedRows()
{
    QCOMPARE(c_.execute(QStringLiteral("INSERT INTO Numbers (Name) VALUES ('a'), ('b'), ('c')")), 3);
    QCOMPARE(c_.lastInsertRowId(), std::int64_t(3));
    QCOMPARE(c_.execute(QStringLiteral("UPDATE Numbers SET Name = Name || ?"), {"!"}), 3);
    // Statements that change no row report none, not the count before them.
    QCOMPARE(c_.execute(QStringLiteral("CREATE TABLE Extra (x)")), 0);
    QCOMPARE(c_.execute(QStringLiteral("DELETE FROM Numbers WHERE Id > 99")), 0);
    QCOMPARE(c_.execute(QStringLiteral("SELECT * FROM Numbers")), 0);
    QCOMPARE(c_.execute(QStringLiteral("DELETE FROM Numbers WHERE Id < ?"), {3}), 2);
}

void TstDatabase::errorsCarrySqliteMessage()
{
    try {
        c_.query(QStringLiteral("SELEC Id FROM Numbers"));
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.sqliteCode(), SQLITE_ERROR);
        QVERIFY2(e.message().contains(QLatin1String("syntax error")), qPrintable(e.message()));
    }
    c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (1, 'a')"));
    try {
        c_.execute(QStringLiteral("INSERT INTO Numbers (Id, Name) VALUES (?, ?)"), {1, "again"});
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.sqliteCode(), SQLITE_CONSTRAINT);
        QVERIFY2(e.message().contains(QLatin1String("UNIQUE")), qPrintable(e.message()));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, c_.execute(QStringLiteral("UPDATE Numbers SET Name = ?"), {}));
    QVERIFY_THROWS_EXCEPTION(DbError, c_.execute(QStringLiteral("UPDATE Numbers SET Name = ?"), {"a", "b"}));
    // Every statement was finalized on the way out.
    QCOMPARE(c_.unfinishedStatements(), 0);
    QVERIFY(!c_.inTransaction());

    Connection closed;
    QVERIFY_THROWS_EXCEPTION(DbError, closed.query(QStringLiteral("SELECT 1")));
    QVERIFY_THROWS_EXCEPTION(DbError, closed.begin());
    closed.rollback();  // never throws
}

namespace {

enum class FileState { Locked, ReadOnly, Damaged };

// Overwrites a run of bytes in the middle of the file, past its header.
void damageMiddle(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    QVERIFY(size > 16 * 4096);
    QVERIFY(f.seek(size / 2 - 2048));
    f.write(QByteArray(8192, char(0x5a)));
}

// Rows enough for many pages.
void fillPages(const QString& path)
{
    sqltest::rawExec(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                           "INSERT INTO Numbers (Id, Name) SELECT i, printf('%080d', i) FROM n;");
}

}  // namespace

Q_DECLARE_METATYPE(FileState)

void TstDatabase::fileStatesAreToldInPlainWords_data()
{
    QTest::addColumn<FileState>("state");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("code");
    const QString inUse = QStringLiteral("is in use by another program");
    const QString readOnly = QStringLiteral("cannot be written: the file or its folder is read-only");
    const QString damaged = QStringLiteral("is damaged. Restore a backup with File > Restore from Backup.");
    QTest::newRow("locked, a read") << FileState::Locked << false << inUse << int(SQLITE_BUSY);
    QTest::newRow("locked, a write") << FileState::Locked << true << inUse << int(SQLITE_BUSY);
    QTest::newRow("read-only, a write") << FileState::ReadOnly << true << readOnly << int(SQLITE_READONLY);
    QTest::newRow("damaged, a read") << FileState::Damaged << false << damaged << int(SQLITE_CORRUPT);
    QTest::newRow("damaged, a write") << FileState::Damaged << true << damaged << int(SQLITE_CORRUPT);
}

void TstDatabase::fileStatesAreToldInPlainWords()
{
    QFETCH(FileState, state);
    QFETCH(bool, write);
    QFETCH(QString, words);
    QFETCH(int, code);
    c_.close();
    fillPages(path_);
    data::setBusyTimeoutMs(100);
    sqlite3* other = nullptr;
    auto restore = qScopeGuard([&] {
        data::setBusyTimeoutMs(5000);
        if (other)
            sqlite3_close(other);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    });
    switch (state) {
    case FileState::Locked:
        QCOMPARE(sqlite3_open_v2(path_.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        // Holds the lock from the next statement on: the open itself reads.
        break;
    case FileState::ReadOnly:
        QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        break;
    case FileState::Damaged: damageMiddle(path_); break;
    }
    if (state != FileState::Locked)
        c_.open(path_);
    // Root writes to a file whatever its mode; SQLite's read-only switch
    // then stands in for the file's own.
    if (state == FileState::ReadOnly && ::geteuid() == 0)
        c_.execute(QStringLiteral("PRAGMA query_only = ON"));

    try {
        if (state == FileState::Locked)
            c_.open(path_);
        if (write)
            c_.execute(QStringLiteral("UPDATE Numbers SET Name = 'x' WHERE Id > ?"), {1000});
        else
            c_.query(QStringLiteral("SELECT max(Name) FROM Numbers"));
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.sqliteCode(), code);
        QVERIFY2(e.message().contains(words), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(QFileInfo(path_).canonicalFilePath())) ||
                     e.message().contains(QDir::toNativeSeparators(path_)),
                 qPrintable(e.message()));
        // SQLite's own words stay out of the user's way.
        for (const char* raw : {"database is locked", "readonly database", "malformed"})
            QVERIFY2(!e.message().contains(QLatin1String(raw)), qPrintable(e.message()));
    }
    if (c_.isOpen())
        c_.execute(QStringLiteral("PRAGMA query_only = OFF"));
}

void TstDatabase::quickCheckFindsDamage_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("sound") << false;
    QTest::newRow("bytes overwritten in the middle") << true;
}

void TstDatabase::quickCheckFindsDamage()
{
    QFETCH(bool, damaged);
    c_.close();
    fillPages(path_);
    if (damaged)
        damageMiddle(path_);
    const QByteArray before = [&] {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QCOMPARE(data::quickCheck(path_), damaged ? data::FileHealth::Damaged : data::FileHealth::Sound);
    QFile f(path_);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);  // a check only reads
    QCOMPARE(data::quickCheck(dir_.filePath(QStringLiteral("missing.db"))), data::FileHealth::Unknown);
}

void TstDatabase::backgroundQuickCheckReportsOnItsContext()
{
    c_.close();
    fillPages(path_);
    damageMiddle(path_);
    QObject context;
    std::optional<data::FileHealth> got;
    Qt::HANDLE reportedOn = nullptr;
    {
        data::BackgroundQuickCheck check;
        check.start(path_, &context, [&](data::FileHealth h) {
            got = h;
            reportedOn = QThread::currentThreadId();
        });
        QTRY_VERIFY(got.has_value());
    }
    QCOMPARE(*got, data::FileHealth::Damaged);
    QCOMPARE(reportedOn, QThread::currentThreadId());

    // Stopped before it could report: nothing arrives later.
    got.reset();
    {
        data::BackgroundQuickCheck check;
        check.start(path_, &context, [&](data::FileHealth h) { got = h; });
        check.stop();
        QVERIFY(!check.isRunning());
    }
    QTest::qWait(50);
    QVERIFY(!got.has_value());
}

void TstDatabase::checkedIdentifier_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");  // empty: refused
    // clang-format off
    QTest::newRow("other case") << "itemname" << "ItemName";
    QTest::newRow("upper case") << "ITEMCODE" << "ItemCode";
    QTest::newRow("own spelling") << "Qty" << "Qty";
    QTest::newRow("injection") << "name; drop table x" << "";
    QTest::newRow("trailing blank") << "ItemName " << "";
    QTest::newRow("quoted") << "\"ItemName\"" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("not in the list") << "Material" << "";
    // clang-format on
}

void TstDatabase::checkedIdentifier()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    const QStringList allowed = {"ItemCode", "ItemName", "Qty"};
    if (result.isEmpty()) {
        try {
            data::sql::checkedIdentifier(name, allowed);
            QFAIL("accepted");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(name), qPrintable(e.message()));
        }
    } else {
        QCOMPARE(data::sql::checkedIdentifier(name, allowed), result);
    }
}

void TstDatabase::isoDate()
{
    QCOMPARE(data::sql::isoDate(2024, 3, 5), QStringLiteral("2024-03-05"));
    QCOMPARE(data::sql::isoDate(999, 12, 31), QStringLiteral("0999-12-31"));
}

void TstDatabase::sqlFunctions_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("result");

    // clang-format off
    QTest::newRow("val digits then letters") << "val('12abc')" << "REAL 12";
    QTest::newRow("val blanks inside") << "val(' 2 45 7')" << "REAL 2457";
    QTest::newRow("val point") << "val('7.5')" << "REAL 7.5";
    QTest::newRow("val comma") << "val('7,5')" << "REAL 7";
    QTest::newRow("val letters") << "val('abc')" << "REAL 0";
    QTest::newRow("val hex") << "val('&H1F')" << "REAL 31";
    QTest::newRow("val overflow") << "val('1E400')" << "REAL 0";
    QTest::newRow("val null") << "val(NULL)" << "NULL";
    QTest::newRow("val integer passes") << "val(7)" << "INTEGER 7";
    QTest::newRow("val real passes") << "val(2.5)" << "REAL 2.5";
    QTest::newRow("val upper case name") << "VAL('3')" << "REAL 3";
    QTest::newRow("cdbl number") << "cdbl('1.5')" << "REAL 1.5";
    QTest::newRow("cdbl blanks around") << "cdbl(' 2.5 ')" << "REAL 2.5";
    QTest::newRow("cdbl comma") << "cdbl('1,5')" << "NULL";
    QTest::newRow("cdbl trailing letters") << "cdbl('12abc')" << "NULL";
    QTest::newRow("cdbl empty") << "cdbl('')" << "NULL";
    QTest::newRow("cdbl null") << "cdbl(NULL)" << "NULL";
    QTest::newRow("cdbl integer") << "cdbl(3)" << "REAL 3";
    QTest::newRow("isnumeric digits") << "isnumeric('9')" << "INTEGER 1";
    QTest::newRow("isnumeric code") << "isnumeric('A1')" << "INTEGER 0";
    QTest::newRow("isnumeric empty") << "isnumeric('')" << "INTEGER 0";
    QTest::newRow("isnumeric null") << "isnumeric(NULL)" << "INTEGER 0";
    QTest::newRow("isnumeric real") << "isnumeric(3.5)" << "INTEGER 1";
    QTest::newRow("isnumeric hex") << "isnumeric('&H10')" << "INTEGER 1";
    QTest::newRow("isnumeric exponent") << "isnumeric('1e5')" << "INTEGER 1";
    // clang-format on
}

void TstDatabase::sqlFunctions()
{
    QFETCH(QString, expr);
    QFETCH(QString, result);
    QCOMPARE(describe(c_.scalar(QStringLiteral("SELECT ") + expr)), result);
}

void TstDatabase::sqlFunctionsOverColumns()
{
    for (const char* code : {"9", "10", "A1"})
        c_.execute(QStringLiteral("INSERT INTO Item (ItemCode) VALUES (?)"), {code});
    QCOMPARE(describe(c_.scalar(QStringLiteral("SELECT max(cdbl(ItemCode)) FROM Item WHERE isnumeric(ItemCode)"))),
             QStringLiteral("REAL 10"));
    QCOMPARE(column(c_.query(QStringLiteral("SELECT ItemCode FROM Item ORDER BY val(ItemCode)"))),
             QStringList({"A1", "9", "10"}));
    QCOMPARE(column(c_.query(QStringLiteral("SELECT ItemCode FROM Item ORDER BY ItemCode"))),
             QStringList({"10", "9", "A1"}));
    QCOMPARE(c_.scalar(QStringLiteral("SELECT val(?)"), {"7.5"}).toDouble(), 7.5);
    // Only deterministic functions may appear in an index.
    c_.execute(QStringLiteral("CREATE INDEX Item_val ON Item (val(ItemCode))"));
    QCOMPARE(c_.scalar(QStringLiteral("SELECT count(*) FROM Item WHERE val(ItemCode) > 5")).toInt(), 2);
}

QTEST_GUILESS_MAIN(TstDatabase)
#include "tst_database.moc"
