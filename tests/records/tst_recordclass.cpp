// The paged getter every list screen pages through: each page of a small
// table, read forward by offset, counted back from the end or fetched by a
// key list, against the same statement run whole with LIMIT and OFFSET.

#include "records/recordclass.h"

#include "data/appfolder.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/schema.h"

#include <QTemporaryDir>
#include <QTest>

using records::RecordClass;

namespace {

QStringList texts(const data::RowArray& rows)
{
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList fields;
        for (int f = 0; f < rows.fieldCount(); ++f)
            fields << rows.at(f, r).toText();
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

}  // namespace

class TstRecordClass : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    data::Connection db_;

    // Names that tie, differ in case only or are missing, so that only the
    // key makes the order total.
    static constexpr int rowCount = 43;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        data::setApplicationFolder(dir_.path());
        data::ensureDatabase(data::databasePath());
        db_.open(data::databasePath());
        db_.execute(
            QStringLiteral("CREATE TABLE Paged (Id INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE, Grp INTEGER)"));
        db_.execute(QStringLiteral("CREATE INDEX Paged_Name ON Paged (Name)"));
        const QStringList names{"oak", "Oak", "ash", "", "elm", "Birch", "ash", "pine"};
        for (int i = 1; i <= rowCount; ++i)
            db_.execute(
                QStringLiteral("INSERT INTO Paged (Id, Name, Grp) VALUES (?, ?, ?)"),
                {(i * 17) % 101, i % 11 == 0 ? data::DbValue() : data::DbValue(names[i % names.size()]), i % 3});
    }
    void cleanupTestCase()
    {
        db_.close();
        data::setApplicationFolder(QString());
    }

    // Every page, in both directions, of the whole table and of a filter,
    // with the plain count or the query's own, the source's keys or a key
    // source of its own, and with a filter that keeps few rows (sorted
    // after it is read rather than walked in index order).
    void everyPageAgainstThePlainStatement_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<bool>("ownCount");
        QTest::addColumn<bool>("ownKeySource");
        QTest::addColumn<bool>("fewKept");
        QTest::addColumn<int>("pageSize");
        // clang-format off
        QTest::newRow("whole, ascending") << "" << false << false << false << false << 5;
        QTest::newRow("whole, descending") << "" << true << false << false << false << 5;
        QTest::newRow("whole, own count and keys") << "" << false << true << true << false << 4;
        QTest::newRow("filtered, ascending") << " WHERE Grp = 1" << false << false << false << false << 3;
        QTest::newRow("filtered, descending, own count") << " WHERE Grp = 1" << true << true << false << false << 3;
        QTest::newRow("few kept, sorted after") << " WHERE Grp = 2" << false << false << false << true << 2;
        QTest::newRow("one page") << "" << false << false << false << false << 100;
        QTest::newRow("one row a page") << " WHERE Grp = 0" << true << false << false << false << 1;
        // clang-format on
    }
    void everyPageAgainstThePlainStatement()
    {
        QFETCH(QString, where);
        QFETCH(bool, descending);
        QFETCH(bool, ownCount);
        QFETCH(bool, ownKeySource);
        QFETCH(bool, fewKept);
        QFETCH(int, pageSize);

        RecordClass r(pageSize);
        RecordClass::PageQuery q;
        q.columns = QStringLiteral("SELECT Id, Name, Grp");
        q.source = QStringLiteral(" FROM Paged") + where;
        q.order = RecordClass::sortKeys(QStringLiteral("Name"), descending ? QStringLiteral("D") : QStringLiteral("A"),
                                        {QStringLiteral("Name")}, QStringLiteral("Id"));
        q.keyExpression = QStringLiteral("Id");
        q.keyColumn = QStringLiteral("Id");
        q.keyField = 0;
        if (ownCount)
            q.countSql = QStringLiteral("SELECT count(*) FROM Paged") + where;
        if (ownKeySource)
            q.keySource = QStringLiteral(" FROM Paged") + where;
        if (fewKept)
            q.totalSql = QStringLiteral("SELECT count(*) FROM Paged");
        q.allowAll = true;

        const QString order =
            descending ? QStringLiteral(" order by Name Desc, Id Desc") : QStringLiteral(" order by Name, Id");
        const int total = db_.scalar(QStringLiteral("SELECT count(*) FROM Paged") + where).toInt();
        QVERIFY(total > 0);
        const int pages = (total + pageSize - 1) / pageSize;
        const auto expected = [&](int page) {
            return texts(db_.query(q.columns + q.source + order + QStringLiteral(" LIMIT ? OFFSET ?"),
                                   {pageSize, (page - 1) * pageSize})
                             .rows());
        };
        for (int wanted = 1; wanted <= pages; ++wanted) {
            int page = wanted, pageCount = 0;
            const std::optional<data::RowArray> rows = r.pagedRows(q, page, pageCount);
            QVERIFY(rows);
            QCOMPARE(page, wanted);
            QCOMPARE(pageCount, pages);
            QCOMPARE(r.RecordCount, total);
            QVERIFY2(texts(*rows) == expected(wanted), qPrintable(QStringLiteral("page %1").arg(wanted)));
        }
        // Outside the pages: the nearest one, and it says which.
        for (const auto& [asked, used] : {std::pair{0, 1}, std::pair{pages + 3, pages}}) {
            int page = asked, pageCount = 0;
            const std::optional<data::RowArray> rows = r.pagedRows(q, page, pageCount);
            QVERIFY(rows);
            QCOMPARE(page, used);
            QCOMPARE(texts(*rows), expected(used));
        }
        // Page -1: every row, in order.
        int all = -1, pageCount = 0;
        const std::optional<data::RowArray> rows = r.pagedRows(q, all, pageCount);
        QVERIFY(rows);
        QCOMPARE(texts(*rows), texts(db_.query(q.columns + q.source + order).rows()));
    }

    // Only an exact "A" sorts ascending, as the old screens treated any
    // other direction as descending; the key follows in the same
    // direction, and a column that is not allowed is refused.
    void sortKeysOfAList_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("order");  // empty: refused
        // clang-format off
        QTest::newRow("ascending") << "itemname" << "A" << "ItemName, Item.ItemID";
        QTest::newRow("lower-case a is descending") << "ItemName" << "a" << "ItemName Desc, Item.ItemID Desc";
        QTest::newRow("descending") << "ItemName" << "D" << "ItemName Desc, Item.ItemID Desc";
        QTest::newRow("no direction") << "ItemName" << "" << "ItemName Desc, Item.ItemID Desc";
        QTest::newRow("word Asc is descending") << "ItemName" << "Asc" << "ItemName Desc, Item.ItemID Desc";
        QTest::newRow("refused column") << "ItemName desc, (select 1)" << "A" << "";
        // clang-format on
    }
    void sortKeysOfAList()
    {
        QFETCH(QString, column);
        QFETCH(QString, direction);
        QFETCH(QString, order);
        const QStringList allowed{"ItemCode", "ItemName"};
        const QString key = QStringLiteral("Item.ItemID");
        if (order.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(data::DbError, RecordClass::sortKeys(column, direction, allowed, key));
            return;
        }
        QCOMPARE(RecordClass::orderText(RecordClass::sortKeys(column, direction, allowed, key)), order);
    }

    // A page read inside the caller's transaction sees its rows and leaves
    // the transaction to it.
    void keepsTheCallersTransaction()
    {
        RecordClass r(10);
        data::Connection& c = r.connection();
        RecordClass::PageQuery q;
        q.columns = QStringLiteral("SELECT Id");
        q.source = QStringLiteral(" FROM Paged");
        q.order = {{QStringLiteral("Id"), false}};
        q.keyExpression = q.keyColumn = QStringLiteral("Id");
        c.begin();
        c.execute(QStringLiteral("INSERT INTO Paged (Id, Name, Grp) VALUES (1000, 'zz', 0)"));
        int page = 99, pageCount = 0;
        const std::optional<data::RowArray> rows = r.pagedRows(q, page, pageCount);
        QVERIFY(rows);
        QCOMPARE(r.RecordCount, rowCount + 1);
        QCOMPARE(rows->at(0, rows->rowCount() - 1).toInt(), 1000);
        QVERIFY(c.inTransaction());
        c.rollback();
        QCOMPARE(db_.scalar(QStringLiteral("SELECT count(*) FROM Paged")).toInt(), rowCount);
    }

    // Nothing found: nothing handed back, and the counters left alone.
    void anEmptyResult()
    {
        RecordClass r;
        r.RecordCount = 7;
        RecordClass::PageQuery q;
        q.columns = QStringLiteral("SELECT Id, Name");
        q.source = QStringLiteral(" FROM Paged WHERE Grp = 99");
        q.order = {{QStringLiteral("Id"), false}};
        q.keyExpression = q.keyColumn = QStringLiteral("Id");
        int page = 2, pageCount = 5;
        QVERIFY(!r.pagedRows(q, page, pageCount));
        QCOMPARE(page, 2);
        QCOMPARE(pageCount, 5);
        QCOMPARE(r.RecordCount, 7);
    }

    // Rows by a key list come in the list's order; a key with no row is
    // passed over.
    void rowsByKeysKeepTheKeysOrder()
    {
        RecordClass r;
        const QList<std::int64_t> ids{34, 17, 999, 85, 51};
        std::vector<data::DbValue> keys;
        QStringList expected;
        for (std::int64_t id : ids) {
            keys.emplace_back(id);
            const data::RowArray one =
                db_.query(QStringLiteral("SELECT Id, Name FROM Paged WHERE Id = ?"), {id}).rows();
            expected << texts(one);
        }
        const data::RowArray rows =
            r.rowsByKeys(QStringLiteral("SELECT Id, Name FROM Paged"), {}, QStringLiteral("Id"), 0, keys);
        QCOMPARE(texts(rows), expected);
        QCOMPARE(rows.rowCount(), 4);
    }
};

QTEST_GUILESS_MAIN(TstRecordClass)
#include "tst_recordclass.moc"
