#pragma once
// How the calculator windows read what was typed into their boxes. A box
// is read whole: the figure it holds, or a message that names the box by
// its label and says what is wrong. A computation reads all its boxes
// first and computes nothing when one of them is refused, so the results
// keep what they showed.
//
// The estimate screen's own boxes keep the runtime's number reading; this
// is for the calculator windows only.

#include <QString>
#include <QStringView>

class QWidget;

namespace calculators {

class CalculatorWindow;

// What the text of a box says as a figure.
struct Figure {
    enum Status {
        Empty,       // nothing but blanks: reads as 0
        Number,      // value holds it
        NotANumber,  // anything else: "abc", "12.5x", "2.5ft", "10'6\""
        TooLarge,    // digits beyond the double range ("1E400")
    };
    Status status = Empty;
    double value = 0;
};

// Blanks around the text are dropped. A figure is an optional sign, then
// digits with an optional point and decimals (".5" and "5." too), the
// digits before the point either plain or grouped in threes by commas
// ("2,500", "1,250.75"), and an optional exponent ("1E-05", as results are
// written). A simple or mixed fraction reads as its value ("3/4" is 0.75,
// "1 1/2" is 1.5); a fraction over 0 is not a number. With `money` a "$"
// may stand before the figure (or after its sign). The reading does not
// depend on the locale.
Figure readFigure(QStringView text, bool money = false);

// The name a message gives a box: its label, and the row or column it
// stands in (`context`) where the label alone does not tell which box it
// is. Set where the box is built; FrameBuilder sets the label of the rows
// it lays out.
void setFieldName(QWidget* box, const QString& label, const QString& context = {});
// Adds the context to a box whose label is already set.
void setFieldContext(QWidget* box, const QString& context);
// The label in double quotes, trailing blanks and colon dropped, then the
// context in brackets: "Length (Feet)" (FIRST AREA). Empty when unset.
QString fieldName(const QWidget* box);

// Reads the boxes of one computation in turn. The first box refused is
// remembered and every later read gives 0; refused() then reports it.
class InputReader {
public:
    explicit InputReader(const CalculatorWindow& window);

    // A length, area, size, count or rate: 0 or more; empty is 0.
    double measure(const QString& box);
    // A cost: as a measure, and a leading "$" is allowed.
    double money(const QString& box);
    // An angle: any sign.
    double angle(const QString& box);
    // A size something is divided by: more than 0 (empty is refused too).
    // When not `needed` (nothing to divide), read as a measure.
    double divisor(const QString& box, bool needed = true);

    // A problem the computation found itself (a geometry that cannot be),
    // reported on `box`. Kept only when no box was refused before.
    void refuse(const QString& message, const QString& box);

    bool ok() const { return message_.isEmpty(); }
    // When a box was refused: shows its message, puts the focus on that box
    // with its text selected, and returns true.
    bool refused();

    // The messages, for the box named `name` (as fieldName gives it) that
    // holds `text`.
    static QString notANumberMessage(const QString& name, const QString& text, bool money);
    static QString tooLargeMessage(const QString& name, const QString& text);
    static QString negativeMessage(const QString& name, const QString& text);
    static QString zeroMessage(const QString& name);

private:
    enum class Sign { NotNegative, Any };
    double read(const QString& box, bool money, Sign sign);

    const CalculatorWindow& window_;
    QString message_;
    QString box_;
};

}  // namespace calculators
