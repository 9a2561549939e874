#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/recordset.h"
#include "masters/custmast.h"
#include "masters/frmcustomer.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using masters::FrmCustMast;
using masters::FrmCustomer;

Q_DECLARE_METATYPE(ui::Answer)

using screentest::columnTexts;
using screentest::doubleClickRow;
using screentest::openInMode;
using screentest::search;
using screentest::selectRow;
using screentest::whenShown;

using screentest::visibleWindow;
using screentest::whenListShown;

namespace {

const QString appTitle = QStringLiteral("Corvanel");
const QString inventory = QStringLiteral("Inventory");

// A screen that picks its customer from the customers list, as the
// estimate screen does: a name box and a choose button.
class PickingScreen : public ui::Form {
public:
    PickingScreen() : ui::Form(QStringLiteral("frmPicking")) {}

    std::int32_t CustId = 0;
    QPointer<ui::TextBox> TxtCustomer;
    QPointer<QPushButton> CmdSelCust;

protected:
    void createControls() override
    {
        TxtCustomer = new ui::TextBox(client(), QStringLiteral("TxtCustomer"));
        CmdSelCust = new QPushButton(QStringLiteral("Select "), client());
        CmdSelCust->move(0, 40);
        connect(CmdSelCust, &QPushButton::clicked, this, [this] {
            FrmCustomer::pickCustomer([this](int key, const QString& name) {
                CustId = key;
                TxtCustomer->setText(name);
            });
        });
    }
};

}  // namespace

class TestFrmCustomer : public ScreenTest {
    Q_OBJECT

    // A customer as the customer dialog stores one: empty texts in the
    // fields not given, state 1.
    int addCustomer(const QString& name, const data::DbValue& city = {}, const data::DbValue& phone = {},
                    const data::DbValue& email = {}, const data::DbValue& card = {})
    {
        return seed::addCustomer(db, {.name = name,
                                      .street1 = "",
                                      .street2 = "",
                                      .city = city,
                                      .state = 1,
                                      .zip = "",
                                      .country = "",
                                      .phone = phone,
                                      .fax = "",
                                      .mobile = "",
                                      .email = email,
                                      .url = "",
                                      .card = card});
    }
    // Four customers for the searches.
    void addFour()
    {
        addCustomer(QStringLiteral("Smith"), QStringLiteral("Springfield"), QStringLiteral("555-1000"),
                    QStringLiteral("smith@example.com"), QStringLiteral("4111222233334444"));
        addCustomer(QStringLiteral("Jones"), QStringLiteral("Boston"), QStringLiteral("617-2000"),
                    QStringLiteral("jj@mail.com"));
        addCustomer(QStringLiteral("Springer"), QStringLiteral("Albany"), QStringLiteral("518-3000"),
                    QStringLiteral("spr@mail.org"));
        addCustomer(QStringLiteral("Baker"));  // city, phone and e-mail Null
    }
    QStringList storedNames()
    {
        return sqltest::column(db.query(QStringLiteral("SELECT CustName FROM Customer ORDER BY CustName")));
    }
    static FrmCustomer& open(const QString& mode) { return openInMode<FrmCustomer>(mode); }
    QStringList lastRequests(int n)
    {
        const QStringList& r = shell::frmMainMenu().Merlin().requests();
        return r.mid(r.size() - n);
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void modeSetsCaptionAndButton_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        // clang-format off
        QTest::newRow("add") << "A" << "Add Customer" << "cmdAdd";
        QTest::newRow("edit") << "E" << "Edit Customer" << "CmdEdit";
        QTest::newRow("delete") << "D" << "Delete Customer" << "cmdDel";
        QTest::newRow("select") << "S" << "Select Customer" << "CmdSelect";
        QTest::newRow("copy") << "C" << "Copy Customer" << "cmdCopy";
        QTest::newRow("no mode") << "" << "Customers" << "";
        // clang-format on
    }
    void modeSetsCaptionAndButton()
    {
        QFETCH(QString, mode);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        FrmCustomer& s = open(mode);
        QCOMPARE(s.caption(), caption);
        for (QPushButton* b :
             {s.cmdAdd.data(), s.CmdEdit.data(), s.cmdDel.data(), s.cmdCopy.data(), s.CmdSelect.data()})
            QCOMPARE(b->isVisible(), button.isEmpty() || b->objectName() == button);
        QCOMPARE(s.helpContextId(), 7);
        QCOMPARE(s.lblHint->text(), QStringLiteral("Double Click on Customer Name  to Select"));
        QVERIFY(s.lblHint->isVisible());
        QCOMPARE(s.cmdExit->toolTip(), QStringLiteral("Press Exit to close this window"));
        QVERIFY(s.searchOptionButton(QStringLiteral("OptAll"))->isChecked());
        QCOMPARE(s.ListView1->headerIcon(1), ui::HeaderIcon::Down);
    }

    void listing()
    {
        addFour();
        FrmCustomer& s = open(QStringLiteral("E"));
        QStringList headers;
        for (int c = 0; c < s.ListView1->columnCount(); ++c)
            headers << s.ListView1->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"Customer ID", "Customer Name", "City", "Phone", "E-Mail Id"}));
        QCOMPARE(s.ListView1->columnWidth(0), 0);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Baker", "Jones", "Smith", "Springer"}));
        // Baker's Null columns show empty; the card number is not shown.
        QCOMPARE(s.ListView1->subItem(0, 2), QString());
        QCOMPARE(s.ListView1->subItem(0, 4), QString());
        QCOMPARE(s.ListView1->subItem(2, 3), QStringLiteral("555-1000"));
        QCOMPARE(s.ListView1->columnCount(), 5);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 4 of 4"));
    }

    void emptyListDoesNothing()
    {
        for (const QString& mode : {QStringLiteral("E"), QStringLiteral("D"), QStringLiteral("S")}) {
            FrmCustomer& s = open(mode);
            bool handedBack = false;
            s.HandBack = [&](int, const QString&) { handedBack = true; };
            QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 0 of 0"));
            QVERIFY(!s.CmdPrev->isEnabled());
            QVERIFY(!s.CmdNext->isEnabled());
            for (QPushButton* b : {s.CmdEdit.data(), s.cmdDel.data(), s.CmdSelect.data()})
                b->click();
            QVERIFY(s.isLoaded());
            QVERIFY(!handedBack);
            QVERIFY(fake->messages.isEmpty());
            QVERIFY(!ui::form<FrmCustMast>().isLoaded());
            s.unload();
        }
    }

    void searchByEachOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        // clang-format off
        QTest::newRow("all: name or city") << "OptAll" << "spr" << QStringList{"Smith", "Springer"};
        QTest::newRow("all: phone") << "OptAll" << "617" << QStringList{"Jones"};
        QTest::newRow("all: e-mail") << "OptAll" << "jj@" << QStringList{"Jones"};
        QTest::newRow("all: card number") << "OptAll" << "4111" << QStringList{"Smith"};
        QTest::newRow("all: empty text") << "OptAll" << "" << QStringList{"Baker", "Jones", "Smith", "Springer"};
        QTest::newRow("name") << "OptName" << "s" << QStringList{"Smith", "Springer"};
        QTest::newRow("city") << "OptCity" << "Spr" << QStringList{"Smith"};
        QTest::newRow("phone") << "OptPhone" << "518" << QStringList{"Springer"};
        QTest::newRow("e-mail") << "OptEmail" << "smith@" << QStringList{"Smith"};
        QTest::newRow("e-mail: empty text skips Null") << "OptEmail" << "" << QStringList{"Jones", "Smith", "Springer"};
        // clang-format on
    }
    void searchByEachOption()
    {
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        addFour();
        FrmCustomer& s = open(QStringLiteral("E"));
        search(s, option, text);
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(columnTexts(s.ListView1, 1), found);
        QCOMPARE(s.ListMode, QStringLiteral("Searched"));
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - %1 of %1").arg(found.size()));
        QCOMPARE(s.searchBox()->selectedText(), text);
    }

    void notFound_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("option");
        QTest::addColumn<ui::Answer>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("dialogOpens");
        const QString question = QStringLiteral("Customer Not Found : Would You Like To Add ? ");
        const QString notice = QStringLiteral("Customer Not Found");
        // clang-format off
        QTest::newRow("add mode, by name, yes") << "A" << "OptName" << ui::Answer::Yes << question << true;
        QTest::newRow("add mode, by name, no") << "A" << "OptName" << ui::Answer::No << question << false;
        QTest::newRow("add mode, by city") << "A" << "OptCity" << ui::Answer::Ok << notice << false;
        QTest::newRow("add mode, all columns") << "A" << "OptAll" << ui::Answer::Ok << notice << false;
        QTest::newRow("edit mode, by name") << "E" << "OptName" << ui::Answer::Ok << notice << false;
        // clang-format on
    }
    void notFound()
    {
        QFETCH(QString, mode);
        QFETCH(QString, option);
        QFETCH(ui::Answer, answer);
        QFETCH(QString, message);
        QFETCH(bool, dialogOpens);
        addFour();
        FrmCustomer& s = open(mode);
        FrmCustMast& d = ui::form<FrmCustMast>();
        bool opened = false;
        if (dialogOpens)
            whenShown(d, [&] {
                opened = true;
                QCOMPARE(d.TxtCname->text(), QStringLiteral("Nobody"));
                QCOMPARE(d.TxtBcity->text(), QString());
                d.CmdCancel->click();
            });
        fake->answers = {answer};
        search(s, option, QStringLiteral("Nobody"));
        QCOMPARE(fake->messageTexts(), QStringList{message});
        const bool asked = message.startsWith(QLatin1String("Customer Not Found :"));
        QCOMPARE(fake->messages.first().title, asked ? inventory : appTitle);
        QCOMPARE(fake->messages.first().buttons, asked ? ui::Buttons::YesNo : ui::Buttons::Ok);
        QCOMPARE(opened, dialogOpens);
        QCOMPARE(storedNames().size(), 4);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Baker", "Jones", "Smith", "Springer"}));
    }

    void addTakesTheSearchText()
    {
        addFour();
        FrmCustomer& s = open(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        // A row viewed first: the dialog still opens empty but for the name.
        whenShown(d, [&] { d.CmdCancel->click(); });
        doubleClickRow(s.ListView1, columnTexts(s.ListView1, 1).indexOf(QStringLiteral("Jones")));
        QCOMPARE(s.AddOrDelete, QStringLiteral("AE"));

        s.searchBox()->setText(QStringLiteral("Sm"));
        bool ran = false;
        whenShown(d, [&] {
            ran = true;
            QVERIFY(!d.isViewOnly());
            QCOMPARE(d.TxtCname->text(), QStringLiteral("Sm"));
            QCOMPARE(d.TxtBcity->text(), QString());
            QCOMPARE(d.TxtBPhone->text(), QString());
            QCOMPARE(d.CmbBState->listIndex(), 0);
            d.TxtCname->setText(QStringLiteral("Smalley"));
            d.cmdOk->click();
        });
        s.cmdAdd->click();
        QVERIFY(ran);
        QCOMPARE(s.AddOrDelete, QStringLiteral("A"));
        QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
        QVERIFY(columnTexts(s.ListView1, 1).contains(QStringLiteral("Smalley")));
    }

    void editChangesTheCustomer()
    {
        addFour();
        FrmCustomer& s = open(QStringLiteral("E"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            QCOMPARE(d.TxtCname->text(), QStringLiteral("Jones"));
            QCOMPARE(d.TxtBcity->text(), QStringLiteral("Boston"));
            d.TxtBPhone->setText(QStringLiteral("617-9999"));
            d.cmdOk->click();
        });
        selectRow(s.ListView1, QStringLiteral("Jones"));
        s.CmdEdit->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
        QCOMPARE(db.scalar(QStringLiteral("SELECT BPhone FROM Customer WHERE CustName = 'Jones'")).toText(),
                 QStringLiteral("617-9999"));
        QCOMPARE(s.ListView1->subItem(columnTexts(s.ListView1, 1).indexOf(QStringLiteral("Jones")), 3),
                 QStringLiteral("617-9999"));
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("Jones"));
        QCOMPARE(storedNames().size(), 4);
    }

    void copyIsRefusedUntilAFieldDiffers()
    {
        addFour();
        FrmCustomer& s = open(QStringLiteral("C"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            QCOMPARE(d.TxtCname->text(), QStringLiteral("Smith"));
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts(), (QStringList{"Duplicate Customer Data", "Please enter Valid Data"}));
            d.TxtBfax->setText(QStringLiteral("555-1009"));
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts().mid(2), QStringList{"Customer Saved"});
            d.cmdOk->click();
        });
        selectRow(s.ListView1, QStringLiteral("Smith"));
        s.cmdCopy->click();
        QCOMPARE(storedNames(), (QStringList{"Baker", "Jones", "Smith", "Smith", "Springer"}));
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Baker", "Jones", "Smith", "Smith", "Springer"}));
    }

    void deleteAsks_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("yes") << ui::Answer::Yes;
        QTest::newRow("no") << ui::Answer::No;
    }
    void deleteAsks()
    {
        QFETCH(ui::Answer, answer);
        for (int i = 1; i <= 20; ++i)
            addCustomer(QStringLiteral("Cust%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("Town"));
        FrmCustomer& s = open(QStringLiteral("D"));
        // Page 2 of a search listing.
        search(s, QStringLiteral("OptCity"), QStringLiteral("Town"));
        s.CmdNext->click();
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 16 - 20 of 20"));
        selectRow(s.ListView1, QStringLiteral("Cust17"));
        fake->answers = {answer};
        s.cmdDel->click();

        const bool yes = answer == ui::Answer::Yes;
        QCOMPARE(fake->messages.first().text, QStringLiteral("Are you sure you want to Delete ' Cust17 '"));
        QCOMPARE(fake->messages.first().title, inventory);
        QCOMPARE(fake->messages.first().buttons, ui::Buttons::YesNo);
        if (yes) {
            QCOMPARE(fake->messageTexts().mid(1), QStringList{"Deleted"});
            QCOMPARE(fake->messages.last().title, appTitle);
        } else {
            QCOMPARE(fake->messages.size(), 1);
        }
        QCOMPARE(storedNames().contains(QStringLiteral("Cust17")), !yes);
        // Page 2 of the full list, whatever the list showed before.
        QCOMPARE(s.ListMode, QStringLiteral("All"));
        QCOMPARE(s.CurrentPage, 2);
        QCOMPARE(columnTexts(s.ListView1, 1), yes ? (QStringList{"Cust16", "Cust18", "Cust19", "Cust20"})
                                                  : (QStringList{"Cust16", "Cust17", "Cust18", "Cust19", "Cust20"}));
        QCOMPARE(s.searchBox()->text(), QString());
        QVERIFY(s.searchBox()->isEnabled());
    }

    void deletingTheLastRowOfTheLastPage()
    {
        for (int i = 1; i <= 16; ++i)
            addCustomer(QStringLiteral("Cust%1").arg(i, 2, 10, QLatin1Char('0')));
        FrmCustomer& s = open(QStringLiteral("D"));
        s.CmdNext->click();
        QCOMPARE(columnTexts(s.ListView1, 1), QStringList{"Cust16"});
        fake->answers = {ui::Answer::Yes};
        s.cmdDel->click();
        QCOMPARE(s.CurrentPage, 1);
        QCOMPARE(s.ListView1->rowCount(), 15);
        QCOMPARE(s.LblRecords->text(), QStringLiteral("Record 1 - 15 of 15"));
    }

    void doubleClickOpensTheRow_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("turned");
        // clang-format off
        QTest::newRow("edit") << "E" << "EE";
        QTest::newRow("delete") << "D" << "DE";
        QTest::newRow("add") << "A" << "AE";
        // clang-format on
    }
    void doubleClickOpensTheRow()
    {
        QFETCH(QString, mode);
        QFETCH(QString, turned);
        addFour();
        FrmCustomer& s = open(mode);
        FrmCustMast& d = ui::form<FrmCustMast>();
        bool ran = false;
        whenShown(d, [&] {
            ran = true;
            QCOMPARE(d.Cust.CustName, QStringLiteral("Springer"));
            QCOMPARE(d.Cust.AddEditDel, QStringLiteral("E"));
            d.CmdCancel->click();
        });
        doubleClickRow(s.ListView1, 3);
        QVERIFY(ran);
        QCOMPARE(s.AddOrDelete, turned);
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("Springer"));
        // The help in a turned mode shows the character and says nothing.
        s.cmdMainHelp->click();
        QCOMPARE(shell::frmMainMenu().Merlin().requests().last(), QStringLiteral("Show"));
    }

    void pickedByAnotherScreen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("select button") << "select";
        QTest::newRow("double-click") << "double-click";
        QTest::newRow("closed without a choice") << "exit";
    }
    void pickedByAnotherScreen()
    {
        QFETCH(QString, how);
        addFour();
        const int jones =
            int(db.scalar(QStringLiteral("SELECT CustId FROM Customer WHERE CustName = 'Jones'")).toInt());
        PickingScreen& opener = ui::form<PickingScreen>();
        opener.show();
        opener.CustId = 99;
        opener.TxtCustomer->setText(QStringLiteral("before"));

        bool ran = false;
        bool stayedOpen = false;
        whenListShown(
            QStringLiteral("frmCustomer"),
            [&](QWidget* w) {
                ran = true;
                QCOMPARE(w->windowTitle(), QStringLiteral("Select Customer"));
                auto* lv = w->findChild<ui::ListView*>(QStringLiteral("ListView1"));
                auto* select = w->findChild<QPushButton*>(QStringLiteral("CmdSelect"));
                QVERIFY(select->isVisible());
                QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("CmdEdit"))->isVisible());
                const int row = screentest::rowNamed(lv, QStringLiteral("Jones"));
                if (how == QLatin1String("select")) {
                    lv->setSelectedRow(row);
                    select->click();
                } else if (how == QLatin1String("double-click")) {
                    doubleClickRow(lv, row);
                } else {
                    lv->setSelectedRow(row);
                    w->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
                }
            },
            stayedOpen);
        opener.CmdSelCust->click();
        QVERIFY(ran);
        QVERIFY(!stayedOpen);
        if (how == QLatin1String("exit")) {
            QCOMPARE(opener.CustId, 99);
            QCOMPARE(opener.TxtCustomer->text(), QStringLiteral("before"));
        } else {
            QCOMPARE(opener.CustId, jones);
            QCOMPARE(opener.TxtCustomer->text(), QStringLiteral("Jones"));
        }
        QVERIFY(!ui::form<FrmCustMast>().isLoaded());
        // The main menu's customers list was not touched.
        QVERIFY(!ui::form<FrmCustomer>().isLoaded());
    }

    void helpByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("add") << "A" << "This screen allows you to enter the Customer details in the master table. Click on " "'Add' button to add a new record in the Customers database. ";
        QTest::newRow("edit") << "E" << "This screen allows you to edit the Customer data in the master table. Select the " "record by double clicking on the customer row or selecting the Customer and pressing " "'Edit' button";
        QTest::newRow("delete") << "D" << "This screen allows you to delete the Customer data from the master table. Select " "the customer record by clicking the customer row and pressing 'Delete' button. It " "will delete the record after confirmation.";
        QTest::newRow("select") << "S" << "";
        QTest::newRow("copy") << "C" << "";
        // clang-format on
    }
    void helpByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, text);
        FrmCustomer& s = open(mode);
        shell::frmMainMenu().Merlin();  // the greeting comes first
        const int before = int(shell::frmMainMenu().Merlin().requests().size());
        s.cmdMainHelp->click();
        const QStringList added = shell::frmMainMenu().Merlin().requests().mid(before);
        QCOMPARE(added, text.isEmpty() ? QStringList{"Show"} : (QStringList{"Show", "Speak " + text}));
    }
};

QTEST_MAIN(TestFrmCustomer)
#include "tst_frmcustomer.moc"
