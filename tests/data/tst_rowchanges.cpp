// RowChanges names exactly the rows written through the program's handle,
// and owns up to "everything" whenever it cannot know which rows changed.

#include "data/connection.h"
#include "data/dberror.h"
#include "data/backupfile.h"
#include "data/rowchanges.h"

#include "../support/sqltestutil.h"

#include <QtTest>
#include <sqlite3.h>

using data::Connection;
using data::RowChanges;

class TstRowChanges : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;
    Connection c_;      // the program's handle
    Connection other_;  // another object of the program: the same handle

    std::vector<std::int64_t> rows(RowChanges& changes)
    {
        const RowChanges::Changed got = changes.take(c_);
        if (got.everything)
            return {-1};
        return got.rowids;
    }

private slots:
    void init()
    {
        path_ = dir_.filePath(QStringLiteral("changes-%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(path_);
        sqltest::rawExec(path_, "CREATE TABLE Item (ItemId INTEGER PRIMARY KEY, Name TEXT);"
                                "CREATE TABLE Other (Id INTEGER PRIMARY KEY, Name TEXT);"
                                "INSERT INTO Item VALUES (1,'a'),(2,'b'),(3,'c');");
        c_.open(path_);
        other_.open(path_);
    }
    void cleanup()
    {
        other_.close();
        c_.close();
    }

    void writesThroughTheHandleAreNamedRowByRow()
    {
        RowChanges changes(QStringLiteral("item"));
        QCOMPARE(rows(changes), std::vector<std::int64_t>{-1});  // the first look
        QCOMPARE(rows(changes), std::vector<std::int64_t>{});

        other_.execute(QStringLiteral("UPDATE Item SET Name = 'x' WHERE ItemId IN (1, 3)"));
        other_.execute(QStringLiteral("INSERT INTO Item (ItemId, Name) VALUES (7, 'g')"));
        other_.execute(QStringLiteral("DELETE FROM Item WHERE ItemId = 2"));
        other_.execute(QStringLiteral("UPDATE Other SET Name = 'y'"));  // another table
        other_.execute(QStringLiteral("INSERT INTO Other (Name) VALUES ('z')"));
        QCOMPARE(rows(changes), (std::vector<std::int64_t>{1, 2, 3, 7}));
        QCOMPARE(rows(changes), std::vector<std::int64_t>{});

        // Each watcher keeps its own place.
        RowChanges late(QStringLiteral("Item"));
        QCOMPARE(rows(late), std::vector<std::int64_t>{-1});
        other_.execute(QStringLiteral("UPDATE Item SET Name = 'w' WHERE ItemId = 7"));
        QCOMPARE(rows(late), std::vector<std::int64_t>{7});
        QCOMPARE(rows(changes), std::vector<std::int64_t>{7});
    }

    // What the hook cannot follow row by row.
    void everythingWhenRowsCannotBeNamed_data()
    {
        QTest::addColumn<int>("what");
        QTest::newRow("another program commits") << 0;
        QTest::newRow("the table emptied in one go") << 1;
        QTest::newRow("a backup restored into the handle") << 2;
        QTest::newRow("a statement failed halfway") << 3;
    }
    void everythingWhenRowsCannotBeNamed()
    {
        QFETCH(int, what);
        RowChanges changes(QStringLiteral("Item"));
        rows(changes);
        switch (what) {
        case 0: sqltest::rawExec(path_, "UPDATE Item SET Name = 'q' WHERE ItemId = 1"); break;
        case 1: other_.execute(QStringLiteral("DELETE FROM Item")); break;
        case 2: {
            const QString copy = dir_.filePath(QStringLiteral("copy.db"));
            QFile::remove(copy);
            sqltest::rawExec(copy, "CREATE TABLE Item (ItemId INTEGER PRIMARY KEY, Name TEXT);"
                                   "INSERT INTO Item VALUES (9,'r');");
            data::copyDatabaseInto(copy, c_);
            break;
        }
        case 3:
            other_.execute(QStringLiteral("CREATE UNIQUE INDEX OneName ON Item (Name)"));
            QCOMPARE(rows(changes), std::vector<std::int64_t>{-1});  // a new schema
            // Row 1 is written, then row 2 runs into the index: the statement
            // is undone, its first row too.
            try {
                other_.execute(QStringLiteral("UPDATE Item SET Name = 'same' WHERE ItemId IN (1, 2)"));
                QFAIL("the update went through");
            } catch (const data::DbError&) {
            }
            break;
        }
        QCOMPARE(rows(changes), std::vector<std::int64_t>{-1});
        QCOMPARE(rows(changes), std::vector<std::int64_t>{});
    }

    // Rows seen inside a write transaction are named again after it ends:
    // a rollback takes them back without passing the hook.
    void rowsOfAnOpenTransactionComeAgain()
    {
        RowChanges changes(QStringLiteral("Item"));
        rows(changes);
        c_.beginImmediate();
        other_.execute(QStringLiteral("UPDATE Item SET Name = 'x' WHERE ItemId = 2"));
        QCOMPARE(rows(changes), std::vector<std::int64_t>{2});
        c_.rollback();
        QCOMPARE(rows(changes), std::vector<std::int64_t>{2});
        QCOMPARE(rows(changes), std::vector<std::int64_t>{});
    }

    // A handle closed and another opened, maybe at the same address: the
    // watcher starts over.
    void aNewHandleIsEverything()
    {
        RowChanges changes(QStringLiteral("Item"));
        rows(changes);
        other_.close();
        c_.close();
        c_.open(path_);
        QCOMPARE(rows(changes), std::vector<std::int64_t>{-1});
        other_.open(path_);
        other_.execute(QStringLiteral("UPDATE Item SET Name = 'x' WHERE ItemId = 3"));
        QCOMPARE(rows(changes), std::vector<std::int64_t>{3});
    }
};

QTEST_GUILESS_MAIN(TstRowChanges)
#include "tst_rowchanges.moc"
