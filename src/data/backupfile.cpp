#include "backupfile.h"

#include "appfolder.h"
#include "connection.h"
#include "connectionhandle.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QStringList>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace data {

namespace {

// The system's reason for a failed file operation, put into a sentence by
// the caller, who knows what was being done.
struct Reason {
    QString text;
};

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString systemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// A file descriptor that is closed, and a temporary file that is removed,
// however the copy ends.
class TempFile {
public:
    explicit TempFile(const QString& besides)
    {
        const QFileInfo target(besides);
        const QString folder = target.absolutePath();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name =
                QStringLiteral("%1/.%2.%3.tmp")
                    .arg(folder, target.fileName(), QString::number(QRandomGenerator::global()->generate64(), 16));
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

// The program's tables, which a backup of its database holds.
const char* const requiredTables[] = {
    "Item",      "Category",  "Rooms", "Units",           "Customer", "States",
    "OrderInfo", "OrderItem", "Tax",   "Representatives", "Ship",     "BlankNotes",
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

// True when the file at `path`, open read-only on `db`, is a whole database
// of this program.
bool isWholeBackup(sqlite3* db)
{
    const auto check = textColumn(db, "PRAGMA quick_check");
    if (!check || check->size() != 1 || check->first() != QLatin1String("ok"))
        return false;
    // A file that the program would refuse at its next start is no backup.
    const auto appId = pragmaNumber(db, "PRAGMA application_id");
    const auto version = pragmaNumber(db, "PRAGMA user_version");
    if (!appId || std::int32_t(std::uint32_t(*appId)) != applicationId)
        return false;
    if (!version || *version < 1 || *version > schemaVersion)
        return false;
    const auto tables = textColumn(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
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

}  // namespace

void copyDatabaseFile(const QString& databasePath, const QString& target)
{
    // A read transaction on the database keeps every writer out while the
    // bytes are copied.
    Connection live;
    live.open(databasePath);
    // A transaction left open on the program's own connection may hold
    // writes not yet committed; the copy waits for a quiet moment instead.
    if (live.inTransaction())
        throw BackupCopyError{QStringLiteral("The database is in the middle of a change. No backup was made; "
                                             "try again in a moment.")};
    Transaction readLock(live, false);
    // The first read of a transaction takes SQLite's shared lock; from here
    // to the end of the copy no commit can change the file.
    live.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));

    QFile in(live.path());
    if (!in.open(QIODevice::ReadOnly))
        throw BackupCopyError{QStringLiteral("The database file \"%1\" could not be read: %2.")
                                  .arg(shown(live.path()), in.errorString())};
    try {
        TempFile out(target);
        QByteArray chunk;
        for (;;) {
            chunk = in.read(1 << 20);
            if (chunk.isEmpty()) {
                if (in.error() != QFileDevice::NoError)
                    throw BackupCopyError{QStringLiteral("The database file \"%1\" could not be read: %2.")
                                              .arg(shown(live.path()), in.errorString())};
                break;
            }
            out.write(chunk.constData(), chunk.size());
        }
        out.commitAs(target);
    } catch (const Reason& r) {
        QString message = QStringLiteral("The backup could not be written to \"%1\": %2.").arg(shown(target), r.text);
        if (QFileInfo(target).isFile())
            message += QStringLiteral(" The earlier file of that name was left as it was.");
        throw BackupCopyError{message};
    }
}

std::unique_ptr<BackupSource> BackupSource::open(const QString& path)
{
    // The header is read with plain file access first, so that a file of
    // another kind never reaches SQLite.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(file.errorString());
    const QByteArray header = file.read(100);
    file.close();
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(magic))
        return nullptr;

    std::unique_ptr<BackupSource> source(new BackupSource);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &source->db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return nullptr;
    if (!isWholeBackup(source->db_))
        return nullptr;
    return source;
}

BackupSource::~BackupSource()
{
    if (db_)
        sqlite3_close_v2(db_);
}

namespace {
// The online backup of `source` into the database `live` is open on (the
// application's database when it is closed).
void copyHandleInto(sqlite3* source, Connection& live)
{
    Connection own;
    sqlite3* dest = handleOf(live);
    if (!dest) {
        own.open(databasePath());
        dest = handleOf(own);
    }
    sqlite3_backup* b = sqlite3_backup_init(dest, "main", source, "main");
    if (!b)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(dest)), sqlite3_errcode(dest) & 0xff);
    const int rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_errcode(dest);
        throw DbError(code != SQLITE_OK ? QString::fromUtf8(sqlite3_errmsg(dest))
                                        : QString::fromUtf8(sqlite3_errstr(rc)),
                      rc & 0xff);
    }
}
}  // namespace

void BackupSource::restoreInto(Connection& live) const { copyHandleInto(db_, live); }

void copyDatabaseInto(const QString& sourcePath, Connection& live)
{
    sqlite3* source = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(sourcePath).constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    const auto closeSource = qScopeGuard([&] { sqlite3_close_v2(source); });
    if (rc != SQLITE_OK)
        throw DbError(QString::fromUtf8(source ? sqlite3_errmsg(source) : sqlite3_errstr(rc)), rc & 0xff);
    copyHandleInto(source, live);
}

}  // namespace data
