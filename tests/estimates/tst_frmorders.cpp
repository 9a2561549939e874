// The estimate list against a real database: its columns, the searches by
// number and by customer name (quotes and wildcards included), sorting, and
// opening an estimate in the estimate screen.

#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "estimates/frmorder.h"
#include "estimates/frmorders.h"
#include "shell/assistant.h"
#include "shell/screens.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using estimates::FrmOrders;

using screentest::columnTexts;
using screentest::doubleClickRow;
using screentest::search;

namespace {

const QString appTitle = QStringLiteral("Corvanel");

}  // namespace

class TestFrmOrders : public ScreenTest {
    Q_OBJECT

    void addCustomer(int id, const QString& name) { seed::addCustomer(db, {.key = id, .name = name, .state = 1}); }
    // An estimate with empty address texts and one line.
    void addEstimate(int no, int cust, const QString& date, const data::DbValue& total)
    {
        seed::addEstimate(db, seed::plainEstimate(no, cust, date, 0, total));
        seed::addLine(db, no, 1, 1, 1, 1, 1, 0, 0, 0);
    }
    // Estimates 1, 7, 10, 21 and 100 for customers named to test the
    // searches; 55 for a customer who was deleted.
    void fixture()
    {
        db.execute(QStringLiteral("INSERT INTO Rooms (Id, Name) VALUES (1, 'Kitchen')"));
        db.execute(QStringLiteral("INSERT INTO Units (Id, Name) VALUES (1, 'Each')"));
        seed::addItem(db, {.key = 1, .name = "Tile"});
        addCustomer(1, QStringLiteral("Anna"));
        addCustomer(2, QStringLiteral("Brian O'Neil"));
        addCustomer(3, QStringLiteral("Carl 100% Builders"));
        addCustomer(4, QStringLiteral("Dora_West"));
        addEstimate(1, 1, QStringLiteral("2024-03-05"), 118.5);
        addEstimate(7, 2, QStringLiteral("2024-12-24"), 2000);
        addEstimate(10, 3, QStringLiteral("2023-01-09"), 50.25);
        addEstimate(21, 4, QStringLiteral("2024-07-04"), data::DbValue());
        addEstimate(100, 1, QStringLiteral("2022-11-30"), 999);
        addEstimate(55, 9, QStringLiteral("2024-02-01"), 10);
    }
    static FrmOrders& open()
    {
        FrmOrders& s = ui::form<FrmOrders>();
        s.show();
        return s;
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void listsEveryEstimate()
    {
        fixture();
        FrmOrders& s = open();
        QCOMPARE(s.caption(), QStringLiteral("Search Estimate"));
        QStringList headers;
        for (int c = 0; c < s.ListView1->columnCount(); ++c)
            headers << s.ListView1->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"Estimate No", "Date", "Customer", "Amount"}));
        QVERIFY(s.ListView1->columnWidth(0) > 0);  // the number is shown
        QCOMPARE(s.ListView1->headerIcon(0), ui::HeaderIcon::Down);

        QCOMPARE(columnTexts(s.ListView1, 0), (QStringList{"1", "7", "10", "21", "55", "100"}));
        QCOMPARE(columnTexts(s.ListView1, 1),
                 (QStringList{"3/5/2024", "12/24/2024", "1/9/2023", "7/4/2024", "2/1/2024", "11/30/2022"}));
        // A deleted customer and a Null total show empty.
        QCOMPARE(columnTexts(s.ListView1, 2),
                 (QStringList{"Anna", "Brian O'Neil", "Carl 100% Builders", "Dora_West", "", "Anna"}));
        QCOMPARE(columnTexts(s.ListView1, 3), (QStringList{"118.5", "2000", "50.25", "", "10", "999"}));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 6 of 6"));

        // One action, no modes, no spoken help.
        QVERIFY(s.CmdSelect && s.CmdSelect->isVisible());
        QVERIFY(!s.cmdAdd && !s.CmdEdit && !s.cmdDel && !s.cmdCopy && !s.cmdMainHelp);
        QCOMPARE(s.lblHint->text(), QStringLiteral("Double click on the Estimate row to view details or edit"));
        QCOMPARE(s.cmdExit->toolTip(), QStringLiteral("Press Exit to close this window"));
        QCOMPARE(s.searchOptionButton(QStringLiteral("OptOrderNo"))->text(), QStringLiteral("Estimate No."));
        QCOMPARE(s.searchOptionButton(QStringLiteral("OptName"))->text(), QStringLiteral("Customer Name"));
        QVERIFY(s.searchOptionButton(QStringLiteral("OptOrderNo"))->isChecked());
        QCOMPARE(s.searchBox()->objectName(), QStringLiteral("txtName"));
        QVERIFY(fake->messages.isEmpty());
    }

    // The Amount column is narrow by design; a big total still shows whole,
    // right-aligned.
    void amountShowsWhole()
    {
        fixture();
        addEstimate(2, 1, QStringLiteral("2024-05-01"), 98765432109.75);
        FrmOrders& s = open();
        s.window()->resize(s.window()->minimumSize());
        QCoreApplication::processEvents();
        const int amount = 3;  // after number, date and customer
        const int row = screentest::columnTexts(s.ListView1, 0).indexOf(QStringLiteral("2"));
        QVERIFY(row >= 0);
        const QString text = s.ListView1->subItem(row, amount);
        QCOMPARE(text, QStringLiteral("98765432109.75"));
        QVERIFY(s.ListView1->columnWidth(amount) > s.ListView1->fontMetrics().horizontalAdvance(text));
        QCOMPARE(s.ListView1->topLevelItem(row)->textAlignment(amount), int(Qt::AlignRight | Qt::AlignVCenter));
    }

    void emptyList()
    {
        FrmOrders& s = open();
        QCOMPARE(s.ListView1->rowCount(), 0);
        QVERIFY(!s.CmdPrev->isEnabled());
        QVERIFY(!s.CmdNext->isEnabled());
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 0 of 0"));
        s.CmdSelect->click();
        QVERIFY(s.isLoaded());
        QVERIFY(!estimates::frmOrder().isLoaded());
        QVERIFY(fake->messages.isEmpty());
    }

    void searches_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        // clang-format off
        QTest::newRow("number anywhere in it") << "OptOrderNo" << "1" << QStringList{"1", "10", "21", "100"};
        QTest::newRow("number, nothing typed") << "OptOrderNo" << "" << QStringList{"1", "7", "10", "21", "55", "100"};
        QTest::newRow("name part") << "OptName" << "an" << QStringList{"1", "7", "100"};
        QTest::newRow("name, other case") << "OptName" << "BRIAN" << QStringList{"7"};
        QTest::newRow("quote in a name") << "OptName" << "O'Neil" << QStringList{"7"};
        QTest::newRow("percent is a wildcard") << "OptName" << "a%d" << QStringList{"10"};
        QTest::newRow("underscore is a wildcard") << "OptName" << "Br_an" << QStringList{"7"};
        QTest::newRow("underscore, here matching itself") << "OptName" << "a_w" << QStringList{"21"};
        // A deleted customer's estimate has no name to match.
        QTest::newRow("every name") << "OptName" << "%" << QStringList{"1", "7", "10", "21", "100"};
        // clang-format on
    }
    void searches()
    {
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        fixture();
        FrmOrders& s = open();
        search(s, option, text);
        QCOMPARE(columnTexts(s.ListView1, 0), found);
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - %1 of %1").arg(found.size()));
        QVERIFY(fake->messages.isEmpty());
        // The box keeps the search, selected for the next one.
        QCOMPARE(s.searchBox()->selectedText(), text);
    }

    void searchTextCannotBreakTheQuery_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("quote") << "OptName" << "x'y";
        QTest::newRow("statement") << "OptName" << "x'; DELETE FROM OrderInfo; --";
        QTest::newRow("number option, text") << "OptOrderNo" << "1' OR '1'='1";
        QTest::newRow("double quote") << "OptName" << "\"Anna\"";
        QTest::newRow("bracket") << "OptName" << "[A]";
        // clang-format on
    }
    void searchTextCannotBreakTheQuery()
    {
        QFETCH(QString, option);
        QFETCH(QString, text);
        fixture();
        FrmOrders& s = open();
        search(s, option, text);
        // Nothing matches: the not-found notice under the application's
        // title, and the rows before it stay.
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Not Found"});
        QCOMPARE(fake->messages[0].title, appTitle);
        QCOMPARE(s.ListView1->rowCount(), 6);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 6 of 6"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM OrderInfo")).toInt(), 6);
    }

    void showAllKeepsTheSearch()
    {
        fixture();
        FrmOrders& s = open();
        search(s, QStringLiteral("OptOrderNo"), QStringLiteral("7"));
        QCOMPARE(columnTexts(s.ListView1, 0), QStringList{"7"});
        s.CmdAll->click();
        QCOMPARE(columnTexts(s.ListView1, 0), QStringList{"7"});
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        // An empty search lists all again.
        search(s, QStringLiteral("OptOrderNo"), QString());
        QCOMPARE(s.ListView1->rowCount(), 6);
    }

    void reopeningListsAllAgain()
    {
        fixture();
        FrmOrders& s = open();
        search(s, QStringLiteral("OptName"), QStringLiteral("Anna"));
        QCOMPARE(s.ListView1->rowCount(), 2);
        s.cmdExit->click();
        QVERIFY(!s.isLoaded());
        open();
        QCOMPARE(s.ListView1->rowCount(), 6);
        QVERIFY(s.searchBox()->text().isEmpty());
        QVERIFY(s.searchOptionButton(QStringLiteral("OptOrderNo"))->isChecked());
    }

    void headerClickSorts_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("descending");
        QTest::newRow("amount sorts by the total") << 4 << QStringList{"7", "100", "1", "10", "55", "21"};
        QTest::newRow("date") << 2 << QStringList{"7", "21", "1", "55", "10", "100"};
        QTest::newRow("customer") << 3 << QStringList{"21", "10", "7", "100", "1", "55"};
    }
    void headerClickSorts()
    {
        QFETCH(int, position);
        QFETCH(QStringList, descending);
        fixture();
        FrmOrders& s = open();
        s.ListView1_ColumnClick(position);
        QCOMPARE(s.SortDir, QStringLiteral("D"));
        QCOMPARE(s.ListView1->headerIcon(position - 1), ui::HeaderIcon::Down);
        QCOMPARE(s.ListView1->headerIcon(0), ui::HeaderIcon::Blank);
        QCOMPARE(columnTexts(s.ListView1, 0), descending);
        s.ListView1_ColumnClick(position);
        QCOMPARE(s.ListView1->headerIcon(position - 1), ui::HeaderIcon::Up);
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(columnTexts(s.ListView1, 0), descending);
    }

    void opensTheEstimate_data()
    {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("Select") << false;
        QTest::newRow("double-click") << true;
    }
    void opensTheEstimate()
    {
        QFETCH(bool, byDoubleClick);
        fixture();
        FrmOrders& s = open();
        const int row = columnTexts(s.ListView1, 0).indexOf(QStringLiteral("10"));
        if (byDoubleClick) {
            doubleClickRow(s.ListView1, row);
        } else {
            s.ListView1->setSelectedRow(row);
            s.CmdSelect->click();
        }
        estimates::FrmOrder& screen = estimates::frmOrder();
        QVERIFY(screen.isLoaded());
        QCOMPARE(screen.loadedMode(), QStringLiteral("E"));
        QCOMPARE(screen.caption(), QStringLiteral("Edit Estimate"));
        QCOMPARE(screen.Order().OrderNo, 10);
        QCOMPARE(screen.Order().CustId, 3);
        QVERIFY(!s.isLoaded());
        QVERIFY(fake->messages.isEmpty());
    }

    void estimateDeletedMeanwhile()
    {
        fixture();
        FrmOrders& s = open();
        s.ListView1->setSelectedRow(columnTexts(s.ListView1, 0).indexOf(QStringLiteral("21")));
        db.execute(QStringLiteral("DELETE FROM OrderInfo WHERE OrderNo = 21"));
        s.CmdSelect->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate not found corresponding to entered Estimate Number"});
        QCOMPARE(fake->messages[0].title, QStringLiteral("Search Estimate"));
        QVERIFY(!estimates::frmOrder().isLoaded());
        QVERIFY(!s.isLoaded());
    }

    void theMenuOpensIt()
    {
        fixture();
        shell::registerScreen(QStringLiteral("frmOrders"), estimates::frmOrdersScreen());
        const shell::Screen* screen = shell::findScreen(QStringLiteral("frmOrders"));
        QVERIFY(screen);
        screen->show();
        QVERIFY(ui::form<FrmOrders>().isLoaded());
        QCOMPARE(ui::form<FrmOrders>().ListView1->rowCount(), 6);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestFrmOrders test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmorders.moc"
