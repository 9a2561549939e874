#include "inputreader.h"

#include "calculatorwindow.h"

#include "data/conversions.h"
#include "ui/platform.h"
#include "ui/textbox.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>

namespace calculators {

namespace {

constexpr char labelProperty[] = "calculatorFieldLabel";
constexpr char contextProperty[] = "calculatorFieldContext";

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

bool allDigits(QStringView s) { return !s.isEmpty() && std::all_of(s.begin(), s.end(), isDigit); }

// The digits before the point, plain ("2500") or grouped in threes after a
// first group of one to three ("2,500", "12,345,678"); the digits alone.
std::optional<QString> wholeDigits(QStringView s)
{
    if (allDigits(s))
        return s.toString();
    if (!s.contains(u','))
        return std::nullopt;
    QString digits;
    bool first = true;
    for (QStringView group : s.split(u',')) {
        if (!allDigits(group) || (first ? group.size() > 3 : group.size() != 3))
            return std::nullopt;
        digits += group;
        first = false;
    }
    return digits;
}

// The value of plain decimal text as the runtime converts it.
Figure plainValue(const QString& ascii)
{
    const conv::ValResult v = conv::valChecked(ascii);
    if (v.overflow || !std::isfinite(v.value))
        return {Figure::TooLarge, 0};
    return {Figure::Number, v.value};
}

// "12", "2,500.75", ".5", "5.", "1.5E+20".
Figure decimalFigure(QStringView s)
{
    QStringView mantissa = s;
    QString exponent;
    const qsizetype e = std::max(s.indexOf(u'e'), s.indexOf(u'E'));
    if (e >= 0) {
        mantissa = s.left(e);
        QStringView x = s.mid(e + 1);
        if (!x.isEmpty() && (x.front() == u'+' || x.front() == u'-')) {
            exponent = x.front();
            x = x.mid(1);
        }
        if (!allDigits(x))
            return {Figure::NotANumber, 0};
        exponent = QStringLiteral("E") + exponent + x.toString();
    }
    const qsizetype point = mantissa.indexOf(u'.');
    const QStringView whole = point >= 0 ? mantissa.left(point) : mantissa;
    const QStringView decimals = point >= 0 ? mantissa.mid(point + 1) : QStringView();
    if (whole.isEmpty() && decimals.isEmpty())
        return {Figure::NotANumber, 0};
    if (!decimals.isEmpty() && !allDigits(decimals))
        return {Figure::NotANumber, 0};
    QString digits;
    if (!whole.isEmpty()) {
        const std::optional<QString> w = wholeDigits(whole);
        if (!w)
            return {Figure::NotANumber, 0};
        digits = *w;
    }
    return plainValue(digits + QLatin1Char('.') + decimals.toString() + exponent);
}

// "3/4", "1 1/2" and "1,499 1/2".
Figure fraction(QStringView s)
{
    const qsizetype slash = s.indexOf(u'/');
    QStringView top = s.left(slash);
    const QStringView bottom = s.mid(slash + 1);
    QString whole;
    const qsizetype gap = std::find_if(top.begin(), top.end(), isBlank) - top.begin();
    if (gap < top.size()) {
        const std::optional<QString> w = wholeDigits(top.left(gap));
        if (!w)
            return {Figure::NotANumber, 0};
        whole = *w;
        top = trimmed(top.mid(gap));
    }
    if (!allDigits(top) || !allDigits(bottom))
        return {Figure::NotANumber, 0};
    const Figure n = plainValue(top.toString());
    const Figure d = plainValue(bottom.toString());
    const Figure w = whole.isEmpty() ? Figure{Figure::Number, 0} : plainValue(whole);
    if (n.status == Figure::TooLarge || d.status == Figure::TooLarge || w.status == Figure::TooLarge)
        return {Figure::TooLarge, 0};
    if (d.value == 0)
        return {Figure::NotANumber, 0};
    const double value = w.value + n.value / d.value;
    if (!std::isfinite(value))
        return {Figure::TooLarge, 0};
    return {Figure::Number, value};
}

}  // namespace

Figure readFigure(QStringView text, bool money)
{
    QStringView s = trimmed(text);
    if (s.isEmpty())
        return {};

    bool negative = false;
    bool signTaken = false;
    const auto takeSign = [&] {
        if (!signTaken && !s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
            negative = s.front() == u'-';
            signTaken = true;
            s = s.mid(1);
        }
    };
    takeSign();
    if (money && !s.isEmpty() && s.front() == u'$') {
        s = trimmed(s.mid(1));
        takeSign();
    }
    if (s.isEmpty())
        return {Figure::NotANumber, 0};

    Figure f = s.contains(u'/') ? fraction(s) : decimalFigure(s);
    if (f.status == Figure::Number && negative && f.value != 0)
        f.value = -f.value;
    return f;
}

void setFieldName(QWidget* box, const QString& label, const QString& context)
{
    box->setProperty(labelProperty, label);
    box->setProperty(contextProperty, context);
}

void setFieldContext(QWidget* box, const QString& context) { box->setProperty(contextProperty, context); }

QString fieldName(const QWidget* box)
{
    QString label = box->property(labelProperty).toString().trimmed();
    if (label.endsWith(QLatin1Char(':')))
        label = label.chopped(1).trimmed();
    if (label.isEmpty())
        return {};
    QString name = QLatin1Char('"') + label + QLatin1Char('"');
    const QString context = box->property(contextProperty).toString();
    if (!context.isEmpty())
        name += QStringLiteral(" (") + context + QLatin1Char(')');
    return name;
}

// ------------------------------------------------------------ InputReader

InputReader::InputReader(const CalculatorWindow& window) : window_(window) {}

QString InputReader::notANumberMessage(const QString& name, const QString& text, bool money)
{
    const QString examples =
        money ? QStringLiteral("125, $1,250.75 or 12.50") : QStringLiteral("12.5, 2,500, 3/4 or 1 1/2");
    return QStringLiteral("%1 is not a number: \"%2\". Please type a figure such as %3.").arg(name, text, examples);
}

QString InputReader::tooLargeMessage(const QString& name, const QString& text)
{
    return QStringLiteral("%1 is too large a number: \"%2\".").arg(name, text);
}

QString InputReader::negativeMessage(const QString& name, const QString& text)
{
    return QStringLiteral("%1 cannot be negative: \"%2\".").arg(name, text);
}

QString InputReader::zeroMessage(const QString& name) { return QStringLiteral("%1 must be more than 0.").arg(name); }

double InputReader::read(const QString& name, bool money, Sign sign)
{
    if (!ok())
        return 0;
    ui::TextBox* box = window_.textBox(name);
    Q_ASSERT_X(box, "InputReader", qPrintable(name));
    if (!box)
        return 0;
    const QString text = box->text();
    const Figure f = readFigure(text, money);
    switch (f.status) {
    case Figure::Empty: return 0;
    case Figure::NotANumber: refuse(notANumberMessage(fieldName(box), text.trimmed(), money), name); return 0;
    case Figure::TooLarge: refuse(tooLargeMessage(fieldName(box), text.trimmed()), name); return 0;
    case Figure::Number: break;
    }
    if (sign == Sign::NotNegative && f.value < 0) {
        refuse(negativeMessage(fieldName(box), text.trimmed()), name);
        return 0;
    }
    return f.value;
}

double InputReader::measure(const QString& box) { return read(box, false, Sign::NotNegative); }

double InputReader::money(const QString& box) { return read(box, true, Sign::NotNegative); }

double InputReader::angle(const QString& box) { return read(box, false, Sign::Any); }

double InputReader::divisor(const QString& box, bool needed)
{
    const double value = measure(box);
    if (ok() && needed && value == 0)
        if (ui::TextBox* b = window_.textBox(box))
            refuse(zeroMessage(fieldName(b)), box);
    return value;
}

void InputReader::refuse(const QString& message, const QString& box)
{
    if (!ok())
        return;
    message_ = message;
    box_ = box;
}

bool InputReader::refused()
{
    if (ok())
        return false;
    ui::msgBox(message_);
    if (ui::TextBox* b = window_.textBox(box_)) {
        b->setFocus();
        b->selectAll();
    }
    return true;
}

}  // namespace calculators
