#pragma once
// The old runtime's number conversions, in one place and independent of the
// process locale: a German locale must never turn "7.5" into 75 or "7,5".

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace conv {

// Result of reading the number at the start of a text.
struct ValResult {
    double value = 0.0;
    bool overflow = false;  // the digits named a value beyond the double range
};

// Number at the start of a text (the runtime's Val): blanks, tabs and line
// feeds are dropped anywhere; then an optional sign, digits, one '.', an
// optional exponent (E/e, also D/d) taken only when a digit follows; reading
// stops at the first other character. Nothing numeric gives 0. "&H" and "&O"
// read hexadecimal and octal. An overflowing value gives 0 with overflow set.
ValResult valChecked(QStringView text);

// As valChecked; an overflowing value reads as 0.
double val(QStringView text);

// Default number-to-text form of a Double: C's "%.15G" in the C locale, with
// negative zero written "0". 0.1+0.2 -> "0.3", 1e-5 -> "1E-05".
QString numberText(double value);
// Whole numbers in plain decimal.
QString numberText(std::int64_t value);
inline QString numberText(int value) { return numberText(static_cast<std::int64_t>(value)); }

// Strict text-to-number: surrounding blanks allowed, otherwise the text must
// be wholly one number (sign, digits, one '.', optional exponent, or &H/&O).
// Returns nothing for anything else, including the empty text.
std::optional<double> strictNumber(QStringView text);

// True when strictNumber accepts the text.
bool isNumeric(QStringView text);

// Round half to even at k decimals (k >= 0).
double roundTo(double x, int decimals);

// Int (floor) and Fix (toward zero).
double intFloor(double x);
double fix(double x);

// Nearest whole number, halves to even, when it lies in [lo, hi].
std::optional<std::int64_t> roundWhole(double x, std::int64_t lo, std::int64_t hi);
// 32-bit and 16-bit forms of the above.
std::optional<std::int32_t> toInt32(double x);
std::optional<std::int16_t> toInt16(double x);

// Fixed point with four decimals (the old Currency type): value * 10000
// held in 64 bits, rounded half to even on the way in.
class Currency {
public:
    Currency() = default;
    // Nothing when the value is outside the type's range or not finite.
    static std::optional<Currency> fromDouble(double value);
    static Currency fromScaled(std::int64_t scaled)
    {
        Currency c;
        c.scaled_ = scaled;
        return c;
    }

    std::int64_t scaled() const { return scaled_; }
    double toDouble() const;
    QString toText() const;  // shortest form, no trailing zeros: 1.5 -> "1.5"

    friend bool operator==(Currency a, Currency b) { return a.scaled_ == b.scaled_; }

private:
    std::int64_t scaled_ = 0;
};

}  // namespace conv
