#pragma once
// The scientific calculator's working, without any widget: it takes the keys
// one at a time and keeps the display text, the left-to-right evaluation,
// the memory register and the saved-value list. The window forwards its
// buttons and typed keys here and shows what comes back; messages go out
// through onMessage, which the window turns into message boxes.

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <random>

namespace calculators {

class ScientificEngine {
public:
    ScientificEngine();

    // Indexes of the key arrays, as the keypad numbers them.
    enum Operator : std::int16_t {
        Plus = 0,
        Minus = 1,
        Divide = 2,
        Times = 3,
        Equals = 4,
        Ncr = 5,
        Percent = 6,
        Npr = 7,
        Power = 8
    };
    enum Trig { Sin = 0, Cos = 1, Tan = 2, Asin = 3, Acos = 4, Atan = 5 };
    enum Function { Reciprocal = 0, Square = 1, SquareRoot = 2, Factorial = 4, Cube = 8 };
    enum Logarithm { Ln = 0, Log = 1, Exp = 2 };
    enum Memory {
        MemoryPlus = 0,
        MemoryMinus = 1,
        MemoryTimes = 2,
        MemoryDivide = 3,
        MemoryRecall = 4,
        MemoryClear = 5
    };
    enum SavedList { Push = 0, View = 1, Delete = 2, CopyBack = 3 };
    enum Constant { Random = 0, Pi = 1, E = 2, Gravity = 3, Planck = 4 };
    enum AngleUnit { Degrees = 0, Radians = 1, Grads = 2 };

    // Digit key indexes beyond 0-9.
    static constexpr int PointKey = 10;
    static constexpr int DoubleZeroKey = 11;
    static constexpr int listCapacity = 26;

    // The window's public variables.
    std::int16_t qt = 0;  // values in the saved-value list
    std::int16_t qh = 0;  // zeroed at start and by AC, read by nothing
    std::int16_t qv = 0;  // position of the value View shows
    double ang = 0;       // a displayed angle times ang gives radians
    double memo = 0;      // the memory register

    // Receives every message, in the words the user sees.
    std::function<void(const QString&)> onMessage;

    // Keypad.
    void digitKey(int index);     // 0-9, PointKey, DoubleZeroKey
    void operatorKey(int index);  // Operator
    void trigKey(int index);      // Trig
    void functionKey(int index);  // Function
    void logKey(int index);       // Logarithm
    void signKey();
    void memoryKey(int index);    // Memory
    void listKey(int index);      // SavedList
    void constantKey(int index);  // Constant
    void clearKey();              // "C": the display only
    void allClear();              // "AC"
    void backKey();
    void setAngleUnit(int index);  // AngleUnit

    // A character typed into the window. Taken keys come back with the
    // number of beeps that go with them; other keys are not taken and
    // change nothing.
    struct Typed {
        bool taken = false;
        int beeps = 0;
    };
    Typed typeKey(QChar ch);

    // The display and the label that shows the viewed saved value.
    QString display() const { return display_; }
    void setDisplay(const QString& text) { display_ = text; }
    double displayValue() const;
    QString viewed() const { return viewed_; }

    // Clipboard-facing edits of the display. cut takes the characters
    // [start, start + length) out of the display and returns them.
    QString cut(int start, int length);
    // The display becomes the pasted text (line breaks dropped: the display
    // holds one line), an operand as a recalled value is.
    void paste(const QString& text);

    // What the evaluation holds, for anyone who wants to look.
    double accumulator() const { return accumulator_; }
    int pendingOperator() const { return pending_; }
    bool operatorPressed() const { return operatorPressed_; }
    bool entering() const { return entering_; }
    bool pointTyped() const { return pointTyped_; }
    double savedValue(int position) const;

    // (i + 1) Mod qt; 0 while the list is empty.
    std::int16_t qnext(std::int16_t& i) const;
    // x to the whole power n by repeated multiplication; a negative n is
    // reported and gives 0.
    double power(double x, std::int32_t n);
    // n! for 0 to 12; outside that range a message, and n itself.
    std::int32_t fact(std::int32_t n);

private:
    void message(const QString& text);
    // Writes a function key's result, or refuses one beyond the double range.
    void showResult(double value);
    // A key's own value in the display: the operand of the next operator,
    // and the next digit starts a new number.
    void showValue(const QString& shown);
    double wholePower(double x, double n);
    double factorial(double n);
    // The pending operator applied to the accumulator and x.
    void evaluate(double x);

    QString display_;
    QString viewed_;
    double accumulator_ = 0;
    std::int16_t pending_ = Plus;
    bool operatorPressed_ = false;
    bool entering_ = false;
    bool pointTyped_ = false;
    std::array<double, listCapacity> saved_{};
    std::mt19937 random_;
};

}  // namespace calculators
