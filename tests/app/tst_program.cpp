// The real program, started as a child process on the offscreen platform
// and steered from inside by the preloaded driver (support/driver).

#include "data/schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <thread>

namespace {

struct Run {
    bool finished = false;
    int exitCode = -1;
    QStringList lines;  // what the driver printed
    QString errors;
    qint64 ms = 0;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A database of the program with `items` items, made as the program makes it.
void makeDatabase(const QString& path, int items)
{
    data::createFreshDatabase(path);
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &h), SQLITE_OK);
    const QByteArray sql = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                           QByteArray::number(items) +
                           ") INSERT INTO Item (ItemCode, ItemName) SELECT i, printf('%0200d', i) FROM n";
    const int rc = sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(h);
    QCOMPARE(rc, SQLITE_OK);
}

qint64 itemsIn(const QString& path)
{
    sqlite3* h = nullptr;
    qint64 n = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, "SELECT count(*) FROM Item", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
    return n;
}

QStringList hiddenTemporaries(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
}

}  // namespace

class TestProgram : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    // The largest file the program may write (0: no limit); a write past
    // it kills the program, as the machine going down would stop it.
    rlim_t fileSizeLimit = 0;

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
        if (fileSizeLimit > 0)
            p.setChildProcessModifier([limit = fileSizeLimit] {
                std::signal(SIGXFSZ, SIG_DFL);
                rlimit r{};
                getrlimit(RLIMIT_FSIZE, &r);
                r.rlim_cur = limit;
                setrlimit(RLIMIT_FSIZE, &r);
            });
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
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        fileSizeLimit = 0;
    }
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
        QVERIFY2(first.exitCode == 0, qPrintable(why(first)));
        QVERIFY2(first.lines.contains(QStringLiteral("done ") + exit), qPrintable(why(first)));
        QVERIFY(QFile::exists(dir->filePath(QStringLiteral("Corvanel.mdb"))));

        // The next start is a normal one, not a "previous instance".
        const Run second = runProgram(QStringLiteral("wait frmMainMenu;click frmMainMenu/cmd_Exit"));
        QVERIFY2(second.finished, qPrintable(why(second)));
        QVERIFY2(second.exitCode == 0, qPrintable(why(second)));
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

    void anEstimateOpenAtExitIsKeptUntilItsCloseBoxIsAnswered()
    {
        // Exit leaves the unsaved estimate open; its close box asks, No keeps
        // it and the program, Yes ends both.
        const Run r = runProgram(QStringLiteral("wait frmMainMenu;trigger frmMainMenu/mnuNewEstimate;wait frmOrder;"
                                                "type frmOrder/TxtQty 5;click frmMainMenu/cmd_Exit;pause 500;"
                                                "close frmOrder;answer No;pause 300;say still running;"
                                                "close frmOrder;answer Yes"));
        QVERIFY2(r.finished, qPrintable(why(r)));
        QCOMPARE(r.exitCode, 0);
        const QString question =
            QStringLiteral("message Are you sure you want to cancel this screen and discard any changes done?");
        QVERIFY2(r.lines.count(question) == 2, qPrintable(why(r)));
        QVERIFY2(r.lines.indexOf(QStringLiteral("still running")) > r.lines.indexOf(question), qPrintable(why(r)));
        QVERIFY2(r.lines.contains(QStringLiteral("done answer Yes")), qPrintable(why(r)));
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

    // A database damaged in its first page stops the start before the main
    // window shows; the program offers a backup in its place, or to end.
    void aDamagedDatabaseCanBeReplacedByABackupAtStart_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("a backup restored") << true;
        QTest::newRow("the program ended") << false;
    }
    void aDamagedDatabaseCanBeReplacedByABackupAtStart()
    {
        QFETCH(bool, restore);
        installCopy();
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        makeDatabase(db, 2000);
        QVERIFY(QDir().mkpath(dir->filePath(QStringLiteral("backups"))));
        const QString bak = dir->filePath(QStringLiteral("backups/good.bak"));
        QVERIFY(QFile::copy(db, bak));
        {
            QFile f(db);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(QByteArray(4096, char(0x5a)));
        }
        const QByteArray spoilt = readAll(db);

        const Run r = runProgram(restore ? QStringLiteral("answer Yes;choose %1;dismiss;wait frmMainMenu;"
                                                          "click frmMainMenu/cmd_Exit")
                                               .arg(bak)
                                         : QStringLiteral("answer No"),
                                 30000);
        QVERIFY2(r.finished, qPrintable(why(r)));
        const QString offer = r.lines.value(0);
        QVERIFY2(offer.startsWith(QStringLiteral("message The database \"%1\" is damaged, so Corvanel cannot start "
                                                 "with it.\\n\\nRestore a backup in its place now?")
                                      .arg(db)),
                 qPrintable(why(r)));
        const QRegularExpressionMatch kept =
            QRegularExpression(QStringLiteral("kept beside it as \"([^\"]+)\"")).match(offer);
        QVERIFY(kept.hasMatch());
        if (restore) {
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(r.lines.contains(QStringLiteral("message Data File Imported")), qPrintable(why(r)));
            QVERIFY2(r.lines.contains(QStringLiteral("done wait frmMainMenu")), qPrintable(why(r)));
            QVERIFY(readAll(dir->filePath(kept.captured(1))) == spoilt);
            QCOMPARE(itemsIn(db), 2000);
        } else {
            QCOMPARE(r.exitCode, 1);
            QVERIFY(!r.lines.contains(QStringLiteral("done wait frmMainMenu")));
            QVERIFY(readAll(db) == spoilt);
            QVERIFY(!QFile::exists(dir->filePath(kept.captured(1))));
        }
    }

    // A backup killed midway leaves its temporary copy behind; the next
    // backup to that folder, or the next start when it is the program's own
    // folder, removes it.
    void leftoversOfAKilledBackupAreRemoved_data()
    {
        QTest::addColumn<bool>("ownFolder");
        QTest::newRow("another folder, by the next backup") << false;
        QTest::newRow("the program's folder, by the next start") << true;
    }
    void leftoversOfAKilledBackupAreRemoved()
    {
        QFETCH(bool, ownFolder);
        installCopy();
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        makeDatabase(db, 8000);
        QVERIFY(QFileInfo(db).size() > 1024 * 1024);
        const QString folder = ownFolder ? dir->path() : dir->filePath(QStringLiteral("backups"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/Corvanel.bak");

        fileSizeLimit = 256 * 1024;
        const Run killed = runProgram(QStringLiteral("wait frmMainMenu;trigger frmMainMenu/mnuExport;choose %1;"
                                                     "say not killed")
                                          .arg(target));
        fileSizeLimit = 0;
        QVERIFY2(killed.finished, qPrintable(why(killed)));
        QCOMPARE(killed.exitCode, -1);
        QVERIFY(!QFile::exists(target));
        const QStringList left = hiddenTemporaries(folder);
        QCOMPARE(left.size(), 1);
        QVERIFY(QFileInfo(folder + QLatin1Char('/') + left[0]).size() >= 128 * 1024);

        const Run next = runProgram(ownFolder ? QStringLiteral("wait frmMainMenu;click frmMainMenu/cmd_Exit")
                                              : QStringLiteral("wait frmMainMenu;trigger frmMainMenu/mnuExport;"
                                                               "choose %1;dismiss;click frmMainMenu/cmd_Exit")
                                                    .arg(target));
        QVERIFY2(next.finished, qPrintable(why(next)));
        QCOMPARE(next.exitCode, 0);
        QCOMPARE(hiddenTemporaries(folder), QStringList());
        if (!ownFolder) {
            QVERIFY2(next.lines.contains(QStringLiteral("message Data File Exported")), qPrintable(why(next)));
            QVERIFY(readAll(target) == readAll(db));
        }
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
