// A database made by the first version is brought up to date once, when it
// is opened: it gets what a fresh database has, keeps every row, and the
// tallies and the text index it gets agree with the items, then and after
// every kind of write. When the upgrade cannot be made the file stays as it
// was and the user is told why.

#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/schemaupgrade.h"

#include "../support/schemav1.h"
#include "../support/sqltestutil.h"

#include <QtTest>
#include <sqlite3.h>
#include <unistd.h>

using data::Connection;
using data::DbError;
using sqltest::column;
using sqltest::rawExec;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Every row of every table of the first version, as text.
QStringList rowsOf(Connection& c)
{
    QStringList out;
    for (const char* table : {"Item", "Category", "Units", "Rooms", "Customer", "States", "OrderInfo", "OrderItem",
                              "Tax", "Representatives", "Ship", "BlankNotes"}) {
        const data::Recordset rs = c.query(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(table)));
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList cells{QLatin1String(table)};
            for (int f = 0; f < rs.fieldCount(); ++f) {
                const data::DbValue& v = rs.rows().at(f, r);
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toText());
            }
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

// The definitions a fresh database has beyond the first version's.
QStringList addedObjects(Connection& c)
{
    return column(c.query(QStringLiteral(
        "SELECT type || ' ' || name || ': ' || ifnull(sql, '') FROM sqlite_master WHERE name IN ('Item_ItemNumber', "
        "'Item_CategoryID_ItemName', 'ItemsByCategory', 'ItemsByUnit', 'ItemText', 'Item_Added', 'Item_Removed', "
        "'Item_Changed') ORDER BY name")));
}

}  // namespace

class TstSchemaUpgrade : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;

    // A file of the first version holding items of every kind, some of them
    // without their category or unit.
    QString versionOneFile()
    {
        const QString folder = dir_.filePath(QStringLiteral("v1-%1").arg(++files_));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/Corvanel.mdb");
        rawExec(path, schemav1::sql);
        rawExec(path, R"sql(
            INSERT INTO Category (CatId, CatName, ParentCategory) VALUES (1, 'Plumbing', 0), (2, 'plaster', 1),
                (3, 'École', 0);
            INSERT INTO Units (Id, Name) VALUES (1, 'ea'), (2, 'box');
            INSERT INTO Item (ItemCode, ItemName, CategoryID, UnitId, Material, Labor, Qty, TU, SubLabor, Equipment)
            VALUES ('10', 'Copper Pipe', 1, 1, 2.5, 1, 1, 'ea', 0, 0),
                   ('9', 'copper elbow', 1, 2, 1, 0, 3, 'EA', 0, 0),
                   ('A1', 'Plaster board', 2, 1, 'text', NULL, NULL, NULL, NULL, NULL),
                   (' 12', 'École pipe', 3, 1, 4, 0, 1, '', 0, 0),
                   ('2.5', 'O''Brien''s 50% off_nail', 2, 2, 1, 0, 1, 'ea', 0, 0),
                   (NULL, NULL, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL),
                   ('', '', 99, 1, 1, 0, 1, 'ea', 0, 0),
                   ('7', 'Lost unit', 1, 99, 1, 0, 1, 'ea', 0, 0),
                   ('8', 'No category', NULL, 1, 1, 0, 1, 'ea', 0, 0),
                   ('x', 'Text key', 'abc', 2.5, 1, 0, 1, 'ea', 0, 0);
            INSERT INTO Customer (CustName, BCity, BState) VALUES ('Smith', 'Springfield', 5);
            INSERT INTO OrderInfo (OrderNo, CustId, OrderDate, Amount, Total) VALUES (1, 1, '2024-02-03', 10, 11.5);
            INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material) VALUES (1, 1, 2, 2.5), (1, 5, 1, 1);
        )sql");
        return path;
    }

    // The tallies and the text index agree with the items.
    void agreesWithTheItems(Connection& c, const char* when)
    {
        const auto same = [&](const char* what, const QString& a, const QString& b) {
            const QStringList x = column(c.query(a)), y = column(c.query(b));
            QVERIFY2(x == y, qPrintable(QStringLiteral("%1, %2: %3 / %4")
                                            .arg(QLatin1String(when), QLatin1String(what), x.join(QLatin1Char(',')),
                                                 y.join(QLatin1Char(',')))));
        };
        same("by category", QStringLiteral("SELECT quote(CategoryID) || '=' || Items FROM ItemsByCategory ORDER BY 1"),
             QStringLiteral("SELECT quote(CategoryID) || '=' || count(*) FROM Item GROUP BY CategoryID ORDER BY 1"));
        same("by unit", QStringLiteral("SELECT quote(UnitId) || '=' || Items FROM ItemsByUnit ORDER BY 1"),
             QStringLiteral("SELECT quote(UnitId) || '=' || count(*) FROM Item GROUP BY UnitId ORDER BY 1"));
        for (const char* text : {"pip", "PIPE", "école", "off_n", "o'b", "50%", "lai", "opp", " 12", "2.5"}) {
            QString phrase = QString::fromUtf8(text).toLower();
            phrase.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            for (const char* col : {"ItemName", "ItemCode"}) {
                const QString like = QString::fromUtf8(text);
                QString escaped = like;
                escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
                // The index answers for the text itself; LIKE would read
                // "%" and "_" in it as wildcards, so instr() stands in.
                same(text,
                     QStringLiteral("SELECT rowid FROM ItemText WHERE ItemText MATCH '%1 : \"%2\"' ORDER BY rowid")
                         .arg(QLatin1String(col), QString(phrase).replace(QLatin1Char('\''), QStringLiteral("''"))),
                     QStringLiteral("SELECT ItemId FROM Item WHERE typeof(%1) = 'text' AND instr(lower(%1), "
                                    "lower('%2')) > 0 ORDER BY ItemId")
                         .arg(QLatin1String(col), escaped));
            }
        }
        try {
            c.execute(QStringLiteral("INSERT INTO ItemText (ItemText) VALUES ('integrity-check')"));
        } catch (const DbError& e) {
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(when), e.message())));
        }
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void aVersionOneFileIsBroughtUpToDateOnce()
    {
        const QString path = versionOneFile();
        QStringList before;
        {
            Connection c;
            c.open(path);
            before = rowsOf(c);
        }
        QCOMPARE(data::ensureDatabase(path), data::OpenOutcome::Opened);
        const QByteArray upgraded = bytesOf(path);

        Connection c;
        c.open(path);
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
        QCOMPARE(rowsOf(c), before);
        agreesWithTheItems(c, "upgraded");

        // What it got is what a fresh database has.
        const QString fresh = dir_.filePath(QStringLiteral("fresh.mdb"));
        QFile::remove(fresh);
        data::createFreshDatabase(fresh);
        Connection f;
        f.open(fresh);
        const QStringList added = addedObjects(f);
        QCOMPARE(added.size(), 8);
        QCOMPARE(addedObjects(c), added);

        // Opened again, it is left alone.
        c.close();
        QCOMPARE(data::ensureDatabase(path), data::OpenOutcome::Opened);
        QCOMPARE(bytesOf(path), upgraded);
    }

    // The triggers keep the tallies and the text index with every kind of
    // write, whichever program makes it.
    void everyWriteKeepsTalliesAndTextIndex_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("insert") << "INSERT INTO Item (ItemCode, ItemName, CategoryID, UnitId) VALUES "
                                   "('11', 'Brass pipe', 2, 2), (NULL, 'Null code', NULL, NULL)";
        QTest::newRow("rename") << "UPDATE Item SET ItemName = 'Steel pipe', ItemCode = '100' WHERE ItemId = 1";
        QTest::newRow("case only") << "UPDATE Item SET ItemName = 'COPPER PIPE' WHERE ItemId = 1";
        QTest::newRow("to Null") << "UPDATE Item SET ItemName = NULL, ItemCode = NULL WHERE ItemId = 4";
        QTest::newRow("to a blob") << "UPDATE Item SET ItemName = x'706970' WHERE ItemId = 2";
        QTest::newRow("move") << "UPDATE Item SET CategoryID = 3, UnitId = NULL WHERE ItemId IN (1, 2, 7)";
        QTest::newRow("new key") << "UPDATE Item SET ItemId = 500 WHERE ItemId = 3";
        QTest::newRow("delete") << "DELETE FROM Item WHERE ItemId IN (2, 8)";
        QTest::newRow("replace") << "REPLACE INTO Item (ItemId, ItemCode, ItemName, CategoryID, UnitId) VALUES "
                                    "(5, '55', 'Replaced pipe', 1, 1)";
        QTest::newRow("a new key that was taken") << "UPDATE OR REPLACE Item SET ItemId = 2 WHERE ItemId = 3";
        QTest::newRow("insert or ignore") << "INSERT OR IGNORE INTO Item (ItemId, ItemName, CategoryID) VALUES "
                                             "(1, 'Ignored', 3)";
        QTest::newRow("delete all") << "DELETE FROM Item";
    }
    void everyWriteKeepsTalliesAndTextIndex()
    {
        QFETCH(QString, sql);
        const QString path = versionOneFile();
        data::ensureDatabase(path);
        rawExec(path, sql.toUtf8().constData());
        Connection c;
        c.open(path);
        agreesWithTheItems(c, QTest::currentDataTag());
    }

    // When the file cannot be brought up to date it is left as it was, and
    // the message says why.
    void aFailedUpgradeLeavesTheFile_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("words");
        QTest::newRow("another program writes") << "locked"
                                                << "another program is using it";
        QTest::newRow("read-only file") << "read-only"
                                        << "the file or its folder is read-only";
        QTest::newRow("a step fails halfway") << "clash"
                                              << "but that failed: use DROP VIEW to delete view ItemsByUnit";
    }
    void aFailedUpgradeLeavesTheFile()
    {
        QFETCH(QString, state);
        QFETCH(QString, words);
        if (state == QLatin1String("read-only") && ::geteuid() == 0)
            QSKIP("root writes to a read-only file");
        const QString path = versionOneFile();
        sqlite3* other = nullptr;
        data::setBusyTimeoutMs(100);
        auto restore = qScopeGuard([&] {
            data::setBusyTimeoutMs(5000);
            sqlite3_close(other);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        });
        if (state == QLatin1String("clash"))
            rawExec(path, "CREATE VIEW ItemsByUnit AS SELECT 1 AS Something");
        if (state == QLatin1String("locked")) {
            QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
            // Another program's write under way: readers may still look.
            QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE; UPDATE Units SET Name = 'ea' WHERE Id = 1", nullptr, nullptr,
                                  nullptr),
                     SQLITE_OK);
        }
        if (state == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = bytesOf(path);
        try {
            data::ensureDatabase(path);
            QFAIL("the upgrade went through");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QLatin1String("earlier version of Corvanel")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(words), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QLatin1String("The file was left unchanged.")), qPrintable(e.message()));
        }
        if (other)
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        QCOMPARE(bytesOf(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
    }
};

QTEST_GUILESS_MAIN(TstSchemaUpgrade)
#include "tst_schemaupgrade.moc"
