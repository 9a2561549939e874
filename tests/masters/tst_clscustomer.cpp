#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "masters/clscustomer.h"

#include <QTest>

using masters::ClsCustomer;
using sqltest::column;

namespace {

// The twelve stored fields of a customer.
void fill(ClsCustomer& c, const QString& name)
{
    c.CustName = name;
    c.BStreet1 = QStringLiteral("1 Main St");
    c.BStreet2 = QStringLiteral("Suite 2");
    c.BCity = QStringLiteral("Salem");
    c.BState = 38;
    c.BZip = QStringLiteral("97301");
    c.BCountry = QStringLiteral("USA");
    c.BPhone = QStringLiteral("555-0100");
    c.BFax = QStringLiteral("555-0101");
    c.BMobile = QStringLiteral("555-0102");
    c.BEmail = QStringLiteral("a@example.com");
    c.BUrl = QStringLiteral("example.com");
}

}  // namespace

class TstClsCustomer : public ScreenTest {
    Q_OBJECT

    int add(const QString& name, const data::DbValue& city = QString(), const data::DbValue& phone = QString(),
            const data::DbValue& email = QString(), const data::DbValue& card = QString())
    {
        return seed::addCustomer(db, {.name = name, .city = city, .phone = phone, .email = email, .card = card});
    }
    int saved(const QString& name)
    {
        ClsCustomer c;
        fill(c, name);
        c.AddEditDel = QStringLiteral("A");
        if (!c.Save())
            return 0;
        return c.CustId;
    }

private slots:

    void emptyNameIsRefusedFirst()
    {
        saved(QString());  // a stored customer without a name must not make it a duplicate
        ClsCustomer c;
        fill(c, QString());
        c.AddEditDel = QStringLiteral("A");
        QVERIFY(!c.Validate());
        QCOMPARE(fake->messageTexts(), QStringList({"Enter Customer Name"}));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
    }

    void duplicateNeedsAllTwelveFields_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("duplicate");
        // clang-format off
        QTest::newRow("all equal") << "A" << "" << true;
        QTest::newRow("name in other case") << "A" << "name" << true;
        QTest::newRow("fax differs") << "A" << "fax" << false;
        QTest::newRow("state differs") << "A" << "state" << false;
        QTest::newRow("editing") << "E" << "" << false;
        // clang-format on
    }
    void duplicateNeedsAllTwelveFields()
    {
        QFETCH(QString, mode);
        QFETCH(QString, change);
        QFETCH(bool, duplicate);
        QVERIFY(saved(QStringLiteral("O'Neil & Sons")));
        ClsCustomer c;
        fill(c, QStringLiteral("O'Neil & Sons"));
        if (change == QLatin1String("name"))
            c.CustName = QStringLiteral("o'neil & sons");
        if (change == QLatin1String("fax"))
            c.BFax = QStringLiteral("555-9999");
        if (change == QLatin1String("state"))
            c.BState = 5;
        c.AddEditDel = mode;
        QCOMPARE(c.Validate(), !duplicate);
        if (duplicate) {
            QCOMPARE(fake->messageTexts(), QStringList({"Duplicate Customer Data"}));
            QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));
        } else {
            QVERIFY(fake->messages.isEmpty());
        }
    }

    void storedNullsNeverMakeADuplicate()
    {
        sqltest::rawExec(data::databasePath(), "INSERT INTO Customer (CustName) VALUES ('Bare')");
        ClsCustomer c;
        c.CustName = QStringLiteral("Bare");
        c.AddEditDel = QStringLiteral("A");
        QVERIFY(c.Validate());
    }

    void saveInsertsUpdatesAndDeletes()
    {
        ClsCustomer c;
        fill(c, QStringLiteral("O'Neil"));
        c.BCCNo = QStringLiteral("4111");
        c.AddEditDel = QStringLiteral("A");
        QVERIFY(c.Save());
        const int key = c.CustId;
        QVERIFY(key > 0);
        QVERIFY(db.scalar(QStringLiteral("SELECT BCCNo FROM Customer WHERE CustId = ?"), {key}).isNull());

        ClsCustomer back;
        back.CustId = key;
        QVERIFY(back.GetCustomer());
        QCOMPARE(QStringList({back.CustName, back.BStreet1, back.BStreet2, back.BCity, back.BZip, back.BCountry,
                              back.BPhone, back.BFax, back.BMobile, back.BEmail, back.BUrl}),
                 QStringList({"O'Neil", "1 Main St", "Suite 2", "Salem", "97301", "USA", "555-0100", "555-0101",
                              "555-0102", "a@example.com", "example.com"}));
        QCOMPARE(back.BState, 38);
        QCOMPARE(back.BCCNo, QString());  // never loaded

        back.AddEditDel = QStringLiteral("E");
        back.CustName = QStringLiteral("Smith");
        back.BStreet1 = QString();
        back.BState = 0;
        back.BUrl = QStringLiteral("smith.example");
        QVERIFY(back.Save());
        ClsCustomer again;
        again.CustId = key;
        QVERIFY(again.GetCustomer());
        QCOMPARE(QStringList({again.CustName, again.BStreet1, again.BUrl, again.BCity}),
                 QStringList({"Smith", "", "smith.example", "Salem"}));
        QCOMPARE(again.BState, 0);

        again.AddEditDel = QStringLiteral("A");
        again.Delete();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Customer")).toInt(), 1);
        again.AddEditDel = QStringLiteral("D");
        QVERIFY(!again.Save());
        again.Delete();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Customer")).toInt(), 0);
        QVERIFY(fake->messages.isEmpty());
    }

    void updateOfMissingKeyChangesNothing()
    {
        const int key = saved(QStringLiteral("Kept"));
        ClsCustomer c;
        fill(c, QStringLiteral("Other"));
        c.CustId = key + 10;
        c.AddEditDel = QStringLiteral("E");
        QVERIFY(!c.Save());
        QCOMPARE(db.scalar(QStringLiteral("SELECT CustName FROM Customer")).toText(), QStringLiteral("Kept"));
        QVERIFY(fake->messages.isEmpty());
    }

    void getCustomerReadsNullsAsEmpty()
    {
        sqltest::rawExec(data::databasePath(), "INSERT INTO Customer (CustId) VALUES (40000)");
        ClsCustomer c;
        fill(c, QStringLiteral("old"));
        c.CustId = 40000;  // beyond the old 16-bit keys
        c.SearchVal = QStringLiteral("kept");
        QVERIFY(c.GetCustomer());
        QCOMPARE(QStringList({c.CustName, c.BStreet1, c.BStreet2, c.BCity, c.BZip, c.BCountry, c.BPhone, c.BFax,
                              c.BMobile, c.BEmail, c.BUrl}),
                 QStringList(11, QString()));
        QCOMPARE(c.BState, 0);
        QCOMPARE(c.CustId, 40000);
        QCOMPARE(c.SearchVal, QStringLiteral("kept"));
    }

    void getCustomerOfMissingKeyChangesNothing()
    {
        ClsCustomer c;
        fill(c, QStringLiteral("old"));
        c.CustId = 3;
        QVERIFY(!c.GetCustomer());
        QCOMPARE(c.CustName, QStringLiteral("old"));
        QCOMPARE(c.BState, 38);
    }

    void search_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("names");
        // clang-format off
        QTest::newRow("all: name") << "All" << "sm" << QStringList({"Smith"});
        QTest::newRow("all: city") << "All" << "Salem" << QStringList({"Jones", "Smith"});
        QTest::newRow("all: phone") << "All" << "555" << QStringList({"O'Hara"});
        QTest::newRow("all: e-mail") << "All" << "bob@" << QStringList({"Jones"});
        QTest::newRow("all: card number") << "All" << "4111" << QStringList({"Brown"});
        QTest::newRow("name only") << "CustName" << "S" << QStringList({"Smith"});
        QTest::newRow("city only") << "BCity" << "S" << QStringList({"Jones", "Smith"});
        QTest::newRow("prefix, not substring") << "CustName" << "mith" << QStringList();
        QTest::newRow("typed % is a wildcard") << "CustName" << "%o" << QStringList({"Brown", "Jones", "O'Hara"});
        QTest::newRow("apostrophe") << "CustName" << "O'H" << QStringList({"O'Hara"});
        QTest::newRow("empty skips Null columns") << "BEmail" << "" << QStringList({"Jones", "O'Hara", "Smith"});
        // clang-format on
    }
    void search()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, names);
        add(QStringLiteral("Smith"), QStringLiteral("Salem"), QStringLiteral("212-1"), QStringLiteral("s@x"));
        add(QStringLiteral("Jones"), QStringLiteral("salem"), QStringLiteral("313-1"), QStringLiteral("bob@x"));
        add(QStringLiteral("O'Hara"), QStringLiteral("Dover"), QStringLiteral("555-1"), QStringLiteral("o@x"));
        add(QStringLiteral("Brown"), QStringLiteral("Dover"), QStringLiteral("414-1"), data::DbValue(),
            QStringLiteral("4111 1111"));
        ClsCustomer c;
        c.SearchFld = field;
        c.SearchVal = value;
        int page = 1, pages = 0;
        const auto rows = c.GetSearchCustomers(page, pages, QStringLiteral("CustName"), QStringLiteral("A"));
        QCOMPARE(column(rows, 1), names);
        if (rows)
            QCOMPARE(rows->fieldCount(), 6);
        QVERIFY(fake->messages.isEmpty());
    }

    void searchFieldMustBeAListColumn()
    {
        add(QStringLiteral("Smith"));
        ClsCustomer c;
        c.SearchFld = QStringLiteral("BStreet1 like '%' or 1");
        int page = 1, pages = 0;
        QVERIFY_THROWS_EXCEPTION(data::DbError,
                                 c.GetSearchCustomers(page, pages, QStringLiteral("CustName"), QStringLiteral("A")));
    }

    void fullListColumnsSortAndPages()
    {
        for (int i = 1; i <= 16; ++i)
            add(QStringLiteral("Cust %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("City"),
                QStringLiteral("p%1").arg(i), QStringLiteral("e%1").arg(i), QStringLiteral("c%1").arg(i));
        ClsCustomer c;
        int page = 1, pages = 0;
        const auto first = c.GetAllCustomers(page, pages, QStringLiteral("CustName"), QStringLiteral("a"));
        QVERIFY(first);
        QCOMPARE(first->rowCount(), 15);
        QCOMPARE(first->fieldCount(), 6);
        QCOMPARE(QStringList({first->at(1, 0).toText(), first->at(2, 0).toText(), first->at(3, 0).toText(),
                              first->at(4, 0).toText(), first->at(5, 0).toText()}),
                 QStringList({"Cust 16", "City", "p16", "e16", "c16"}));
        QCOMPARE(pages, 2);
        QCOMPARE(c.RecordCount, 16);

        page = 7;
        QCOMPARE(column(c.GetAllCustomers(page, pages, QStringLiteral("CustName"), QStringLiteral("A")), 1),
                 QStringList({"Cust 16"}));
        QCOMPARE(page, 2);

        // Equal cities: every customer still on exactly one page.
        QStringList seen;
        for (int p = 1; p <= 2; ++p) {
            int asked = p;
            seen << column(c.GetAllCustomers(asked, pages, QStringLiteral("BCity"), QStringLiteral("D")), 1);
        }
        seen.sort();
        seen.removeDuplicates();
        QCOMPARE(seen.size(), 16);
    }

    void emptyTableGivesNothing()
    {
        ClsCustomer c;
        c.RecordCount = 3;
        int page = 2, pages = 5;
        QVERIFY(!c.GetAllCustomers(page, pages, QStringLiteral("CustName"), QStringLiteral("A")));
        QVERIFY(!c.GetComboCustomers());
        QCOMPARE(QList<int>({page, pages, c.RecordCount}), QList<int>({2, 5, 3}));
    }

    void states()
    {
        ClsCustomer c;
        const auto rows = c.GetComboState();
        QVERIFY(rows);
        QCOMPARE(rows->rowCount(), 51);
        QCOMPARE(rows->at(1, 0).toText(), QStringLiteral("Alabama"));
        QCOMPARE(rows->at(1, 50).toText(), QStringLiteral("Wyoming"));
        QCOMPARE(c.RecordCount, 0);
        db.execute(QStringLiteral("DELETE FROM States"));
        QVERIFY(!c.GetComboState());
    }

    void comboCustomersByName()
    {
        add(QStringLiteral("b"));
        add(QStringLiteral("A"));
        ClsCustomer c;
        QCOMPARE(column(c.GetComboCustomers(), 1), QStringList({"A", "b"}));
    }
};

QTEST_MAIN(TstClsCustomer)
#include "tst_clscustomer.moc"
