// The assistant character: its queue of requests, the balloon, the watchdog
// against a speech engine that never reports back, the character file, and
// the speech back-ends it talks through.

#include "shell/assistant.h"
#include "shell/balloonwidget.h"
#include "shell/characterwindow.h"
#include "support/recordingspeech.h"
#include "ui/speech/espeakbackend.h"
#include "ui/speech/silentbackend.h"
#include "ui/speech/speechfactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

using shell::Assistant;
using shell::CharacterWindow;

namespace {

const QString welcome = QStringLiteral("Welcome to Pellworth Vadarovuzidu Dudoredaz");

CharacterWindow* characterWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* c = qobject_cast<CharacterWindow*>(w))
            return c;
    }
    return nullptr;
}

// How many pixels of `image` are close to `colour`.
int pixelsNear(const QImage& image, const QColor& colour, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::abs(c.red() - colour.red()) < tolerance &&
                std::abs(c.green() - colour.green()) < tolerance && std::abs(c.blue() - colour.blue()) < tolerance)
                ++n;
        }
    }
    return n;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The offscreen platform says so each time a tool window shows; it is not ours to fix.
QtMessageHandler testLogHandler = nullptr;
void dropOffscreenRaiseNotice(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()"))
        return;
    testLogHandler(type, context, message);
}

const QByteArray ourFile = "[Character]\nFormat=corvanel-character-1\nName=Merlin\n";

}  // namespace

class TestAssistant : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testLogHandler = qInstallMessageHandler(dropOffscreenRaiseNotice); }
    void cleanupTestCase() { qInstallMessageHandler(testLogHandler); }
    void init() { Assistant::setTimingScale(0.05); }

    void greetingIsPerformedInOrder()
    {
        RecordingSpeech speech;
        Assistant a(speech);
        QStringList started;
        connect(&a, &Assistant::requestStarted, this, [&](const QString& r) { started << r; });
        QSignalSpy idle(&a, &Assistant::idle);

        a.Show();
        a.MoveTo(100, 100);
        a.Play(QStringLiteral("Wave"));
        a.Speak(QStringLiteral("Hello"));
        a.Play(QStringLiteral("Greet"));
        a.Speak(welcome);

        // The calls returned at once; nothing has been said yet while the
        // character glides to its place.
        const QStringList expected{QStringLiteral("Show"),       QStringLiteral("MoveTo 100,100"),
                                   QStringLiteral("Play Wave"),  QStringLiteral("Speak Hello"),
                                   QStringLiteral("Play Greet"), QStringLiteral("Speak ") + welcome};
        QCOMPARE(a.requests(), expected);
        QVERIFY(!a.isIdle());
        QVERIFY(speech.spoken.isEmpty());

        QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
        QCOMPARE(started, expected);
        QCOMPARE(speech.spoken, (QStringList{QStringLiteral("Hello"), welcome}));
        QVERIFY(a.isIdle());
        QVERIFY(a.isCharacterVisible());
        QCOMPARE(characterWindow()->pos(), QPoint(100, 100));
        QCOMPARE(characterWindow()->animation(), CharacterWindow::Animation::None);
    }

    void speakShowsTheBalloonAndTheCharacter_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("shown") << QStringLiteral("show");
        QTest::newRow("never shown") << QString();
        QTest::newRow("hidden by the user") << QStringLiteral("user hides");
        QTest::newRow("hidden by Hide") << QStringLiteral("Hide");
    }

    void speakShowsTheBalloonAndTheCharacter()
    {
        QFETCH(QString, before);
        Assistant::setTimingScale(0.25);  // the watchdog must not end the text while we look
        RecordingSpeech speech;
        speech.autoFinish = false;
        Assistant a(speech);
        if (!before.isEmpty())
            a.Show();
        if (before == QLatin1String("user hides"))
            characterWindow()->hideByUser();
        if (before == QLatin1String("Hide"))
            a.Hide();
        QTRY_VERIFY(a.isIdle());

        const QString text = QStringLiteral("Press 'Ok' to save the record and close.");
        a.Speak(text);
        QTRY_COMPARE(speech.spoken, QStringList{text});
        QVERIFY(a.isCharacterVisible());
        QCOMPARE(a.balloonText(), text);
        shell::BalloonWidget* balloon = characterWindow()->balloon();
        QVERIFY(balloon->isVisible());
        QVERIFY(balloon->isWindow());

        // The balloon stays up while the engine speaks, however long it takes.
        QTest::qWait(150);
        QCOMPARE(a.balloonText(), text);
        QVERIFY(!a.isIdle());

        speech.finishNow();
        QTRY_VERIFY(a.isIdle());
        // A moment for reading, then the balloon goes.
        QTRY_VERIFY(a.balloonText().isEmpty());
        QVERIFY(a.isCharacterVisible());
    }

    void twoSpeaksAreSpokenOneAfterTheOther()
    {
        Assistant::setTimingScale(0.25);
        RecordingSpeech speech;
        speech.autoFinish = false;
        Assistant a(speech);
        a.Show();
        a.Speak(QStringLiteral("First help text"));
        a.Speak(QStringLiteral("Second help text"));

        QTRY_COMPARE(speech.spoken, QStringList{QStringLiteral("First help text")});
        // The engine is still on the first text: the second must wait, or
        // say() would cut the first one off.
        QTest::qWait(200);
        QCOMPARE(speech.spoken, QStringList{QStringLiteral("First help text")});
        QCOMPARE(a.balloonText(), QStringLiteral("First help text"));

        speech.finishNow();
        QTRY_COMPARE(speech.spoken,
                     (QStringList{QStringLiteral("First help text"), QStringLiteral("Second help text")}));
        QCOMPARE(a.balloonText(), QStringLiteral("Second help text"));
        QVERIFY(!a.isIdle());
        speech.finishNow();
        QTRY_VERIFY(a.isIdle());
    }

    void aSilentEngineLeavesEachTextTimeToBeRead()
    {
        // A broken engine reports at once; the balloon must not flash by.
        Assistant::setTimingScale(1.0);
        RecordingSpeech speech;
        Assistant a(speech);
        a.Show();
        const QString first = QStringLiteral("A help text of some length to read");
        a.Speak(first);
        a.Speak(QStringLiteral("Next"));
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE(speech.spoken.size(), 2);
        QVERIFY2(clock.elapsed() >= 30 * first.size() * 9 / 10, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY(a.isIdle());
    }

    void watchdogMovesOnWhenTheEngineNeverFinishes()
    {
        Assistant::setTimingScale(0.1);
        RecordingSpeech speech;
        speech.autoFinish = false;
        Assistant a(speech);
        QSignalSpy idle(&a, &Assistant::idle);
        a.Speak(QStringLiteral("Stuck"));
        a.Speak(QStringLiteral("Next"));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(speech.spoken, QStringList{QStringLiteral("Stuck")});

        QTRY_COMPARE_WITH_TIMEOUT(speech.spoken.size(), 2, 5000);
        const qint64 waited = clock.elapsed();
        const qint64 limit = Assistant::watchdogMs(QStringLiteral("Stuck")) / 10;
        QVERIFY2(waited >= limit * 9 / 10, qPrintable(QString::number(waited)));
        QCOMPARE(speech.spoken.last(), QStringLiteral("Next"));
        QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    }

    void watchdogLimitGrowsWithTheTextAndIsCapped()
    {
        const int shortLimit = Assistant::watchdogMs(QStringLiteral("Hello"));
        QVERIFY(shortLimit >= 1500);
        QVERIFY(shortLimit <= 3000);
        const int longer = Assistant::watchdogMs(welcome);
        QVERIFY(longer > shortLimit);
        // Long enough for espeak-ng at its normal speed (about 60 ms a letter).
        QVERIFY(longer >= 60 * welcome.size());
        QCOMPARE(Assistant::watchdogMs(QString(5000, QLatin1Char('a'))), 20000);
    }

    void unknownAnimationsAreIgnored()
    {
        RecordingSpeech speech;
        Assistant a(speech);
        a.Show();
        QTRY_VERIFY(a.isIdle());
        a.Play(QStringLiteral("Dance"));
        a.Play(QString());
        QVERIFY(a.isIdle());
        a.Play(QStringLiteral("wave"));  // names are matched without regard to case
        a.Speak(QStringLiteral("  "));   // nothing to say: no say(), no empty balloon
        QCOMPARE(a.balloonText(), QString());
        a.Speak(QStringLiteral("Done"));
        QCOMPARE(a.requests(), (QStringList{QStringLiteral("Show"), QStringLiteral("Play Wave"),
                                            QStringLiteral("Speak   "), QStringLiteral("Speak Done")}));
        QTRY_VERIFY(a.isIdle());
        QCOMPARE(speech.spoken, QStringList{QStringLiteral("Done")});
    }

    void showBringsBackAHiddenCharacter()
    {
        RecordingSpeech speech;
        Assistant a(speech);
        a.Show();
        QVERIFY(a.isCharacterVisible());
        characterWindow()->hideByUser();
        QVERIFY(!a.isCharacterVisible());
        a.Show();
        QTRY_VERIFY(a.isCharacterVisible());

        a.Hide();
        QTRY_VERIFY(!a.isCharacterVisible());
        a.Show();
        QTRY_VERIFY(a.isCharacterVisible());
    }

    void moveToAHiddenCharacterPlacesItAtOnce()
    {
        RecordingSpeech speech;
        Assistant a(speech);
        a.MoveTo(230, 140);
        QCOMPARE(characterWindow()->pos(), QPoint(230, 140));
        QVERIFY(a.isIdle());
        // Shown, it glides there.
        a.Show();
        a.MoveTo(40, 60);
        QVERIFY(!a.isIdle());
        QTRY_VERIFY(a.isIdle());
        QCOMPARE(characterWindow()->pos(), QPoint(40, 60));
    }

    void theShippedCharacterFileLoads()
    {
        RecordingSpeech speech;
        Assistant a(speech);
        const QString file = QStringLiteral(CHARACTER_FILE);
        QVERIFY2(QFile::exists(file), qPrintable(file));
        QVERIFY(a.load(QStringLiteral("Merlin"), file));
        QVERIFY(!a.usesBuiltInFigure());
        QCOMPARE(a.characterId(), QStringLiteral("Merlin"));
    }

    void anUnreadableCharacterFileFallsBack_data()
    {
        QTest::addColumn<QByteArray>("contents");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("missing") << QByteArray() << QStringLiteral("no such file");
        // Split literals: "\x00ACS" would read as the one escape "\x00AC".
        static const char binary[] = "\xc3\x00\x02\x00"
                                     "ACS"
                                     "\x00\x01\xff\xfe\x10\x00";
        QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1) << QStringLiteral("not a character file of ours");
        QTest::newRow("another program's ini") << QByteArray("[Settings]\nName=Merlin\n") << QStringLiteral("not a character file of ours");
        QTest::newRow("another character") << QByteArray("[Character]\nFormat=corvanel-character-1\nName=Robby\n") << QStringLiteral("it holds the character \"Robby\", not \"Merlin\"");
        // clang-format on
    }

    void anUnreadableCharacterFileFallsBack()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Merlin.ACS"));
        if (!contents.isEmpty())
            writeFile(file, contents);

        RecordingSpeech speech;
        Assistant a(speech);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^corvanel: assistant: cannot read character file .*") +
                                                QRegularExpression::escape(QStringLiteral("Merlin.ACS: ") + reason) +
                                                QStringLiteral("; using the built-in figure$")));
        QVERIFY(!a.load(QStringLiteral("Merlin"), file));
        QVERIFY(a.usesBuiltInFigure());

        // The assistant works on with its own figure.
        a.Show();
        a.Play(QStringLiteral("Sad"));
        a.Speak(QStringLiteral("Still here"));
        QTRY_VERIFY(a.isIdle());
        QCOMPARE(speech.spoken, QStringList{QStringLiteral("Still here")});
    }

    void theFigureIsDrawnInTheFilesColours()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Merlin.ACS"));
        writeFile(file, ourFile + "[Colours]\nRobe=\"#ff0000\"\nHat=#00c000\nBeard=not-a-colour\n");

        RecordingSpeech speech;
        Assistant a(speech);
        const QImage builtIn = characterWindow()->grab().toImage();
        QVERIFY(pixelsNear(builtIn, shell::CharacterLook{}.robe) > 500);
        QCOMPARE(pixelsNear(builtIn, Qt::red), 0);

        QVERIFY(a.load(QStringLiteral("Merlin"), file));
        const QImage red = characterWindow()->grab().toImage();
        QVERIFY(pixelsNear(red, Qt::red) > 500);
        QVERIFY(pixelsNear(red, QColor(0, 0xc0, 0)) > 100);
        // The colour it could not read stays the built-in one.
        QCOMPARE(characterWindow()->look().beard, shell::CharacterLook{}.beard);

        // Every frame of every animation paints without leaving the canvas empty.
        for (auto anim :
             {CharacterWindow::Animation::Wave, CharacterWindow::Animation::Greet, CharacterWindow::Animation::Sad}) {
            for (double t : {0.0, 0.3, 0.5, 0.9}) {
                QImage frame(150, 182, QImage::Format_ARGB32_Premultiplied);
                frame.fill(Qt::transparent);
                QPainter p(&frame);
                CharacterWindow::paintFigure(p, shell::CharacterLook{}, anim, t, t > 0.4);
                p.end();
                QVERIFY(pixelsNear(frame, shell::CharacterLook{}.robe, 60) > 300);
            }
        }

        // For looking at by eye: the figure with its balloon on a plain backdrop.
        const QString png = qEnvironmentVariable("CORVANEL_ASSISTANT_PNG");
        if (!png.isEmpty()) {
            Assistant plain(speech);
            plain.Show();
            plain.Speak(QStringLiteral("Hello! Press the Help button on any screen and I will "
                                       "read its help text to you."));
            QTRY_VERIFY(!plain.balloonText().isEmpty());
            CharacterWindow* w = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* c = qobject_cast<CharacterWindow*>(top); c && c->isVisible())
                    w = c;
            }
            QVERIFY(w);
            shell::BalloonWidget* b = w->balloon();
            const QRect all = w->frameGeometry().united(b->frameGeometry()).adjusted(-10, -10, 10, 10);
            // Below it, the animations at their height and the mouth open.
            const int frames = 4;
            const QSize size(std::max(all.width(), frames * 150), all.height() + 182);
            QImage sheet(size * 2, QImage::Format_ARGB32);
            sheet.fill(QColor(0xd8, 0xdc, 0xe0));
            QPainter p(&sheet);
            p.scale(2, 2);
            p.drawPixmap(w->pos() - all.topLeft(), w->grab());
            p.drawPixmap(b->pos() - all.topLeft(), b->grab());
            const std::pair<CharacterWindow::Animation, double> poses[frames] = {
                {CharacterWindow::Animation::Wave, 0.45},
                {CharacterWindow::Animation::Greet, 0.5},
                {CharacterWindow::Animation::Sad, 0.5},
                {CharacterWindow::Animation::None, 0}};
            for (int i = 0; i < frames; ++i) {
                p.save();
                p.translate(i * 150, all.height());
                CharacterWindow::paintFigure(p, shell::CharacterLook{}, poses[i].first, poses[i].second, i == 3);
                p.restore();
            }
            p.end();
            QVERIFY(sheet.save(png));
        }
    }

    // --- speech back-ends ---

    void espeakGetsTheTextAsOneArgument_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("Hello there");
        QTest::newRow("looks like an option") << QStringLiteral("-v en --stdin");
        QTest::newRow("shell characters") << QStringLiteral("'Ok' $(rm -rf /) ; \"Cancel\" & `x`");
    }

    void espeakGetsTheTextAsOneArgument()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("args"));
        const QString program = dir.filePath(QStringLiteral("fake-espeak"));
        writeFile(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        ui::EspeakBackend espeak(nullptr, program);
        QSignalSpy finished(&espeak, &ui::SpeechBackend::finished);
        espeak.say(text);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(args, (QStringList{QStringLiteral("--"), text}));
    }

    void espeakFinishesWhenItCannotStart()
    {
        ui::EspeakBackend espeak(nullptr, QStringLiteral("/nonexistent/espeak-ng"));
        QSignalSpy finished(&espeak, &ui::SpeechBackend::finished);
        espeak.say(QStringLiteral("Hello"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    }

    void espeakStopEndsTheProgramWithoutAReport()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("slow-espeak"));
        writeFile(program, "#!/bin/sh\nexec sleep 30\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        ui::EspeakBackend espeak(nullptr, program);
        QSignalSpy finished(&espeak, &ui::SpeechBackend::finished);
        QElapsedTimer clock;
        clock.start();
        espeak.say(QStringLiteral("A long text"));
        QTest::qWait(100);
        espeak.stop();
        QVERIFY(clock.elapsed() < 5000);
        // A stopped text must not end the text said after it.
        QTest::qWait(100);
        QCOMPARE(finished.count(), 0);
    }

    void silentFinishesLaterAndStopCancels()
    {
        ui::SilentBackend silent;
        QSignalSpy finished(&silent, &ui::SpeechBackend::finished);
        silent.say(QStringLiteral("Hello"));
        QCOMPARE(finished.count(), 0);  // not from inside say()
        QTRY_COMPARE(finished.count(), 1);

        silent.say(QStringLiteral("Cut short"));
        silent.stop();
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
    }

    void theBestSpeechOnThisMachineExists()
    {
        auto speech = ui::createBestSpeech();
        QVERIFY(speech);
        QVERIFY(!speech->name().isEmpty());
    }

    // Runs the event loop itself, so it comes last.
    void theAssistantDoesNotKeepTheProgramAlive()
    {
        RecordingSpeech speech;
        speech.autoFinish = false;
        Assistant a(speech);
        QWidget mainWindow;
        mainWindow.show();
        a.Show();
        a.Speak(QStringLiteral("Still talking"));
        QVERIFY(a.isCharacterVisible());
        QVERIFY(!a.balloonText().isEmpty());

        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &mainWindow, &QWidget::close);
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        giveUp.start(5000);
        // Returns 0 when closing the last real window ended the loop.
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(lastClosed.count(), 1);
    }

    // Without a compositing window manager a translucent window shows as a
    // black box; the figure's and the balloon's windows are shaped to what
    // they draw, so nothing else of them covers the windows beneath.
    void windowsAreShapedToTheFigureAndTheBalloon()
    {
        RecordingSpeech speech;
        speech.autoFinish = false;
        Assistant a(speech);
        a.Show();
        a.Speak(QStringLiteral("A text long enough to make the balloon a few lines tall, for its shape"));
        QTRY_VERIFY(a.isCharacterVisible() && !a.balloonText().isEmpty());

        CharacterWindow* figure = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<CharacterWindow*>(w))
                figure = c;
        QVERIFY(figure);
        const QRegion body = figure->mask();
        QVERIFY(!body.isEmpty());
        QVERIFY(!body.contains(QPoint(0, 0)));                                          // beside the hat
        QVERIFY(!body.contains(QPoint(figure->width() - 1, figure->height() - 1)));     // below the robe
        QVERIFY(body.contains(QPoint(figure->width() / 2, figure->height() * 2 / 3)));  // the robe
        QVERIFY(body.boundingRect().width() > figure->width() / 3);

        shell::BalloonWidget* balloon = figure->balloon();
        QVERIFY(balloon->isVisible());
        const QRegion note = balloon->mask();
        QVERIFY(!note.isEmpty());
        QVERIFY(note.contains(balloon->rect().center()));
        for (const QPoint corner : {QPoint(0, 0), QPoint(balloon->width() - 1, balloon->height() - 1)})
            QVERIFY2(!note.contains(corner), qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        // The shape follows the tail to the other side.
        balloon->setTail(shell::BalloonWidget::Tail::Right);
        const QPoint tip = balloon->tailTip();
        bool tailShaped = false;
        for (int dy = 0; dy <= 8 && !tailShaped; ++dy)
            for (int dx = 1; dx <= 10 && !tailShaped; ++dx)
                tailShaped = balloon->mask().contains(tip - QPoint(dx, dy));
        QVERIFY(tailShaped);
    }
};

QTEST_MAIN(TestAssistant)
#include "tst_assistant.moc"
