#include "support/screentest.h"

#include "calculators/frmscientific.h"
#include "calculators/scientificscreen.h"
#include "shell/screens.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using calculators::FrmScientific;

class TestScientific : public ScreenTest {
    Q_OBJECT

    // The window shown, with whatever its start-up put in the log forgotten.
    FrmScientific& opened()
    {
        FrmScientific& f = ui::form<FrmScientific>();
        f.show();
        fake->log.clear();
        fake->messages.clear();
        return f;
    }

    static void click(FrmScientific& f, const QString& keys)
    {
        for (const QString& name : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            QPushButton* b = f.key(name);
            QVERIFY2(b, qPrintable(name));
            QVERIFY2(b->isVisible(), qPrintable(name));
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }

    static QAction* action(FrmScientific& f, const QString& name) { return f.window()->findChild<QAction*>(name); }

private slots:
    void init() { initScreenTest(Database::None); }

    void opensFromItsScreenName()
    {
        fake->clipboard = QStringLiteral("12.5");
        calculators::registerScientific();
        const shell::Screen* s = shell::findScreen(QStringLiteral("scientific"));
        QVERIFY(s);
        s->show();
        FrmScientific& f = ui::form<FrmScientific>();
        QVERIFY(f.isVisible());
        QCOMPARE(f.name(), QStringLiteral("scientific"));
        QCOMPARE(f.caption(), QStringLiteral("# Scientific Calc #"));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 0"));
        QCOMPARE(f.Label2->text(), QStringLiteral("0."));
        QVERIFY(f.Option2[0]->isChecked());
        // Opening leaves a figure on its way into an estimate alone.
        QCOMPARE(fake->clipboard, QStringLiteral("12.5"));
        QVERIFY(!fake->log.contains(QStringLiteral("clearClipboard")));
    }

    void menuCaptions()
    {
        FrmScientific& f = opened();
        QStringList menus;
        for (QAction* a : f.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&Edit", "&Type", "&Help"}));
        const auto texts = [&](const QString& menu) {
            QStringList out;
            for (QAction* a : f.window()->findChild<QMenu*>(menu)->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(texts("edit"), QStringList({"&Cut", "C&opy", "&Paste", "-", "Select &All", "-", "&Exit"}));
        QCOMPARE(texts("type"), QStringList({"S&tandard", "S&cieintific"}));
        QCOMPARE(texts("help"), QStringList({"&Contents", "-", "&About"}));
    }

    void clickedKeysCalculate()
    {
        FrmScientific& f = opened();
        click(f, QStringLiteral("Command1_5 Command2_0 Command1_3 Command2_3 Command1_2 Command2_4"));
        QCOMPARE(f.Text1->text(), QStringLiteral("16"));
        QCOMPARE(f.Label2->text(), QStringLiteral("16"));
        click(f, QStringLiteral("Command1_9 Command1_0 Command5_0"));
        QCOMPARE(f.Text1->text(), QStringLiteral("1"));  // degrees from the start
        QVERIFY(fake->messages.isEmpty());
    }

    void typedKeysCalculate()
    {
        FrmScientific& f = opened();
        QTest::keyClicks(f.Text1, QStringLiteral("12*3="));
        QCOMPARE(f.Text1->text(), QStringLiteral("36"));
        // Typed keys reach the calculator whichever control has the focus.
        f.Option2[1]->setFocus();
        QTest::keyClicks(f.Option2[1], QStringLiteral("+4="));
        QCOMPARE(f.Text1->text(), QStringLiteral("40"));
        QTest::keyClicks(f.Text1, QStringLiteral("c"));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 0"));
        QTest::keyClicks(f.Text1, QStringLiteral("xq7"));  // other keys do nothing
        QCOMPARE(f.Text1->text(), QStringLiteral(" 7"));
    }

    void messagesGoToMessageBoxes()
    {
        FrmScientific& f = opened();
        click(f, QStringLiteral("Command1_2 Command1_0 Command2_5 Command1_3 Command2_4"));
        QCOMPARE(fake->messageTexts(), QStringList({"VALUE TOO LARGE"}));
        QCOMPARE(fake->messages.first().buttons, ui::Buttons::Ok);
        QCOMPARE(fake->messages.first().title, ui::applicationTitle());
        QCOMPARE(f.Text1->text(), QStringLiteral(" 3"));

        fake->messages.clear();
        QTest::keyClicks(f.Text1, QStringLiteral("c6/0="));
        QCOMPARE(fake->messageTexts(), QStringList({" ILLEGAL  DIVIDE  0 "}));
        QCOMPARE(f.Text1->text(), QStringLiteral("6"));
    }

    // Keypad results: "CommandN_i" words click keys, other words are typed.
    void keypadResults_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QStringList>("messages");

        // clang-format off
        QTest::newRow("memory keys end the number") << "5 Command7_0 3 Command7_0 Command7_4" << "8" << QStringList();
        QTest::newRow("a digit after the square starts a new number") << "4 Command6_1 3" << " 3" << QStringList();
        QTest::newRow("square past 32 bits") << "50000 Command6_1" << "2500000000" << QStringList();
        QTest::newRow("cube past 32 bits") << "1300 Command6_8" << "2197000000" << QStringList();
        QTest::newRow("cos 90") << "90 Command5_1" << "0" << QStringList();
        QTest::newRow("tan 90") << "90 Command5_2" << " 90" << QStringList({"ILLEGAL.  DIVIDE  BY  ZERO "});
        QTest::newRow("g") << "Command9_3" << "9.80665" << QStringList();
        QTest::newRow("h") << "Command9_4" << "6.62607015E-34" << QStringList();
        // clang-format on
    }
    void keypadResults()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QStringList, messages);
        FrmScientific& f = opened();
        for (const QString& word : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (word.startsWith(QLatin1String("Command")))
                click(f, word);
            else
                QTest::keyClicks(f.Text1, word);
        }
        QCOMPARE(f.Text1->text(), display);
        QCOMPARE(f.Label2->text(), display);
        QCOMPARE(fake->messageTexts(), messages);
    }

    void angleOptions()
    {
        FrmScientific& f = opened();
        QTest::mouseClick(f.Option2[2], Qt::LeftButton);
        QVERIFY(f.Option2[2]->isChecked());
        QTest::keyClicks(f.Text1, QStringLiteral("100"));
        click(f, QStringLiteral("Command5_0"));
        QCOMPARE(f.Text1->text(), QStringLiteral("1"));
        QTest::mouseClick(f.Option2[1], Qt::LeftButton);
        QCOMPARE(f.engine.ang, 1.0);
    }

    void savedValuesShowInLabel1()
    {
        FrmScientific& f = opened();
        click(f, QStringLiteral("Command1_1 Command8_0 Command3 Command1_2 Command8_0 Command8_1"));
        QCOMPARE(f.Label1->text(), QStringLiteral("2"));
        click(f, QStringLiteral("Command3 Command8_3"));
        QCOMPARE(f.Text1->text(), QStringLiteral("2"));
    }

    void selectAllAndCopy()
    {
        FrmScientific& f = opened();
        QTest::keyClicks(f.Text1, QStringLiteral("1234"));
        action(f, "eselectall")->trigger();
        QCOMPARE(fake->clipboard, QStringLiteral(" 1234"));
        QCOMPARE(fake->log, QStringList({"clearClipboard", "setClipboardText| 1234"}));
        QVERIFY(!f.Text1->hasSelectedText());

        fake->log.clear();
        f.Text1->setSelection(2, 2);
        action(f, "ecopy")->trigger();
        QCOMPARE(fake->log, QStringList({"clearClipboard", "setClipboardText|23"}));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 1234"));
    }

    void cutTakesTheSelectionOut()
    {
        FrmScientific& f = opened();
        QTest::keyClicks(f.Text1, QStringLiteral("1234"));
        f.Text1->setSelection(1, 2);
        action(f, "ecut")->trigger();
        QCOMPARE(fake->clipboard, QStringLiteral("12"));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 34"));
        QCOMPARE(f.Label2->text(), QStringLiteral(" 34"));
        QTest::keyClicks(f.Text1, QStringLiteral("+1="));
        QCOMPARE(f.Text1->text(), QStringLiteral("35"));
    }

    void pasteReplacesTheDisplay()
    {
        FrmScientific& f = opened();
        QTest::keyClicks(f.Text1, QStringLiteral("99"));
        fake->clipboard = QStringLiteral("42.5");
        action(f, "epaste")->trigger();
        QCOMPARE(f.Text1->text(), QStringLiteral("42.5"));
        QTest::keyClicks(f.Text1, QStringLiteral("*2="));
        QCOMPARE(f.Text1->text(), QStringLiteral("85"));
        QCOMPARE(fake->clipboard, QStringLiteral("42.5"));
    }

    void allClearLeavesTheClipboard()
    {
        FrmScientific& f = opened();
        fake->clipboard = QStringLiteral("17");
        click(f, QStringLiteral("Command1_4 Command7_0 Command4"));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 0"));
        QCOMPARE(f.engine.memo, 0.0);
        QCOMPARE(fake->clipboard, QStringLiteral("17"));
        QVERIFY(!fake->log.contains(QStringLiteral("clearClipboard")));
    }

    void standardHidesTheScientificKeys()
    {
        FrmScientific& f = opened();
        const int scientificWidth = f.window()->width();
        action(f, "tstandard")->trigger();
        QVERIFY(f.isStandard());
        QVERIFY(action(f, "tstandard")->isChecked());
        for (const char* hidden : {"Command5_0", "Command10_0", "Command2_5", "Command6_4", "Command9_1", "Command8_0"})
            QVERIFY2(!f.key(QLatin1String(hidden))->isVisible(), hidden);
        QVERIFY(!f.Frame3->isVisible());
        QVERIFY(f.window()->width() < scientificWidth);
        // The plain keypad still calculates, and the calculation carries over.
        click(f, QStringLiteral("Command1_7 Command2_3 Command1_6 Command2_4"));
        QCOMPARE(f.Text1->text(), QStringLiteral("42"));

        action(f, "tscientific")->trigger();
        QVERIFY(!f.isStandard());
        QVERIFY(f.key(QStringLiteral("Command5_0"))->isVisible());
        QVERIFY(f.Frame3->isVisible());
        QCOMPARE(f.window()->width(), scientificWidth);
        QCOMPARE(f.Text1->text(), QStringLiteral("42"));
    }

    void keysDoNotOverlap_data()
    {
        QTest::addColumn<bool>("standard");
        QTest::newRow("scientific") << false;
        QTest::newRow("standard") << true;
    }
    void keysDoNotOverlap()
    {
        QFETCH(bool, standard);
        FrmScientific& f = opened();
        if (standard)
            action(f, "tstandard")->trigger();
        const QRect pad = f.Frame1->contentsRect();
        QList<QPushButton*> shown;
        for (QPushButton* b : f.Frame1->findChildren<QPushButton*>())
            if (b->isVisibleTo(f.window()))
                shown << b;
        QCOMPARE(shown.size(), standard ? 31 : 58);
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY2(pad.contains(shown[i]->geometry()), qPrintable(shown[i]->objectName()));
            for (int j = i + 1; j < shown.size(); ++j)
                QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                         qPrintable(shown[i]->objectName() + " " + shown[j]->objectName()));
        }
        QVERIFY(f.client()->rect().contains(f.Frame1->geometry()));
        QVERIFY(f.client()->rect().contains(f.Text1->geometry()));
    }

    void helpItems()
    {
        FrmScientific& f = opened();
        action(f, "hcontents")->trigger();
        QCOMPARE(fake->log.size(), 1);
        QVERIFY2(fake->log.first().startsWith(QStringLiteral("showHelp|")), qPrintable(fake->log.first()));
        QVERIFY2(fake->log.first().endsWith(QStringLiteral("|%1|24").arg(int(ui::HelpCommand::Topic))),
                 qPrintable(fake->log.first()));

        action(f, "habout")->trigger();
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages.first().text.contains(QStringLiteral("Corvanel")));
        QVERIFY(fake->messages.first().text.contains(QStringLiteral("2.0")));
    }

    void exitClosesAndForgets()
    {
        FrmScientific& f = opened();
        click(f, QStringLiteral("Command1_4 Command7_0 Command1_1 Command8_0"));
        QCOMPARE(f.engine.qt, std::int16_t(1));
        click(f, QStringLiteral("Command13"));
        QVERIFY(!f.isLoaded());

        f.show();
        QCOMPARE(f.engine.memo, 0.0);
        QCOMPARE(f.engine.qt, std::int16_t(0));
        QCOMPARE(f.Text1->text(), QStringLiteral(" 0"));
        action(f, "eexit")->trigger();
        QVERIFY(!f.isLoaded());
    }
};

QTEST_MAIN(TestScientific)
#include "tst_scientific.moc"
