// The real program, started as a child process on the offscreen platform
// and steered from inside by the preloaded driver (support/driver).

#include "data/schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <thread>

namespace {

struct Run {
    bool finished = false;
    int exitCode = -1;
    QStringList lines;  // what the driver printed
    QString errors;
    qint64 ms = 0;
};

}  // namespace

class TestProgram : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

    // The program in a folder of its own: that folder is its application
    // folder, with its own database and instance lock.
    QString installCopy()
    {
        const QString exe = dir->filePath(QStringLiteral("corvanel"));
        if (!QFile::exists(exe)) {
            if (!QFile::copy(QStringLiteral(CORVANEL_EXE), exe))
                return {};
            QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner);
            const QString from = QFileInfo(QStringLiteral(CORVANEL_EXE)).absolutePath();
            for (const char* name : {"Merlin.ACS", "CORVANELVERSION2.html"})
                QFile::copy(from + QLatin1Char('/') + QLatin1String(name), dir->filePath(QLatin1String(name)));
        }
        return exe;
    }

    void start(QProcess& p, const QString& steps)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(CORVANEL_DRIVER));
        env.insert(QStringLiteral("CORVANEL_DRIVE"), steps);
        // A sanitized build checks that its runtime comes first; the driver
        // is preloaded ahead of it on purpose.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QDir::tempPath());
        p.start(installCopy(), {});
    }

    Run finish(QProcess& p, int limitMs)
    {
        Run r;
        QElapsedTimer clock;
        clock.start();
        r.finished = p.waitForFinished(limitMs);
        r.ms = clock.elapsed();
        if (!r.finished) {
            p.kill();
            p.waitForFinished(5000);
        } else {
            r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        }
        r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        r.errors = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    Run runProgram(const QString& steps, int limitMs = 15000)
    {
        QProcess p;
        start(p, steps);
        if (!p.waitForStarted(10000))
            return {};
        return finish(p, limitMs);
    }

    static QString why(const Run& r) { return r.lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + r.errors; }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir.reset(); }

    void everyRouteOfExitEndsTheProgram_data()
    {
        QTest::addColumn<QString>("exit");
        QTest::newRow("Exit picture button") << "click frmMainMenu/cmd_Exit";
        QTest::newRow("File > Exit") << "trigger frmMainMenu/mnuClose";
        QTest::newRow("menu bar Exit") << "trigger frmMainMenu/mnuExit";
        QTest::newRow("close box") << "close frmMainMenu";
    }
    void everyRouteOfExitEndsTheProgram()
    {
        QFETCH(QString, exit);
        const Run first = runProgram(QStringLiteral("wait frmMainMenu;") + exit);
        QVERIFY2(first.finished, qPrintable(why(first)));
        QCOMPARE(first.exitCode, 0);
        QVERIFY2(first.lines.contains(QStringLiteral("done ") + exit), qPrintable(why(first)));
        QVERIFY(QFile::exists(dir->filePath(QStringLiteral("Corvanel.mdb"))));

        // The next start is a normal one, not a "previous instance".
        const Run second = runProgram(QStringLiteral("wait frmMainMenu;click frmMainMenu/cmd_Exit"));
        QVERIFY2(second.finished, qPrintable(why(second)));
        QCOMPARE(second.exitCode, 0);
        QVERIFY2(second.lines.contains(QStringLiteral("done wait frmMainMenu")), qPrintable(why(second)));
    }

    void theLastWindowLeftEndsTheProgram_data()
    {
        QTest::addColumn<QString>("closeNotes");
        QTest::newRow("its own button") << "click frmBlank/CmdCancel";
        QTest::newRow("its close box") << "close frmBlank";
    }
    void theLastWindowLeftEndsTheProgram()
    {
        QFETCH(QString, closeNotes);
        // After Exit the notes pad is still open, and the program with it.
        const Run r = runProgram(QStringLiteral("wait frmMainMenu;click frmMainMenu/cmd_Blank;wait frmBlank;"
                                                "click frmMainMenu/cmd_Exit;pause 500;say still running;") +
                                 closeNotes);
        QVERIFY2(r.finished, qPrintable(why(r)));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.lines.contains(QStringLiteral("still running")), qPrintable(why(r)));
        QVERIFY2(r.lines.contains(QStringLiteral("done ") + closeNotes), qPrintable(why(r)));
    }

    void aStartWaitsForAnotherProgramsLock_data()
    {
        QTest::addColumn<int>("lockMs");
        QTest::addColumn<bool>("opens");
        QTest::newRow("released after three seconds") << 3000 << true;
        QTest::newRow("held past the wait") << 9000 << false;
    }
    void aStartWaitsForAnotherProgramsLock()
    {
        QFETCH(int, lockMs);
        QFETCH(bool, opens);
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        data::createFreshDatabase(db);
        const QByteArray before = [&] {
            QFile f(db);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        // Another program holds the write lock for a while.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open_v2(db.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::thread release([other, lockMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(lockMs));
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        });

        const Run r = runProgram(
            opens ? QStringLiteral("wait frmMainMenu;click frmMainMenu/cmd_Exit") : QStringLiteral("dismiss"), 20000);
        release.join();
        QVERIFY2(r.finished, qPrintable(why(r)));
        if (opens) {
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(r.lines.contains(QStringLiteral("done wait frmMainMenu")), qPrintable(why(r)));
            QVERIFY(r.ms >= lockMs - 1000);
        } else {
            QVERIFY(r.exitCode != 0);
            const QString message = r.lines.filter(QStringLiteral("message ")).value(0);
            QVERIFY2(message.contains(QStringLiteral("in use by another program")), qPrintable(why(r)));
            QVERIFY2(message.contains(QDir::toNativeSeparators(db)), qPrintable(message));
            QVERIFY(!message.contains(QStringLiteral("not a Corvanel database")));
            QFile f(db);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
