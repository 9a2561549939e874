#include "estimates/ordertotals.h"

#include <QTest>

using namespace estimates;

class TestOrderTotals : public QObject {
    Q_OBJECT

private slots:
    void finalTotalsFromTheBoxes_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("taxPercent");
        QTest::addColumn<QString>("overheadPercent");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("overhead");
        QTest::addColumn<QString>("total");
        // clang-format off
        QTest::newRow("no lines") << "0" << "" << "" << "0" << "0" << "0";
        QTest::newRow("150.5 at 8 and 10") << "150.5" << "8" << "10" << "12.04" << "15.05" << "177.59";
        QTest::newRow("7.5 percent") << "200" << "7.5" << "" << "15" << "0" << "215";
        QTest::newRow("not a number is 0 percent") << "200" << "abc" << "x1" << "0" << "0" << "200";
        QTest::newRow("number then letters") << "200" << "8 %" << "10pc" << "16" << "20" << "236";
        QTest::newRow("not rounded for show") << "10" << "3.333" << "0" << "0.3333" << "0" << "10.3333";
        QTest::newRow("empty amount") << "" << "8" << "10" << "0" << "0" << "0";
        QTest::newRow("1000 at 8 and 10") << "1000" << "8" << "10" << "80" << "100" << "1180";
        // clang-format on
    }
    void finalTotalsFromTheBoxes()
    {
        QFETCH(QString, amount);
        QFETCH(QString, taxPercent);
        QFETCH(QString, overheadPercent);
        QFETCH(QString, tax);
        QFETCH(QString, overhead);
        QFETCH(QString, total);
        const FinalTotals t = finalTotals(amount, taxPercent, overheadPercent);
        QCOMPARE(t.tax, tax);
        QCOMPARE(t.overhead, overhead);
        QCOMPARE(t.total, total);
    }

    void lineTotals()
    {
        // Material 2.5 for 4, labor 10, sub-labor 3, others 1.
        QCOMPARE(entryTotal({.quantity = 4, .material = 2.5 * 4, .labor = 10, .subLabor = 3, .others = 1}), 24.0);
        // Only the material is per unit.
        QCOMPARE(entryTotal({.quantity = 100, .material = 0 * 100, .labor = 10, .subLabor = 3, .others = 1}), 14.0);
        QCOMPARE(lineTotal({.material = 7.5, .labor = 10, .subLabor = 3, .others = 1}), 21.5);
        // Kept unrounded: 0.1 + 0.2 is not 0.3 in doubles, and the sum shows
        // what the lines hold.
        QCOMPARE(lineTotal({.material = 0.1, .subLabor = 0.2}), 0.1 + 0.2);
    }

    void amountSumsTheTotalsAsShown()
    {
        QCOMPARE(amountOf({}), 0.0);
        QCOMPARE(amountOf({100, 50.5}), 150.5);
        // A total the list cannot show as a number counts as 0.
        QCOMPARE(amountOf({100, qQNaN(), qInf()}), 100.0);
        QCOMPARE(amountOf({1E+20, -1E+20, 2}), 2.0);
        // Each total counts as the list writes it: 3 x 0.1 shows as 0.3, so
        // it adds as 0.3, not as the double a hair above it.
        QVERIFY(0.1 * 3 != 0.3);
        QVERIFY(amountOf({0.1 * 3}) == 0.3);
        QVERIFY(amountOf({0.1 * 3, 0.1 * 3, 0.1 * 3}) == 0.3 + 0.3 + 0.3);
    }

    void storedTotalAddsTheShownAmounts()
    {
        QCOMPARE(storedTotal(150.5, QStringLiteral("12.04"), QStringLiteral("15.05")), 150.5 + 12.04 + 15.05);
        QCOMPARE(storedTotal(10, QString(), QStringLiteral("junk")), 10.0);
    }

    void priceEntryAndPieces_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("pieces");
        // clang-format off
        QTest::newRow("all set") << priceEntry(12.5, 4, 2.0, 3, 0.75) << QStringList{"12.5", "4", "2", "3", "0.75"};
        QTest::newRow("nulls are empty") << priceEntry({}, 4, {}, {}, 1) << QStringList{"", "4", "", "", "1"};
        QTest::newRow("whole numbers stored as integers") << priceEntry(7, 0, 1, 0, 0) << QStringList{"7", "0", "1", "0", "0"};
        QTest::newRow("short entry") << QStringLiteral("5#6") << QStringList{"5", "6", "", "", ""};
        // clang-format on
    }
    void priceEntryAndPieces()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, pieces);
        QCOMPARE(pricePiece(entry, PricePiece::Material), pieces[0]);
        QCOMPARE(pricePiece(entry, PricePiece::Labor), pieces[1]);
        QCOMPARE(pricePiece(entry, PricePiece::Quantity), pieces[2]);
        QCOMPARE(pricePiece(entry, PricePiece::SubLabor), pieces[3]);
        QCOMPARE(pricePiece(entry, PricePiece::Equipment), pieces[4]);
    }

    void priceToWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("holds");
        QTest::addColumn<double>("price");
        QTest::newRow("plain") << "12.5" << true << 12.5;
        QTest::newRow("trailing zero") << "12.50" << true << 12.5;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "7." << true << 7.0;
        QTest::newRow("two points read to the second") << "1.2.3" << true << 1.2;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("points only") << ".." << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
    }
    void priceToWrite()
    {
        QFETCH(QString, text);
        QFETCH(bool, holds);
        QFETCH(double, price);
        const std::optional<double> p = estimates::priceToWrite(text);
        QCOMPARE(p.has_value(), holds);
        if (holds)
            QCOMPARE(*p, price);
    }
};

QTEST_APPLESS_MAIN(TestOrderTotals)
#include "tst_ordertotals.moc"
