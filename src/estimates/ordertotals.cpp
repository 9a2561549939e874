#include "ordertotals.h"

#include "data/conversions.h"

#include <QStringList>

namespace estimates {

namespace {

QString piece(const data::DbValue& v) { return v.isNull() ? QString() : conv::numberText(v.toDouble()); }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

QString priceEntry(const data::DbValue& material, const data::DbValue& labor, const data::DbValue& quantity,
                   const data::DbValue& subLabor, const data::DbValue& equipment)
{
    return QStringList{piece(material), piece(labor), piece(quantity), piece(subLabor), piece(equipment)}.join(
        QLatin1Char('#'));
}

QString pricePiece(const QString& entry, PricePiece which)
{
    const QStringList pieces = entry.split(QLatin1Char('#'));
    const int i = int(which);
    return i < pieces.size() ? pieces.at(i) : QString();
}

double entryTotal(const LineAmounts& entered)
{
    return entered.material + entered.labor + entered.subLabor + entered.others;
}

double lineTotal(const LineAmounts& line) { return line.material + line.subLabor + line.labor + line.others; }

double amountOf(const std::vector<double>& lineTotals)
{
    // The list writes 15 significant digits; the amount adds those, as a
    // user adding up the column would, not the digits beyond them.
    double amount = 0;
    for (double total : lineTotals)
        amount += conv::strictNumber(conv::numberText(total)).value_or(0.0);
    return amount;
}

FinalTotals finalTotals(const QString& amountText, const QString& taxPercentText, const QString& overheadPercentText)
{
    const double amount = conv::val(amountText);
    FinalTotals t;
    t.tax = conv::numberText(amount * conv::val(taxPercentText) / 100);
    t.overhead = conv::numberText(amount * conv::val(overheadPercentText) / 100);
    t.total = conv::numberText(amount + conv::val(t.tax) + conv::val(t.overhead));
    return t;
}

double storedTotal(double amount, const QString& taxText, const QString& overheadText)
{
    return amount + conv::val(taxText) + conv::val(overheadText);
}

std::optional<double> priceToWrite(const QString& boxText)
{
    // The key filter lets "." and "" through, and code may have written
    // anything: only a text that starts with a number names a price.
    QString t = boxText.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
        ++i;
    if (i < t.size() && t.at(i) == u'.')
        ++i;
    if (i >= t.size() || !isDigit(t.at(i)))
        return std::nullopt;
    return conv::val(t);
}

}  // namespace estimates
