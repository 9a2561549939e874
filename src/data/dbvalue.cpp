#include "dbvalue.h"

#include "conversions.h"

#include <cmath>
#include <limits>

namespace data {

QString DbValue::toText() const
{
    if (const auto* t = std::get_if<QString>(&v_))
        return *t;
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return conv::numberText(*i);
    if (const auto* d = std::get_if<double>(&v_))
        return conv::numberText(*d);
    if (const auto* b = std::get_if<QByteArray>(&v_))
        return QString::fromUtf8(*b);
    return QString();
}

double DbValue::toDouble() const
{
    if (const auto* d = std::get_if<double>(&v_))
        return *d;
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return double(*i);
    if (const auto* t = std::get_if<QString>(&v_))
        return conv::val(*t);
    if (const auto* b = std::get_if<QByteArray>(&v_))
        return conv::val(QString::fromUtf8(*b));
    return 0.0;
}

std::int64_t DbValue::toInt64() const
{
    // Integers as they are: going through a double would lose digits past 2^53.
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return *i;
    const double d = toDouble();
    if (std::isnan(d))
        return 0;
    constexpr auto lo = std::numeric_limits<std::int64_t>::min();
    constexpr auto hi = std::numeric_limits<std::int64_t>::max();
    if (const auto n = conv::roundWhole(d, lo, hi))
        return *n;
    return d < 0 ? lo : hi;
}

QByteArray DbValue::toBlob() const
{
    if (const auto* b = std::get_if<QByteArray>(&v_))
        return *b;
    if (isNull())
        return QByteArray();
    return toText().toUtf8();
}

}  // namespace data
