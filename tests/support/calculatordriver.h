#pragma once
// Drives a calculator window as a user would: types into its boxes, picks
// combo entries and options, clicks its buttons and reads its results.
// Header only: the calculator tests alone include it.

#include "support/fakeplatform.h"

#include "calculators/calculatorwindow.h"
#include "calculators/inputreader.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTest>
#include <cmath>

namespace calctest {

// The window opened on one calculator, as the main menu opens it.
template <class Window>
Window& opened(int which)
{
    Window& w = ui::form<Window>();
    w.Which = which;
    w.Showframe();
    w.show();
    return w;
}

// Types text into a box of the frame shown, over what it held.
inline void type(calculators::CalculatorWindow& w, const QString& name, const QString& text)
{
    ui::TextBox* box = w.textBox(name);
    QVERIFY2(box, qPrintable(name));
    QVERIFY2(box->isVisible(), qPrintable(name + " is not on the frame shown"));
    box->clear();
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

// "name=text" types text into a box; "cmbName#i" picks entry i of a combo
// (-1 clears it); a bare name clicks that option button.
inline void enter(calculators::CalculatorWindow& w, const QStringList& inputs)
{
    for (const QString& input : inputs) {
        const qsizetype eq = input.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            type(w, input.left(eq), input.mid(eq + 1));
        } else if (input.contains(QLatin1Char('#'))) {
            const QStringList parts = input.split(QLatin1Char('#'));
            ui::ComboBox* c = w.comboBox(parts[0]);
            QVERIFY2(c, qPrintable(parts[0]));
            c->setListIndex(parts[1].toInt());
        } else {
            QAbstractButton* o = w.button(input);
            QVERIFY2(o, qPrintable(input));
            QTest::mouseClick(o, Qt::LeftButton);
        }
        if (QTest::currentTestFailed())
            return;
    }
}

inline void click(calculators::CalculatorWindow& w, const QString& name)
{
    QAbstractButton* b = w.button(name);
    QVERIFY2(b, qPrintable(name));
    QVERIFY2(b->isVisible(), qPrintable(name + " is not on the frame shown"));
    QTest::mouseClick(b, Qt::LeftButton);
}

// "name=text" expects exactly that text; "name~number" a value within 1e-9
// (formulas checked against figures worked out by hand).
inline void expect(calculators::CalculatorWindow& w, const QStringList& outputs)
{
    for (const QString& output : outputs) {
        const bool near = output.contains(QLatin1Char('~'));
        const QStringList parts = output.split(near ? QLatin1Char('~') : QLatin1Char('='));
        ui::TextBox* box = w.textBox(parts[0]);
        QVERIFY2(box, qPrintable(parts[0]));
        if (near) {
            bool ok = false;
            const double got = box->text().toDouble(&ok);
            QVERIFY2(ok, qPrintable(parts[0] + " reads " + box->text()));
            QVERIFY2(std::fabs(got - parts[1].toDouble()) < 1e-9,
                     qPrintable(parts[0] + " reads " + box->text() + ", expected " + parts[1]));
        } else {
            QCOMPARE(box->text(), parts[1]);
        }
    }
}

// One computation as the user makes it: the inputs entered, the buttons
// clicked in turn, the outputs expected, and no message on the way.
inline void compute(calculators::CalculatorWindow& w, const FakePlatform& fake, const QStringList& inputs,
                    const QStringList& buttons, const QStringList& outputs)
{
    enter(w, inputs);
    for (const QString& b : buttons) {
        if (QTest::currentTestFailed())
            return;
        click(w, b);
    }
    if (QTest::currentTestFailed())
        return;
    expect(w, outputs);
    QVERIFY(fake.messages.isEmpty());
}

// The message for a box named `name` (label in quotes, then its context)
// refused for `problem`: "not a number", "not an amount" (a cost box),
// "too large", "negative" or "zero".
inline QString refusal(const QString& problem, const QString& name, const QString& text = {})
{
    using calculators::InputReader;
    if (problem == QLatin1String("not a number") || problem == QLatin1String("not an amount"))
        return InputReader::notANumberMessage(name, text, problem == QLatin1String("not an amount"));
    if (problem == QLatin1String("too large"))
        return InputReader::tooLargeMessage(name, text);
    if (problem == QLatin1String("negative"))
        return InputReader::negativeMessage(name, text);
    if (problem == QLatin1String("zero"))
        return InputReader::zeroMessage(name);
    return problem;  // a message of the calculator's own
}

// A computation refused over one box: the results hold a mark first, so
// that any write shows; then the one message, the marks unchanged, and the
// refused box's text selected for correction.
inline void refuses(calculators::CalculatorWindow& w, const FakePlatform& fake, const QStringList& inputs,
                    const QString& button, const QString& refusedBox, const QString& message,
                    const QStringList& outputs)
{
    const QString mark = QStringLiteral("as before");
    for (const QString& o : outputs) {
        ui::TextBox* box = w.textBox(o);
        QVERIFY2(box, qPrintable(o));
        box->setText(mark);
    }
    enter(w, inputs);
    if (QTest::currentTestFailed())
        return;
    click(w, button);
    QCOMPARE(fake.messageTexts(), QStringList{message});
    for (const QString& o : outputs)
        QCOMPARE(w.textBox(o)->text(), mark);
    ui::TextBox* refused = w.textBox(refusedBox);
    QVERIFY2(refused, qPrintable(refusedBox));
    QCOMPARE(refused->selectedText(), refused->text());
}

// A computation that would overflow after a good one: one message, and the
// outputs as the good one left them.
inline void overflowKeeps(calculators::CalculatorWindow& w, const FakePlatform& fake, const QStringList& first,
                          const QStringList& huge, const QString& button, const QStringList& kept)
{
    enter(w, first);
    click(w, button);
    QVERIFY(fake.messages.isEmpty());
    enter(w, huge);
    click(w, button);
    QCOMPARE(fake.messageTexts(), QStringList{calculators::overflowMessage()});
    expect(w, kept);
}

}  // namespace calctest
