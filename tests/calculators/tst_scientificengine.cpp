#include "calculators/scientificengine.h"

#include <QTest>

#include <cmath>
#include <numbers>

using calculators::ScientificEngine;

namespace {

// Feeds a calculator a line of keys, separated by blanks. Runs of digits
// and points are typed key by key; "[00]" is the double-zero key; "k:x"
// types the character x from the keyboard; the other words name keys.
struct Keys {
    ScientificEngine e;
    QStringList messages;

    Keys()
    {
        e.onMessage = [this](const QString& m) { messages << m; };
    }

    void press(const QString& line)
    {
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            key(word);
    }

    void key(const QString& w)
    {
        using E = ScientificEngine;
        static const QHash<QString, std::function<void(E&)>> named = {
            {"[00]", [](E& e) { e.digitKey(E::DoubleZeroKey); }},
            {"+", [](E& e) { e.operatorKey(E::Plus); }},
            {"-", [](E& e) { e.operatorKey(E::Minus); }},
            {"/", [](E& e) { e.operatorKey(E::Divide); }},
            {"*", [](E& e) { e.operatorKey(E::Times); }},
            {"=", [](E& e) { e.operatorKey(E::Equals); }},
            {"ncr", [](E& e) { e.operatorKey(E::Ncr); }},
            {"%", [](E& e) { e.operatorKey(E::Percent); }},
            {"npr", [](E& e) { e.operatorKey(E::Npr); }},
            {"xPOy", [](E& e) { e.operatorKey(E::Power); }},
            {"sin", [](E& e) { e.trigKey(E::Sin); }},
            {"cos", [](E& e) { e.trigKey(E::Cos); }},
            {"tan", [](E& e) { e.trigKey(E::Tan); }},
            {"asin", [](E& e) { e.trigKey(E::Asin); }},
            {"acos", [](E& e) { e.trigKey(E::Acos); }},
            {"atan", [](E& e) { e.trigKey(E::Atan); }},
            {"ln", [](E& e) { e.logKey(E::Ln); }},
            {"log", [](E& e) { e.logKey(E::Log); }},
            {"exp", [](E& e) { e.logKey(E::Exp); }},
            {"1/X", [](E& e) { e.functionKey(E::Reciprocal); }},
            {"sq", [](E& e) { e.functionKey(E::Square); }},
            {"cube", [](E& e) { e.functionKey(E::Cube); }},
            {"root", [](E& e) { e.functionKey(E::SquareRoot); }},
            {"fact", [](E& e) { e.functionKey(E::Factorial); }},
            {"sign", [](E& e) { e.signKey(); }},
            {"M+", [](E& e) { e.memoryKey(E::MemoryPlus); }},
            {"M-", [](E& e) { e.memoryKey(E::MemoryMinus); }},
            {"M*", [](E& e) { e.memoryKey(E::MemoryTimes); }},
            {"M/", [](E& e) { e.memoryKey(E::MemoryDivide); }},
            {"MR", [](E& e) { e.memoryKey(E::MemoryRecall); }},
            {"MC", [](E& e) { e.memoryKey(E::MemoryClear); }},
            {"push", [](E& e) { e.listKey(E::Push); }},
            {"view", [](E& e) { e.listKey(E::View); }},
            {"del", [](E& e) { e.listKey(E::Delete); }},
            {"copy", [](E& e) { e.listKey(E::CopyBack); }},
            {"Rnd", [](E& e) { e.constantKey(E::Random); }},
            {"pi", [](E& e) { e.constantKey(E::Pi); }},
            {"e", [](E& e) { e.constantKey(E::E); }},
            {"g", [](E& e) { e.constantKey(E::Gravity); }},
            {"h", [](E& e) { e.constantKey(E::Planck); }},
            {"C", [](E& e) { e.clearKey(); }},
            {"AC", [](E& e) { e.allClear(); }},
            {"Back", [](E& e) { e.backKey(); }},
            {"deg", [](E& e) { e.setAngleUnit(E::Degrees); }},
            {"rad", [](E& e) { e.setAngleUnit(E::Radians); }},
            {"grd", [](E& e) { e.setAngleUnit(E::Grads); }},
        };
        if (w.startsWith(QLatin1String("k:")) && w.size() == 3) {
            QVERIFY2(e.typeKey(w.at(2)).taken, qPrintable(w));
            return;
        }
        if (auto it = named.constFind(w); it != named.constEnd()) {
            it.value()(e);
            return;
        }
        for (QChar c : w) {
            if (c == u'.')
                e.digitKey(ScientificEngine::PointKey);
            else if (c.isDigit())
                e.digitKey(c.digitValue());
            else
                QFAIL(qPrintable(QStringLiteral("unknown key word: ") + w));
        }
    }
};

}  // namespace

class TestScientificEngine : public QObject {
    Q_OBJECT
private slots:
    // A line of keys, the display after it and the messages shown on the
    // way, in order ("|" between them).
    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("messages");

        // Typing.
        // clang-format off
        QTest::newRow("typed number keeps its leading blank") << "1 2 3" << " 123" << "";
        QTest::newRow("a zero is replaced by the next digit") << "0 0 5" << " 5" << "";
        QTest::newRow("double zero key") << "1 [00]" << " 100" << "";
        QTest::newRow("second point refused") << "1.5." << " 1.5" << "ILLEGAL QUARNE";
        QTest::newRow("Back removes the last character") << "123 Back" << " 12" << "";
        QTest::newRow("point can be typed again after Back took it") << "1.5 Back Back .25" << " 1.25" << "";
        QTest::newRow("C clears the point as well") << "0.5 C 0.5" << " 0.5" << "";
        QTest::newRow("C leaves the calculation") << "5 + 7 C 3 =" << "8" << "";

        // Left to right, no precedence.
        QTest::newRow("left to right") << "5 + 3 * 2 =" << "16" << "";
        QTest::newRow("minus and divide") << "9 - 3 / 4 =" << "1.5" << "";
        QTest::newRow("= after = repeats the result") << "5 + 3 = =" << "8" << "";
        QTest::newRow("operator after operator replaces it") << "5 + * 2 =" << "10" << "";
        QTest::newRow("digit after = starts afresh") << "5 + 3 = 2 + 1 =" << "3" << "";
        QTest::newRow("operator after = continues") << "5 + 3 = + 1 =" << "9" << "";
        QTest::newRow("= on its own repeats the operand") << "5 + =" << "10" << "";
        QTest::newRow("decimal result in the default form") << "0.1 + 0.2 =" << "0.3" << "";
        QTest::newRow("tiny result with exponent") << "1 / 100000 =" << "1E-05" << "";

        // An operator on a zero display evaluates like any other.
        QTest::newRow("= at the start") << "=" << "0" << "";
        QTest::newRow("plus zero") << "5 + 0 =" << "5" << "";
        QTest::newRow("times zero") << "5 * 0 =" << "0" << "";
        QTest::newRow("zero to the power") << "2 xPOy 0 =" << "1" << "";
        QTest::newRow("zero in the middle") << "0 + 4 =" << "4" << "";
        QTest::newRow("divide by zero refused") << "6 / 0 =" << "6" << " ILLEGAL  DIVIDE  0 ";
        QTest::newRow("refused division keeps the new operator") << "6 / 0 + 1 =" << "7" << " ILLEGAL  DIVIDE  0 ";

        // Remainder.
        QTest::newRow("remainder") << "7 % 3 =" << "1" << "";
        QTest::newRow("remainder has the dividend's sign") << "7 sign % 3 =" << "-1" << "";
        QTest::newRow("remainder rounds halves to even") << "2.5 % 1.5 =" << "0" << "";
        QTest::newRow("remainder by a value rounding to 0") << "7 % 0.4 =" << "7" << " ILLEGAL  DIVIDE  0 ";

        // Combinations and permutations.
        QTest::newRow("ncr") << "5 ncr 2 =" << "10" << "";
        QTest::newRow("npr") << "5 npr 2 =" << "20" << "";
        QTest::newRow("ncr all") << "5 ncr 5 =" << "1" << "";
        QTest::newRow("npr all") << "5 npr 5 =" << "120" << "";
        QTest::newRow("ncr none") << "12 ncr 0 =" << "1" << "";
        QTest::newRow("npr largest") << "12 npr 12 =" << "479001600" << "";
        QTest::newRow("ncr r above n") << "2 ncr 3 =" << "2" << "ILLEGAL  ENTRIES  of  N ,R ";
        QTest::newRow("ncr negative r") << "4 ncr 1 sign =" << "4" << "ILLEGAL  ENTRIES  of  N ,R ";
        QTest::newRow("ncr beyond the factorials") << "20 ncr 3 =" << " 3" << "VALUE TOO LARGE";
        QTest::newRow("npr beyond the factorials") << "13 npr 1 =" << " 1" << "VALUE TOO LARGE";
        QTest::newRow("ncr refused, next operation goes on") << "20 ncr 3 = 4 + 1 =" << "5" << "VALUE TOO LARGE";

        // Whole powers.
        QTest::newRow("power") << "2 xPOy 10 =" << "1024" << "";
        QTest::newRow("power of a fraction") << "1.5 xPOy 2 =" << "2.25" << "";
        QTest::newRow("power truncates the exponent") << "2 xPOy 3.9 =" << "8" << "";
        QTest::newRow("power of zero refused") << "0 xPOy 2 =" << "0" << "ILLEGAL.  INVALIED ENTRIES";
        QTest::newRow("negative power") << "2 xPOy 3 sign =" << "0" << "ILLEGAL. POWER LESTHAN 0.";
        QTest::newRow("power beyond the double range") << "10 xPOy 400 =" << "10" << "OVERFLOW. VALUE TOO LARGE ";
        QTest::newRow("huge exponent") << "2 xPOy 3000000000 =" << "2" << "OVERFLOW. VALUE TOO LARGE ";
        QTest::newRow("huge exponent of a fraction") << "0.5 xPOy 3000000000 =" << "0" << "";
        QTest::newRow("huge odd exponent of minus one") << "1 sign xPOy 3000000001 =" << "-1" << "";
        QTest::newRow("overflow keeps the accumulator") << "10 xPOy 400 = + 1 =" << "11" << "OVERFLOW. VALUE TOO LARGE ";

        // Functions on the display.
        QTest::newRow("sin 90 in degrees at start") << "90 sin" << "1" << "";
        QTest::newRow("cos 0") << "0 cos" << "1" << "";
        QTest::newRow("tan 45") << "45 tan" << "1" << "";
        QTest::newRow("atan in degrees") << "1 atan" << "45" << "";
        QTest::newRow("sin in radians") << "rad 2 sin" << "0.909297426825682" << "";
        QTest::newRow("sin in grads") << "grd 100 sin" << "1" << "";
        QTest::newRow("atan in grads") << "grd 1 atan" << "50" << "";
        QTest::newRow("back to degrees") << "rad deg 30 sin" << "0.5" << "";
        QTest::newRow("asin has no action") << "0.5 asin acos" << " 0.5" << "";
        QTest::newRow("log") << "1000 log" << "3" << "";
        QTest::newRow("ln of e") << "e ln" << "0.999999999831127" << "";
        QTest::newRow("ln of 0") << "0 ln" << " 0" << " ILLEGAL.  LOG  NON  POSITIVE ";
        QTest::newRow("log of a negative") << "2 sign log" << "-2" << " ILLEGAL. LOG  NON  POSITIVE ";
        QTest::newRow("e to the x") << "1 exp" << "2.71828182845905" << "";
        QTest::newRow("e to the 700") << "700 exp" << " 700" << " OVERFLOW. VALUE TOO BIG ";
        QTest::newRow("square of a fraction") << "2.5 sq" << "6.25" << "";
        QTest::newRow("square of a negative") << "3 sign sq" << "9" << "";
        // Square and cube go as far as a double does.
        QTest::newRow("square past 32 bits") << "50000 sq" << "2500000000" << "";
        QTest::newRow("square of a large negative") << "46300 sign sq" << "2143690000" << "";
        QTest::newRow("square beyond the double range") << "10 xPOy 200 = sq" << "1E+200" << "OVERFLOW. VALUE TOO LARGE ";
        QTest::newRow("cube of a fraction") << "1.5 cube" << "3.375" << "";
        QTest::newRow("cube past 32 bits") << "1300 cube" << "2197000000" << "";
        QTest::newRow("cube of a large negative") << "1300 sign cube" << "-2197000000" << "";
        QTest::newRow("cube beyond the double range") << "10 xPOy 103 = cube" << "1E+103" << "OVERFLOW. VALUE TOO LARGE ";
        QTest::newRow("reciprocal") << "4 1/X" << "0.25" << "";
        QTest::newRow("reciprocal of a fraction") << "0.4 1/X" << "2.5" << "";
        QTest::newRow("reciprocal of 0") << "0 1/X" << " 0" << " ILLEGAL  DIVIDE  0 ";
        QTest::newRow("square root") << "2.25 root" << "1.5" << "";
        QTest::newRow("square root of a negative") << "4 sign root" << "-4" << " ILLEGAL  ATTEMPTING  NEGETIVE  ROOT";
        QTest::newRow("square root of a small negative") << "0.4 sign root" << "-0.4" << " ILLEGAL  ATTEMPTING  NEGETIVE  ROOT";
        QTest::newRow("factorial of 0") << "0 fact" << "1" << "";
        QTest::newRow("factorial of 12") << "12 fact" << "479001600" << "";
        QTest::newRow("factorial rounds") << "4.6 fact" << "120" << "";
        QTest::newRow("factorial of 13") << "13 fact" << "13" << "VALUE TOO LARGE";
        QTest::newRow("factorial of a negative") << "2 sign fact" << "-2" << "ILLEGAL  NEAGETIVE  FACTORIAL";
        QTest::newRow("sign") << "5 sign" << "-5" << "";
        QTest::newRow("sign of 0") << "0 sign" << "0" << "";
        QTest::newRow("function leaves the calculation") << "3 + 16 root =" << "7" << "";

        // Whole quarter turns come out exact.
        QTest::newRow("cos 90") << "90 cos" << "0" << "";
        QTest::newRow("cos 270") << "270 cos" << "0" << "";
        QTest::newRow("cos 180") << "180 cos" << "-1" << "";
        QTest::newRow("sin 180") << "180 sin" << "0" << "";
        QTest::newRow("sin 270") << "270 sin" << "-1" << "";
        QTest::newRow("sin -360") << "360 sign sin" << "0" << "";
        QTest::newRow("cos of many turns and a quarter") << "3600090 cos" << "0" << "";
        QTest::newRow("tan 180") << "180 tan" << "0" << "";
        QTest::newRow("tan 135") << "135 tan" << "-1" << "";
        QTest::newRow("tan 90 refused") << "90 tan" << " 90" << "ILLEGAL.  DIVIDE  BY  ZERO ";
        QTest::newRow("tan -270 refused") << "270 sign tan" << "-270" << "ILLEGAL.  DIVIDE  BY  ZERO ";
        QTest::newRow("tan 100 grads refused") << "grd 100 tan" << " 100" << "ILLEGAL.  DIVIDE  BY  ZERO ";
        QTest::newRow("sin 200 grads") << "grd 200 sin" << "0" << "";
        QTest::newRow("tan of the pi key over 2 refused") << "rad pi / 2 = tan" << "1.570796327" << "ILLEGAL.  DIVIDE  BY  ZERO ";
        QTest::newRow("tan of pi/2 as displayed refused") << "rad 1.5707963267949 tan" << " 1.5707963267949" << "ILLEGAL.  DIVIDE  BY  ZERO ";
        QTest::newRow("cos of the pi key over 2") << "rad pi / 2 = cos" << "0" << "";
        QTest::newRow("sin of the pi key") << "rad pi sin" << "0" << "";
        QTest::newRow("tan near but not at pi/2") << "rad 1.5707963 tan" << "37320539.6343548" << "";
        QTest::newRow("sin of a tiny angle") << "0.0000001 sin" << "1.74532925199433E-09" << "";

        // A key that shows a value makes it the operand of what follows.
        QTest::newRow("M + twice") << "5 M+ 3 M+ MR" << "8" << "";
        QTest::newRow("digit after a square") << "4 sq 3" << " 3" << "";
        QTest::newRow("constant right after an operator") << "5 + pi * 2 =" << "16.283185308" << "";
        QTest::newRow("function right after an operator") << "3 + sq * 2 =" << "24" << "";
        QTest::newRow("function on a result goes on with it") << "5 + 3 = sq + 1 =" << "65" << "";
        QTest::newRow("sign on a result goes on with it") << "5 + 3 = sign + 1 =" << "-7" << "";
        QTest::newRow("constant after a result starts afresh") << "5 + 3 = pi =" << "3.141592654" << "";
        QTest::newRow("memory keeps the calculation") << "5 + 3 = M+ + 1 =" << "9" << "";
        QTest::newRow("memory after an operator keeps it pending") << "5 + M+ * 2 =" << "10" << "";
        QTest::newRow("refused function keeps the entry") << "0 ln 5" << " 5" << " ILLEGAL.  LOG  NON  POSITIVE ";

        // Memory.
        QTest::newRow("M + and MR") << "6 M+ C 2 M+ MR" << "8" << "";
        QTest::newRow("M -") << "3 M- MR" << "-3" << "";
        QTest::newRow("M *") << "3 M+ C 2 M* MR" << "6" << "";
        QTest::newRow("M /") << "6 M+ C 2 M/ MR" << "3" << "";
        QTest::newRow("M / by 0") << "6 M+ C 0 M/ MR" << "6" << "ILLEGAL. DIVIDE 0 ERROR ";
        QTest::newRow("MC") << "5 M+ MC MR" << "0" << "";
        QTest::newRow("MR as the operand of a pending operation") << "3 M+ C 5 + MR =" << "8" << "";
        QTest::newRow("MR followed by an operator") << "3 M+ C 5 + MR + 1 =" << "9" << "";
        QTest::newRow("MR after = starts afresh") << "4 M+ C 2 + 3 = MR + 1 =" << "5" << "";
        QTest::newRow("digits after MR start a new number") << "4 M+ MR 7" << " 7" << "";
        QTest::newRow("AC empties the memory") << "4 M+ AC MR" << "0" << "";

        // Constants.
        QTest::newRow("pi") << "pi" << "3.141592654" << "";
        QTest::newRow("e") << "e" << "2.718281828" << "";
        QTest::newRow("g") << "g" << "9.80665" << "";
        QTest::newRow("h") << "h" << "6.62607015E-34" << "";
        QTest::newRow("h as operand") << "h * 2 =" << "1.32521403E-33" << "";
        QTest::newRow("constant as operand") << "2 * pi =" << "6.283185308" << "";

        // Clearing.
        QTest::newRow("AC") << "5 + 3 AC 2 =" << "2" << "";
        QTest::newRow("AC display") << "5 + 3 AC" << " 0" << "";

        // The keyboard.
        QTest::newRow("typed keys") << "k:1 k:2 k:* k:3 k:=" << "36" << "";
        QTest::newRow("typed point") << "k:1 k:. k:5 k:." << " 1.5" << "ILLEGAL QUARNE";
        QTest::newRow("typed c clears the calculation") << "5 + 3 k:c 2 =" << "2" << "";
        QTest::newRow("typed C clears the calculation") << "5 + 3 k:C" << " 0" << "";
        QTest::newRow("typed d clears the display") << "5 + 3 k:d 4 =" << "9" << "";
        QTest::newRow("typed D clears the point") << "0.5 k:D 0.5" << " 0.5" << "";
        QTest::newRow("typed minus and divide") << "k:8 k:- k:2 k:/ k:4 k:=" << "1.5" << "";
        // clang-format on
    }
    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, messages);
        Keys k;
        k.press(keys);
        QCOMPARE(k.e.display(), display);
        QCOMPARE(k.messages.join(QLatin1Char('|')), messages);
    }

    // Every key that shows a value or stores the display ends the number
    // being typed: the next digit, point included, starts a new one.
    void shownValueEndsTheEntry_data()
    {
        QTest::addColumn<QString>("key");
        const QString keys = QStringLiteral("M+ M- M* M/ MR push copy sin cos tan atan ln log exp 1/X sq cube root "
                                            "fact sign Rnd pi e g h");
        for (const QString& key : keys.split(QLatin1Char(' ')))
            QTest::newRow(qPrintable(key)) << key;
    }
    void shownValueEndsTheEntry()
    {
        QFETCH(QString, key);
        Keys k;
        k.press(QStringLiteral("2.5 ") + key + QStringLiteral(" .5"));
        QCOMPARE(k.e.display(), QStringLiteral(" .5"));
        QVERIFY2(k.messages.isEmpty(), qPrintable(k.messages.join(QLatin1Char('|'))));
    }

    void startState()
    {
        ScientificEngine e;
        QCOMPARE(e.display(), QStringLiteral(" 0"));
        QCOMPARE(e.ang, std::numbers::pi / 180);
        QCOMPARE(e.memo, 0.0);
        QCOMPARE(e.qt, std::int16_t(0));
        QCOMPARE(e.qv, std::int16_t(0));
        QCOMPARE(e.pendingOperator(), int(ScientificEngine::Plus));
        QCOMPARE(e.viewed(), QString());
    }

    void angleFactors()
    {
        ScientificEngine e;
        e.setAngleUnit(ScientificEngine::Grads);
        QCOMPARE(e.ang, std::numbers::pi / 200);
        e.setAngleUnit(ScientificEngine::Radians);
        QCOMPARE(e.ang, 1.0);
        e.setAngleUnit(ScientificEngine::Degrees);
        QCOMPARE(e.ang, std::numbers::pi / 180);
    }

    void savedValuesCycle()
    {
        Keys k;
        k.press(QStringLiteral("1 push C 2 push C 3 push"));
        QCOMPARE(k.e.qt, std::int16_t(3));
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            k.key(QStringLiteral("view"));
            seen << k.e.viewed();
        }
        QCOMPARE(seen, QStringList({"2", "3", "1", "2"}));
        QVERIFY(k.messages.isEmpty());
    }

    void deleteMovesTheLastValue()
    {
        Keys k;
        k.press(QStringLiteral("1 push C 2 push C 3 push view"));  // views 2, position 1
        k.key(QStringLiteral("del"));
        QCOMPARE(k.e.viewed(), QStringLiteral("3"));
        QCOMPARE(k.e.qt, std::int16_t(2));
        QCOMPARE(k.e.savedValue(0), 1.0);
        QCOMPARE(k.e.savedValue(1), 3.0);
        k.key(QStringLiteral("view"));
        QCOMPARE(k.e.viewed(), QStringLiteral("1"));
        k.key(QStringLiteral("copy"));
        QCOMPARE(k.e.display(), QStringLiteral("1"));
    }

    void emptyAndFullListAreQuiet()
    {
        Keys k;
        k.press(QStringLiteral("view del copy"));
        QCOMPARE(k.e.qt, std::int16_t(0));
        QCOMPARE(k.e.qv, std::int16_t(0));
        QCOMPARE(k.e.viewed(), QString());

        for (int i = 1; i <= ScientificEngine::listCapacity + 1; ++i)
            k.press(QStringLiteral("C %1 push").arg(i));
        QCOMPARE(k.e.qt, std::int16_t(ScientificEngine::listCapacity));
        QCOMPARE(k.e.savedValue(ScientificEngine::listCapacity - 1), double(ScientificEngine::listCapacity));
        QVERIFY(k.messages.isEmpty());
    }

    void allClearEmptiesTheList()
    {
        Keys k;
        k.press(QStringLiteral("5 push C 6 push view"));
        k.e.qh = 7;
        k.key(QStringLiteral("AC"));
        QCOMPARE(k.e.qt, std::int16_t(0));
        QCOMPARE(k.e.qh, std::int16_t(0));
        QCOMPARE(k.e.qv, std::int16_t(1));  // kept
        k.key(QStringLiteral("view"));
        QCOMPARE(k.e.viewed(), QStringLiteral("6"));  // nothing to view: unchanged
    }

    void qnextWraps()
    {
        ScientificEngine e;
        std::int16_t i = 2;
        QCOMPARE(e.qnext(i), std::int16_t(0));  // empty list
        e.qt = 3;
        QCOMPARE(e.qnext(i), std::int16_t(0));
        i = 0;
        QCOMPARE(e.qnext(i), std::int16_t(1));
        QCOMPARE(i, std::int16_t(0));
    }

    void powerAndFact()
    {
        Keys k;
        QCOMPARE(k.e.power(3, 4), 81.0);
        QCOMPARE(k.e.power(3, 0), 1.0);
        QCOMPARE(k.e.power(3, -1), 0.0);
        QCOMPARE(k.e.fact(0), 1);
        QCOMPARE(k.e.fact(5), 120);
        QCOMPARE(k.e.fact(-3), -3);
        QCOMPARE(k.e.fact(13), 13);
        QCOMPARE(k.messages,
                 QStringList({"ILLEGAL. POWER LESTHAN 0.", "ILLEGAL  NEAGETIVE  FACTORIAL", "VALUE TOO LARGE"}));
    }

    void typedKeysBeep()
    {
        ScientificEngine e;
        QCOMPARE(e.typeKey(u'7').beeps, 1);
        QCOMPARE(e.typeKey(u'+').beeps, 1);
        QCOMPARE(e.typeKey(u'c').beeps, 2);
        QCOMPARE(e.typeKey(u'D').beeps, 1);
        for (QChar other : {u'x', u'a', u' ', u'\r', u'%'}) {
            const ScientificEngine::Typed t = e.typeKey(other);
            QVERIFY(!t.taken);
            QCOMPARE(t.beeps, 0);
        }
        QCOMPARE(e.display(), QStringLiteral(" 0"));
    }

    void randomNumbers()
    {
        ScientificEngine e;
        QSet<QString> seen;
        for (int i = 0; i < 50; ++i) {
            e.constantKey(ScientificEngine::Random);
            const double v = e.displayValue();
            QVERIFY2(v >= 0 && v < 1, qPrintable(e.display()));
            seen.insert(e.display());
        }
        QVERIFY(seen.size() > 40);
    }

    void clipboardEdits()
    {
        Keys k;
        k.press(QStringLiteral("1 2 3 4"));
        QCOMPARE(k.e.cut(1, 2), QStringLiteral("12"));
        QCOMPARE(k.e.display(), QStringLiteral(" 34"));
        QCOMPARE(k.e.cut(5, 1), QString());
        k.e.paste(QStringLiteral("42.5\r\n"));
        QCOMPARE(k.e.display(), QStringLiteral("42.5"));
        k.press(QStringLiteral("* 2 ="));
        QCOMPARE(k.e.display(), QStringLiteral("85"));

        // A pasted figure is an operand: typing after it starts a new number,
        // and an operator right after another one still takes it.
        k.press(QStringLiteral("5 +"));
        k.e.paste(QStringLiteral("3"));
        k.press(QStringLiteral("* 2 ="));
        QCOMPARE(k.e.display(), QStringLiteral("16"));
        k.e.paste(QStringLiteral("1.5"));
        k.press(QStringLiteral(".5"));
        QCOMPARE(k.e.display(), QStringLiteral(" .5"));
        QVERIFY(k.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScientificEngine)
#include "tst_scientificengine.moc"
