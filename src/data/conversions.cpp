#include "conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace conv {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

struct Scan {
    const char16_t* stop = nullptr;  // first character not taken
    bool found = false;              // at least one digit was read
    bool overflow = false;
    double value = 0.0;
};

// "&H..." / "&O..." at p (p[0] == '&'). Values up to FFFF are 16-bit and up
// to FFFFFFFF 32-bit two's complement, as the old runtime typed its literals
// (&HFFFF is -1, &H10000 is 65536, &HFFFFFFFF is -1 again); more is overflow.
Scan scanRadix(const char16_t* p, const char16_t* end)
{
    Scan s;
    s.stop = p;
    if (end - p < 2)
        return s;
    const char16_t kind = p[1];
    int radix = 0;
    if (kind == u'H' || kind == u'h')
        radix = 16;
    else if (kind == u'O' || kind == u'o')
        radix = 8;
    else
        return s;

    const char16_t* q = p + 2;
    std::uint64_t v = 0;
    bool tooBig = false;
    while (q < end) {
        const int d = hexDigit(*q);
        if (d < 0 || d >= radix)
            break;
        if (!tooBig) {
            v = v * std::uint64_t(radix) + std::uint64_t(d);
            if (v > 0xFFFFFFFFull)
                tooBig = true;
        }
        ++q;
    }
    s.stop = q;
    if (q == p + 2)
        return s;  // "&H" alone names no number
    s.found = true;
    if (tooBig) {
        s.overflow = true;
        return s;
    }
    if (v <= 0xFFFF)
        s.value = double(v >= 0x8000 ? std::int64_t(v) - 0x10000 : std::int64_t(v));
    else
        s.value = double(v >= 0x80000000ull ? std::int64_t(v) - 0x100000000ll : std::int64_t(v));
    return s;
}

// Sign, digits, one '.', and an exponent (E, e, D or d) taken only when a
// digit follows it, with an optional sign between.
Scan scanDecimal(const char16_t* p, const char16_t* end)
{
    Scan s;
    s.stop = p;
    std::string text;
    const char16_t* q = p;
    if (q < end && (*q == u'+' || *q == u'-')) {
        if (*q == u'-')
            text += '-';
        ++q;
    }
    // Where the first significant digit lies, as a power of ten, to tell an
    // overflow from an underflow when the value is out of range.
    std::int64_t intDigits = 0;      // integer digits after leading zeros
    std::int64_t fracLeadZeros = 0;  // zeros after the point before a digit
    bool nonZero = false;
    bool digits = false;
    while (q < end && isDigit(*q)) {
        if (*q != u'0' || nonZero) {
            nonZero = true;
            ++intDigits;
        }
        text += char(*q);
        digits = true;
        ++q;
    }
    if (q < end && *q == u'.') {
        text += '.';
        ++q;
        while (q < end && isDigit(*q)) {
            if (*q != u'0')
                nonZero = true;
            else if (!nonZero)
                ++fracLeadZeros;
            text += char(*q);
            digits = true;
            ++q;
        }
    }
    if (!digits)
        return s;
    s.found = true;

    std::int64_t exponent = 0;
    if (q < end && (*q == u'E' || *q == u'e' || *q == u'D' || *q == u'd')) {
        const char16_t* e = q + 1;
        bool negative = false;
        if (e < end && (*e == u'+' || *e == u'-')) {
            negative = *e == u'-';
            ++e;
        }
        if (e < end && isDigit(*e)) {
            text += negative ? "e-" : "e";
            while (e < end && isDigit(*e)) {
                text += char(*e);
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (*e - u'0');
                ++e;
            }
            if (negative)
                exponent = -exponent;
            q = e;
        }
    }
    s.stop = q;

    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        const std::int64_t magnitude = intDigits > 0 ? intDigits - 1 + exponent : exponent - fracLeadZeros - 1;
        if (nonZero && magnitude > 0)
            s.overflow = true;
        v = 0.0;  // too small to hold: zero
    } else if (r.ec != std::errc()) {
        v = 0.0;
    }
    s.value = v;
    return s;
}

Scan scanNumber(const char16_t* p, const char16_t* end)
{
    if (p < end && *p == u'&')
        return scanRadix(p, end);
    return scanDecimal(p, end);
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

ValResult valChecked(QStringView text)
{
    // Blanks, tabs and line feeds do not count anywhere in the text
    // (" 2 45 7" is 2457); a carriage return does and ends the number.
    std::u16string packed;
    packed.reserve(std::size_t(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u != u' ' && u != u'\t' && u != u'\n')
            packed += u;
    }
    const Scan s = scanNumber(packed.data(), packed.data() + packed.size());
    if (s.overflow)
        return {0.0, true};
    return {s.value, false};
}

double val(QStringView text) { return valChecked(text).value; }

QString numberText(double value)
{
    // The old runtime raised an error before a NaN or an infinity could be
    // shown; should one reach a text anyway, it reads plainly.
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0.0)
        return QStringLiteral("0");  // also negative zero
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString out = QString::fromLatin1(buf, r.ptr - buf);
    out.replace(QLatin1Char('e'), QLatin1Char('E'));
    return out;
}

QString numberText(std::int64_t value) { return QString::number(value); }

std::optional<double> strictNumber(QStringView text)
{
    const char16_t* begin = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* end = begin + text.size();
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    if (begin == end)
        return std::nullopt;
    const Scan s = scanNumber(begin, end);
    if (!s.found || s.overflow || s.stop != end)
        return std::nullopt;
    return s.value;
}

bool isNumeric(QStringView text) { return strictNumber(text).has_value(); }

double roundTo(double x, int decimals)
{
    // The exact binary value of x is rounded, half to even: a tie is only a
    // tie when the double lies exactly on it (2.5, 0.125). 2.345 is stored a
    // little above and gives 2.35, 2.675 a little below and gives 2.67, as
    // in the old runtime. Rounding the decimal look-alike instead would make
    // 2.345 a tie and give 2.34.
    if (!std::isfinite(x) || x == 0.0)
        return x;
    if (decimals < 0)
        decimals = 0;

    int exp2 = 0;
    std::frexp(x, &exp2);
    // A double has at most 53 - exp2 binary fraction digits, and a decimal
    // expansion with as many digits after the point is exact.
    const int exactDigits = std::min(1074, std::max(0, 53 - exp2));
    if (decimals >= exactDigits)
        return x;

    char buf[1500];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed, exactDigits);
    std::string digits(buf, r.ptr);
    const std::size_t point = digits.find('.');
    std::string intPart = point == std::string::npos ? digits : digits.substr(0, point);
    std::string frac = point == std::string::npos ? std::string() : digits.substr(point + 1);

    std::string kept = intPart + frac.substr(0, std::size_t(decimals));  // digits that stay
    const std::string rest = frac.substr(std::size_t(decimals));
    bool up = false;
    if (!rest.empty()) {
        if (rest[0] > '5')
            up = true;
        else if (rest[0] == '5') {
            const bool beyondHalf = rest.find_first_not_of('0', 1) != std::string::npos;
            up = beyondHalf || ((kept.back() - '0') % 2 == 1);
        }
    }
    if (up) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[std::size_t(i)] == '9')
            kept[std::size_t(i--)] = '0';
        if (i >= 0)
            ++kept[std::size_t(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    const std::size_t intLen = kept.size() - std::size_t(decimals);
    std::string out = kept.substr(0, intLen);
    if (decimals > 0)
        out += '.' + kept.substr(intLen);
    double v = 0.0;
    std::from_chars(out.data(), out.data() + out.size(), v);
    if (v == 0.0)
        return 0.0;
    return x < 0 ? -v : v;
}

double intFloor(double x) { return std::floor(x); }

double fix(double x) { return std::trunc(x); }

std::optional<std::int64_t> roundWhole(double x, std::int64_t lo, std::int64_t hi)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double f = std::floor(x);
    const double d = x - f;  // exact for every finite double
    double r = f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        r = f + 1.0;
    // 2^63 is the first double outside int64.
    if (r >= 9223372036854775808.0 || r < -9223372036854775808.0)
        return std::nullopt;
    const auto n = static_cast<std::int64_t>(r);
    if (n < lo || n > hi)
        return std::nullopt;
    return n;
}

std::optional<std::int32_t> toInt32(double x)
{
    const auto n = roundWhole(x, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!n)
        return std::nullopt;
    return static_cast<std::int32_t>(*n);
}

std::optional<std::int16_t> toInt16(double x)
{
    const auto n = roundWhole(x, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!n)
        return std::nullopt;
    return static_cast<std::int16_t>(*n);
}

std::optional<Currency> Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (std::fabs(value) > 1e15)
        return std::nullopt;  // far outside; the exact check follows

    // Rounded on the shortest decimal that reads back as the same double, so
    // 1.00005 is the tie it looks like (to 1.0000) even though the stored
    // double is a hair above it.
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    const std::string digits(buf, r.ptr);
    const std::size_t point = digits.find('.');
    const std::string intPart = point == std::string::npos ? digits : digits.substr(0, point);
    const std::string frac = point == std::string::npos ? std::string() : digits.substr(point + 1);

    __int128 scaled = 0;
    for (char c : intPart)
        scaled = scaled * 10 + (c - '0');
    for (std::size_t i = 0; i < 4; ++i)
        scaled = scaled * 10 + (i < frac.size() ? frac[i] - '0' : 0);
    if (frac.size() > 4) {
        const char first = frac[4];
        const bool beyondHalf = frac.find_first_not_of('0', 5) != std::string::npos;
        if (first > '5' || (first == '5' && (beyondHalf || scaled % 2 == 1)))
            ++scaled;
    }
    if (value < 0)
        scaled = -scaled;
    if (scaled > std::numeric_limits<std::int64_t>::max() || scaled < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return fromScaled(static_cast<std::int64_t>(scaled));
}

double Currency::toDouble() const { return double(scaled_) / 10000.0; }

QString Currency::toText() const
{
    const bool negative = scaled_ < 0;
    // Unsigned, so the most negative value has a magnitude too.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(scaled_) : std::uint64_t(scaled_);
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::number(magnitude / 10000);
    std::uint64_t frac = magnitude % 10000;
    if (frac != 0) {
        int width = 4;
        while (frac % 10 == 0) {
            frac /= 10;
            --width;
        }
        out += QLatin1Char('.') + QString::number(frac).rightJustified(width, QLatin1Char('0'));
    }
    return out;
}

}  // namespace conv
