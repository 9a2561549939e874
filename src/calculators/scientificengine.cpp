#include "scientificengine.h"

#include "data/conversions.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace calculators {

namespace {

// The words of the messages, blanks and spelling as the users know them.
const QString quarneMessage = QStringLiteral("ILLEGAL QUARNE");
const QString divideZeroMessage = QStringLiteral(" ILLEGAL  DIVIDE  0 ");
const QString entriesMessage = QStringLiteral("ILLEGAL  ENTRIES  of  N ,R ");
const QString invalidMessage = QStringLiteral("ILLEGAL.  INVALIED ENTRIES");
const QString powerMessage = QStringLiteral("ILLEGAL. POWER LESTHAN 0.");
const QString negativeFactorialMessage = QStringLiteral("ILLEGAL  NEAGETIVE  FACTORIAL");
const QString tooLargeMessage = QStringLiteral("VALUE TOO LARGE");
const QString overflowMessage = QStringLiteral("OVERFLOW. VALUE TOO LARGE ");
const QString tooBigMessage = QStringLiteral(" OVERFLOW. VALUE TOO BIG ");
const QString tanMessage = QStringLiteral("ILLEGAL.  DIVIDE  BY  ZERO ");
const QString lnMessage = QStringLiteral(" ILLEGAL.  LOG  NON  POSITIVE ");
const QString logMessage = QStringLiteral(" ILLEGAL. LOG  NON  POSITIVE ");
const QString rootMessage = QStringLiteral(" ILLEGAL  ATTEMPTING  NEGETIVE  ROOT");
const QString memoryDivideMessage = QStringLiteral("ILLEGAL. DIVIDE 0 ERROR ");

const QString zeroEntry = QStringLiteral(" 0");
const QString newEntry = QStringLiteral(" ");

constexpr double degreeFactor = std::numbers::pi / 180.0;
constexpr double gradFactor = std::numbers::pi / 200.0;
// Factorials past 12 do not fit the 32-bit whole numbers they are kept in.
constexpr double largestFactorial = 12;
constexpr double expLimit = 700;
// An angle this close (relative) to a whole number of quarter turns is
// taken as exactly that many: the pi key rounds to 10 digits and the display
// to 15, so pi/2 typed or worked out here never quite meets the true one, and
// the leftover would show as cos 90 = 6.1E-17 or tan 90 = 1.63E+16.
constexpr double quarterTurnTolerance = 1e-9;

QString text(double value) { return conv::numberText(value); }

// Nearest whole number, halves to the even neighbour (the default rounding
// mode does exactly that).
double nearestWhole(double x) { return std::nearbyint(x); }

// The number of quarter turns in an angle, 0 to 3 after whole turns are
// taken off, when the angle is a whole number of them other than none.
std::optional<int> quarterTurns(double radians)
{
    const double q = radians / (std::numbers::pi / 2);
    if (!std::isfinite(q))
        return std::nullopt;
    const double n = std::nearbyint(q);
    // A small angle is no leftover: sin of 1E-12 is 1E-12.
    if (n == 0 || std::fabs(q - n) > quarterTurnTolerance * std::fabs(n))
        return std::nullopt;
    double turns = std::fmod(n, 4);
    if (turns < 0)
        turns += 4;
    return static_cast<int>(turns);
}

QString digitCaption(int index)
{
    if (index == ScientificEngine::PointKey)
        return QStringLiteral(".");
    if (index == ScientificEngine::DoubleZeroKey)
        return QStringLiteral("00");
    return QString(QChar(u'0' + index));
}

}  // namespace

ScientificEngine::ScientificEngine() : ang(degreeFactor), display_(zeroEntry), random_(20240601u) {}

void ScientificEngine::message(const QString& text)
{
    if (onMessage)
        onMessage(text);
}

double ScientificEngine::displayValue() const { return conv::val(display_); }

double ScientificEngine::savedValue(int position) const
{
    return position >= 0 && position < listCapacity ? saved_[position] : 0.0;
}

// ------------------------------------------------------------------ digits

void ScientificEngine::digitKey(int index)
{
    if (index < 0 || index > DoubleZeroKey)
        return;
    if (pending_ == Equals) {
        // A finished calculation: the digit starts a new one.
        accumulator_ = 0;
        display_ = newEntry;
        pending_ = Plus;
    }
    operatorPressed_ = false;
    if (!entering_) {
        display_ = newEntry;
        pointTyped_ = false;
    }
    entering_ = true;

    if (index == PointKey) {
        if (pointTyped_) {
            message(quarneMessage);
            return;
        }
        display_ += QLatin1Char('.');
        pointTyped_ = true;
        return;
    }
    if (display_ == zeroEntry)
        display_ = newEntry + digitCaption(index);
    else
        display_ += digitCaption(index);
}

// --------------------------------------------------------------- operators

void ScientificEngine::operatorKey(int index)
{
    if (index < Plus || index > Power)
        return;
    const double x = displayValue();
    // Operator after operator only replaces the pending one; "=" always
    // evaluates.
    if (index == Equals || !operatorPressed_) {
        evaluate(x);
        entering_ = false;
    }
    operatorPressed_ = true;
    pointTyped_ = false;
    pending_ = static_cast<std::int16_t>(index);
}

void ScientificEngine::evaluate(double x)
{
    const double a = accumulator_;
    double result = a;
    bool keepDisplay = false;
    const QString* refused = nullptr;

    switch (pending_) {
    case Plus: result = x + a; break;
    case Minus: result = a - x; break;
    case Times: result = x * a; break;
    case Divide:
        if (x == 0)
            refused = &divideZeroMessage;
        else
            result = a / x;
        break;
    case Percent: {
        const double divisor = nearestWhole(x);
        if (divisor == 0)
            refused = &divideZeroMessage;
        else
            result = std::fmod(nearestWhole(a), divisor);  // the sign of the dividend
        break;
    }
    case Ncr:
    case Npr: {
        // n goes through its display text, so 4.9999999999999999 counts as 5.
        const double n = conv::fix(conv::val(text(a)));
        const double r = conv::fix(x);
        if (!(n >= r && n >= 1 && r >= 0)) {
            refused = &entriesMessage;
        } else if (n > largestFactorial) {
            // One message for the whole key, and the entry stays in view.
            refused = &tooLargeMessage;
            keepDisplay = true;
        } else {
            const auto whole = [](double v) { return static_cast<std::int32_t>(v); };
            std::int32_t below = 1;
            for (std::int32_t i = 2; i <= whole(n - r); ++i)
                below *= i;
            std::int32_t top = 1;
            for (std::int32_t i = 2; i <= whole(n); ++i)
                top *= i;
            if (pending_ == Ncr) {
                std::int32_t rf = 1;
                for (std::int32_t i = 2; i <= whole(r); ++i)
                    rf *= i;
                result = double(top) / double(rf * below);
            } else {
                result = double(top) / double(below);
            }
        }
        break;
    }
    case Power: {
        if (a == 0) {
            refused = &invalidMessage;
            break;
        }
        const double n = conv::fix(x);
        if (n < 0) {
            message(powerMessage);
            result = 0;
        } else {
            result = wholePower(a, n);
        }
        break;
    }
    default:  // "=" pending: nothing to compute
        break;
    }

    if (!refused && !std::isfinite(result))
        refused = &overflowMessage;
    if (refused)
        message(*refused);
    else
        accumulator_ = result;
    if (!keepDisplay)
        display_ = text(accumulator_);
}

double ScientificEngine::wholePower(double x, double n)
{
    double result = 1;
    if (n <= 1024) {
        for (double i = 0; i < n; ++i) {
            result *= x;
            if (result == 0 || !std::isfinite(result))
                break;
        }
        return result;
    }
    // Long exponents by squaring, so that a power of a million does not take
    // a million steps.
    double base = x;
    while (n > 0) {
        if (std::fmod(n, 2) == 1)
            result *= base;
        n = std::floor(n / 2);
        if (n > 0)
            base *= base;
    }
    return result;
}

double ScientificEngine::power(double x, std::int32_t n)
{
    if (n < 0) {
        message(powerMessage);
        return 0;
    }
    return wholePower(x, n);
}

double ScientificEngine::factorial(double n)
{
    if (n < 0) {
        message(negativeFactorialMessage);
        return n;
    }
    if (n > largestFactorial) {
        message(tooLargeMessage);
        return n;
    }
    std::int32_t f = 1;
    for (std::int32_t i = 2; i <= static_cast<std::int32_t>(n); ++i)
        f *= i;
    return f;
}

std::int32_t ScientificEngine::fact(std::int32_t n) { return static_cast<std::int32_t>(factorial(n)); }

// --------------------------------------------------------------- functions

void ScientificEngine::showResult(double value)
{
    if (!std::isfinite(value)) {
        message(overflowMessage);
        return;
    }
    showValue(text(value));
}

void ScientificEngine::showValue(const QString& shown)
{
    // After "=" the shown value begins a new calculation, as a digit would.
    if (pending_ == Equals) {
        accumulator_ = 0;
        pending_ = Plus;
    }
    display_ = shown;
    // The value is the operand of the next operator, even right after one.
    operatorPressed_ = false;
    entering_ = false;
}

void ScientificEngine::trigKey(int index)
{
    const double x = displayValue();
    const double radians = x * ang;
    // Sine and cosine of 0, 1, 2 and 3 quarter turns.
    static constexpr double quarterSin[] = {0, 1, 0, -1};
    static constexpr double quarterCos[] = {1, 0, -1, 0};
    const std::optional<int> quarters = quarterTurns(radians);
    switch (index) {
    case Sin: showResult(quarters ? quarterSin[*quarters] : std::sin(radians)); break;
    case Cos: showResult(quarters ? quarterCos[*quarters] : std::cos(radians)); break;
    case Tan: {
        if (quarters) {
            if (quarterCos[*quarters] == 0) {
                message(tanMessage);
                return;
            }
            showResult(0);
            break;
        }
        const double c = std::cos(radians);
        if (c == 0) {
            message(tanMessage);
            return;
        }
        showResult(std::sin(radians) / c);
        break;
    }
    case Atan: showResult(std::atan(x) / ang); break;
    default: break;  // asin and acos carry no action
    }
}

void ScientificEngine::logKey(int index)
{
    const double x = displayValue();
    switch (index) {
    case Ln:
        if (x <= 0)
            message(lnMessage);
        else
            showResult(std::log(x));
        break;
    case Log:
        if (x <= 0)
            message(logMessage);
        else
            showResult(std::log(x) / std::log(10.0));
        break;
    case Exp:
        if (x >= expLimit)
            message(tooBigMessage);
        else
            showResult(std::exp(x));
        break;
    default: break;
    }
}

void ScientificEngine::functionKey(int index)
{
    const double x = displayValue();
    switch (index) {
    case Reciprocal:
        if (x == 0)
            message(divideZeroMessage);
        else
            showResult(1 / x);
        break;
    case Square: showResult(x * x); break;  // refused only beyond the double range
    case Cube: showResult(x * x * x); break;
    case SquareRoot:
        if (x < 0)
            message(rootMessage);
        else
            showResult(std::sqrt(x));
        break;
    case Factorial: showResult(factorial(nearestWhole(x))); break;
    default: break;
    }
}

void ScientificEngine::signKey() { showResult(displayValue() * -1); }

void ScientificEngine::setAngleUnit(int index)
{
    switch (index) {
    case Degrees: ang = degreeFactor; break;
    case Radians: ang = 1; break;
    case Grads: ang = gradFactor; break;
    default: break;
    }
}

// ------------------------------------------------------------------ memory

void ScientificEngine::memoryKey(int index)
{
    const double x = displayValue();
    double next = memo;
    switch (index) {
    case MemoryPlus: next = x + memo; break;
    case MemoryMinus: next = memo - x; break;
    case MemoryTimes: next = x * memo; break;
    case MemoryDivide:
        if (x == 0) {
            message(memoryDivideMessage);
            return;
        }
        next = memo / x;
        break;
    case MemoryRecall:
        // The recalled value is the next operand: a pending operation keeps
        // its accumulator, a finished one makes way for a new calculation.
        showValue(text(memo));
        return;
    case MemoryClear: memo = 0; return;
    default: return;
    }
    if (!std::isfinite(next)) {
        message(overflowMessage);
        return;
    }
    memo = next;
    // The figure went into the memory; the next digit starts a new one.
    entering_ = false;
}

// ------------------------------------------------------- saved-value list

std::int16_t ScientificEngine::qnext(std::int16_t& i) const
{
    if (qt == 0)
        return 0;
    return static_cast<std::int16_t>((i + 1) % qt);
}

void ScientificEngine::listKey(int index)
{
    switch (index) {
    case Push:
        // A full list keeps what it has.
        if (qt < 0 || qt >= listCapacity)
            return;
        saved_[qt] = displayValue();
        ++qt;
        entering_ = false;  // the next digit starts the next value
        break;
    case View: {
        if (qt <= 0)
            return;
        const std::int16_t next = qnext(qv);
        if (next < 0 || next >= listCapacity)
            return;
        qv = next;
        viewed_ = text(saved_[qv]);
        break;
    }
    case Delete: {
        const int last = qt - 1;
        if (last < 0 || last >= listCapacity || qv < 0 || qv >= listCapacity)
            return;
        saved_[qv] = saved_[last];
        viewed_ = text(saved_[qv]);
        --qt;
        break;
    }
    case CopyBack: showValue(viewed_); break;
    default: break;
    }
}

void ScientificEngine::constantKey(int index)
{
    switch (index) {
    case Random:
        // 32 random bits scaled into [0, 1).
        showValue(text(double(random_()) / 4294967296.0));
        break;
    case Pi: showValue(QStringLiteral("3.141592654")); break;
    case E: showValue(QStringLiteral("2.718281828")); break;
    case Gravity: showValue(text(9.80665)); break;        // standard gravity, m/s2
    case Planck: showValue(text(6.62607015e-34)); break;  // Planck's constant, J s
    default: break;
    }
}

// ---------------------------------------------------------------- clearing

void ScientificEngine::clearKey()
{
    display_ = zeroEntry;
    // A point typed before the clear must not block the next one.
    pointTyped_ = false;
}

void ScientificEngine::allClear()
{
    memo = 0;
    accumulator_ = 0;
    operatorPressed_ = false;
    entering_ = false;
    pointTyped_ = false;
    pending_ = Plus;
    qt = 0;
    qh = 0;
    display_ = zeroEntry;
    // The clipboard is left alone: it may hold a figure on its way into an
    // estimate.
}

void ScientificEngine::backKey()
{
    if (display_.isEmpty())
        return;
    const QChar removed = display_.back();
    display_.chop(1);
    if (removed == u'.')
        pointTyped_ = false;
}

ScientificEngine::Typed ScientificEngine::typeKey(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9') {
        digitKey(c - u'0');
        return {true, 1};
    }
    switch (c) {
    case u'.': digitKey(PointKey); return {true, 1};
    case u'+': operatorKey(Plus); return {true, 1};
    case u'-': operatorKey(Minus); return {true, 1};
    case u'/': operatorKey(Divide); return {true, 1};
    case u'*': operatorKey(Times); return {true, 1};
    case u'=': operatorKey(Equals); return {true, 1};
    case u'c':
    case u'C':
        accumulator_ = 0;
        operatorPressed_ = false;
        entering_ = false;
        pointTyped_ = false;
        pending_ = Plus;
        display_ = zeroEntry;
        return {true, 2};
    case u'd':
    case u'D': clearKey(); return {true, 1};
    default: return {};
    }
}

// --------------------------------------------------------------- clipboard

QString ScientificEngine::cut(int start, int length)
{
    if (start < 0 || length <= 0 || start >= display_.size())
        return QString();
    const QString taken = display_.mid(start, length);
    display_.remove(start, length);
    return taken;
}

void ScientificEngine::paste(const QString& text)
{
    QString line = text;
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    // A pasted figure is an operand like a recalled one.
    showValue(line);
}

}  // namespace calculators
