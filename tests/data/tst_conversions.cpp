#include "data/conversions.h"

#include <QtTest>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

using conv::Currency;

namespace {

constexpr double nan_ = std::numeric_limits<double>::quiet_NaN();
constexpr double inf_ = std::numeric_limits<double>::infinity();

// Shortest round-trip text, to show exactly which double came out.
QByteArray exact(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QByteArray(buf, int(r.ptr - buf));
}

// QCOMPARE on doubles is fuzzy; these conversions must be exact.
bool same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

#define COMPARE_EXACT(actual, expected)                                                                                \
    do {                                                                                                               \
        const double a_ = (actual), e_ = (expected);                                                                   \
        QVERIFY2(same(a_, e_), "got " + exact(a_) + ", expected " + exact(e_));                                        \
    } while (false)

// Switches the C library to a comma-decimal locale for one scope.
class GermanCLocale {
public:
    GermanCLocale()
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanCLocale() { std::setlocale(LC_ALL, saved_.constData()); }
    bool ok() const { return ok_; }

private:
    QByteArray saved_;
    bool ok_ = false;
};

}  // namespace

class TstConversions : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void numberText_data();
    void numberText();
    void numberTextWhole();
    void strictNumber_data();
    void strictNumber();
    void roundTo_data();
    void roundTo();
    void intFloorAndFix_data();
    void intFloorAndFix();
    void roundWhole_data();
    void roundWhole();
    void roundWholeRange();
    void currency_data();
    void currency();
    void currencyScaledText_data();
    void currencyScaledText();
    void underGermanLocale();
};

void TstConversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("second point ends") << "1.2.3" << 1.2 << false;
    QTest::newRow("comma ends") << "1,5" << 1.0 << false;
    QTest::newRow("blanks inside") << " 2 45 7" << 2457.0 << false;
    QTest::newRow("tab and line feed inside") << "\t1\n2 .5" << 12.5 << false;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0 << false;
    QTest::newRow("blank after sign") << "- 3" << -3.0 << false;
    QTest::newRow("leading point") << ".5" << 0.5 << false;
    QTest::newRow("trailing point") << "7." << 7.0 << false;
    QTest::newRow("letters") << "abc" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("only blanks") << "  \t" << 0.0 << false;
    QTest::newRow("sign alone") << "-" << 0.0 << false;
    QTest::newRow("point alone") << "." << 0.0 << false;
    QTest::newRow("digits then letters") << "12abc" << 12.0 << false;
    QTest::newRow("exponent") << "1e3" << 1000.0 << false;
    QTest::newRow("exponent upper") << "2.5E2" << 250.0 << false;
    QTest::newRow("exponent without digits") << "1e" << 1.0 << false;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0 << false;
    QTest::newRow("exponent then letter") << "1ex" << 1.0 << false;
    QTest::newRow("negative exponent") << "25e-1" << 2.5 << false;
    QTest::newRow("D exponent") << "1d2" << 100.0 << false;
    QTest::newRow("D exponent upper, signed") << "15D-1" << 1.5 << false;
    QTest::newRow("exponent with blank") << "1 e 2" << 100.0 << false;
    QTest::newRow("point without exponent digits") << ".e5" << 0.0 << false;
    QTest::newRow("negative") << "-3.5" << -3.5 << false;
    QTest::newRow("plus") << "+4" << 4.0 << false;
    QTest::newRow("double sign") << "--4" << 0.0 << false;
    QTest::newRow("many digits") << "123456789012345678901234567890" << 1.2345678901234568e29 << false;
    QTest::newRow("hex") << "&H1F" << 31.0 << false;
    QTest::newRow("hex lower case") << "&h1f" << 31.0 << false;
    QTest::newRow("hex stops at non-hex") << "&H1G" << 1.0 << false;
    QTest::newRow("hex without digits") << "&H" << 0.0 << false;
    QTest::newRow("hex 16-bit top") << "&H7FFF" << 32767.0 << false;
    QTest::newRow("hex 16-bit negative") << "&H8000" << -32768.0 << false;
    QTest::newRow("hex FFFF is -1") << "&HFFFF" << -1.0 << false;
    QTest::newRow("hex past 16 bits") << "&H10000" << 65536.0 << false;
    QTest::newRow("hex 32-bit top") << "&H7FFFFFFF" << 2147483647.0 << false;
    QTest::newRow("hex 32-bit negative") << "&H80000000" << -2147483648.0 << false;
    QTest::newRow("hex FFFFFFFF is -1") << "&HFFFFFFFF" << -1.0 << false;
    QTest::newRow("hex past 32 bits") << "&H100000000" << 0.0 << true;
    QTest::newRow("octal") << "&O17" << 15.0 << false;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0 << false;
    QTest::newRow("octal 16-bit -1") << "&O177777" << -1.0 << false;
    QTest::newRow("ampersand alone") << "&" << 0.0 << false;
    QTest::newRow("sign before hex") << "-&H10" << 0.0 << false;
    QTest::newRow("overflow") << "1E400" << 0.0 << true;
    QTest::newRow("negative overflow") << "-1E400" << 0.0 << true;
    QTest::newRow("overflow by digits") << QString(400, QLatin1Char('9')) << 0.0 << true;
    QTest::newRow("underflow is zero") << "1E-400" << 0.0 << false;
    QTest::newRow("underflow by leading zeros") << "0.000000000000000000001e-320" << 0.0 << false;
    QTest::newRow("huge exponent of zero") << "0e99999" << 0.0 << false;
    QTest::newRow("largest double") << "1.7976931348623157E308" << 1.7976931348623157e308 << false;
    QTest::newRow("subnormal") << "5e-324" << 5e-324 << false;
}

void TstConversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, overflow);
    const conv::ValResult r = conv::valChecked(text);
    COMPARE_EXACT(r.value, value);
    QCOMPARE(r.overflow, overflow);
    COMPARE_EXACT(conv::val(text), value);
}

void TstConversions::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("noise past 15 digits") << 110.00000000000001 << "110";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("two thirds rounds") << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("decimals") << 123456.78 << "123456.78";
    QTest::newRow("whole") << 100.0 << "100";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("small still plain") << 0.0001 << "0.0001";
    QTest::newRow("small exponent") << 1e-5 << "1E-05";
    QTest::newRow("small exponent digits") << -0.00001234 << "-1.234E-05";
    QTest::newRow("14 digits plain") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1E+15") << 1e15 << "1E+15";
    QTest::newRow("16 digits rounded") << 1234567890123456.0 << "1.23456789012346E+15";
    QTest::newRow("1.5E+20") << 1.5e20 << "1.5E+20";
    QTest::newRow("three exponent digits") << 1e100 << "1E+100";
    QTest::newRow("large negative exponent") << 2.5e-300 << "2.5E-300";
    QTest::newRow("subnormal") << 5e-324 << "4.94065645841247E-324";
    QTest::newRow("largest") << 1.7976931348623157e308 << "1.79769313486232E+308";
    QTest::newRow("NaN") << nan_ << "NaN";
    QTest::newRow("infinity") << inf_ << "Inf";
    QTest::newRow("minus infinity") << -inf_ << "-Inf";
}

void TstConversions::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(conv::numberText(value), text);
}

void TstConversions::numberTextWhole()
{
    QCOMPARE(conv::numberText(0), QStringLiteral("0"));
    QCOMPARE(conv::numberText(-42), QStringLiteral("-42"));
    QCOMPARE(conv::numberText(std::numeric_limits<std::int64_t>::min()), QStringLiteral("-9223372036854775808"));
    QCOMPARE(conv::numberText(std::int64_t(1234567890123456789)), QStringLiteral("1234567890123456789"));
}

void TstConversions::strictNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
    QTest::newRow("decimal") << "1.5" << true << 1.5;
    QTest::newRow("surrounding blanks") << " \t1.5 \r\n" << true << 1.5;
    QTest::newRow("comma") << "1,5" << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << false << 0.0;
    QTest::newRow("inner blank") << "1 5" << false << 0.0;
    QTest::newRow("second point") << "1.2.3" << false << 0.0;
    QTest::newRow("negative") << "-7" << true << -7.0;
    QTest::newRow("plus") << "+7" << true << 7.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("leading point") << ".25" << true << 0.25;
    QTest::newRow("trailing point") << "3." << true << 3.0;
    QTest::newRow("exponent") << "2E3" << true << 2000.0;
    QTest::newRow("D exponent") << "2d-1" << true << 0.2;
    QTest::newRow("exponent without digits") << "2E" << false << 0.0;
    QTest::newRow("hex") << "&H10" << true << 16.0;
    QTest::newRow("hex FFFF") << "&HFFFF" << true << -1.0;
    QTest::newRow("octal") << "&O17" << true << 15.0;
    QTest::newRow("hex without digits") << "&H" << false << 0.0;
    QTest::newRow("hex with junk") << "&H1G" << false << 0.0;
    QTest::newRow("overflow") << "1E400" << false << 0.0;
    QTest::newRow("hex overflow") << "&H100000000" << false << 0.0;
    QTest::newRow("code like A1") << "A1" << false << 0.0;
}

void TstConversions::strictNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const std::optional<double> n = conv::strictNumber(text);
    QCOMPARE(n.has_value(), numeric);
    QCOMPARE(conv::isNumeric(text), numeric);
    if (n)
        COMPARE_EXACT(*n, value);
}

void TstConversions::roundTo_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 to even") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to even") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5 to even") << -2.5 << 0 << -2.0;
    QTest::newRow("0.5 to zero") << 0.5 << 0 << 0.0;
    QTest::newRow("just above half") << 2.5000000000000004 << 0 << 3.0;
    QTest::newRow("just below half") << 3.4999999999999996 << 0 << 3.0;
    QTest::newRow("exact tie 0.125") << 0.125 << 2 << 0.12;
    QTest::newRow("exact tie 0.375") << 0.375 << 2 << 0.38;
    // 2.345 is held as 2.34500000000000019..., 2.675 as 2.67499999999999982...
    QTest::newRow("2.345 stored above") << 2.345 << 2 << 2.35;
    QTest::newRow("2.675 stored below") << 2.675 << 2 << 2.67;
    QTest::newRow("1.005 stored below") << 1.005 << 2 << 1.0;
    QTest::newRow("carry through nines") << 9.996 << 2 << 10.0;
    QTest::newRow("negative carry") << -99.95 << 1 << -100.0;  // -99.9500000000000028...
    QTest::newRow("money") << 123.456 << 1 << 123.5;
    QTest::newRow("already short") << 1.25 << 4 << 1.25;
    QTest::newRow("more decimals than the double has") << 0.1 << 30 << 0.1;
    QTest::newRow("large stays") << 1e20 << 2 << 1e20;
    QTest::newRow("tiny to zero") << 1e-10 << 4 << 0.0;
    QTest::newRow("negative decimals as 0") << 2.5 << -1 << 2.0;
    QTest::newRow("NaN") << nan_ << 2 << nan_;
    QTest::newRow("infinity") << inf_ << 2 << inf_;
}

void TstConversions::roundTo()
{
    QFETCH(double, x);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    COMPARE_EXACT(conv::roundTo(x, decimals), expected);
}

void TstConversions::intFloorAndFix_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("floor");
    QTest::addColumn<double>("fix");

    QTest::newRow("positive") << 2.7 << 2.0 << 2.0;
    QTest::newRow("negative") << -2.7 << -3.0 << -2.0;
    QTest::newRow("negative half") << -0.5 << -1.0 << 0.0;
    QTest::newRow("whole") << -4.0 << -4.0 << -4.0;
    QTest::newRow("large") << 1e300 << 1e300 << 1e300;
}

void TstConversions::intFloorAndFix()
{
    QFETCH(double, x);
    QFETCH(double, floor);
    QFETCH(double, fix);
    COMPARE_EXACT(conv::intFloor(x), floor);
    COMPARE_EXACT(conv::fix(x), fix);
}

void TstConversions::roundWhole_data()
{
    // int16 and int32 are the results of toInt16/toInt32; "none" where out of range.
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("int16");
    QTest::addColumn<QString>("int32");

    // clang-format off
    QTest::newRow("2.5") << 2.5 << "2" << "2";
    QTest::newRow("3.5") << 3.5 << "4" << "4";
    QTest::newRow("-2.5") << -2.5 << "-2" << "-2";
    QTest::newRow("-3.5") << -3.5 << "-4" << "-4";
    QTest::newRow("2.4999") << 2.4999 << "2" << "2";
    QTest::newRow("-0.4") << -0.4 << "0" << "0";
    QTest::newRow("int16 top") << 32767.4 << "32767" << "32767";
    QTest::newRow("int16 top rounds out") << 32767.5 << "none" << "32768";
    QTest::newRow("int16 bottom half to even") << -32768.5 << "-32768" << "-32768";
    QTest::newRow("int16 below") << -32769.0 << "none" << "-32769";
    QTest::newRow("int32 top rounds out") << 2147483647.5 << "none" << "none";
    QTest::newRow("int32 half to even below top") << 2147483646.5 << "none" << "2147483646";
    QTest::newRow("int32 bottom") << -2147483648.0 << "none" << "-2147483648";
    QTest::newRow("int32 below") << -2147483649.0 << "none" << "none";
    QTest::newRow("NaN") << nan_ << "none" << "none";
    QTest::newRow("infinity") << inf_ << "none" << "none";
    // clang-format on
}

void TstConversions::roundWhole()
{
    QFETCH(double, x);
    QFETCH(QString, int16);
    QFETCH(QString, int32);
    const auto a = conv::toInt16(x);
    const auto b = conv::toInt32(x);
    QCOMPARE(a ? QString::number(*a) : QStringLiteral("none"), int16);
    QCOMPARE(b ? QString::number(*b) : QStringLiteral("none"), int32);
}

// The general form, at the edges of a caller's range and of 64 bits.
void TstConversions::roundWholeRange()
{
    constexpr auto lo = std::numeric_limits<std::int64_t>::min();
    constexpr auto hi = std::numeric_limits<std::int64_t>::max();
    QCOMPARE(conv::roundWhole(-9223372036854775808.0, lo, hi), std::optional<std::int64_t>(lo));
    QCOMPARE(conv::roundWhole(9223372036854775808.0, lo, hi), std::optional<std::int64_t>());
    QCOMPARE(conv::roundWhole(10.5, 0, 10), std::optional<std::int64_t>(10));
    QCOMPARE(conv::roundWhole(11.5, 0, 10), std::optional<std::int64_t>());
}

void TstConversions::currency_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("scaled");
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("one and a half") << 1.5 << true << qint64(15000) << "1.5";
    QTest::newRow("whole") << 2.0 << true << qint64(20000) << "2";
    QTest::newRow("zero") << 0.0 << true << qint64(0) << "0";
    // Ties as the decimal reads, although the doubles lie a hair above them.
    QTest::newRow("tie to even 0") << 1.00005 << true << qint64(10000) << "1";
    QTest::newRow("tie to even 2, odd up") << 1.00015 << true << qint64(10002) << "1.0002";
    QTest::newRow("tie to even 2, even stays") << 1.00025 << true << qint64(10002) << "1.0002";
    QTest::newRow("negative tie") << -1.00015 << true << qint64(-10002) << "-1.0002";
    QTest::newRow("tie at the smallest unit") << 0.00005 << true << qint64(0) << "0";
    QTest::newRow("above the tie") << 0.000051 << true << qint64(1) << "0.0001";
    QTest::newRow("rounded to four") << 123.456789 << true << qint64(1234568) << "123.4568";
    QTest::newRow("sum noise") << 0.1 + 0.2 << true << qint64(3000) << "0.3";
    QTest::newRow("leading zero decimals") << 7.0005 << true << qint64(70005) << "7.0005";
    QTest::newRow("tiny") << 1e-300 << true << qint64(0) << "0";
    QTest::newRow("near the top") << 922337203685477.5 << true << qint64(9223372036854775000) << "922337203685477.5";
    QTest::newRow("near the bottom") << -922337203685477.5 << true << qint64(-9223372036854775000) << "-922337203685477.5";
    QTest::newRow("just over the top") << 922337203685477.625 << false << qint64(0) << "";
    QTest::newRow("far over") << 1e20 << false << qint64(0) << "";
    QTest::newRow("NaN") << nan_ << false << qint64(0) << "";
    QTest::newRow("infinity") << -inf_ << false << qint64(0) << "";
    // clang-format on
}

void TstConversions::currency()
{
    QFETCH(double, value);
    QFETCH(bool, valid);
    QFETCH(qint64, scaled);
    QFETCH(QString, text);
    const std::optional<Currency> c = Currency::fromDouble(value);
    QCOMPARE(c.has_value(), valid);
    if (!c)
        return;
    QCOMPARE(c->scaled(), scaled);
    QCOMPARE(c->toText(), text);
    COMPARE_EXACT(c->toDouble(), conv::val(text));
}

void TstConversions::currencyScaledText_data()
{
    QTest::addColumn<qint64>("scaled");
    QTest::addColumn<QString>("text");
    QTest::newRow("smallest unit") << qint64(1) << "0.0001";
    QTest::newRow("negative smallest unit") << qint64(-1) << "-0.0001";
    QTest::newRow("inner zeros kept") << qint64(10500) << "1.05";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    QTest::newRow("most positive") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
}

void TstConversions::currencyScaledText()
{
    QFETCH(qint64, scaled);
    QFETCH(QString, text);
    QCOMPARE(Currency::fromScaled(scaled).toText(), text);
}

// The comma-decimal locale must change nothing. The _de_DE run of this test
// puts the whole process under it; this case also proves it in the plain run.
void TstConversions::underGermanLocale()
{
    GermanCLocale german;
    QVERIFY2(german.ok(), "de_DE.UTF-8 is not installed");
    // The trap is armed: the C library now reads "7.5" as 7.
    QCOMPARE(std::strtod("7.5", nullptr), 7.0);

    COMPARE_EXACT(conv::val(u"7.5"), 7.5);
    COMPARE_EXACT(conv::val(u"7,5"), 7.0);
    COMPARE_EXACT(conv::val(u"1.5E3"), 1500.0);
    QCOMPARE(conv::numberText(7.5), QStringLiteral("7.5"));
    QCOMPARE(conv::numberText(1.5e20), QStringLiteral("1.5E+20"));
    QCOMPARE(conv::numberText(1e-5), QStringLiteral("1E-05"));
    QCOMPARE(conv::strictNumber(u"7.5"), std::optional<double>(7.5));
    QCOMPARE(conv::strictNumber(u"7,5"), std::optional<double>());
    COMPARE_EXACT(conv::roundTo(2.345, 2), 2.35);
    QCOMPARE(Currency::fromDouble(1234.5)->toText(), QStringLiteral("1234.5"));
}

QTEST_GUILESS_MAIN(TstConversions)
#include "tst_conversions.moc"
