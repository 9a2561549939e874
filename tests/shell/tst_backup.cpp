#include "support/filesizelimit.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "data/schema.h"
#include "data/appfolder.h"
#include "data/connection.h"
#include "data/quickcheck.h"
#include "shell/backup.h"
#include "shell/mainmenu.h"
#include "ui/form.h"
#include "ui/forms.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

class MainProbe : public ui::Form {
public:
    MainProbe() : ui::Form(QStringLiteral("frmMainProbe")) {}

protected:
    void createControls() override { setClientSize(3000, 2000); }
};

class OtherProbe : public ui::Form {
public:
    OtherProbe() : ui::Form(QStringLiteral("frmOtherProbe")) {}

protected:
    void createControls() override { setClientSize(3000, 2000); }
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

// Counts rows through a handle of its own, as another program would see
// the file on disk.
qint64 countOnDisk(const QString& path, const char* sql)
{
    sqlite3* h = nullptr;
    qint64 n = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
    return n;
}

// Items and estimate lines enough for many pages of each.
void seedPages(data::Connection& c)
{
    c.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                             "INSERT INTO Item (ItemCode, ItemName) SELECT i, printf('%080d', i) FROM n"));
    c.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                             "INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material) SELECT i / 20, i, i, i FROM n"));
}

// Overwrites the middle pages of the estimate lines, as a failing disk
// would, past the file's first pages.
void damageOrderItemPages(const QString& path)
{
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    QCOMPARE(sqlite3_prepare_v2(h, "SELECT pageno FROM dbstat WHERE name = 'OrderItem' AND pagetype = 'leaf'", -1, &st,
                                nullptr),
             SQLITE_OK);
    QList<qint64> pages;
    while (sqlite3_step(st) == SQLITE_ROW)
        pages << sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(h);
    QVERIFY(pages.size() > 10);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    for (int i = pages.size() / 3; i < 2 * pages.size() / 3; ++i) {
        QVERIFY(f.seek((pages[i] - 1) * 4096));
        f.write(QByteArray(4096, char(0x5a)));
    }
}

}  // namespace

class TestBackup : public ScreenTest {
    Q_OBJECT
    data::Connection& live = db;  // the main window's connection
    QString dialogName;
    QString backups;  // a folder for backups

    QString dbPath() const { return data::databasePath(); }
    QString inBackups(const QString& name) const { return backups + QLatin1Char('/') + name; }

    void addCustomer(const QString& name) { seed::addCustomer(live, {.name = name}); }
    int customers(data::Connection& c, const QString& name)
    {
        return c.scalar(QStringLiteral("SELECT count(*) FROM Customer WHERE CustName = ?"), {name}).toInt();
    }
    // A good backup of the database as it is now, made with the program's own backup.
    QString takeBackup(const QString& name)
    {
        fake->saveNames.push_back(inBackups(name));
        shell::backupDatabase(nullptr, dialogName);
        fake->messages.clear();
        fake->log.clear();
        return inBackups(name);
    }
    void restoreFrom(const std::optional<QString>& name, const ui::Form* mainWindow = nullptr)
    {
        fake->openNames.push_back(name);
        shell::restoreDatabase(nullptr, dialogName, live, mainWindow);
    }
    // Names in a folder other than the ones given: left-over temporary files.
    QStringList strayFiles(const QString& folder, const QStringList& expected)
    {
        QStringList out;
        for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (!expected.contains(f))
                out << f;
        return out;
    }

private slots:
    void init()
    {
        initScreenTest();
        backups = dir->filePath(QStringLiteral("backups"));
        QVERIFY(QDir().mkpath(backups));
        dialogName.clear();
    }

    void backupIsAByteForByteCopy()
    {
        addCustomer(QStringLiteral("Anna"));
        dialogName = QStringLiteral("left from before.bak");
        const QString target = inBackups(QStringLiteral("Corvanel.bak"));
        fake->saveNames.push_back(target);
        shell::backupDatabase(nullptr, dialogName);

        QCOMPARE(fake->log.value(0), QStringLiteral("saveFileName|Backup (*.bak)|*.bak|Corvanel.bak"));
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Data File Exported"));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Success"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
        const QByteArray copy = readAll(target);
        QVERIFY(!copy.isEmpty());
        QVERIFY(copy == readAll(dbPath()));
        QCOMPARE(dialogName, target);
        QCOMPARE(strayFiles(backups, {QStringLiteral("Corvanel.bak")}), QStringList());
        QCOMPARE(countOnDisk(target, "SELECT count(*) FROM Customer WHERE CustName = 'Anna'"), 1);
    }

    void existingTargetIsOverwrittenOnlyOnYes_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("Yes") << ui::Answer::Yes;
        QTest::newRow("No") << ui::Answer::No;
    }
    void existingTargetIsOverwrittenOnlyOnYes()
    {
        QFETCH(ui::Answer, answer);
        const QString target = inBackups(QStringLiteral("Corvanel.bak"));
        QVERIFY(writeAll(target, "an earlier backup"));
        fake->saveNames.push_back(target);
        fake->answers.push_back(answer);
        shell::backupDatabase(nullptr, dialogName);

        QVERIFY(!fake->messages.isEmpty());
        QCOMPARE(fake->messages[0].text, QStringLiteral("File already Exists. Overwrite it?"));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Take Backup"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::YesNo);
        if (answer == ui::Answer::Yes) {
            QCOMPARE(fake->messageTexts(), (QStringList{"File already Exists. Overwrite it?", "Data File Exported"}));
            QVERIFY(readAll(target) == readAll(dbPath()));
        } else {
            QCOMPARE(fake->messages.size(), 1);
            QCOMPARE(readAll(target), QByteArray("an earlier backup"));
        }
    }

    void cancelledDialogsAreSilent()
    {
        shell::backupDatabase(nullptr, dialogName);  // no name queued: cancelled
        QCOMPARE(dialogName, QStringLiteral("Corvanel.bak"));
        restoreFrom(std::nullopt);
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(fake->log.size(), 2);
        QCOMPARE(fake->log[1], QStringLiteral("openFileName|Backup (*.bak)|*.bak|Corvanel.bak"));
        QCOMPARE(strayFiles(backups, {}), QStringList());
    }

    void nameWithoutExtensionIsKeptExactly()
    {
        const QString target = inBackups(QStringLiteral("friday"));
        fake->saveNames.push_back(target);
        shell::backupDatabase(nullptr, dialogName);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Data File Exported")});
        QVERIFY(readAll(target) == readAll(dbPath()));
        QVERIFY(!QFile::exists(target + QStringLiteral(".bak")));

        // Such a file is no backup to a restore.
        fake->messages.clear();
        restoreFrom(target);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Not a Backup of database file")});
    }

    void failedCopyLeavesTheEarlierBackupIntact_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("disk full") << "limit";
        QTest::newRow("folder is a file") << "parent file";
        QTest::newRow("name is a folder") << "folder";
    }
    void failedCopyLeavesTheEarlierBackupIntact()
    {
        QFETCH(QString, kind);
        QString target = inBackups(QStringLiteral("Corvanel.bak"));
        QString folder = backups;
        QStringList present{QStringLiteral("Corvanel.bak")};
        QVERIFY(writeAll(target, "an earlier backup"));
        std::unique_ptr<FileSizeLimit> limit;
        if (kind == QLatin1String("limit")) {
            fake->answers.push_back(ui::Answer::Yes);
            limit = std::make_unique<FileSizeLimit>(2048);
        } else if (kind == QLatin1String("parent file")) {
            target = inBackups(QStringLiteral("Corvanel.bak/inside.bak"));
        } else {
            target = inBackups(QStringLiteral("folder.bak"));
            QVERIFY(QDir().mkpath(target));
        }
        fake->saveNames.push_back(target);
        shell::backupDatabase(nullptr, dialogName);
        limit.reset();

        const QStringList texts = fake->messageTexts();
        QVERIFY(!texts.contains(QStringLiteral("Data File Exported")));
        const QString failure = texts.value(texts.size() - 1);
        QCOMPARE(texts.size(), kind == QLatin1String("limit") ? 2 : 1);  // the overwrite question first
        QCOMPARE(fake->messages.last().title, QStringLiteral("Take Backup"));
        QVERIFY2(failure.contains(QDir::toNativeSeparators(target)), qPrintable(failure));
        QCOMPARE(readAll(inBackups(QStringLiteral("Corvanel.bak"))), QByteArray("an earlier backup"));
        QCOMPARE(strayFiles(folder, present), QStringList());
    }

    void backupOverTheDatabaseItselfIsRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("same name") << "same";
        QTest::newRow("roundabout path") << "dots";
        QTest::newRow("through a link") << "link";
    }
    void backupOverTheDatabaseItselfIsRefused()
    {
        QFETCH(QString, how);
        addCustomer(QStringLiteral("Anna"));
        const QByteArray before = readAll(dbPath());
        QString target = dbPath();
        if (how == QLatin1String("dots")) {
            target = dir->path() + QStringLiteral("/backups/../Corvanel.mdb");
        } else if (how == QLatin1String("link")) {
            target = inBackups(QStringLiteral("link.bak"));
            QVERIFY(QFile::link(dbPath(), target));
        }
        fake->saveNames.push_back(target);
        shell::backupDatabase(nullptr, dialogName);
        QCOMPARE(fake->messages.size(), 1);  // no overwrite question
        QCOMPARE(fake->messages[0].title, QStringLiteral("Take Backup"));
        QVERIFY(fake->messages[0].text.contains(QStringLiteral("database file itself")));
        QVERIFY(readAll(dbPath()) == before);
        QCOMPARE(customers(live, QStringLiteral("Anna")), 1);
    }

    void restoreBringsTheBackedUpDataBack()
    {
        addCustomer(QStringLiteral("Before"));
        const QString backup = takeBackup(QStringLiteral("Corvanel.bak"));
        addCustomer(QStringLiteral("After"));
        data::Connection screen;  // a record object's connection, open throughout
        screen.open(dbPath());
        QCOMPARE(customers(screen, QStringLiteral("After")), 1);

        restoreFrom(backup);
        // The open dialog started from the name chosen last.
        QCOMPARE(fake->log.value(0), QStringLiteral("openFileName|Backup (*.bak)|*.bak|%1").arg(backup));
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Data File Imported"));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Success"));
        QCOMPARE(customers(screen, QStringLiteral("After")), 0);
        QCOMPARE(customers(screen, QStringLiteral("Before")), 1);
        QCOMPARE(countOnDisk(dbPath(), "SELECT count(*) FROM Customer WHERE CustName = 'After'"), 0);

        // The restored database goes on working.
        addCustomer(QStringLiteral("Later"));
        QCOMPARE(customers(screen, QStringLiteral("Later")), 1);
        QCOMPARE(dialogName, backup);
    }

    void badBackupsAreRefusedAndChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString notBackup = QStringLiteral("Not a Backup of database file");
        const QString importError = QStringLiteral("Error while importing");
        // clang-format off
        QTest::newRow("ending in capitals") << "good.BAK" << "good" << notBackup << importError;
        QTest::newRow("no such file") << "missing.bak" << "none" << "File not found." << "File Import";
        QTest::newRow("folder of that name") << "folder.bak" << "folder" << "File not found." << "File Import";
        QTest::newRow("text file") << "notes.bak" << "text" << notBackup << importError;
        QTest::newRow("empty file") << "empty.bak" << "empty" << notBackup << importError;
        // %1: the backup's name.
        const QString damaged =
            QStringLiteral("The backup \"%1\" is damaged, so it was not restored. The database was left unchanged.");
        QTest::newRow("damaged database") << "damaged.bak" << "damaged" << damaged << importError;
        QTest::newRow("cut short") << "short.bak" << "truncated" << damaged << importError;
        QTest::newRow("first page overwritten") << "page1.bak" << "page one" << damaged << importError;
        QTest::newRow("another program's database") << "other.bak" << "foreign" << notBackup << importError;
        QTest::newRow("ours without a table") << "partial.bak" << "partial" << "The backup \"%1\" is not a whole Corvanel database: it has no " "table \"States\". It was not restored; the database was left " "unchanged." << importError;
        QTest::newRow("ours without three columns") << "columns.bak" << "columns" << "The backup \"%1\" is not a whole Corvanel database: it has no column \"Equipment\" of table " "\"Item\", column \"BCCNo\" of table \"Customer\", column \"Others\" of table \"OrderItem\". It " "was not restored; the database was left unchanged." << importError;
        QTest::newRow("older version without a column") << "old.bak" << "old columns" << "The backup \"%1\" is not a whole Corvanel database: it has no column \"Others\" of table " "\"OrderItem\". It was not restored; the database was left unchanged." << importError;
        QTest::newRow("newer version of ours") << "newer.bak" << "newer" << "The backup \"%1\" was made by a newer version of Corvanel (database version 99; this version reads " "version 2 and older), so it was not restored. The database was left unchanged." << importError;
        // clang-format on
    }
    void badBackupsAreRefusedAndChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QString, title);
        const QString good = takeBackup(QStringLiteral("source.bak"));
        const QByteArray goodBytes = readAll(good);
        const QString path = inBackups(name);

        auto withRawHandle = [&](const char* sql) {
            QVERIFY(writeAll(path, goodBytes));
            sqlite3* h = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &h), SQLITE_OK);
            QCOMPARE(sqlite3_exec(h, sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(h);
        };
        if (kind == QLatin1String("good")) {
            QVERIFY(writeAll(path, goodBytes));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("text")) {
            QVERIFY(writeAll(path, "Item;Price\nNails;2.50\n"));
        } else if (kind == QLatin1String("empty")) {
            QVERIFY(writeAll(path, QByteArray()));
        } else if (kind == QLatin1String("damaged")) {
            QByteArray bytes = goodBytes;
            QVERIFY(bytes.size() > 4 * 4096);
            for (int i = 2 * 4096 + 100; i < 4 * 4096; ++i)
                bytes[i] = char(0xA5 ^ (i & 0x3f));
            QVERIFY(writeAll(path, bytes));
        } else if (kind == QLatin1String("truncated")) {
            QVERIFY(writeAll(path, goodBytes.left(goodBytes.size() / 2)));
        } else if (kind == QLatin1String("foreign")) {
            sqlite3* h = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &h), SQLITE_OK);
            sqlite3_exec(h, "CREATE TABLE Recipes (Name TEXT); INSERT INTO Recipes VALUES ('Soup')", nullptr, nullptr,
                         nullptr);
            sqlite3_close(h);
        } else if (kind == QLatin1String("page one")) {
            QByteArray bytes = goodBytes;
            for (int i = 0; i < 4096; ++i)
                bytes[i] = char(0x5a);
            QVERIFY(writeAll(path, bytes));
        } else if (kind == QLatin1String("partial")) {
            withRawHandle("DROP TABLE States");
        } else if (kind == QLatin1String("columns")) {
            withRawHandle("DROP INDEX Customer_BCCNo; ALTER TABLE Item DROP COLUMN Equipment; "
                          "ALTER TABLE OrderItem DROP COLUMN Others; ALTER TABLE Customer DROP COLUMN BCCNo");
        } else if (kind == QLatin1String("old columns")) {
            withRawHandle("PRAGMA user_version = 0; ALTER TABLE OrderItem DROP COLUMN Others");
        } else if (kind == QLatin1String("newer")) {
            withRawHandle("PRAGMA user_version = 99");
        }

        addCustomer(QStringLiteral("Added after the backup"));
        const QByteArray before = readAll(dbPath());
        restoreFrom(path);

        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text,
                 message.contains(QLatin1String("%1")) ? message.arg(QDir::toNativeSeparators(path)) : message);
        QCOMPARE(fake->messages[0].title, title);
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
        QCOMPARE(customers(live, QStringLiteral("Added after the backup")), 1);
        QVERIFY(readAll(dbPath()) == before);
        QCOMPARE(dialogName, path);
        // An older backup brought up to date beside the database leaves no copy there.
        QCOMPARE(strayFiles(dir->path(), {QStringLiteral("Corvanel.mdb")}), QStringList());
    }

    // A backup of a database the program would run on as it is (one made
    // before versions were kept, say) is restored and brought up to date,
    // by the same upgrade the start-up gives the live database.
    void olderBackupIsRestoredAndBroughtUpToDate()
    {
        addCustomer(QStringLiteral("In the old backup"));
        const QString backup = takeBackup(QStringLiteral("old.bak"));
        sqlite3* h = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(backup).constData(), &h), SQLITE_OK);
        QCOMPARE(sqlite3_exec(h, "PRAGMA user_version = 0; DROP INDEX Item_ItemName; DROP VIEW Categories", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(h);
        const QByteArray backupBytes = readAll(backup);
        addCustomer(QStringLiteral("After"));

        restoreFrom(backup);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Data File Imported")});
        QCOMPARE(customers(live, QStringLiteral("In the old backup")), 1);
        QCOMPARE(customers(live, QStringLiteral("After")), 0);
        QCOMPARE(live.scalar(QStringLiteral("PRAGMA user_version")).toInt(), data::schemaVersion);
        QCOMPARE(live.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN "
                                            "('Item_ItemName', 'Categories')"))
                     .toInt(),
                 2);
        QCOMPARE(live.scalar(QStringLiteral("SELECT count(*) FROM Categories")).toInt(), 0);
        QVERIFY(readAll(backup) == backupBytes);  // the backup itself is only read
        QCOMPARE(strayFiles(dir->path(), {QStringLiteral("Corvanel.mdb")}), QStringList());
    }

    // After the program itself has said the database is damaged, File >
    // Backup refuses to copy it and the good backup keeps its bytes.
    void damagedDatabaseIsNotBackedUpOverAGoodBackup()
    {
        seedPages(live);
        const QString good = takeBackup(QStringLiteral("Corvanel.bak"));
        const QByteArray goodBytes = readAll(good);
        live.close();
        damageOrderItemPages(dbPath());

        shell::MainMenu& main = shell::frmMainMenu();
        main.load();
        QCOMPARE(main.outcome(), shell::MainMenu::Outcome::Started);
        QTRY_COMPARE(fake->messages.size(), 1);
        QVERIFY2(fake->messages[0].text.contains(QStringLiteral("is damaged")), qPrintable(fake->messages[0].text));
        fake->messages.clear();

        fake->saveNames.push_back(good);
        fake->answers.push_back(ui::Answer::Yes);  // overwrite it
        main.pick(QStringLiteral("mnuExport"));
        const QString db = QDir::toNativeSeparators(QFileInfo(dbPath()).canonicalFilePath());
        QCOMPARE(fake->boxes(),
                 (QStringList{QStringLiteral("Take Backup|File already Exists. Overwrite it?"),
                              QStringLiteral("Take Backup|The database \"%1\" is damaged, so no backup was made: a "
                                             "copy of it would not bring your data back. The earlier file \"%2\" was "
                                             "left as it was. Restore a backup with File > Restore from Backup.")
                                  .arg(db, QDir::toNativeSeparators(good))}));
        QVERIFY(readAll(good) == goodBytes);
        QCOMPARE(strayFiles(backups, {QStringLiteral("Corvanel.bak")}), QStringList());

        // To a new name: nothing is made at all.
        fake->messages.clear();
        fake->saveNames.push_back(inBackups(QStringLiteral("new.bak")));
        main.pick(QStringLiteral("mnuExport"));
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(!fake->messages[0].text.contains(QStringLiteral("earlier file")));
        QVERIFY(!QFile::exists(inBackups(QStringLiteral("new.bak"))));

        // The good backup still restores.
        fake->messages.clear();
        fake->openNames.push_back(good);
        main.pick(QStringLiteral("mnuImport"));
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Data File Imported")});
        QCOMPARE(data::quickCheck(dbPath()), data::FileHealth::Sound);
    }

    // What a backup killed midway leaves beside its target goes with the
    // next backup to that folder; a copy still being written by another
    // program, and other programs' files, stay.
    void nextBackupRemovesLeftoversOfKilledOnes()
    {
        const QByteArray database = readAll(dbPath());
        const QStringList leftovers{QStringLiteral(".Corvanel.bak.3f2a9c1b77e0d415.tmp"),
                                    QStringLiteral(".friday.bak.9c.tmp")};
        QVERIFY(writeAll(inBackups(leftovers[0]), database.left(database.size() / 2)));
        QVERIFY(writeAll(inBackups(leftovers[1]), database));
        // Cut short before its first byte, under the name now chosen again.
        QVERIFY(writeAll(inBackups(QStringLiteral(".Corvanel.bak.1d.tmp")), QByteArray()));
        const QString running = inBackups(QStringLiteral(".Corvanel.bak.77aa.tmp"));
        QVERIFY(writeAll(running, database));
        const QStringList others{QStringLiteral(".notes.txt.5e.tmp"), QStringLiteral(".other.bak.12.tmp"),
                                 QStringLiteral("Corvanel.mdb.tmp")};
        QVERIFY(writeAll(inBackups(others[0]), "some other program's words"));
        QVERIFY(writeAll(inBackups(others[1]), QByteArray()));  // not our name, nothing to tell it by
        QVERIFY(writeAll(inBackups(others[2]), database));      // not hidden: not one of ours
        const int held = ::open(QFile::encodeName(running).constData(), O_RDONLY);
        QVERIFY(held >= 0);
        QCOMPARE(::flock(held, LOCK_EX), 0);

        takeBackup(QStringLiteral("Corvanel.bak"));
        ::close(held);
        QStringList expected = others;
        expected << QStringLiteral("Corvanel.bak") << QFileInfo(running).fileName();
        expected.sort();
        QStringList present = QDir(backups).entryList(QDir::Files | QDir::Hidden);
        present.sort();
        QCOMPARE(present, expected);
    }

    void restoreIsRefusedWhileOtherWindowsAreOpen()
    {
        const QString backup = takeBackup(QStringLiteral("Corvanel.bak"));
        addCustomer(QStringLiteral("After"));
        MainProbe& main = ui::form<MainProbe>();
        main.show();
        ui::form<OtherProbe>().show();

        restoreFrom(backup, &main);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].title, QStringLiteral("File Import"));
        QVERIFY(fake->messages[0].text.contains(QStringLiteral("Close the other windows")));
        QVERIFY(!fake->log.join(QLatin1Char('\n')).contains(QStringLiteral("openFileName")));
        QCOMPARE(customers(live, QStringLiteral("After")), 1);

        // With only the main window open, the same restore goes through.
        fake->openNames.clear();
        fake->messages.clear();
        ui::form<OtherProbe>().unload();
        restoreFrom(backup, &main);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Data File Imported")});
        QCOMPARE(customers(live, QStringLiteral("After")), 0);
    }

    void restoreBlockedByAnotherWriterChangesNothing_data()
    {
        QTest::addColumn<bool>("backupLocked");
        QTest::newRow("the database locked") << false;
        QTest::newRow("the backup locked") << true;
    }
    void restoreBlockedByAnotherWriterChangesNothing()
    {
        QFETCH(bool, backupLocked);
        const QString backup = takeBackup(QStringLiteral("Corvanel.bak"));
        addCustomer(QStringLiteral("After"));
        // Another program holds the write lock of one of the two throughout.
        const QString locked = backupLocked ? backup : dbPath();
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(locked).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        live.setBusyTimeout(200);  // no need to wait the full time here
        restoreFrom(backup);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);

        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].title, QStringLiteral("Error while importing"));
        QVERIFY2(fake->messages[0].text.contains(QStringLiteral("left unchanged")), qPrintable(fake->messages[0].text));
        QCOMPARE(fake->messages[0].text,
                 QStringLiteral("The backup \"%1\" could not be restored: the %2 \"%3\" is in use by another "
                                "program. Please try again when that program has finished. The database was left "
                                "unchanged.")
                     .arg(QDir::toNativeSeparators(backup),
                          backupLocked ? QStringLiteral("backup") : QStringLiteral("database"),
                          QDir::toNativeSeparators(locked)));
        QCOMPARE(customers(live, QStringLiteral("After")), 1);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
