// Every item of the main menu reaches a real screen once all the
// subsystems have registered theirs: nothing says "not available".

#include "support/screentest.h"
#include "support/menuleaves.h"

#include "calculators/calculatorscreens.h"
#include "estimates/estimatescreens.h"
#include "masters/masterscreens.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "shell/menutree.h"
#include "ui/forms.h"
#include "ui/helpicon.h"
#include "ui/platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

// Top-level windows of the program now shown, by name.
QStringList shownWindows()
{
    QStringList out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty())
            out << w->objectName();
    return out;
}

}  // namespace

class TestMenuScreens : public ScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }
    void init()
    {
        initScreenTest(Database::None,
                       {masters::registerScreens, calculators::registerScreens, estimates::registerScreens});
        shell::frmMainMenu().load();
    }

    void everyItemOpensItsScreen_data()
    {
        QTest::addColumn<QString>("item");
        QStringList names = screentest::menuLeaves();
        QCOMPARE(names.size(), 54);  // 9 + 2 masters, 3 estimates, 38 calculators, 2 reports
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << n;
    }
    void everyItemOpensItsScreen()
    {
        QFETCH(QString, item);
        const QStringList before = shownWindows();
        // A screen that opens modally is closed again once it is up.
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        shell::frmMainMenu().pick(item);
        for (const QString& text : fake->messageTexts())
            QVERIFY2(!text.contains(QLatin1String("not available")), qPrintable(text));
        const bool previewed = fake->log.join('\n').contains(QLatin1String("printPreview|"));
        const bool started = !fake->startedPrograms.isEmpty() || !fake->messages.isEmpty();
        QVERIFY2(shownWindows() != before || previewed || started, qPrintable(item + " showed nothing"));
    }

    // F1 on the window an item opens shows that window's own topic of the
    // help document, never its contents.
    void f1OpensTheWindowsOwnTopic_data()
    {
        QTest::addColumn<QString>("item");
        QStringList names = screentest::menuLeaves();
        // The customers report goes straight to its preview: no window.
        names.removeAll(QStringLiteral("mnucustrpt"));
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << n;
    }
    void f1OpensTheWindowsOwnTopic()
    {
        QFETCH(QString, item);
        QFile file(QStringLiteral(HELP_DOCUMENT));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString document = QString::fromUtf8(file.readAll());

        const QStringList before = shownWindows();
        QString window;
        auto pressF1 = [&](QWidget* w) {
            window = w->objectName();
            QTest::keyClick(w, Qt::Key_F1);
        };
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                pressF1(modal);
                modal->close();
            }
        });
        shell::frmMainMenu().pick(item);
        if (window.isEmpty()) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && !before.contains(w->objectName()) &&
                    w->objectName().startsWith(QLatin1String("frm"), Qt::CaseInsensitive))
                    pressF1(w);
        }
        QVERIFY2(!window.isEmpty(), qPrintable(item + " opened no window"));
        const QStringList help = fake->log.filter(QStringLiteral("showHelp|"));
        QCOMPARE(help.size(), 1);
        const QString topic = help.first().section(QLatin1Char('|'), 3);
        QVERIFY2(help.first().section(QLatin1Char('|'), 2, 2) == QString::number(int(ui::HelpCommand::Topic)),
                 qPrintable(window + ": " + help.first()));
        QVERIFY2(document.contains(QStringLiteral("data-context=\"%1\"").arg(topic)),
                 qPrintable(window + " opens topic " + topic + ", which the help document lacks"));
    }

    // Escape closes every window the menu opens, as its Close, Exit or
    // Cancel button does (answering that button's question with Yes).
    void escapeClosesTheWindow_data() { f1OpensTheWindowsOwnTopic_data(); }
    void escapeClosesTheWindow()
    {
        QFETCH(QString, item);
        // Where the keyboard is: the focused control, else the window.
        auto pressEscape = [](QWidget* w) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == w ? focus : w, Qt::Key_Escape);
        };
        const QStringList before = shownWindows();
        QString window;
        bool modalClosed = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                window = modal->objectName();
                pressEscape(modal);
                modalClosed = !modal->isVisible();
                if (!modalClosed)
                    modal->close();
            }
        });
        shell::frmMainMenu().pick(item);
        if (!window.isEmpty()) {
            QVERIFY2(modalClosed, qPrintable(window + " stayed open"));
            return;
        }
        QList<QWidget*> opened;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !before.contains(w->objectName()) &&
                w->objectName().startsWith(QLatin1String("frm"), Qt::CaseInsensitive))
                opened << w;
        QVERIFY2(!opened.isEmpty(), qPrintable(item + " opened no window"));
        for (QWidget* w : opened) {
            w->activateWindow();
            pressEscape(w);
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName() + " stayed open"));
        }
        fake->answers.clear();
    }

    // Every help button shows the program's own help picture, which does
    // not depend on an icon theme being installed.
    void helpButtonsShowTheProgramsOwnIcon_data() { f1OpensTheWindowsOwnTopic_data(); }
    void helpButtonsShowTheProgramsOwnIcon()
    {
        QFETCH(QString, item);
        const QImage expected = ui::helpIcon().pixmap(20).toImage();
        auto check = [&](QWidget* w) {
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (!b->objectName().contains(QLatin1String("help"), Qt::CaseInsensitive))
                    continue;
                QVERIFY2(!b->icon().isNull(), qPrintable(w->objectName() + "/" + b->objectName()));
                QVERIFY2(b->icon().pixmap(20).toImage() == expected,
                         qPrintable(w->objectName() + "/" + b->objectName()));
            }
        };
        const QStringList before = shownWindows();
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                check(modal);
                modal->close();
            }
        });
        shell::frmMainMenu().pick(item);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !before.contains(w->objectName()))
                check(w);
    }
};

QTEST_MAIN(TestMenuScreens)
#include "tst_menuscreens.moc"
