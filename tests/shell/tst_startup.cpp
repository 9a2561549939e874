#include "support/screentest.h"
#include "support/sqltestutil.h"

#include "data/connection.h"
#include "data/quickcheck.h"
#include "data/schema.h"
#include "shell/assistant.h"
#include "shell/instancelock.h"
#include "shell/mainmenu.h"
#include "shell/placement.h"
#include "shell/startup.h"
#include "ui/forms.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLockFile>
#include <QTest>

using shell::MainMenu;

namespace {

const QStringList greeting = {
    QStringLiteral("Show"),       QStringLiteral("MoveTo 100,100"),
    QStringLiteral("Play Wave"),  QStringLiteral("Speak Hello"),
    QStringLiteral("Play Greet"), QStringLiteral("Speak Welcome to Pellworth Vadarovuzidu Dudoredaz"),
};

class Probe : public ui::Form {
public:
    Probe() : ui::Form(QStringLiteral("frmProbe")) {}
    double w = 4500, h = 3000;

protected:
    void createControls() override { setClientSize(w, h); }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestStartup : public ScreenTest {
    Q_OBJECT

private slots:
    // The start-up makes the database itself.
    void init() { initScreenTest(Database::None); }
    void cleanup() { cleanupScreenTest(); }

    void placement_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("same size as the main window") << 10575.0 << 7005.0 << 0.0 << -250.0;
        QTest::newRow("smaller") << 4575.0 << 3005.0 << 3000.0 << 1750.0;
        QTest::newRow("wider and taller") << 12575.0 << 9005.0 << -1000.0 << -1250.0;
        QTest::newRow("odd difference") << 10574.0 << 7004.0 << 0.5 << -249.5;
    }
    void placement()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, left);
        QFETCH(double, top);
        const QPointF p = shell::startUpPlacement(10575, 7005, width, height);
        QCOMPARE(p.x(), left);
        QCOMPARE(p.y(), top);
    }

    void startUpIgnoresWhereTheMainWindowStands()
    {
        MainMenu& main = shell::frmMainMenu();
        main.load();
        main.window()->move(300, 200);
        Probe& probe = ui::form<Probe>();
        main.StartUp(probe);
        const QPointF expected = shell::startUpPlacement(main.width(), main.height(), probe.width(), probe.height());
        QVERIFY(qAbs(probe.left() - expected.x()) <= 15);
        QVERIFY(qAbs(probe.top() - expected.y()) <= 15);
    }

    void startUpKeepsABigWindowOnTheScreen()
    {
        MainMenu& main = shell::frmMainMenu();
        main.load();
        Probe& probe = ui::form<Probe>();
        probe.w = main.width() + 3000;
        probe.h = main.height() + 3000;
        main.StartUp(probe);
        // The formula alone would give -1500, -1750.
        QVERIFY(shell::startUpPlacement(main.width(), main.height(), probe.width(), probe.height()).x() < 0);
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(probe.window()->frameGeometry().topLeft(), avail.topLeft());
    }

    void freshStartCreatesTheDatabaseAndGreets()
    {
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        QVERIFY(!QFile::exists(db));
        MainMenu& main = shell::frmMainMenu();
        main.load();
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QVERIFY(QFile::exists(db));
        QCOMPARE(main.NoInList, 15);
        QCOMPARE(main.caption(), QStringLiteral("Main Menu"));
        QCOMPARE(main.Label1->text(), QStringLiteral("PELLWORTH Vadarovuzidu Dudoredaz Ver. 2.0"));
        QCOMPARE(main.helpFile(), dir->path() + QStringLiteral("/CORVANELVERSION2.html"));
        QCOMPARE(main.helpContextId(), 1);
        QCOMPARE(main.Merlin().requests(), greeting);
        QVERIFY(fake->messages.isEmpty());

        // The calls returned at once; the greeting is spoken in order.
        QTRY_COMPARE_WITH_TIMEOUT(
            fake->speechBackend.spoken,
            (QStringList{QStringLiteral("Hello"), QStringLiteral("Welcome to Pellworth Vadarovuzidu Dudoredaz")}),
            20000);

        data::Connection c;
        c.open(db);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from States")).toInt(), 51);
    }

    // Started as the program starts, the main window shows first; the
    // picture and the assistant with its greeting follow its first paint.
    void theWindowShowsBeforeThePictureAndTheGreeting()
    {
        MainMenu& main = shell::frmMainMenu();
        main.finishAfterFirstPaint = true;
        main.load();
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QVERIFY(!main.hasMerlin());
        auto* picture = main.window()->findChild<QLabel*>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QVERIFY(picture->pixmap().isNull());
        main.show();
        QTRY_VERIFY(main.hasMerlin());
        QCOMPARE(main.Merlin().requests(), greeting);
        QVERIFY(!picture->pixmap().isNull());
        QTRY_COMPARE_WITH_TIMEOUT(fake->speechBackend.spoken.size(), 2, 20000);
    }

    void damagedDatabaseIsToldOnceAndABackupRestoresIt()
    {
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        data::ensureDatabase(db);
        sqltest::rawExec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                             "INSERT INTO Item (ItemCode, ItemName) SELECT i, printf('%080d', i) FROM n;");
        const QString bak = dir->filePath(QStringLiteral("good.bak"));
        QVERIFY(QFile::copy(db, bak));
        {
            // Bytes overwritten in the middle of the file, past its header.
            QFile f(db);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(f.size() / 2 - 2048));
            f.write(QByteArray(8192, char(0x5a)));
        }

        MainMenu& main = shell::frmMainMenu();
        main.load();
        // The window is not held up by the check; its word comes after.
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QTRY_COMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text,
                 QStringLiteral("The database \"%1\" is damaged. Restore a backup with File > Restore from Backup.")
                     .arg(QDir::toNativeSeparators(db)));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Corvanel"));
        QTest::qWait(200);
        QCOMPARE(fake->messages.size(), 1);  // once

        // File > Restore from Backup mends it in place.
        fake->messages.clear();
        fake->openNames = {bak};
        main.pick(QStringLiteral("mnuImport"));
        QCOMPARE(fake->messageTexts(), QStringList{"Data File Imported"});
        QCOMPARE(data::quickCheck(db), data::FileHealth::Sound);
        data::Connection c;
        c.open(db);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from Item")).toInt(), 3000);
    }

    void secondInstanceSpeaksAndEnds()
    {
        shell::InstanceLock first;
        QVERIFY(first.acquire(dir->path()));

        QCOMPARE(shell::runProgram(), 0);
        MainMenu& main = shell::frmMainMenu();
        QCOMPARE(main.outcome(), MainMenu::Outcome::PreviousInstance);
        QVERIFY(!main.isLoaded());
        QCOMPARE(main.Merlin().requests(),
                 (QStringList{QStringLiteral("Show"), QStringLiteral("Play Sad"),
                              QStringLiteral("Speak Previous Instance of this Application is already running")}));
        QCOMPARE(fake->speechBackend.spoken,
                 QStringList{QStringLiteral("Previous Instance of this Application is already running")});
        QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("Corvanel.mdb"))));
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(first.holds());
    }

    void foreignDatabaseIsRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("old engine's file") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24);
        QTest::newRow("text file") << QByteArray("estimates go here\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void foreignDatabaseIsRefusedAndLeftAlone()
    {
        QFETCH(QByteArray, content);
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        {
            QFile f(db);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QCOMPARE(shell::runProgram(), 1);
        QCOMPARE(shell::frmMainMenu().outcome(), MainMenu::Outcome::DatabaseRefused);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY2(fake->messages[0].text.contains(db), qPrintable(fake->messages[0].text));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Corvanel"));
        QVERIFY(!shell::frmMainMenu().hasMerlin());
        QCOMPARE(readAll(db), content);
    }

    void staleLockDoesNotBlockTheNextStart()
    {
        const QString path = shell::InstanceLock::lockPath(dir->path());
        QFile::remove(path);
        {
            // A lock left by a process that no longer runs.
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("2147483000\ncorvanel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        shell::InstanceLock lock;
        QVERIFY(lock.acquire(dir->path()));
        QVERIFY(lock.holds());
    }

    void unwritableLockMeansNoPreviousInstance()
    {
        shell::InstanceLock lock;
        QVERIFY(lock.acquireFile(dir->filePath(QStringLiteral("no/such/folder/corvanel.lock"))));
        QVERIFY(!lock.holds());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
