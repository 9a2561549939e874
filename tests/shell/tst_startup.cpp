#include "support/screentest.h"
#include "support/sqltestutil.h"
#include "support/withoutoverride.h"

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
#include <QRegularExpression>
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

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Spoils the database at `path` as `how` says; false for a name it does
// not know.
bool spoil(const QString& path, const QString& how)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const qint64 size = f.size();
    if (how == QLatin1String("cut to 1000 bytes"))
        return f.resize(1000);
    if (how == QLatin1String("cut in half"))
        return f.resize(size / 2);
    if (how == QLatin1String("first page overwritten"))
        return f.write(QByteArray(4096, char(0x5a))) == 4096;
    if (how == QLatin1String("header overwritten after its first bytes"))
        return f.seek(16) && f.write(QByteArray(84, char(0x5a))) == 84;
    if (how == QLatin1String("first page's tree overwritten"))
        return f.seek(100) && f.write(QByteArray(3996, char(0x5a))) == 3996;
    if (how == QLatin1String("columns dropped")) {
        f.close();
        sqltest::rawExec(path, "DROP INDEX Customer_BCCNo; ALTER TABLE Item DROP COLUMN Equipment; "
                               "ALTER TABLE OrderItem DROP COLUMN Others; ALTER TABLE Customer DROP COLUMN BCCNo");
        return true;
    }
    return false;
}

// The start-up's offer for a database that cannot be used, and the name it
// gives for the kept file.
struct Offer {
    QString text;
    QString kept;
};
Offer offerFor(const QString& db, const QString& how)
{
    const bool incomplete = how == QLatin1String("columns dropped");
    const QString state =
        incomplete ? QStringLiteral("is not a whole Corvanel database: it has no column \"Equipment\" of table "
                                    "\"Item\", column \"BCCNo\" of table \"Customer\", column \"Others\" of "
                                    "table \"OrderItem\". Corvanel cannot start with it")
                   : QStringLiteral("is damaged, so Corvanel cannot start with it");
    const QString why = incomplete ? QStringLiteral("incomplete") : QStringLiteral("damaged");
    return {QStringLiteral("The database \"%1\" %2.\n\nRestore a backup in its place now? The %3 file is kept "
                           "beside it as \"KEPT\". No ends the program and leaves the file as it is.")
                .arg(QDir::toNativeSeparators(db), state, why),
            QStringLiteral("Corvanel \\(%1 \\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d\\)\\.mdb").arg(why)};
}

// Whether `text` is the offer, naming a kept file as `kept` (a pattern);
// the name it gives goes to `name`.
bool isOffer(const QString& text, const Offer& offer, QString* name = nullptr)
{
    const qsizetype at = offer.text.indexOf(QStringLiteral("KEPT"));
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(offer.text.left(at)) + QLatin1Char('(') + offer.kept + QLatin1Char(')') +
        QRegularExpression::escape(offer.text.mid(at + 4))));
    const QRegularExpressionMatch m = pattern.match(text);
    if (name && m.hasMatch())
        *name = m.captured(1);
    return m.hasMatch();
}

}  // namespace

class TestStartup : public ScreenTest {
    Q_OBJECT

    // A database of this program with items and estimate lines enough for
    // many pages, in the application folder.
    QString makeDatabase()
    {
        const QString db = dir->filePath(QStringLiteral("Corvanel.mdb"));
        data::ensureDatabase(db);
        sqltest::rawExec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                             "INSERT INTO Item (ItemCode, ItemName) SELECT i, printf('%080d', i) FROM n;"
                             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                             "INSERT INTO OrderItem (OrderNo, ItemId, Qty, Others) SELECT i, i, i, 1 FROM n;");
        return db;
    }

    static void unusable_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how :
             {"cut to 1000 bytes", "cut in half", "first page overwritten", "header overwritten after its first bytes",
              "first page's tree overwritten", "columns dropped"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

private slots:
    // The start-up makes the database itself.
    void init() { initScreenTest(Database::None); }

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

    void unusableDatabaseIsKeptAsItIsWhenTheUserDeclines_data() { unusable_data(); }
    void unusableDatabaseIsKeptAsItIsWhenTheUserDeclines()
    {
        QFETCH(QString, how);
        const QString db = makeDatabase();
        QVERIFY(spoil(db, how));
        const QByteArray spoilt = readAll(db);
        const QStringList files = entries(dir->path());

        fake->answers.push_back(ui::Answer::No);
        QCOMPARE(shell::runProgram(), 1);
        QCOMPARE(shell::frmMainMenu().outcome(), MainMenu::Outcome::DatabaseRefused);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY2(isOffer(fake->messages[0].text, offerFor(db, how)), qPrintable(fake->messages[0].text));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(fake->messages[0].title, QStringLiteral("Corvanel"));
        QVERIFY(!shell::frmMainMenu().hasMerlin());
        QVERIFY(readAll(db) == spoilt);
        QCOMPARE(entries(dir->path()), files);
    }

    void aBackupTakesThePlaceOfAnUnusableDatabase_data() { unusable_data(); }
    void aBackupTakesThePlaceOfAnUnusableDatabase()
    {
        QFETCH(QString, how);
        const QString db = makeDatabase();
        const QString bak = dir->filePath(QStringLiteral("good.bak"));
        QVERIFY(QFile::copy(db, bak));
        QVERIFY(spoil(db, how));
        const QByteArray spoilt = readAll(db);
        // A journal that the spoilt file's last write left belongs to it.
        QVERIFY(writeAll(db + QStringLiteral("-journal"), "the damaged file's journal"));

        fake->answers.push_back(ui::Answer::Yes);
        fake->openNames.push_back(bak);
        MainMenu& main = shell::frmMainMenu();
        main.load();
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QCOMPARE(fake->log.value(1), QStringLiteral("openFileName|Backup (*.bak)|*.bak|"));
        QCOMPARE(fake->messages.size(), 2);
        QString kept;
        QVERIFY2(isOffer(fake->messages[0].text, offerFor(db, how), &kept), qPrintable(fake->messages[0].text));
        QCOMPARE(fake->messages[1].text, QStringLiteral("Data File Imported"));
        QCOMPARE(fake->messages[1].title, QStringLiteral("Success"));
        QCOMPARE(main.Merlin().requests(), greeting);

        // The spoilt file is kept, whole, under the name the offer gave.
        QVERIFY(readAll(dir->filePath(kept)) == spoilt);
        QStringList files = entries(dir->path());
        const QString keptJournal = kept + QStringLiteral("-journal");
        // SQLite drops a journal it cannot use when it opens the file; one
        // that is left stays with the file it belongs to.
        if (files.removeAll(keptJournal))
            QCOMPARE(readAll(dir->filePath(keptJournal)), QByteArray("the damaged file's journal"));
        QCOMPARE(files, (QStringList{kept, "Corvanel.mdb", "good.bak"}));
        QCOMPARE(data::quickCheck(db), data::FileHealth::Sound);
        data::Connection c;
        c.open(db);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from Item where Equipment is null")).toInt(), 3000);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from OrderItem where Others = 1")).toInt(), 2000);
    }

    // A backup refused at start is told as File > Restore from Backup tells
    // it; the offer then stands again, until the user declines.
    void refusedBackupAtStartOffersAgain()
    {
        const QString db = makeDatabase();
        const QString bak = dir->filePath(QStringLiteral("good.bak"));
        QVERIFY(QFile::copy(db, bak));
        const QString damaged = dir->filePath(QStringLiteral("damaged.bak"));
        QVERIFY(QFile::copy(db, damaged));
        QVERIFY(spoil(damaged, QStringLiteral("cut in half")));
        QVERIFY(spoil(db, QStringLiteral("first page overwritten")));
        const QByteArray spoilt = readAll(db);

        fake->answers = {ui::Answer::Yes, ui::Answer::Yes, ui::Answer::Ok,
                         ui::Answer::Yes, ui::Answer::Ok,  ui::Answer::No};
        fake->openNames = {std::nullopt, dir->filePath(QStringLiteral("good.BAK")), damaged};
        QCOMPARE(shell::runProgram(), 1);
        const Offer offer = offerFor(db, QStringLiteral("first page overwritten"));
        const QStringList texts = fake->messageTexts();
        QCOMPARE(texts.size(), 6);
        for (int i : {0, 1, 3, 5})
            QVERIFY2(isOffer(texts[i], offer), qPrintable(texts[i]));
        QCOMPARE(texts[2], QStringLiteral("Not a Backup of database file"));
        QCOMPARE(texts[4], QStringLiteral(
                               "The backup \"%1\" is damaged, so it was not restored. The database was left unchanged.")
                               .arg(QDir::toNativeSeparators(damaged)));
        // Each dialog starts from the name chosen last.
        QCOMPARE(fake->log.filter(QStringLiteral("openFileName")),
                 (QStringList{"openFileName|Backup (*.bak)|*.bak|", "openFileName|Backup (*.bak)|*.bak|",
                              "openFileName|Backup (*.bak)|*.bak|" + dir->filePath(QStringLiteral("good.BAK"))}));
        QVERIFY(readAll(db) == spoilt);
        QCOMPARE(entries(dir->path()), (QStringList{"Corvanel.mdb", "damaged.bak", "good.bak"}));
    }

    // A database the program runs on as it is, made before versions were
    // kept, is brought up to date when it is opened.
    void olderDatabaseIsBroughtUpToDate()
    {
        const QString db = makeDatabase();
        sqltest::rawExec(db, "PRAGMA user_version = 0; DROP INDEX Customer_CustName; DROP VIEW Categories;");
        MainMenu& main = shell::frmMainMenu();
        main.load();
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QVERIFY(fake->messages.isEmpty());
        data::Connection c;
        c.open(db);
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from sqlite_master where name in "
                                         "('Customer_CustName', 'Categories')"))
                     .toInt(),
                 2);
    }

    // What a backup or the making of the database left in the application
    // folder when the program was killed goes at the next start.
    void leftoversOfKilledCopiesGoAtStart()
    {
        const QString db = makeDatabase();
        const QByteArray bytes = readAll(db);
        const QStringList leftovers{".Corvanel.mdb.5b1e.tmp", ".Corvanel.mdb.5b1e.tmp-journal",
                                    ".Corvanel.bak.a07c33.tmp", ".friday.bak.e1.tmp"};
        QVERIFY(writeAll(dir->filePath(leftovers[0]), QByteArray()));
        QVERIFY(writeAll(dir->filePath(leftovers[1]), "journal"));
        QVERIFY(writeAll(dir->filePath(leftovers[2]), bytes.left(8192)));
        QVERIFY(writeAll(dir->filePath(leftovers[3]), bytes));
        QVERIFY(writeAll(dir->filePath(QStringLiteral(".kept.txt.1.tmp")), "another program's"));
        MainMenu& main = shell::frmMainMenu();
        main.load();
        QCOMPARE(main.outcome(), MainMenu::Outcome::Started);
        QCOMPARE(entries(dir->path()), (QStringList{".kept.txt.1.tmp", "Corvanel.mdb"}));
    }

    void firstStartInAFolderThatCannotBeWritten()
    {
        QVERIFY(QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        auto restore = qScopeGuard(
            [&] { QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        int code = 0;
        {
            WithoutPermissionOverride asAUser;
            code = shell::runProgram();
        }
        QCOMPARE(code, 1);
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral("A new database could not be made in \"%1\": the folder cannot be "
                                            "written to (Permission denied). Nothing was written.")
                                 .arg(QDir::toNativeSeparators(dir->path()))});
        QCOMPARE(entries(dir->path()), QStringList());
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
