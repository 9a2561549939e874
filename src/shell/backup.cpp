#include "backup.h"

#include "data/appfolder.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "ui/form.h"
#include "ui/forms.h"
#include "ui/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

const QString takeBackupTitle = QStringLiteral("Take Backup");
const QString importTitle = QStringLiteral("File Import");
const QString importErrorTitle = QStringLiteral("Error while importing");
const QString successTitle = QStringLiteral("Success");

// A failure, with the whole message shown to the user.
struct Failure {
    QString message;
};
// The system's reason for a failed file operation, put into a Failure's
// message by the caller, who knows what was being done.
struct Reason {
    QString text;
};

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString systemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// True when both names lead to one file (also through links).
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// The old file system object's FileExists: true for files, not for folders.
bool fileExists(const QString& path) { return QFileInfo(path).isFile(); }

// A file descriptor that is closed, and a temporary file that is removed,
// however the copy ends.
class TempFile {
public:
    explicit TempFile(const QString& besides)
    {
        const QFileInfo target(besides);
        const QString folder = target.absolutePath();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name = QStringLiteral("%1/.%2.%3.tmp")
                                     .arg(folder, target.fileName(),
                                          QString::number(QRandomGenerator::global()->generate64(), 16));
            path_ = QFile::encodeName(name);
            fd_ = ::open(path_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                return;
            if (errno != EEXIST)
                break;
        }
        const int err = errno;
        path_.clear();
        throw Reason{systemError(err)};
    }
    ~TempFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.isEmpty())
            ::unlink(path_.constData());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void write(const char* data, qint64 size)
    {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, std::size_t(size));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw Reason{systemError(errno)};
            }
            data += n;
            size -= n;
        }
    }

    // Flushes to disk, closes and puts the file in place of `target`.
    void commitAs(const QString& target)
    {
        if (::fsync(fd_) != 0)
            throw Reason{systemError(errno)};
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throw Reason{systemError(errno)};
        if (::rename(path_.constData(), QFile::encodeName(target).constData()) != 0)
            throw Reason{systemError(errno)};
        path_.clear();
        // The rename itself is made durable too; a folder that cannot be
        // synced (some file systems) still holds the renamed file.
        const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
        const int dfd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
    }

private:
    QByteArray path_;
    int fd_ = -1;
};

// Copies the database file byte for byte to `target`, while a read
// transaction on the database keeps every writer out.
void copyDatabaseTo(const QString& target)
{
    data::Connection live;
    live.open(data::databasePath());
    // A transaction left open on the program's own connection may hold
    // writes not yet committed; the copy waits for a quiet moment instead.
    if (live.inTransaction())
        throw Failure{QStringLiteral("The database is in the middle of a change. No backup was made; "
                                     "try again in a moment.")};
    data::Transaction readLock(live, false);
    // The first read of a transaction takes SQLite's shared lock; from here
    // to the end of the copy no commit can change the file.
    live.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));

    QFile in(live.path());
    if (!in.open(QIODevice::ReadOnly))
        throw Failure{QStringLiteral("The database file \"%1\" could not be read: %2.")
                          .arg(shown(live.path()), in.errorString())};
    try {
        TempFile out(target);
        QByteArray chunk;
        for (;;) {
            chunk = in.read(1 << 20);
            if (chunk.isEmpty()) {
                if (in.error() != QFileDevice::NoError)
                    throw Failure{QStringLiteral("The database file \"%1\" could not be read: %2.")
                                      .arg(shown(live.path()), in.errorString())};
                break;
            }
            out.write(chunk.constData(), chunk.size());
        }
        out.commitAs(target);
    } catch (const Reason& r) {
        QString message = QStringLiteral("The backup could not be written to \"%1\": %2.").arg(shown(target), r.text);
        if (fileExists(target))
            message += QStringLiteral(" The earlier file of that name was left as it was.");
        throw Failure{message};
    }
}

// An SQLite handle that is closed however the work with it ends.
struct Handle {
    sqlite3* db = nullptr;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (db)
            sqlite3_close_v2(db);
    }
};

// The program's tables, which a backup of its database holds.
const char* const requiredTables[] = {
    "Item", "Category", "Rooms", "Units", "Customer", "States", "OrderInfo",
    "OrderItem", "Tax", "Representatives", "Ship", "BlankNotes",
};

std::optional<std::int64_t> pragmaNumber(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    std::optional<std::int64_t> out;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        out = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return out;
}

// Every row of a one-column query as text; nothing when it fails.
std::optional<QStringList> textColumn(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return std::nullopt;
    }
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

// Opens `path` read-only when it is a whole database of this program;
// false when it is not. A file that cannot be read at all is a Reason.
bool openBackup(const QString& path, Handle& h)
{
    // The header is read with plain file access first, so that a file of
    // another kind never reaches SQLite.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Reason{file.errorString()};
    const QByteArray header = file.read(100);
    file.close();
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(magic))
        return false;

    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return false;
    const auto check = textColumn(h.db, "PRAGMA quick_check");
    if (!check || check->size() != 1 || check->first() != QLatin1String("ok"))
        return false;
    // A file that the program would refuse at its next start is no backup.
    const auto appId = pragmaNumber(h.db, "PRAGMA application_id");
    const auto version = pragmaNumber(h.db, "PRAGMA user_version");
    if (!appId || std::int32_t(std::uint32_t(*appId)) != data::applicationId)
        return false;
    if (!version || *version < 1 || *version > data::schemaVersion)
        return false;
    const auto tables = textColumn(h.db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    if (!tables)
        return false;
    QSet<QString> present;
    for (const QString& t : *tables)
        present.insert(t.toLower());
    for (const char* t : requiredTables)
        if (!present.contains(QString::fromLatin1(t).toLower()))
            return false;
    return true;
}

// Copies the whole of `source` into the live database in one write
// transaction: SQLite rolls it back if any page fails.
void copyIntoLive(sqlite3* source, data::Connection& liveConnection)
{
    data::Connection own;
    sqlite3* dest = liveConnection.handle();
    if (!dest) {
        own.open(data::databasePath());
        dest = own.handle();
    }
    sqlite3_backup* b = sqlite3_backup_init(dest, "main", source, "main");
    if (!b)
        throw Reason{QString::fromUtf8(sqlite3_errmsg(dest))};
    const int rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_errcode(dest);
        throw Reason{code != SQLITE_OK ? QString::fromUtf8(sqlite3_errmsg(dest)) : QString::fromUtf8(sqlite3_errstr(rc))};
    }
}

}  // namespace

void backupDatabase(QWidget* parent, QString& dialogFileName)
{
    dialogFileName = QString::fromLatin1(defaultBackupName);
    ui::FileDialogOptions options;
    options.filter = QString::fromLatin1(backupFilter);
    options.fileName = dialogFileName;
    const std::optional<QString> chosen = ui::platform().saveFileName(parent, options);
    if (!chosen || chosen->isEmpty())
        return;
    dialogFileName = *chosen;
    const QString target = *chosen;

    if (sameFile(target, data::databasePath())) {
        ui::msgBox(QStringLiteral("The backup cannot be written over the database file itself. "
                                  "Choose another name for the backup."),
                   ui::Buttons::Ok, takeBackupTitle);
        return;
    }
    if (fileExists(target)
        && ui::msgBox(QStringLiteral("File already Exists. Overwrite it?"), ui::Buttons::YesNo, takeBackupTitle)
               != ui::Answer::Yes)
        return;

    try {
        copyDatabaseTo(target);
    } catch (const Failure& f) {
        ui::msgBox(f.message, ui::Buttons::Ok, takeBackupTitle);
        return;
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("No backup was made: %1").arg(e.message()), ui::Buttons::Ok, takeBackupTitle);
        return;
    }
    ui::msgBox(QStringLiteral("Data File Exported"), ui::Buttons::Ok, successTitle);
}

void restoreDatabase(QWidget* parent, QString& dialogFileName, data::Connection& liveConnection,
                     const ui::Form* mainWindow)
{
    // An open screen keeps the old data in its boxes and would write it into
    // the restored database.
    for (const ui::Form* f : ui::loadedForms()) {
        if (f != mainWindow) {
            ui::msgBox(QStringLiteral("Close the other windows of the program before restoring a backup."),
                       ui::Buttons::Ok, importTitle);
            return;
        }
    }

    ui::FileDialogOptions options;
    options.filter = QString::fromLatin1(backupFilter);
    options.fileName = dialogFileName;
    const std::optional<QString> chosen = ui::platform().openFileName(parent, options);
    if (!chosen || chosen->isEmpty())
        return;
    dialogFileName = *chosen;
    const QString source = *chosen;

    if (source.right(4) != QLatin1String(".bak")) {
        ui::msgBox(QStringLiteral("Not a Backup of database file"), ui::Buttons::Ok, importErrorTitle);
        return;
    }
    if (!fileExists(source)) {
        ui::msgBox(QStringLiteral("File not found."), ui::Buttons::Ok, importTitle);
        return;
    }
    if (sameFile(source, data::databasePath())) {
        ui::msgBox(QStringLiteral("That file is the database itself; there is nothing to restore."),
                   ui::Buttons::Ok, importTitle);
        return;
    }

    try {
        Handle backup;
        if (!openBackup(source, backup)) {
            ui::msgBox(QStringLiteral("Not a Backup of database file"), ui::Buttons::Ok, importErrorTitle);
            return;
        }
        copyIntoLive(backup.db, liveConnection);
    } catch (const Reason& r) {
        ui::msgBox(QStringLiteral("The backup \"%1\" could not be restored: %2. The database was left unchanged.")
                       .arg(shown(source), r.text),
                   ui::Buttons::Ok, importErrorTitle);
        return;
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("The backup \"%1\" could not be restored: %2. The database was left unchanged.")
                       .arg(shown(source), e.message()),
                   ui::Buttons::Ok, importErrorTitle);
        return;
    }
    ui::msgBox(QStringLiteral("Data File Imported"), ui::Buttons::Ok, successTitle);
}

}  // namespace shell
