#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "data/appfolder.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "estimates/frmorder.h"
#include "masters/frmcustomer.h"
#include "ui/combobox.h"
#include "ui/datepicker.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/richtextbox.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <sqlite3.h>

using estimates::FrmOrder;

Q_DECLARE_METATYPE(ui::Answer)

using screentest::rowCells;
using screentest::visibleWindow;

namespace {

const QString inventory = QStringLiteral("Inventory");
const QString estimateTitle = QStringLiteral("Estimate");
const QString appTitle = QStringLiteral("Corvanel");

// Master keys of the fixture, as the lists order them by name.
enum Room { Bathroom = 1, Kitchen = 2, LivingRoom = 3 };
enum Unit { Each = 1, LinearFeet = 2, SquareFeet = 3 };
enum Item { BaseCabinet = 1, CeramicTile = 2, DrywallSheet = 3, Paint = 4, SinkFaucet = 5 };

// Answers the customer picker once it is up: selects the customer of that
// name, or closes the list with Exit when the name is empty. Closes it in
// any case, so that a failed check cannot leave the test in its modal loop.
void answerPicker(const QString& customerName, bool& ran)
{
    ran = false;
    QTimer::singleShot(0, [customerName, &ran] {
        QWidget* w = visibleWindow(QStringLiteral("frmCustomer"));
        struct Closer {
            QWidget* w;
            ~Closer()
            {
                if (w && w->isVisible())
                    w->close();
            }
        } closer{w};
        QVERIFY(w);
        ran = true;
        auto* lv = w->findChild<ui::ListView*>(QStringLiteral("ListView1"));
        QVERIFY(lv);
        if (customerName.isEmpty()) {
            w->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
            return;
        }
        for (int r = 0; r < lv->rowCount(); ++r)
            if (lv->subItem(r, 1) == customerName)
                lv->setSelectedRow(r);
        w->findChild<QPushButton*>(QStringLiteral("CmdSelect"))->click();
    });
}

}  // namespace

class TestFrmOrder : public ScreenTest {
    Q_OBJECT
    int texas = 0;

    void exec(const QString& sql, const data::Params& params = {}) { db.execute(sql, params); }

    // Item `id`, numbered 100 + id, in category 1 and unit 1.
    void addItem(int id, const char* name, double material, double labor, double qty, double subLabor, double equipment)
    {
        seed::addItem(db, {.key = id,
                           .code = QString::number(100 + id),
                           .name = name,
                           .category = 1,
                           .unit = 1,
                           .material = material,
                           .labor = labor,
                           .qty = qty,
                           .tu = "",
                           .subLabor = subLabor,
                           .equipment = equipment});
    }

    // A stored estimate, written as another session of the program would.
    void storeEstimate(int orderNo, int custId, double amount, double tax, double overhead, double total,
                       const QString& tracking = QString())
    {
        seed::addEstimate(db, {.number = orderNo,
                               .customer = custId,
                               .rep = 3,
                               .date = "2024-03-05",
                               .street1 = "9 Oak Road",
                               .street2 = "",
                               .city = "Dallas",
                               .state = texas,
                               .zip = "75201",
                               .country = "USA",
                               .phone = "214-555-0100",
                               .mobile = "",
                               .email = "site@example.com",
                               .ship = 4,
                               .amount = amount,
                               .tax = tax,
                               .total = total,
                               .tracking = tracking,
                               .notes = "Gate code 1234",
                               .overhead = overhead});
    }

    // The stored lines of an estimate, in the order they were written.
    QList<QStringList> storedLines(int orderNo)
    {
        QList<QStringList> out;
        data::Recordset rs = db.query(QStringLiteral("Select ItemId, Qty, Material, RoomId, UnitId, Extension, Labor,"
                                                     " Others from OrderItem where OrderNo = ? order by rowid"),
                                      {orderNo});
        for (; !rs.eof(); rs.moveNext()) {
            QStringList line;
            for (int i = 0; i < rs.fieldCount(); ++i)
                line << rs.value(i).toText();
            out << line;
        }
        return out;
    }
    data::DbValue stored(const QString& column, int orderNo)
    {
        return db.scalar(QStringLiteral("Select %1 from OrderInfo where OrderNo = ?").arg(column), {orderNo});
    }
    int estimateCount() { return db.scalar(QStringLiteral("Select count(*) from OrderInfo")).toInt(); }

    FrmOrder& openNew()
    {
        FrmOrder& f = estimates::frmOrder();
        const shell::Screen screen = estimates::frmOrderScreen();
        screen.set(QStringLiteral("AddOrDelete"), QStringLiteral("A"));
        screen.show();
        return f;
    }
    FrmOrder& openStored(const QString& mode, int orderNo)
    {
        FrmOrder& f = estimates::frmOrder();
        f.AddOrDelete = mode;
        f.Order().OrderNo = orderNo;
        f.Order().GetOrder();
        return f;
    }

    void pick(FrmOrder& f, int room, int unit, int item)
    {
        QVERIFY(f.cmbRooms->selectByData(room));
        QVERIFY(f.cmbUnits->selectByData(unit));
        QVERIFY(f.cmbItems->selectByData(item));
    }
    // Picks a line's lists, optionally overrides the quantity, and adds it.
    void addLine(FrmOrder& f, int room, int unit, int item, const QString& qty = QString())
    {
        pick(f, room, unit, item);
        if (!qty.isNull())
            f.TxtQty->setText(qty);
        f.cmdAdd->click();
    }
    void pickCustomer(FrmOrder& f, const QString& name)
    {
        bool ran = false;
        answerPicker(name, ran);
        f.CmdSelCust->click();
        QVERIFY(ran);
        QVERIFY(!visibleWindow(QStringLiteral("frmCustomer")));
    }
    int rowOf(FrmOrder& f, int item)
    {
        for (int r = 0; r < f.ListView1->rowCount(); ++r)
            if (f.ListView1->text(r) == QString::number(item))
                return r;
        return -1;
    }
    // The screen's lines and rows agree: one row per line, same keys and figures.
    void checkLinesMatchRows(FrmOrder& f)
    {
        estimates::ColnOrderItems& lines = f.Order().ColnOrderItems();
        QCOMPARE(lines.Count(), f.ListView1->rowCount());
        for (int r = 0; r < f.ListView1->rowCount(); ++r) {
            const estimates::ClsOrderItems& line = lines.Item(r + 1);
            const QStringList cells = rowCells(f.ListView1, r);
            QCOMPARE(QString::number(line.itemKey()), cells[FrmOrder::ColItemId]);
            QCOMPARE(QString::number(line.mvarRoomId), cells[FrmOrder::ColRoomId]);
            QCOMPARE(QString::number(line.mvarUnitId), cells[FrmOrder::ColUnitId]);
            QCOMPARE(cells[FrmOrder::ColQty].toDouble(), line.mvarQty);
            QCOMPARE(cells[FrmOrder::ColMaterial].toDouble(), line.mvarMaterial);
        }
    }
    QStringList totals(FrmOrder& f)
    {
        return {f.TxtAmount->text(), f.txtTax->text(), f.txtOverhead->text(), f.txtFinalTotal->text()};
    }
    // A new estimate with a customer and two lines, not saved.
    FrmOrder& openedWithTwoLines()
    {
        FrmOrder& f = openNew();
        pickCustomer(f, QStringLiteral("Anna Baker"));
        addLine(f, Kitchen, Each, BaseCabinet);
        addLine(f, Bathroom, SquareFeet, CeramicTile);
        fake->messages.clear();
        return f;
    }

private slots:
    void init()
    {
        // A lock of another program is given up on soon, not after seconds.
        data::setBusyTimeoutMs(200);
        initScreenTest();

        texas = db.scalar(QStringLiteral("Select StateId from States where StateName = 'Texas'")).toInt();
        exec(QStringLiteral("Insert into Category (CatId, CatName, ParentCategory) values (1, 'Interior', 0)"));
        exec(QStringLiteral("Insert into Rooms (Id, Name) values (1, 'Bathroom'), (2, 'Kitchen'), (3, 'Living Room')"));
        exec(QStringLiteral("Insert into Units (Id, Name) values (1, 'Each'), (2, 'LF'), (3, 'SF')"));
        addItem(BaseCabinet, "Base cabinet", 100, 20, 2, 5, 0);
        addItem(CeramicTile, "Ceramic tile", 2.5, 10, 4, 3, 1);
        addItem(DrywallSheet, "Drywall sheet", 12.5, 4, 10, 0, 0);
        addItem(Paint, "Paint (gallon)", 30, 0, 3, 0, 5);
        addItem(SinkFaucet, "Sink faucet", 85.25, 45, 1, 0, 0);
        exec(QStringLiteral("Insert into Customer (CustId, CustName, BStreet1, BStreet2, BCity, BState, BZip,"
                            " BCountry, BPhone, BFax, BMobile, BEmail) values"
                            " (1, 'Anna Baker', '12 Elm Street', 'Suite 4', 'Austin', ?, '73301', 'USA',"
                            " '512-555-0101', '', '512-555-0199', 'anna@example.com'),"
                            " (2, 'Brian Cole', '400 Pine Ave', '', 'Houston', ?, '77002', 'USA',"
                            " '713-555-0123', '', '', 'brian@example.com')"),
             {texas, texas});
    }
    void cleanup()
    {
        cleanupScreenTest();
        data::setBusyTimeoutMs(5000);
    }

    // New estimate, customer, five lines, one edited, one deleted, tax and
    // overhead, saved; reopened, changed, saved; deleted.
    void roadOfAnEstimate()
    {
        FrmOrder& f = openNew();
        QVERIFY(f.isVisible());
        QCOMPARE(f.caption(), QStringLiteral("Bid Estimate Screen"));
        QCOMPARE(f.helpContextId(), 12);
        QCOMPARE(f.TxtOrder->text(), QStringLiteral("1"));
        QCOMPARE(f.TxtDate->value(), QDate::currentDate());
        QCOMPARE(f.TxtDate->customFormat(), QStringLiteral("MM/dd/yyyy"));
        QVERIFY(!f.CmdDeleteOrder->isVisible());
        // The first item is picked: its master prices and default quantity.
        QCOMPARE(f.cmbItems->text(), QStringLiteral("Base cabinet"));
        QCOMPARE(f.TxtMaterial->text(), QStringLiteral("100"));
        QCOMPARE(f.TxtQty->text(), QStringLiteral("2"));
        QCOMPARE(f.txtTotal->text(), QStringLiteral("225"));

        pickCustomer(f, QStringLiteral("Anna Baker"));
        QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Anna Baker"));
        QCOMPARE(f.Order().CustId, 1);
        QCOMPARE(f.TxtSstreet1->text(), QStringLiteral("12 Elm Street"));
        QCOMPARE(f.TxtSstreet2->text(), QStringLiteral("Suite 4"));
        QCOMPARE(f.TxtScity->text(), QStringLiteral("Austin"));
        QCOMPARE(f.cmbSState->text(), QStringLiteral("Texas"));
        QCOMPARE(f.TxtSZip->text(), QStringLiteral("73301"));
        QCOMPARE(f.TxtSPhone->text(), QStringLiteral("512-555-0101"));
        QCOMPARE(f.TxtSMobile->text(), QStringLiteral("512-555-0199"));
        QCOMPARE(f.TxtSEmail->text(), QStringLiteral("anna@example.com"));

        addLine(f, Kitchen, Each, BaseCabinet);         // 2 x 100 + 20 + 5 = 225
        addLine(f, Bathroom, SquareFeet, CeramicTile);  // 4 x 2.5 + 10 + 3 + 1 = 24
        addLine(f, LivingRoom, Each, DrywallSheet);     // 10 x 12.5 + 4 = 129
        addLine(f, Kitchen, Each, Paint);               // 3 x 30 + 5 = 95
        addLine(f, Bathroom, Each, SinkFaucet);         // 85.25 + 45 = 130.25
        QCOMPARE(fake->messages.size(), 0);
        QCOMPARE(f.ListView1->rowCount(), 5);
        QCOMPARE(rowCells(f.ListView1, 1),
                 (QStringList{"2", "Bathroom", "4", "SF", "Ceramic tile", "10", "10", "3", "1", "24", "1", "3"}));
        checkLinesMatchRows(f);
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("603.25"));

        // The drywall goes up to 12 sheets.
        f.ListView1->setSelectedRow(rowOf(f, DrywallSheet));
        f.CmdEdit->click();
        QVERIFY(f.cmdEditApply->isVisible());
        QVERIFY(!f.cmdAdd->isVisible());
        QCOMPARE(f.TxtMaterial->text(), QStringLiteral("12.5"));
        f.TxtQty->setText(QStringLiteral("12"));
        f.cmdEditApply->click();
        QVERIFY(f.cmdAdd->isVisible());
        QVERIFY(!f.cmdEditApply->isVisible());
        QCOMPARE(rowCells(f.ListView1, 2), (QStringList{"3", "Living Room", "12", "Each", "Drywall sheet", "150", "4",
                                                        "0", "0", "154", "3", "1"}));
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("628.25"));

        // The paint goes.
        f.ListView1->setSelectedRow(rowOf(f, Paint));
        f.cmdDel->click();
        QCOMPARE(fake->messages.last().text, QStringLiteral("Do you want to delete selected item from the list?"));
        QCOMPARE(fake->messages.last().title, QStringLiteral("Confirm Deletion"));
        QCOMPARE(f.ListView1->rowCount(), 4);
        checkLinesMatchRows(f);

        f.txtTaxPer->setText(QStringLiteral("8"));
        f.txtOHPer->setText(QStringLiteral("10"));
        QCOMPARE(totals(f), (QStringList{"533.25", "42.66", "53.325", "629.235"}));
        f.txtNotes->setText(QStringLiteral("Back door only"));

        fake->messages.clear();
        f.CmdSave->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
        QCOMPARE(fake->messages.last().title, inventory);
        QVERIFY(!f.CmdSave->isEnabled());
        QVERIFY(f.isVisible());
        QCOMPARE(stored("CustId", 1).toInt(), 1);
        QCOMPARE(stored("Amount", 1).toDouble(), 533.25);
        QCOMPARE(stored("Tax", 1).toDouble(), 8.0);
        QCOMPARE(stored("Overhead", 1).toDouble(), 10.0);
        QCOMPARE(stored("Total", 1).toDouble(), 533.25 + 42.66 + 53.325);
        QCOMPARE(stored("SCity", 1).toText(), QStringLiteral("Austin"));
        QCOMPARE(stored("SState", 1).toInt(), texas);
        QCOMPARE(stored("Notes", 1).toText(), QStringLiteral("Back door only"));
        QCOMPARE(stored("OrderDate", 1).toText(), QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(storedLines(1), (QList<QStringList>{{"1", "2", "200", "2", "1", "5", "20", "0"},
                                                     {"2", "4", "10", "1", "3", "3", "10", "1"},
                                                     {"3", "12", "150", "3", "1", "0", "4", "0"},
                                                     {"5", "1", "85.25", "1", "1", "0", "45", "0"}}));
        // OK on a saved estimate closes the screen.
        f.cmdOk->click();
        QVERIFY(!f.isLoaded());

        // Reopened by its number.
        openStored(QStringLiteral("E"), 1);
        QVERIFY(f.isVisible());
        QCOMPARE(f.caption(), QStringLiteral("Edit Estimate"));
        QCOMPARE(f.TxtOrder->text(), QStringLiteral("1"));
        QVERIFY(!f.TxtOrder->isEnabled());
        QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Anna Baker"));
        QCOMPARE(f.TxtScity->text(), QStringLiteral("Austin"));
        QCOMPARE(f.txtNotes->text(), QStringLiteral("Back door only"));
        QCOMPARE(f.ListView1->rowCount(), 4);
        QCOMPARE(rowCells(f.ListView1, 2), (QStringList{"3", "Living Room", "12", "Each", "Drywall sheet", "150", "4",
                                                        "0", "0", "154", "3", "1"}));
        checkLinesMatchRows(f);
        QCOMPARE(totals(f), (QStringList{"533.25", "42.66", "53.325", "629.235"}));
        QCOMPARE(f.txtTaxPer->text(), QStringLiteral("8"));

        // Changed: the tile goes, overhead drops to 5.
        f.ListView1->setSelectedRow(rowOf(f, CeramicTile));
        f.cmdDel->click();
        f.txtOHPer->setText(QStringLiteral("5"));
        QCOMPARE(totals(f), (QStringList{"509.25", "40.74", "25.4625", "575.4525"}));
        fake->messages.clear();
        f.cmdOk->click();  // OK saves an unsaved estimate and stays
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
        QVERIFY(f.isVisible());
        QCOMPARE(estimateCount(), 1);
        QCOMPARE(stored("Overhead", 1).toDouble(), 5.0);
        QCOMPARE(stored("Amount", 1).toDouble(), 509.25);
        QCOMPARE(storedLines(1).size(), 3);
        f.cmdOk->click();
        QVERIFY(!f.isLoaded());

        // Deleted.
        openStored(QStringLiteral("D"), 1);
        QCOMPARE(f.caption(), QStringLiteral("Delete Estimate"));
        QVERIFY(f.CmdDeleteOrder->isVisible());
        fake->messages.clear();
        f.CmdDeleteOrder->click();
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Are you sure you want to Delete Estimate No.  1"));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Estimate deletion"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(fake->messages[1].text, QStringLiteral("Order Deleted"));
        QCOMPARE(fake->messages[1].title, appTitle);
        QVERIFY(!f.isLoaded());
        QCOMPARE(estimateCount(), 0);
        QCOMPARE(storedLines(1).size(), 0);
    }

    void proposesTheNextNumber_data()
    {
        QTest::addColumn<QList<int>>("storedNumbers");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("none stored") << QList<int>{} << "1";
        QTest::newRow("3 and 7 stored") << QList<int>{3, 7} << "8";
    }
    void proposesTheNextNumber()
    {
        QFETCH(QList<int>, storedNumbers);
        QFETCH(QString, proposed);
        for (int n : storedNumbers)
            storeEstimate(n, 1, 0, 0, 0, 0);
        FrmOrder& f = openNew();
        QCOMPARE(f.TxtOrder->text(), proposed);
        QVERIFY(f.TxtOrder->isEnabled());
    }

    // The worked figures of the totals frame, through the screen.
    void totalsFollowTheLines_data()
    {
        QTest::addColumn<QStringList>("lineTotals");
        QTest::addColumn<QString>("taxPercent");
        QTest::addColumn<QString>("overheadPercent");
        QTest::addColumn<QStringList>("expected");  // amount, tax, overhead, total
        // clang-format off
        QTest::newRow("no lines") << QStringList{} << "" << "" << QStringList{"0", "0", "0", "0"};
        QTest::newRow("100 and 50.5 at 8 and 10") << QStringList{"100", "50.5"} << "8" << "10" << QStringList{"150.5", "12.04", "15.05", "177.59"};
        QTest::newRow("7.5 percent") << QStringList{"200"} << "7.5" << "" << QStringList{"200", "15", "0", "215"};
        QTest::newRow("percent not a number") << QStringList{"200"} << "eight" << "-" << QStringList{"200", "0", "0", "200"};
        QTest::newRow("unrounded thirds") << QStringList{"0.1", "0.2"} << "" << "" << QStringList{"0.3", "0", "0", "0.3"};
        // clang-format on
    }
    void totalsFollowTheLines()
    {
        QFETCH(QStringList, lineTotals);
        QFETCH(QString, taxPercent);
        QFETCH(QString, overheadPercent);
        QFETCH(QStringList, expected);
        FrmOrder& f = openNew();
        int item = BaseCabinet;
        for (const QString& total : lineTotals) {
            pick(f, Kitchen, Each, item++);
            f.TxtQty->setText(QStringLiteral("1"));
            f.TxtMaterial->setText(total);
            f.txtLabor->setText(QStringLiteral("0"));
            f.txtExtension->setText(QStringLiteral("0"));
            f.txtOthers->setText(QStringLiteral("0"));
            f.cmdAdd->click();
        }
        QCOMPARE(f.ListView1->rowCount(), lineTotals.size());
        QTest::keyClicks(f.txtTaxPer, taxPercent);
        QTest::keyClicks(f.txtOHPer, overheadPercent);
        QCOMPARE(totals(f), expected);
        QCOMPARE(f.txtTaxPer->text(), taxPercent);

        // Deleting every line brings the figures back to 0; the
        // percentages stay as typed.
        while (f.ListView1->rowCount() > 0) {
            f.ListView1->setSelectedRow(0);
            f.cmdDel->click();
        }
        QCOMPARE(totals(f), (QStringList{"0", "0", "0", "0"}));
        QCOMPARE(f.txtTaxPer->text(), taxPercent);
        QCOMPARE(f.Order().ColnOrderItems().Count(), 0);
    }

    void lineTotalOfTheBoxes()
    {
        FrmOrder& f = openNew();
        f.TxtMaterial->setText(QStringLiteral("2.5"));
        f.TxtQty->setText(QStringLiteral("4"));
        f.txtLabor->setText(QStringLiteral("10"));
        f.txtExtension->setText(QStringLiteral("3"));
        f.txtOthers->setText(QStringLiteral("1"));
        QCOMPARE(f.txtTotal->text(), QStringLiteral("24"));
        // The quantity alone moves the total too.
        f.TxtQty->setText(QStringLiteral("8"));
        QCOMPARE(f.txtTotal->text(), QStringLiteral("34"));
        // Picking an item takes its master figures, over what was typed.
        QVERIFY(f.cmbItems->selectByData(SinkFaucet));
        QCOMPARE((QStringList{f.TxtMaterial->text(), f.txtLabor->text(), f.TxtQty->text(), f.txtExtension->text(),
                              f.txtOthers->text(), f.txtTotal->text()}),
                 (QStringList{"85.25", "45", "1", "0", "0", "130.25"}));
    }

    void addRefusesWrongInput_data()
    {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty quantity") << "" << int(Kitchen) << int(Each) << "Please enter Quanttity";
        QTest::newRow("zero quantity") << "0" << int(Kitchen) << int(Each) << "Please enter Quanttity";
        QTest::newRow("lone point") << "." << int(Kitchen) << int(Each) << "Please enter Quanttity";
        QTest::newRow("same item, room and unit") << "5" << int(Kitchen) << int(Each) << "Item already added ";
        QTest::newRow("same item and room, other unit") << "5" << int(Kitchen) << int(LinearFeet) << "";
        QTest::newRow("same item and unit, other room") << "5" << int(Bathroom) << int(Each) << "";
    }
    void addRefusesWrongInput()
    {
        QFETCH(QString, qty);
        QFETCH(int, room);
        QFETCH(int, unit);
        QFETCH(QString, message);
        FrmOrder& f = openNew();
        addLine(f, Kitchen, Each, CeramicTile);
        QCOMPARE(f.ListView1->rowCount(), 1);
        const QStringList before = rowCells(f.ListView1, 0);
        fake->messages.clear();

        addLine(f, room, unit, CeramicTile, qty);
        if (message.isEmpty()) {
            QCOMPARE(fake->messages.size(), 0);
            QCOMPARE(f.ListView1->rowCount(), 2);
        } else {
            QCOMPARE(fake->messageTexts(), QStringList{message});
            QCOMPARE(fake->messages.last().title, inventory);
            QCOMPARE(f.ListView1->rowCount(), 1);
            QCOMPARE(rowCells(f.ListView1, 0), before);
            // What was typed stays for the user to correct.
            QCOMPARE(f.TxtQty->text(), qty);
        }
        checkLinesMatchRows(f);
    }

    void editLoadsAndAppliesALine()
    {
        FrmOrder& f = openNew();
        fake->messages.clear();
        f.CmdEdit->click();
        f.cmdDel->click();
        QCOMPARE(fake->messageTexts(), (QStringList{"No item to Edit", "No item to Delete"}));

        // 3 at a unit price of 2.5 keeps 7.5; Edit shows the unit price again.
        pick(f, Kitchen, SquareFeet, CeramicTile);
        f.TxtQty->setText(QStringLiteral("3"));
        f.cmdAdd->click();
        addLine(f, Bathroom, Each, SinkFaucet);
        QCOMPARE(f.Order().ColnOrderItems().Item(1).mvarMaterial, 7.5);
        f.ListView1->setSelectedRow(0);
        f.CmdEdit->click();
        QCOMPARE(f.cmbRooms->text(), QStringLiteral("Kitchen"));
        QCOMPARE(f.cmbUnits->text(), QStringLiteral("SF"));
        QCOMPARE(f.cmbItems->text(), QStringLiteral("Ceramic tile"));
        QCOMPARE((QStringList{f.TxtQty->text(), f.TxtMaterial->text(), f.txtLabor->text(), f.txtExtension->text(),
                              f.txtOthers->text(), f.txtTotal->text()}),
                 (QStringList{"3", "2.5", "10", "3", "1", "21.5"}));
        QVERIFY(f.isEditingLine());

        // Applied unchanged: the line is not its own duplicate.
        fake->messages.clear();
        f.cmdEditApply->click();
        QCOMPARE(fake->messages.size(), 0);
        QVERIFY(!f.isEditingLine());

        // Refusals keep the edit open.
        f.CmdEdit->click();
        f.TxtQty->setText(QString());
        f.cmdEditApply->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Please enter Quanttity"});
        QVERIFY(f.isEditingLine());
        f.TxtQty->setText(QStringLiteral("3"));
        pick(f, Bathroom, Each, SinkFaucet);  // the other line's keys
        f.cmdEditApply->click();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("Item already added "));
        QVERIFY(f.isEditingLine());

        // Another item during the edit goes into the line and the row alike,
        // and the row is found again afterwards.
        QVERIFY(f.cmbItems->selectByData(DrywallSheet));
        f.TxtQty->setText(QStringLiteral("6"));
        f.cmdEditApply->click();
        QCOMPARE(rowCells(f.ListView1, 0),
                 (QStringList{"3", "Bathroom", "6", "Each", "Drywall sheet", "75", "4", "0", "0", "79", "1", "1"}));
        checkLinesMatchRows(f);
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("209.25"));
        f.ListView1->setSelectedRow(0);
        f.CmdEdit->click();
        QCOMPARE(f.cmbItems->text(), QStringLiteral("Drywall sheet"));
        f.cmdEditCanc->click();
        QVERIFY(!f.isEditingLine());
        QVERIFY(f.cmdAdd->isVisible());
        f.ListView1->setSelectedRow(0);
        f.cmdDel->click();
        QCOMPARE(f.ListView1->rowCount(), 1);
        checkLinesMatchRows(f);
        QCOMPARE(f.Order().ColnOrderItems().Item(1).itemKey(), int(SinkFaucet));
    }

    void deleteAsksAndClosesAnOpenEdit()
    {
        FrmOrder& f = openNew();
        addLine(f, Kitchen, Each, BaseCabinet);
        addLine(f, Kitchen, Each, Paint);
        f.ListView1->setSelectedRow(1);
        f.CmdEdit->click();
        fake->answers = {ui::Answer::No};
        f.ListView1->setSelectedRow(0);
        f.cmdDel->click();
        QCOMPARE(f.ListView1->rowCount(), 2);
        QVERIFY(f.isEditingLine());
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("320"));

        f.cmdDel->click();
        QCOMPARE(f.ListView1->rowCount(), 1);
        QVERIFY(!f.isEditingLine());
        checkLinesMatchRows(f);
        QCOMPARE(f.ListView1->text(0), QString::number(Paint));
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("95"));
    }

    // Of the printable keys only digits and "." reach the price and quantity
    // boxes, typed or pasted; the percentages take anything.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("filtered");
        for (const char* name : {"TxtQty", "TxtMaterial", "txtLabor", "txtExtension", "txtOthers"})
            QTest::newRow(name) << name << true;
        QTest::newRow("txtTaxPer") << "txtTaxPer" << false;
    }
    void keyFilter()
    {
        QFETCH(QString, box);
        QFETCH(bool, filtered);
        FrmOrder& f = openNew();
        auto* t = f.window()->findChild<ui::TextBox*>(box);
        QVERIFY(t);
        t->clear();
        QTest::keyClicks(t, QStringLiteral("1a-2,b.5"));
        QCOMPARE(t->text(), filtered ? QStringLiteral("12.5") : QStringLiteral("1a-2,b.5"));
        QTest::keyClick(t, Qt::Key_Backspace);
        QCOMPARE(t->text(), filtered ? QStringLiteral("12.") : QStringLiteral("1a-2,b."));
        if (!filtered)
            return;
        t->clear();
        QApplication::clipboard()->setText(QStringLiteral("3x"));
        QTest::keySequence(t, QKeySequence::Paste);
        QCOMPARE(t->text(), QString());
        QApplication::clipboard()->setText(QStringLiteral("3.75"));
        QTest::keySequence(t, QKeySequence::Paste);
        QCOMPARE(t->text(), QStringLiteral("3.75"));
    }

    void priceWriteBack_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("notice");
        // clang-format off
        QTest::newRow("material") << "TxtMaterial" << "Material" << "You have changed the Material Price. Do you want to update this price in Main File?" << "Material price updated in master file";
        QTest::newRow("labor") << "txtLabor" << "Labor" << "You have changed the Labor Price. Do you want to update this price in Main File?" << "Labor price updated in master file";
        QTest::newRow("sub-labor") << "txtExtension" << "SubLabor" << "You have changed the SubLabor Price. Do you want to update this price in Main File?" << "Sub-Labor price updated in master file";
        QTest::newRow("equipment") << "txtOthers" << "Equipment" << "You have changed the Equipment Price. Do you want to update this price in Main File?" << "Equipment price updated in master file";
        // clang-format on
    }
    void priceWriteBack()
    {
        QFETCH(QString, box);
        QFETCH(QString, column);
        QFETCH(QString, question);
        QFETCH(QString, notice);
        FrmOrder& f = openNew();
        QWidget* w = f.window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* t = w->findChild<ui::TextBox*>(box);
        QVERIFY(f.cmbItems->selectByData(CeramicTile));
        const auto master = [&] {
            return db.scalar(QStringLiteral("Select %1 from Item where ItemId = ?").arg(column), {int(CeramicTile)});
        };
        const data::DbValue before = master();
        const auto leave = [&](QWidget* from) {
            from->setFocus();
            QCoreApplication::processEvents();
            f.TxtSZip->setFocus();
            QCoreApplication::processEvents();
        };

        // Unchanged since the pick: nothing asked. The quantity never asks.
        fake->messages.clear();
        leave(t);
        QTest::keyClicks(f.TxtQty, QStringLiteral("9"));
        leave(f.TxtQty);
        QCOMPARE(fake->messages.size(), 0);

        // "17.50" is not the master's text: asked; No writes nothing, and
        // the question comes again at the next focus loss.
        t->setText(QStringLiteral("17.50"));
        fake->answers = {ui::Answer::No};
        leave(t);
        QCOMPARE(fake->messageTexts(), QStringList{question});
        QCOMPARE(fake->messages.last().title, QStringLiteral("Change master file price?"));
        QCOMPARE(fake->messages.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(master(), before);

        // Yes writes the number the box holds, and says so.
        fake->messages.clear();
        leave(t);
        QCOMPARE(fake->messageTexts(), (QStringList{question, notice}));
        QCOMPARE(master().toDouble(), 17.5);

        // A box holding no number writes nothing and asks nothing.
        for (const char* noNumber : {"", "."}) {
            fake->messages.clear();
            t->setText(QString::fromLatin1(noNumber));
            leave(t);
            QCOMPARE(fake->messages.size(), 0);
            QCOMPARE(master().toDouble(), 17.5);
        }
        // Only that one column of that one item moved.
        QCOMPARE(db.scalar(QStringLiteral("Select count(*) from Item where %1 = 17.5").arg(column)).toInt(), 1);
        // Nothing else on screen changed.
        QCOMPARE(f.ListView1->rowCount(), 0);
        QCOMPARE(f.cmbItems->text(), QStringLiteral("Ceramic tile"));
    }

    void saveRefusesAnIncompleteEstimate_data()
    {
        QTest::addColumn<bool>("withCustomer");
        QTest::addColumn<bool>("withLine");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("no customer") << false << true << "" << "Select Customer ";
        QTest::newRow("no lines") << true << false << "" << "No Items Selected";
        QTest::newRow("no number") << true << true << "0" << "No Estimate number found";
        QTest::newRow("number not a number") << true << true << "abc" << "No Estimate number found";
        // clang-format on
    }
    void saveRefusesAnIncompleteEstimate()
    {
        QFETCH(bool, withCustomer);
        QFETCH(bool, withLine);
        QFETCH(QString, number);
        QFETCH(QString, refusal);
        FrmOrder& f = openNew();
        if (withCustomer)
            pickCustomer(f, QStringLiteral("Brian Cole"));
        if (withLine)
            addLine(f, Kitchen, Each, Paint);
        if (!number.isEmpty())
            f.TxtOrder->setText(number);
        fake->messages.clear();
        f.CmdSave->click();
        QCOMPARE(fake->messageTexts(), (QStringList{refusal, "Please enter Valid Data"}));
        QCOMPARE(fake->messages[0].title, estimateTitle);
        QCOMPARE(fake->messages[1].title, inventory);
        QVERIFY(f.CmdSave->isEnabled());
        QCOMPARE(estimateCount(), 0);
        QCOMPARE(f.ListView1->rowCount(), withLine ? 1 : 0);
        QCOMPARE(f.TxtCustomer->text(), withCustomer ? QStringLiteral("Brian Cole") : QString());
    }

    void failedSaveKeepsTheScreen_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("fault");
        // clang-format off
        QTest::newRow("new, insert fails") << "A" << "insert";
        QTest::newRow("new, number taken meanwhile") << "A" << "taken";
        QTest::newRow("edit, line insert fails") << "E" << "lines";
        QTest::newRow("new, another program holds the file") << "A" << "locked";
        QTest::newRow("edit, read-only file") << "E" << "read-only";
        // clang-format on
    }
    void failedSaveKeepsTheScreen()
    {
        QFETCH(QString, mode);
        QFETCH(QString, fault);
        FrmOrder* f = nullptr;
        int number = 1;
        if (mode == QLatin1String("A")) {
            f = &openedWithTwoLines();
        } else {
            storeEstimate(5, 1, 249, 0, 0, 249);
            seed::addLine(db, 5, BaseCabinet, 2, 200, Kitchen, Each, 5, 20, 0);
            seed::addLine(db, 5, CeramicTile, 4, 10, Bathroom, SquareFeet, 3, 10, 1);
            f = &openStored(QStringLiteral("E"), 5);
            number = 5;
        }
        if (fault == QLatin1String("insert"))
            exec(QStringLiteral("Create trigger refuse before insert on OrderInfo begin"
                                " select raise(abort, 'disk quota exceeded'); end"));
        else if (fault == QLatin1String("lines"))
            exec(QStringLiteral("Create trigger refuse before insert on OrderItem begin"
                                " select raise(abort, 'disk quota exceeded'); end"));
        else if (fault == QLatin1String("read-only"))
            // The screen's handle is the fixture's: SQLite's read-only switch
            // stands in for a file the user may not write.
            exec(QStringLiteral("PRAGMA query_only = ON"));
        else if (fault == QLatin1String("taken"))
            storeEstimate(1, 2, 10, 0, 0, 10);
        sqlite3* other = nullptr;
        if (fault == QLatin1String("locked")) {
            QCOMPARE(sqlite3_open_v2(data::databasePath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
                     SQLITE_OK);
            sqlite3_busy_timeout(other, 10000);  // the start-up check may still be reading
            QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        f->txtTaxPer->setText(QStringLiteral("8"));
        const QStringList shown = totals(*f);
        const QStringList firstRow = rowCells(f->ListView1, 0);
        fake->messages.clear();

        f->CmdSave->click();
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].title, estimateTitle);
        QVERIFY(!fake->messageTexts().contains(QStringLiteral("Estimate Saved")));
        const QString told = fake->messages[0].text;
        if (fault == QLatin1String("taken"))
            QCOMPARE(told, QStringLiteral("Estimate number already exists"));
        else if (fault == QLatin1String("locked"))
            QVERIFY2(told.contains(QStringLiteral("is in use by another program")), qPrintable(told));
        else if (fault == QLatin1String("read-only"))
            QVERIFY2(told.contains(QStringLiteral("the file or its folder is read-only")), qPrintable(told));
        else
            QVERIFY2(told.contains(QStringLiteral("disk quota exceeded")), qPrintable(told));
        QVERIFY(f->CmdSave->isEnabled());
        QVERIFY(!f->isSaved());
        QCOMPARE(totals(*f), shown);
        QCOMPARE(f->ListView1->rowCount(), 2);
        QCOMPARE(rowCells(f->ListView1, 0), firstRow);
        checkLinesMatchRows(*f);
        QCOMPARE(f->Order().CustId, 1);
        if (other) {
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        }
        // The stored estimate is as it was: the edit's old lines are all there.
        QCOMPARE(storedLines(number).size(), mode == QLatin1String("E") ? 2 : 0);

        // Mended, the same screen saves.
        exec(QStringLiteral("PRAGMA query_only = OFF"));
        exec(QStringLiteral("Drop trigger if exists refuse"));
        if (fault == QLatin1String("taken"))
            f->TxtOrder->setText(QStringLiteral("2"));
        fake->messages.clear();
        f->CmdSave->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
        const int saved = fault == QLatin1String("taken") ? 2 : number;
        QCOMPARE(storedLines(saved).size(), 2);
        QCOMPARE(stored("Tax", saved).toDouble(), 8.0);
    }

    // Tab reads the window: the customer, number, date and notes, the
    // ship-to address, the line entry left to right, the lines, then the
    // bottom row left to right: buttons, area calculator, totals.
    void tabFollowsTheWindow()
    {
        FrmOrder& f = openNew();
        QCOMPARE(screentest::tabWalk(f.TxtCustomer, 80),
                 (QStringList{"TxtCustomer", "CmdSelCust",  "CmdNewCust",  "TxtOrder",  "TxtDate",      "txtNotes",
                              "cmdImport",   "TxtSstreet1", "TxtSstreet2", "TxtScity",  "cmbSState",    "TxtSZip",
                              "TxtSCountry", "TxtSPhone",   "TxtSMobile",  "TxtSEmail", "cmbRooms",     "TxtQty",
                              "cmbUnits",    "cmbItems",    "TxtMaterial", "txtLabor",  "txtExtension", "txtOthers",
                              "cmdAdd",      "ListView1",   "CmdEdit",     "cmdDel",    "cmdItemList",  "Command7",
                              "Command1",    "CmdSave",     "cmdOk",       "CmdCancel", "cmdMainHelp",  "txtLength",
                              "txtWidth",    "txtHeight",   "cmdMove",     "chkarea1",  "txtTaxPer",    "txtOHPer"}));
    }

    // Escape asks what Cancel asks, wherever the focus is.
    void escapeIsCancel_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("No: the estimate stays") << ui::Answer::No;
        QTest::newRow("Yes: closed unsaved") << ui::Answer::Yes;
    }
    void escapeIsCancel()
    {
        QFETCH(ui::Answer, answer);
        FrmOrder& f = openedWithTwoLines();
        fake->answers = {answer};
        QTest::keyClick(f.TxtQty, Qt::Key_Escape);
        QCOMPARE(fake->messageTexts(),
                 QStringList{"Are you sure you want to cancel this screen and discard any changes done?"});
        QCOMPARE(fake->messages.last().title, QStringLiteral("Confirm Cancel"));
        QCOMPARE(f.isLoaded(), answer == ui::Answer::No);
        if (f.isLoaded())
            QCOMPARE(f.ListView1->rowCount(), 2);
        QCOMPARE(estimateCount(), 0);
    }

    // The close box (title-bar X, Alt+F4, the window manager) discards as
    // Cancel does, so it asks Cancel's question; once saved, it just closes.
    void closeBoxAsksAsCancel_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("No: the estimate stays") << ui::Answer::No;
        QTest::newRow("Yes: closed unsaved") << ui::Answer::Yes;
    }
    void closeBoxAsksAsCancel()
    {
        QFETCH(ui::Answer, answer);
        FrmOrder& f = openedWithTwoLines();
        f.txtTaxPer->setText(QStringLiteral("8"));
        fake->answers = {answer};
        QVERIFY(!f.window()->close() || answer == ui::Answer::Yes);
        QCOMPARE(fake->messageTexts(),
                 QStringList{"Are you sure you want to cancel this screen and discard any changes done?"});
        QCOMPARE(fake->messages.last().title, QStringLiteral("Confirm Cancel"));
        QCOMPARE(fake->messages.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(f.isLoaded(), answer == ui::Answer::No);
        if (f.isLoaded()) {
            QVERIFY(f.isVisible());
            QCOMPARE(f.ListView1->rowCount(), 2);
            QCOMPARE(f.Order().ColnOrderItems().Count(), 2);
            QCOMPARE(f.txtTaxPer->text(), QStringLiteral("8"));
            QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Anna Baker"));
            // Still whole: it saves as any other estimate.
            f.CmdSave->click();
            QCOMPARE(storedLines(1).size(), 2);
            fake->messages.clear();
            QVERIFY(f.window()->close());
            QVERIFY(fake->messages.isEmpty());
            QVERIFY(!f.isLoaded());
            QCOMPARE(estimateCount(), 1);
        } else {
            QCOMPARE(estimateCount(), 0);
            QCOMPARE(db.scalar(QStringLiteral("Select count(*) from OrderItem")).toInt(), 0);
        }
    }

    // Every way out of the screen, with the notes panel open over the
    // list: the window goes whole and the next opening is fresh.
    void closesByEveryRoute_data()
    {
        QTest::addColumn<QString>("route");
        for (const char* route : {"Cancel", "Escape", "close box", "OK after a save", "close box after a save",
                                  "Delete", "Cancel in delete mode"})
            QTest::newRow(route) << QString::fromLatin1(route);
    }
    void closesByEveryRoute()
    {
        QFETCH(QString, route);
        const bool deleting = route.contains(QLatin1String("elete"));
        FrmOrder* f = nullptr;
        if (deleting) {
            storeEstimate(6, 2, 24, 0, 0, 24);
            seed::addLine(db, 6, CeramicTile, 4, 10, Bathroom, SquareFeet, 3, 10, 1);
            f = &openStored(QStringLiteral("D"), 6);
        } else {
            f = &openedWithTwoLines();
        }
        f->cmdImport->click();
        QVERIFY(f->frmNotes->isVisible());
        f->window()->resize(f->window()->width() + 20, f->window()->height());
        QCoreApplication::processEvents();
        if (route.contains(QLatin1String("after a save"))) {
            f->CmdSave->click();
            QVERIFY(f->isSaved());
        }
        fake->messages.clear();
        // Only a saved estimate goes without a question.
        if (!route.contains(QLatin1String("after a save")))
            fake->answers = {ui::Answer::Yes};
        if (route.startsWith(QLatin1String("Cancel")))
            f->CmdCancel->click();
        else if (route == QLatin1String("Escape"))
            QTest::keyClick(f->TxtQty, Qt::Key_Escape);
        else if (route.startsWith(QLatin1String("close box")))
            f->window()->close();
        else if (route == QLatin1String("OK after a save"))
            f->cmdOk->click();
        else
            f->CmdDeleteOrder->click();
        QVERIFY(fake->answers.empty());
        QVERIFY(!f->isLoaded());
        // Let the window be taken down now, not at the end of the test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(estimateCount(), route.contains(QLatin1String("after a save")) ? 1
                                  : route == QLatin1String("Delete")            ? 0
                                  : deleting                                    ? 1
                                                                                : 0);
        FrmOrder& again = openNew();
        QCOMPARE(again.ListView1->rowCount(), 0);
        QVERIFY(!again.frmNotes->isVisible());
    }

    // Whatever height the window gets beyond its smallest goes to the list
    // of lines.
    void theLinesTakeTheSpareHeight()
    {
        FrmOrder& f = openNew();
        QWidget* w = f.window();
        w->resize(1400, 900);
        QCoreApplication::processEvents();
        const int before = f.ListView1->height();
        w->resize(1400, 1100);
        QCoreApplication::processEvents();
        QCOMPARE(f.ListView1->height(), before + 200);
    }

    // Lines added beyond the list's visible part are scrolled into view.
    void anAddedLineShows()
    {
        FrmOrder& f = openNew();
        f.window()->resize(1400, 700);
        for (int room : {Bathroom, Kitchen, LivingRoom})
            for (int unit : {Each, LinearFeet, SquareFeet})
                for (int item : {BaseCabinet, CeramicTile, DrywallSheet}) {
                    addLine(f, room, unit, item);
                    QCoreApplication::processEvents();
                    const int last = f.ListView1->rowCount() - 1;
                    const QRect shown = f.ListView1->rowRect(last);
                    QVERIFY2(f.ListView1->viewport()->rect().contains(shown), qPrintable(QString::number(last)));
                }
        QCOMPARE(f.ListView1->rowCount(), 27);
        QVERIFY(f.ListView1->verticalScrollBar()->value() > 0);
    }

    void okAndCancel()
    {
        FrmOrder& f = openedWithTwoLines();
        fake->answers = {ui::Answer::No};
        f.CmdCancel->click();
        QCOMPARE(fake->messages.last().text,
                 QStringLiteral("Are you sure you want to cancel this screen and discard any changes done?"));
        QCOMPARE(fake->messages.last().title, QStringLiteral("Confirm Cancel"));
        QVERIFY(f.isVisible());
        QCOMPARE(f.ListView1->rowCount(), 2);

        f.cmdOk->click();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("Estimate Saved"));
        QVERIFY(f.isVisible());
        QVERIFY(!f.CmdSave->isEnabled());
        // Saved: the lines can no longer be changed from here.
        QVERIFY(!f.cmdAdd->isEnabled());
        QVERIFY(!f.cmdDel->isEnabled());
        QCOMPARE(estimateCount(), 1);
        f.cmdOk->click();
        QVERIFY(!f.isLoaded());
        QCOMPARE(estimateCount(), 1);
        QCOMPARE(storedLines(1).size(), 2);

        // Cancel with Yes closes without saving; the next opening is fresh.
        FrmOrder& again = openedWithTwoLines();
        QCOMPARE(again.TxtOrder->text(), QStringLiteral("2"));
        again.CmdCancel->click();
        QVERIFY(!again.isLoaded());
        QCOMPARE(estimateCount(), 1);
        QCOMPARE(again.Order().ColnOrderItems().Count(), 0);
        openNew();
        QCOMPARE(again.ListView1->rowCount(), 0);
        QCOMPARE(again.TxtCustomer->text(), QString());
        QCOMPARE(again.Order().CustId, 0);
    }

    // Opening another estimate, a new one or the delete prompt while an
    // unsaved estimate is on screen asks first; whichever the answer, the
    // screen shows one estimate whose lines are its own.
    void openingAnotherAsksFirst_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<ui::Answer>("answer");
        for (const char* route : {"new estimate", "delete prompt", "estimate list", "direct load"}) {
            QTest::addRow("%s, Yes", route) << route << ui::Answer::Yes;
            QTest::addRow("%s, No", route) << route << ui::Answer::No;
        }
    }
    void openingAnotherAsksFirst()
    {
        QFETCH(QString, route);
        QFETCH(ui::Answer, answer);
        storeEstimate(2, 2, 130.25, 0, 0, 130.25);
        seed::addLine(db, 2, SinkFaucet, 1, 85.25, Bathroom, Each, 0, 45, 0);
        FrmOrder& f = openedWithTwoLines();
        QCOMPARE(f.TxtOrder->text(), QStringLiteral("3"));
        fake->answers = {answer};

        if (route == QLatin1String("new estimate")) {
            openNew();
        } else if (route == QLatin1String("delete prompt")) {
            estimates::frmOrderScreen().set(QStringLiteral("AddOrDelete"), QStringLiteral("D"));
        } else if (route == QLatin1String("estimate list")) {
            f.openStored(QStringLiteral("E"), 2);
        } else {
            openStored(QStringLiteral("E"), 2);
        }
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].title, QStringLiteral("Confirm Cancel"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::YesNo);
        QVERIFY(fake->messages[0].text.contains(QStringLiteral("3")));

        if (answer == ui::Answer::No) {
            QVERIFY(f.isVisible());
            QCOMPARE(f.loadedMode(), QStringLiteral("A"));
            QCOMPARE(f.TxtOrder->text(), QStringLiteral("3"));
            QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Anna Baker"));
            QCOMPARE(f.ListView1->rowCount(), 2);
            checkLinesMatchRows(f);
            fake->messages.clear();
            f.CmdSave->click();
            QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
            QCOMPARE(stored("CustId", 3).toInt(), 1);
            QCOMPARE(storedLines(3).size(), 2);
            QCOMPARE(storedLines(2).size(), 1);
            return;
        }
        QCOMPARE(estimateCount(), 1);
        if (route == QLatin1String("delete prompt")) {
            QVERIFY(!f.isLoaded());
            // The prompt then opens the estimate it is given, for deletion.
            f.Order().OrderNo = 2;
            f.Order().GetOrder();
            QCOMPARE(f.caption(), QStringLiteral("Delete Estimate"));
        } else if (route == QLatin1String("new estimate")) {
            QCOMPARE(f.caption(), QStringLiteral("Bid Estimate Screen"));
            QCOMPARE(f.TxtOrder->text(), QStringLiteral("3"));
            QCOMPARE(f.ListView1->rowCount(), 0);
            QCOMPARE(f.TxtCustomer->text(), QString());
            checkLinesMatchRows(f);
            return;
        } else {
            QCOMPARE(f.caption(), QStringLiteral("Edit Estimate"));
        }
        QCOMPARE(f.TxtOrder->text(), QStringLiteral("2"));
        QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Brian Cole"));
        QCOMPARE(f.ListView1->rowCount(), 1);
        QCOMPARE(f.ListView1->text(0), QString::number(SinkFaucet));
        checkLinesMatchRows(f);
    }

    void openingOverASavedEstimateDoesNotAsk()
    {
        storeEstimate(2, 2, 130.25, 0, 0, 130.25);
        seed::addLine(db, 2, SinkFaucet, 1, 85.25, Bathroom, Each, 0, 45, 0);
        FrmOrder& f = openedWithTwoLines();
        f.CmdSave->click();
        fake->messages.clear();
        QVERIFY(f.openStored(QStringLiteral("E"), 2));
        QCOMPARE(fake->messages.size(), 0);
        QCOMPARE(f.TxtOrder->text(), QStringLiteral("2"));
        QCOMPARE(f.ListView1->rowCount(), 1);
        checkLinesMatchRows(f);
    }

    // A look-up of a number that is not stored clears the record; the
    // estimate on screen is still the one saved.
    void failedLookUpLosesNothing()
    {
        FrmOrder& f = openedWithTwoLines();
        f.Order().OrderNo = 99;
        QVERIFY(!f.Order().GetOrder());
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate not found corresponding to entered Estimate Number"});
        QVERIFY(f.isVisible());
        fake->messages.clear();
        f.CmdSave->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
        QCOMPARE(stored("CustId", 1).toInt(), 1);
        QCOMPARE(storedLines(1).size(), 2);
        QCOMPARE(estimateCount(), 1);
    }

    // Lines whose takeoff name, unit or item has gone keep their keys and
    // their place in the amount; the rest of a stored estimate survives an
    // edit untouched.
    void reopensWhatTheMastersNoLongerHold()
    {
        storeEstimate(4, 1, 161.5, 8, 0, 174.42, QStringLiteral("1Z999AA1"));
        seed::addLine(db, 4, 97, 2, 30, 99, 98, 1, 0.5, 0);
        seed::addLine(db, 4, CeramicTile, 2.5, 6.25, Bathroom, SquareFeet, 3, 10, 1);
        seed::addLine(db, 4, SinkFaucet, 1, 85.25, 99, Each, 0, 45, 0);
        FrmOrder& f = openStored(QStringLiteral("E"), 4);
        QCOMPARE(f.ListView1->rowCount(), 3);
        QCOMPARE(rowCells(f.ListView1, 0),
                 (QStringList{"97", "", "2", "", "", "30", "0.5", "1", "0", "31.5", "99", "98"}));
        QCOMPARE(rowCells(f.ListView1, 1), (QStringList{"2", "Bathroom", "2.5", "SF", "Ceramic tile", "6.25", "10", "3",
                                                        "1", "20.25", "1", "3"}));
        QCOMPARE(rowCells(f.ListView1, 2),
                 (QStringList{"5", "", "1", "Each", "Sink faucet", "85.25", "45", "0", "0", "130.25", "99", "1"}));
        checkLinesMatchRows(f);
        // The stored amount shows; the percentages recompute from it.
        QCOMPARE(totals(f), (QStringList{"161.5", "12.92", "0", "174.42"}));
        QCOMPARE(f.TxtScity->text(), QStringLiteral("Dallas"));
        QCOMPARE(f.cmbSState->text(), QStringLiteral("Texas"));
        QCOMPARE(f.TxtDate->value(), QDate(2024, 3, 5));
        QCOMPARE(f.txtNotes->text(), QStringLiteral("Gate code 1234"));

        // A stored quantity of 2.5 edits as 2.5.
        f.ListView1->setSelectedRow(1);
        f.CmdEdit->click();
        QCOMPARE(f.TxtQty->text(), QStringLiteral("2.5"));
        QCOMPARE(f.TxtMaterial->text(), QStringLiteral("2.5"));
        f.TxtQty->setText(QStringLiteral("5"));
        f.cmdEditApply->click();
        // 31.5 + 26.5 + 130.25: the orphaned lines count.
        QCOMPARE(f.TxtAmount->text(), QStringLiteral("188.25"));

        // An orphaned row edits and deletes as its own line.
        f.ListView1->setSelectedRow(2);
        f.cmdDel->click();
        checkLinesMatchRows(f);
        QCOMPARE(f.ListView1->rowCount(), 2);

        fake->messages.clear();
        f.CmdSave->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate Saved"});
        QCOMPARE(storedLines(4), (QList<QStringList>{{"97", "2", "30", "99", "98", "1", "0.5", "0"},
                                                     {"2", "5", "12.5", "1", "3", "3", "10", "1"}}));
        QCOMPARE(stored("UPSTracking", 4).toText(), QStringLiteral("1Z999AA1"));
        QCOMPARE(stored("RepId", 4).toInt(), 3);
        QCOMPARE(stored("ShipId", 4).toInt(), 4);
        QCOMPARE(stored("OrderDate", 4).toText(), QStringLiteral("2024-03-05"));
        QCOMPARE(stored("Amount", 4).toDouble(), 58.0);
    }

    // The picker writes the ship-to address from the record's customer
    // when it closes, chosen or not.
    void customerPickerOverwritesTheShipTo_data()
    {
        QTest::addColumn<QString>("firstPick");
        QTest::addColumn<QString>("expectedCity");
        // clang-format off
        QTest::newRow("no customer yet") << "" << "";
        QTest::newRow("after a customer") << "Brian Cole" << "Houston";
        // clang-format on
    }
    void customerPickerOverwritesTheShipTo()
    {
        QFETCH(QString, firstPick);
        QFETCH(QString, expectedCity);
        FrmOrder& f = openNew();
        if (!firstPick.isEmpty())
            pickCustomer(f, firstPick);
        f.TxtScity->setText(QStringLiteral("Typed by hand"));
        f.TxtSZip->setText(QStringLiteral("00000"));
        pickCustomer(f, QString());
        QCOMPARE(f.TxtScity->text(), expectedCity);
        QCOMPARE(f.TxtSZip->text(), firstPick.isEmpty() ? QString() : QStringLiteral("77002"));
        QCOMPARE(f.TxtCustomer->text(), firstPick);
    }

    void newCustomerOpensTheListToAdd()
    {
        FrmOrder& f = openNew();
        f.CmdNewCust->click();
        auto& list = ui::form<masters::FrmCustomer>();
        QVERIFY(list.isVisible());
        QCOMPARE(list.AddOrDelete, QStringLiteral("A"));
        QVERIFY(f.isVisible());
    }

    void notesImport()
    {
        exec(QStringLiteral("Update BlankNotes set Notes = ?"), {QStringLiteral("Call before noon\r\nDog in yard")});
        FrmOrder& f = openNew();
        QVERIFY(!f.frmNotes->isVisible());
        f.txtNotes->setText(QStringLiteral("old text"));
        f.cmdImport->click();
        QVERIFY(f.frmNotes->isVisible());
        QCOMPARE(f.rtfNotes->text(), QStringLiteral("Call before noon\nDog in yard"));

        QTextCursor c = f.rtfNotes->textCursor();
        c.setPosition(17);
        c.setPosition(20, QTextCursor::KeepAnchor);
        f.rtfNotes->setTextCursor(c);
        f.cmdCopy->click();
        QCOMPARE(f.txtNotes->text(), QStringLiteral("Dog"));
        c.clearSelection();
        f.rtfNotes->setTextCursor(c);
        f.cmdCopy->click();
        QCOMPARE(f.txtNotes->text(), QStringLiteral("Call before noon\nDog in yard"));
        f.Command2->click();
        QVERIFY(!f.frmNotes->isVisible());

        // A Null text imports as nothing.
        exec(QStringLiteral("Update BlankNotes set Notes = Null"));
        f.cmdImport->click();
        QCOMPARE(f.rtfNotes->text(), QString());
    }

    void deleteModeOffersOnlyTheDelete()
    {
        storeEstimate(6, 2, 24, 0, 0, 24);
        seed::addLine(db, 6, CeramicTile, 4, 10, Bathroom, SquareFeet, 3, 10, 1);
        FrmOrder& f = openStored(QStringLiteral("D"), 6);
        for (QWidget* hidden :
             std::initializer_list<QWidget*>{f.CmdEdit, f.cmdAdd, f.cmdDel, f.CmdSelCust, f.CmdNewCust, f.cmdEditApply,
                                             f.cmdEditCanc, f.cmdOk, f.CmdSave})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QVERIFY(f.CmdDeleteOrder->isVisible());
        QVERIFY(f.CmdCancel->isVisible());
        // The buttons beside "Delete Estimate" keep their whole captions.
        QCoreApplication::processEvents();
        for (QPushButton* b : {f.cmdItemList.data(), f.Command7.data(), f.Command1.data(), f.CmdDeleteOrder.data()})
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName()));
        QCOMPARE(f.TxtCustomer->text(), QStringLiteral("Brian Cole"));
        // A double-click does not start an edit here.
        f.CmdEdit_Click();
        QVERIFY(!f.isEditingLine());

        fake->answers = {ui::Answer::No};
        f.CmdDeleteOrder->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Are you sure you want to Delete Estimate No.  6"});
        QVERIFY(f.isVisible());
        QCOMPARE(estimateCount(), 1);
        QCOMPARE(storedLines(6).size(), 1);

        f.cmdMainHelp->click();
        QCOMPARE(fake->keysSent, QList<int>{Qt::Key_F1});
    }

    void printProposal()
    {
        FrmOrder& f = openedWithTwoLines();
        f.Command1->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Please save this estimate before printing its proposal."});
        QCOMPARE(fake->messages.last().title, estimateTitle);
        f.CmdSave->click();
        fake->messages.clear();
        f.Command1->click();
        QCOMPARE(fake->messageTexts(), QStringList{"\"Print Proposal\" is not available in this version yet."});

        QList<int> shown;
        f.ShowProposal = [&shown](int orderNo) { shown << orderNo; };
        f.cmdOk->click();
        openStored(QStringLiteral("E"), 1);
        f.Command1->click();
        QCOMPARE(shown, QList<int>{1});
        f.ShowProposal = nullptr;
    }

    // A filled estimate shows every control whole inside the window.
    void filledScreenFits()
    {
        storeEstimate(7, 1, 0, 8.25, 12, 0);
        FrmOrder& f = openStored(QStringLiteral("E"), 7);
        addLine(f, Kitchen, Each, BaseCabinet);
        addLine(f, Bathroom, SquareFeet, CeramicTile, QStringLiteral("36"));
        addLine(f, LivingRoom, Each, DrywallSheet, QStringLiteral("14"));
        addLine(f, Kitchen, Each, Paint);
        addLine(f, Bathroom, Each, SinkFaucet);
        f.txtNotes->setText(QStringLiteral("Measure again before ordering tile."));
        QWidget* client = f.client();
        QApplication::processEvents();
        const QRect area = client->rect();
        for (QWidget* w : client->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->parentWidget() == nullptr || w->window() != f.window())
                continue;
            if (qobject_cast<QGroupBox*>(w->parentWidget()) || w->parentWidget() == client) {
                const QRect r(w->mapTo(client, QPoint(0, 0)), w->size());
                QVERIFY2(area.contains(r),
                         qPrintable(w->objectName() + QLatin1Char(' ') + w->metaObject()->className()));
            }
        }
        // The visible columns fit the list without scrolling sideways.
        int columns = 0;
        for (int c = 0; c < f.ListView1->columnCount(); ++c)
            if (!f.ListView1->isColumnHidden(c))
                columns += f.ListView1->columnWidth(c);
        QVERIFY(columns <= f.ListView1->viewport()->width());
        QCOMPARE(f.ListView1->columnWidth(FrmOrder::ColItemId), 0);
        QVERIFY(f.ListView1->isColumnHidden(FrmOrder::ColRoomId));
        QVERIFY(f.ListView1->isColumnHidden(FrmOrder::ColUnitId));

        const QString grabTo = qEnvironmentVariable("FRMORDER_GRAB");
        if (!grabTo.isEmpty())
            QVERIFY(f.window()->grab().save(grabTo));
    }
};

QTEST_MAIN(TestFrmOrder)
#include "tst_frmorder.moc"
