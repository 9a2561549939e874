// The lines of an estimate in memory: positions, removal, the item each
// line is for.

#include "estimates/colnorderitems.h"
#include "masters/clsitem.h"
#include "support/screentest.h"

#include <QtTest>
#include <memory>
#include <stdexcept>

using estimates::ClsOrderItems;
using estimates::ColnOrderItems;

namespace {

QList<int> itemKeys(const ColnOrderItems& lines)
{
    QList<int> out;
    for (const ClsOrderItems& l : lines)
        out << l.itemKey();
    return out;
}

}  // namespace

// Item records open a connection, so there must be a database.
class TestColnOrderItems : public ScreenTest {
    Q_OBJECT

private slots:
    void init() { initScreenTest(Database::Made); }

    void addKeepsEveryValue()
    {
        ColnOrderItems lines;
        ClsOrderItems& added =
            lines.Add({.item = 17, .room = 3, .unit = 4},
                      {.quantity = 2.5, .material = 7.5, .labor = 6, .subLabor = 1.25, .others = 0.75});
        QCOMPARE(lines.Count(), 1);
        QCOMPARE(&lines.Item(lines.Count()), &added);
        QCOMPARE(added.itemKey(), 17);
        QCOMPARE(added.mvarQty, 2.5);
        QCOMPARE(added.mvarMaterial, 7.5);
        QCOMPARE(added.mvarRoomId, 3);
        QCOMPARE(added.mvarUnitId, 4);
        QCOMPARE(added.mvarExtension, 1.25);
        QCOMPARE(added.mvarLabor, 6.0);
        QCOMPARE(added.mvarOthers, 0.75);
    }

    void removeMovesLaterLinesUp_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("first") << 1 << QList<int>{2, 3};
        QTest::newRow("middle") << 2 << QList<int>{1, 3};
        QTest::newRow("last") << 3 << QList<int>{1, 2};
    }

    void removeMovesLaterLinesUp()
    {
        QFETCH(int, position);
        QFETCH(QList<int>, left);
        ColnOrderItems lines;
        for (int key = 1; key <= 3; ++key)
            lines.Add({.item = key}, {.quantity = double(key)});
        ClsOrderItems& third = lines.Item(3);
        lines.Remove(position);
        QCOMPARE(itemKeys(lines), left);
        QCOMPARE(lines.Count(), 2);
        if (position < 3)
            QCOMPARE(&lines.Item(2), &third);  // the same line, one place up
    }

    void positionsOutsideTheLinesThrow_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("past the end") << 3;
    }

    void positionsOutsideTheLinesThrow()
    {
        QFETCH(int, position);
        ColnOrderItems lines;
        lines.Add({.item = 1}, {.quantity = 1});
        lines.Add({.item = 2}, {.quantity = 1});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, lines.Item(position));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, lines.Remove(position));
        QCOMPARE(itemKeys(lines), (QList<int>{1, 2}));
    }

    void emptyCollection()
    {
        ColnOrderItems lines;
        QCOMPARE(lines.Count(), 0);
        QVERIFY(lines.begin() == lines.end());
        lines.Add({.item = 1}, {.quantity = 1});
        lines.Clear();
        QCOMPARE(lines.Count(), 0);
        QVERIFY(itemKeys(lines).isEmpty());
    }

    void theLineItem()
    {
        ColnOrderItems lines;
        ClsOrderItems& line = lines.Add({.item = 21}, {.quantity = 1});
        masters::ClsItem* item = line.Item();
        QVERIFY(item);
        QCOMPARE(item->itemid, 21);
        QCOMPARE(line.Item(), item);  // one record per line
        item->itemid = 22;            // a change through the record is the line's key
        QCOMPARE(line.itemKey(), 22);

        line.setItem(30);
        QCOMPARE(line.itemKey(), 30);
        QCOMPARE(line.Item()->itemid, 30);

        auto other = std::make_unique<masters::ClsItem>();
        other->itemid = 40;
        masters::ClsItem* given = other.get();
        line.setItem(std::move(other));
        QCOMPARE(line.Item(), given);
        QCOMPARE(line.itemKey(), 40);

        ClsOrderItems bare;
        QVERIFY(!bare.hasItem());
        QVERIFY(!bare.Item());
        QCOMPARE(bare.itemKey(), 0);
    }
};

QTEST_MAIN(TestColnOrderItems)
#include "tst_colnorderitems.moc"
