#include "support/filesizelimit.h"
#include "support/screendriver.h"
#include "support/screentest.h"

#include "data/appfolder.h"
#include "data/recordset.h"
#include "masters/custmast.h"
#include "masters/frmcustomer.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using masters::FrmCustMast;
using masters::FrmCustomer;

using screentest::doubleClickRow;
using screentest::openInMode;
using screentest::rowNamed;
using screentest::whenShown;

namespace {

const QString inventory = QStringLiteral("Inventory");

// The twelve stored fields, in the order of the Customer table.
const QStringList fieldColumns{"CustName", "BStreet1", "BStreet2", "BCity",   "BState", "BZip",
                               "BCountry", "BPhone",   "BFax",     "BMobile", "BEmail", "BUrl"};

using Fields = QMap<QString, QString>;

Fields smith()
{
    return {{"CustName", "Smith & Sons"},
            {"BStreet1", "1 Main St"},
            {"BStreet2", "Suite 2"},
            {"BCity", "Springfield"},
            {"BState", "2"},
            {"BZip", "12345"},
            {"BCountry", "USA"},
            {"BPhone", "555-1000"},
            {"BFax", "555-1001"},
            {"BMobile", "555-1002"},
            {"BEmail", "smith@example.com"},
            {"BUrl", "www.smith.example"}};
}

}  // namespace

class TestCustMast : public ScreenTest {
    Q_OBJECT

    // States of our own, stored out of name order.
    void useStates()
    {
        db.execute(QStringLiteral("DELETE FROM States"));
        db.execute(QStringLiteral("INSERT INTO States (StateId, StateName) VALUES (5, 'Zeta'), (9, 'Alpha'), "
                                  "(2, 'Mid')"));
    }
    int addCustomer(const Fields& f)
    {
        QStringList cols;
        data::Params values;
        for (auto it = f.begin(); it != f.end(); ++it) {
            cols << it.key();
            if (it.key() == QLatin1String("BState"))
                values.push_back(it.value().toInt());
            else
                values.push_back(it.value());
        }
        db.execute(QStringLiteral("INSERT INTO Customer (%1) VALUES (%2)")
                       .arg(cols.join(','), QStringList(cols.size(), QStringLiteral("?")).join(',')),
                   values);
        return int(db.lastInsertRowId());
    }
    // Every customer's twelve fields, in key order.
    QList<Fields> stored()
    {
        QList<Fields> out;
        for (data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Customer ORDER BY CustId")); !rs.eof();
             rs.moveNext()) {
            Fields f;
            for (const QString& c : fieldColumns)
                f[c] = rs[c].toText();
            out << f;
        }
        return out;
    }
    QMap<QString, ui::TextBox*> boxes(FrmCustMast& d)
    {
        return {{"CustName", d.TxtCname}, {"BStreet1", d.TxtBstreet1}, {"BStreet2", d.TxtBstreet2},
                {"BCity", d.TxtBcity},    {"BZip", d.TxtBZip},         {"BCountry", d.TxtBCountry},
                {"BPhone", d.TxtBPhone},  {"BFax", d.TxtBfax},         {"BMobile", d.TxtBMobile},
                {"BEmail", d.TxtBEmail},  {"BUrl", d.TxtBUrl}};
    }
    void type(FrmCustMast& d, const Fields& f)
    {
        const auto b = boxes(d);
        for (auto it = f.begin(); it != f.end(); ++it) {
            if (it.key() == QLatin1String("BState"))
                QVERIFY(d.CmbBState->selectByData(it.value().toInt()));
            else
                b.value(it.key())->setText(it.value());
        }
    }
    Fields shown(FrmCustMast& d)
    {
        Fields f;
        const auto b = boxes(d);
        for (auto it = b.begin(); it != b.end(); ++it)
            f[it.key()] = it.value()->text();
        f[QStringLiteral("BState")] = QString::number(d.CmbBState->selectedData());
        return f;
    }
    static FrmCustomer& openList(const QString& mode) { return openInMode<FrmCustomer>(mode); }
    static int rowOf(FrmCustomer& s, const QString& name) { return rowNamed(s.ListView1, name); }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void init()
    {
        initScreenTest();
        useStates();
    }

    void windowAndStateList()
    {
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        bool ran = false;
        whenShown(d, [&] {
            ran = true;
            QCOMPARE(d.caption(), QStringLiteral("Customer Info"));
            QCOMPARE(d.helpContextId(), 8);
            QCOMPARE(d.fraBilling->title(), QStringLiteral(" Billing Info "));
            QCOMPARE(d.fraAddress->title(), QStringLiteral(" Address Info "));
            QCOMPARE(d.fraContact->title(), QStringLiteral(" Contact Info "));
            // By name, keyed by the state's first column; the first selected.
            QStringList names;
            QList<qint64> keys;
            for (int i = 0; i < d.CmbBState->listCount(); ++i) {
                names << d.CmbBState->itemText(i);
                keys << d.CmbBState->itemData(i);
            }
            QCOMPARE(names, (QStringList{"Alpha", "Mid", "Zeta"}));
            QCOMPARE(keys, (QList<qint64>{9, 2, 5}));
            QCOMPARE(d.CmbBState->listIndex(), 0);
            d.CmdCancel->click();
        });
        s.cmdAdd->click();
        QVERIFY(ran);
    }

    void storedStateShown_data()
    {
        QTest::addColumn<int>("storedState");
        QTest::addColumn<QString>("shownState");
        QTest::addColumn<QString>("savedState");
        // clang-format off
        QTest::newRow("listed state") << 5 << "Zeta" << "5";
        QTest::newRow("state no longer listed") << 77 << "Alpha" << "9";
        QTest::newRow("no state") << 0 << "Alpha" << "9";
        // clang-format on
    }
    void storedStateShown()
    {
        QFETCH(int, storedState);
        QFETCH(QString, shownState);
        QFETCH(QString, savedState);
        Fields f = smith();
        f["BState"] = QString::number(storedState);
        addCustomer(f);
        FrmCustomer& s = openList(QStringLiteral("E"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            QCOMPARE(d.CmbBState->currentText(), shownState);
            d.cmdOk->click();
        });
        s.CmdEdit->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
        QCOMPARE(stored().value(0).value("BState"), savedState);
    }

    void applyThenOkSavesOnce()
    {
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        const Fields typed = smith();
        whenShown(d, [&] {
            type(d, typed);
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
            QCOMPARE(fake->messages.first().title, inventory);
            QCOMPARE(fake->messages.first().buttons, ui::Buttons::Ok);
            QVERIFY(!d.CmdSave->isEnabled());
            // The boxes keep what was saved; the record is emptied.
            QCOMPARE(shown(d), typed);
            QCOMPARE(d.Cust.CustName, QString());
            d.cmdOk->click();
            QVERIFY(!d.isLoaded());
        });
        s.cmdAdd->click();
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(stored(), QList<Fields>{typed});
        // Ok refreshed the list behind the dialog.
        QVERIFY(rowOf(s, QStringLiteral("Smith & Sons")) >= 0);
    }

    void applyOnAFullDiskSavesNothingAndSaysSo()
    {
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        const Fields typed = smith();
        whenShown(d, [&] {
            type(d, typed);
            {
                FileSizeLimit full(1024);
                d.CmdSave->click();
            }
            QCOMPARE(
                fake->takeBoxes(),
                QStringList{ui::applicationTitle() +
                            QStringLiteral("|There is no room left on the disk that holds the database \"%1\", "
                                           "so nothing was saved. Make room on the disk and try again.")
                                .arg(QDir::toNativeSeparators(QFileInfo(data::databasePath()).canonicalFilePath()))});
            QVERIFY(d.isVisible());
            QVERIFY(d.CmdSave->isEnabled());
            QCOMPARE(shown(d), typed);
            QCOMPARE(stored(), QList<Fields>{});
            // With room again, the same Apply saves.
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
            d.cmdOk->click();
        });
        s.cmdAdd->click();
        QCOMPARE(stored(), QList<Fields>{typed});
    }

    void okWithApplyEnabledSaves()
    {
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            d.TxtCname->setText(QStringLiteral("O'Hara"));
            d.cmdOk->click();
        });
        s.cmdAdd->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
        QCOMPARE(stored().value(0).value("CustName"), QStringLiteral("O'Hara"));
        QCOMPARE(stored().value(0).value("BState"), QStringLiteral("9"));
        QCOMPARE(rowOf(s, QStringLiteral("O'Hara")), 0);
    }

    void addChecks_data()
    {
        QTest::addColumn<QString>("field");  // changed from the stored customer
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("saved");
        const QStringList refused{"Duplicate Customer Data", "Please enter Valid Data"};
        // clang-format off
        QTest::newRow("empty name") << "CustName" << "" << QStringList{"Enter Customer Name", "Please enter Valid Data"} << false;
        QTest::newRow("all twelve equal") << "" << "" << refused << false;
        QTest::newRow("name in other case") << "CustName" << "SMITH & SONS" << refused << false;
        QTest::newRow("only the fax differs") << "BFax" << "555-9999" << QStringList{"Customer Saved"} << true;
        QTest::newRow("only the state differs") << "BState" << "5" << QStringList{"Customer Saved"} << true;
        QTest::newRow("trailing blank in the url") << "BUrl" << "www.smith.example " << QStringList{"Customer Saved"} << true;
        // clang-format on
    }
    void addChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, messages);
        QFETCH(bool, saved);
        addCustomer(smith());
        Fields typed = smith();
        if (!field.isEmpty())
            typed[field] = value;

        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            type(d, typed);
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts(), messages);
            QCOMPARE(d.CmdSave->isEnabled(), !saved);
            if (!saved) {
                // The record keeps what was copied, for another try.
                QCOMPARE(d.Cust.CustName, typed.value("CustName"));
                // Ok tries once more and closes all the same.
                d.cmdOk->click();
                QCOMPARE(fake->messageTexts(), messages + messages);
            } else {
                d.cmdOk->click();
            }
            QVERIFY(!d.isLoaded());
        });
        s.cmdAdd->click();
        QCOMPARE(stored().size(), saved ? 2 : 1);
        if (saved)
            QCOMPARE(stored().value(1), typed);
    }

    void editAcceptsAnEqualCustomer()
    {
        addCustomer(smith());
        Fields other = smith();
        other["CustName"] = QStringLiteral("Other");
        const int otherId = addCustomer(other);
        FrmCustomer& s = openList(QStringLiteral("E"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            QCOMPARE(shown(d), other);
            d.TxtCname->setText(smith().value("CustName"));
            d.cmdOk->click();
        });
        s.ListView1->selectByKey(QString::number(otherId));
        s.CmdEdit->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Customer Saved"});
        QCOMPARE(stored(), (QList<Fields>{smith(), smith()}));
    }

    void editableOrViewOnly_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialogMode");
        QTest::addColumn<bool>("editable");
        // clang-format off
        QTest::newRow("add button") << "A" << "cmdAdd" << "A" << true;
        QTest::newRow("copy button") << "C" << "cmdCopy" << "C" << true;
        QTest::newRow("edit button") << "E" << "CmdEdit" << "E" << true;
        QTest::newRow("double-click while editing") << "E" << "double-click" << "EE" << true;
        QTest::newRow("double-click while adding") << "A" << "double-click" << "AE" << false;
        QTest::newRow("double-click while deleting") << "D" << "double-click" << "DE" << false;
        // clang-format on
    }
    void editableOrViewOnly()
    {
        QFETCH(QString, mode);
        QFETCH(QString, action);
        QFETCH(QString, dialogMode);
        QFETCH(bool, editable);
        addCustomer(smith());
        FrmCustomer& s = openList(mode);
        FrmCustMast& d = ui::form<FrmCustMast>();
        bool ran = false;
        whenShown(d, [&] {
            ran = true;
            QCOMPARE(s.AddOrDelete, dialogMode);
            QCOMPARE(d.isViewOnly(), !editable);
            QCOMPARE(d.CmdSave->isVisible(), editable);
            QCOMPARE(d.cmdOk->isVisible(), editable);
            QVERIFY(d.CmdCancel->isVisible());
            QVERIFY(d.cmdMainHelp->isVisible());
            QCOMPARE(d.TxtCname->isEnabled(), editable);
            QCOMPARE(d.fraAddress->isEnabled(), editable);
            QCOMPARE(d.fraContact->isEnabled(), editable);
            if (action != QLatin1String("cmdAdd"))
                QCOMPARE(shown(d), smith());
            d.CmdCancel->click();
        });
        if (action == QLatin1String("double-click"))
            doubleClickRow(s.ListView1, 0);
        else
            s.window()->findChild<QPushButton*>(action)->click();
        QVERIFY(ran);
        QCOMPARE(stored(), QList<Fields>{smith()});
    }

    void closingSavesNothingAndEmptiesTheRecord_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("Escape in a box: as Cancel") << "escape";
        QTest::newRow("close box") << "close box";
    }
    void closingSavesNothingAndEmptiesTheRecord()
    {
        QFETCH(QString, how);
        const bool closeBox = how == QLatin1String("close box");
        addCustomer(smith());
        FrmCustomer& s = openList(QStringLiteral("E"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            d.TxtBPhone->setText(QStringLiteral("000"));
            Fields late = smith();
            late["CustName"] = QStringLiteral("Added meanwhile");
            addCustomer(late);
            if (closeBox)
                d.window()->close();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(d.TxtBPhone, Qt::Key_Escape);
            else
                d.CmdCancel->click();
            QVERIFY(!d.isLoaded());
            // Cancel re-reads the list itself; the close box leaves that to
            // the screen once the dialog has returned.
            QCOMPARE(rowOf(s, QStringLiteral("Added meanwhile")) >= 0, !closeBox);
        });
        s.CmdEdit->click();
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(stored().value(0), smith());
        QCOMPARE(d.Cust.CustName, QString());
        QCOMPARE(d.Cust.BPhone, QString());
        QCOMPARE(d.Cust.BState, 0);
        QCOMPARE(d.Cust.ExpDate, QDate::currentDate());
        QVERIFY(rowOf(s, QStringLiteral("Added meanwhile")) >= 0);
    }

    // Tab goes down the window: the name, the address frame, the contact
    // frame, then the buttons left to right.
    void tabFollowsTheWindow()
    {
        useStates();
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        QStringList order;
        whenShown(d, [&] { order = screentest::tabWalk(d.TxtCname); });
        s.cmdAdd->click();
        QCOMPARE(order, (QStringList{"TxtCname", "TxtBstreet1", "TxtBstreet2", "TxtBcity", "CmbBState", "TxtBZip",
                                     "TxtBCountry", "TxtBPhone", "TxtBfax", "TxtBMobile", "TxtBEmail", "TxtBUrl",
                                     "cmdMainHelp", "cmdOk", "CmdCancel", "CmdSave"}));
    }

    // A usual web address or e-mail address shows whole.
    void emailAndWebAddressShowAboutFortyCharacters()
    {
        FrmCustomer& s = openList(QStringLiteral("A"));
        FrmCustMast& d = ui::form<FrmCustMast>();
        const QString address = QStringLiteral("https://www.whitfield-builders.com/about");
        QCOMPARE(address.size(), 40);
        whenShown(d, [&] {
            for (ui::TextBox* box : {d.TxtBEmail.data(), d.TxtBUrl.data()}) {
                box->setText(address);
                const int room = box->contentsRect().width() - box->textMargins().left() - box->textMargins().right();
                QVERIFY2(room >= box->fontMetrics().horizontalAdvance(address), qPrintable(box->objectName()));
            }
        });
        s.cmdAdd->click();
    }

    void helpSpeaksInEveryMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("adding") << "A";
        QTest::newRow("viewing") << "D";
    }
    void helpSpeaksInEveryMode()
    {
        QFETCH(QString, mode);
        addCustomer(smith());
        FrmCustomer& s = openList(mode);
        FrmCustMast& d = ui::form<FrmCustMast>();
        whenShown(d, [&] {
            d.cmdMainHelp->click();
            d.CmdCancel->click();
        });
        if (mode == QLatin1String("A"))
            s.cmdAdd->click();
        else
            doubleClickRow(s.ListView1, 0);
        const QString text = QStringLiteral(
            "Once you enter all the data, press 'Ok' button to save the record and close. 'Cancel' button closes "
            "the window without saving. 'Apply' button saves your data but does not close the window.");
        const QStringList& requests = shell::frmMainMenu().Merlin().requests();
        QVERIFY(requests.size() >= 2);
        QCOMPARE(requests.mid(requests.size() - 2), (QStringList{"Show", "Speak " + text}));
    }
};

QTEST_MAIN(TestCustMast)
#include "tst_custmast.moc"
