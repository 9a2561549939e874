// The estimate screen's lines as a table: what each cell shows, how the
// rows follow the line collection, and that the estimate record sharing the
// lines saves what the list shows, whatever is loaded into it next.

#include "data/conversions.h"
#include "estimates/clsorder.h"
#include "estimates/orderlinesmodel.h"
#include "support/screentest.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using estimates::ClsOrder;
using estimates::ColnOrderItems;
using estimates::LineAmounts;
using estimates::LineKeys;
using estimates::OrderLinesModel;

Q_DECLARE_METATYPE(LineAmounts)

namespace {

QStringList rowTexts(const OrderLinesModel& m, int row)
{
    QStringList out;
    for (int c = 0; c < m.columnCount(); ++c)
        out << m.index(row, c).data().toString();
    return out;
}

OrderLinesModel::Names names(const char* room, const char* unit, const char* item)
{
    return {.room = QString::fromLatin1(room), .unit = QString::fromLatin1(unit), .item = QString::fromLatin1(item)};
}

}  // namespace

// The estimate record opens a connection, so there must be a database.
class TestOrderLinesModel : public ScreenTest {
    Q_OBJECT

private slots:
    void init() { initScreenTest(Database::Made); }

    void columnsInTheirOrder()
    {
        OrderLinesModel m;
        QStringList captions;
        for (int c = 0; c < m.columnCount(); ++c)
            captions << m.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(captions, (QStringList{"Item ID", "Takeoff Name", "Quantity", "Unit", "Item Name", "Material", "Labor",
                                        "Sub-Labor", "Others", "Total", "Roomid", "Unitid"}));
        QCOMPARE(m.rowCount(), 0);
        QVERIFY(m.lines());
    }

    // A line entered on screen shows its figures whole; one of a stored
    // estimate shows its material and labor at four decimals until it is
    // changed. The total adds the line's own figures either way, in the
    // order material, sub-labor, labor, others.
    void cellsOfALine_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<LineAmounts>("amounts");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<double>("shownMaterial");
        const LineAmounts plain{.quantity = 3, .material = 7.5, .labor = 10, .subLabor = 3, .others = 1};
        const LineAmounts fine{
            .quantity = 2.5, .material = 7.123456, .labor = double(0.1f), .subLabor = 1.25, .others = 0.3333333};
        // clang-format off
        QTest::newRow("entered") << false << plain << QStringList{"5",  "Kitchen", "3", "SF",   "Tile", "7.5", "10", "3",       "1", "21.5", "2",    "3"} << 7.5;
        QTest::newRow("stored") << true << plain << QStringList{"5",  "Kitchen", "3", "SF",   "Tile", "7.5", "10", "3",       "1", "21.5", "2",    "3"} << 7.5;
        QTest::newRow("entered, fine figures") << false << fine << QStringList{"5", "Kitchen", "2.5", "SF", "Tile", "7.123456", "0.100000001490116", "1.25", "0.3333333", "8.80678930149012", "2", "3"} << 7.123456;
        QTest::newRow("stored, fine figures") << true << fine << QStringList{"5",         "Kitchen",          "2.5", "SF", "Tile", "7.1235", "0.1", "1.25", "0.3333333", "8.80678930149012", "2",   "3"} << 7.1235;
        // clang-format on
    }
    void cellsOfALine()
    {
        QFETCH(bool, stored);
        QFETCH(LineAmounts, amounts);
        QFETCH(QStringList, cells);
        QFETCH(double, shownMaterial);
        OrderLinesModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const LineKeys keys{.item = 5, .room = 2, .unit = 3};
        if (stored) {
            auto lines = std::make_shared<ColnOrderItems>();
            lines->Add(keys, amounts);
            m.setLines(lines, {names("Kitchen", "SF", "Tile")});
        } else {
            QCOMPARE(m.addLine(keys, amounts, names("Kitchen", "SF", "Tile")), 0);
        }
        QCOMPARE(rowTexts(m, 0), cells);
        QCOMPARE(m.figure(0, OrderLinesModel::ColMaterial), shownMaterial);
        QCOMPARE(m.lineTotals(),
                 std::vector<double>{amounts.material + amounts.subLabor + amounts.labor + amounts.others});

        // Changed on screen, a stored line shows whole figures too.
        m.setLine(0, keys, amounts, names("Kitchen", "SF", "Tile"));
        QCOMPARE(m.text(0, OrderLinesModel::ColMaterial), conv::numberText(amounts.material));
        QCOMPARE(m.text(0, OrderLinesModel::ColLabor), conv::numberText(amounts.labor));
        QCOMPARE(m.figure(0, OrderLinesModel::ColMaterial), amounts.material);
    }

    // Every change goes into the collection, row r being position r + 1;
    // the tester checks what the model tells its views along the way.
    void rowsFollowTheCollection()
    {
        OrderLinesModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int item : {1, 2, 3})
            m.addLine({.item = item, .room = 1, .unit = 1}, {.quantity = double(item), .material = 10.0 * item},
                      names("Kitchen", "Each", "Part"));
        const ColnOrderItems& lines = *m.lines();
        QCOMPARE(lines.Count(), 3);
        QCOMPARE(m.rowCount(), 3);

        // Another item, takeoff name and unit for the middle line.
        m.setLine(1, {.item = 9, .room = 2, .unit = 3},
                  {.quantity = 4, .material = 8, .labor = 1, .subLabor = 0.5, .others = 0.25},
                  names("Bathroom", "SF", "Grout"));
        const estimates::ClsOrderItems& middle = lines.Item(2);
        QCOMPARE(middle.itemKey(), 9);
        QCOMPARE(middle.mvarRoomId, 2);
        QCOMPARE(middle.mvarUnitId, 3);
        QCOMPARE(middle.mvarLabor, 1.0);
        QCOMPARE(middle.mvarExtension, 0.5);
        QCOMPARE(rowTexts(m, 1),
                 (QStringList{"9", "Bathroom", "4", "SF", "Grout", "8", "1", "0.5", "0.25", "9.75", "2", "3"}));

        // A row is found by its keys, except the one being edited.
        QCOMPARE(m.rowOf({.item = 9, .room = 2, .unit = 3}), 1);
        QCOMPARE(m.rowOf({.item = 9, .room = 2, .unit = 3}, 1), -1);
        QCOMPARE(m.rowOf({.item = 9, .room = 2, .unit = 1}), -1);

        m.removeLine(0);
        QCOMPARE(lines.Count(), 2);
        QCOMPARE(m.line(0).itemKey(), 9);
        QCOMPARE(rowTexts(m, 1).first(), QStringLiteral("3"));
        QCOMPARE(m.lineTotals(), (std::vector<double>{9.75, 30}));

        // Rows outside the list are refused, not guessed at.
        m.setLine(5, {.item = 1}, {}, {});
        m.removeLine(-1);
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(m.text(7, OrderLinesModel::ColItemId), QString());
    }

    // The record and the list share the lines, so a save writes what the
    // list shows; clearing or loading the record leaves the list its lines,
    // which can be put back into the record whole.
    void theRecordSharesTheLines()
    {
        ClsOrder o;
        o.ClearData();
        OrderLinesModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.setLines(o.sharedLines(), {});
        m.addLine({.item = 4, .room = 1, .unit = 2}, {.quantity = 2, .material = 5}, names("Kitchen", "LF", "Trim"));
        QCOMPARE(&o.ColnOrderItems(), m.lines().get());
        QCOMPARE(o.ColnOrderItems().Count(), 1);

        const ColnOrderItems* shown = m.lines().get();
        o.OrderNo = 424242;  // not stored
        QVERIFY(!o.GetOrder());
        QCOMPARE(o.ColnOrderItems().Count(), 0);
        QCOMPARE(m.lines().get(), shown);
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(rowTexts(m, 0).at(OrderLinesModel::ColItemName), QStringLiteral("Trim"));

        o.setColnOrderItems(m.lines());
        QCOMPARE(&o.ColnOrderItems(), shown);
        QCOMPARE(o.ColnOrderItems().Item(1).keys(), (LineKeys{.item = 4, .room = 1, .unit = 2}));

        o.ClearClass();
        QCOMPARE(o.ColnOrderItems().Count(), 0);
        QCOMPARE(m.rowCount(), 1);
    }
};

QTEST_MAIN(TestOrderLinesModel)
#include "tst_orderlinesmodel.moc"
