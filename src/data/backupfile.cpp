#include "backupfile.h"

#include "appfolder.h"
#include "connection.h"
#include "connectionhandle.h"
#include "quickcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringList>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
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

const QByteArray sqliteMagic("SQLite format 3\0", 16);

bool headerIsOurs(const QByteArray& header)
{
    if (header.size() < 72 || !header.startsWith(sqliteMagic))
        return false;
    std::uint32_t id = 0;
    for (int i = 68; i < 72; ++i)
        id = (id << 8) | std::uint8_t(header[i]);
    return std::int32_t(id) == applicationId;
}

// Renames without ever replacing a file of the new name; errno on failure.
int renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without that rename: a second name, then the first
    // one goes; the second name fails if the file exists.
    if (::link(a.constData(), b.constData()) != 0)
        return errno;
    ::unlink(a.constData());
    return 0;
}

void syncFolder(const QString& folder)
{
    // A folder that cannot be synced (some file systems) still holds the
    // renamed file.
    const int dfd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// A temporary file beside `besides`, hidden and named after it, which is
// removed however the work with it ends unless it was put in place. It is
// held with a lock while it lives, which tells removeLeftoverCopies that
// the copy is still running.
class TempFile {
public:
    explicit TempFile(const QString& besides)
    {
        const QFileInfo target(besides);
        const QString folder = target.absolutePath();
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = QStringLiteral("%1/.%2.%3.tmp")
                        .arg(folder, target.fileName(), QString::number(QRandomGenerator::global()->generate64(), 16));
            path_ = QFile::encodeName(name_);
            fd_ = ::open(path_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0) {
                if (errno != EEXIST)
                    break;
                continue;
            }
            // Another program's clean-up may have taken the file in the
            // moment before the lock; a new name then.
            struct stat byFd {};
            struct stat byName {};
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd_, &byFd) == 0 &&
                ::stat(path_.constData(), &byName) == 0 && byFd.st_ino == byName.st_ino && byFd.st_dev == byName.st_dev)
                return;
            ::close(fd_);
            fd_ = -1;
        }
        const int err = errno;
        path_.clear();
        throw Reason{systemError(err)};
    }
    ~TempFile()
    {
        if (!path_.isEmpty()) {
            ::unlink(path_.constData());
            ::unlink((path_ + "-journal").constData());
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const QString& path() const { return name_; }

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

    void sync()
    {
        if (::fsync(fd_) != 0)
            throw Reason{systemError(errno)};
    }

    // Flushes to disk and puts the file in place of `target`; with
    // `replace` false only where no file of that name is.
    void commitAs(const QString& target, bool replace = true)
    {
        sync();
        const QByteArray to = QFile::encodeName(target);
        if (replace) {
            if (::rename(path_.constData(), to.constData()) != 0)
                throw Reason{systemError(errno)};
        } else if (const int err = renameNoReplace(name_, target)) {
            throw Reason{systemError(err)};
        }
        path_.clear();
        syncFolder(QFileInfo(target).absolutePath());
    }

private:
    QString name_;
    QByteArray path_;
    int fd_ = -1;
};

// Every row of a one-column query as text; nothing when it fails, with
// SQLite's code in `rc`.
std::optional<QStringList> textColumn(sqlite3* db, const char* sql, int& rc)
{
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        return std::nullopt;
    }
    QStringList rows;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    rc = SQLITE_OK;
    return rows;
}

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
        throwFailure(dest, sqlite3_errcode(dest));
    const int rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        throwFailure(dest, rc);
}

QString damagedBackupMessage(const QString& database, const QString& target, bool earlierKept)
{
    QString message = QStringLiteral("The database \"%1\" is damaged, so no backup was made: a copy of it "
                                     "would not bring your data back.")
                          .arg(shown(database));
    if (earlierKept)
        message += QStringLiteral(" The earlier file \"%1\" was left as it was.").arg(shown(target));
    return message + QStringLiteral(" Restore a backup with File > Restore from Backup.");
}

}  // namespace

int removeLeftoverCopies(const QString& folder, const QStringList& ownNames)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.[0-9a-f]{1,16}\\.tmp$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (!m.hasMatch())
            continue;
        const QString path = dir.filePath(name);
        const QByteArray encoded = QFile::encodeName(path);
        const int fd = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        const auto closeFd = qScopeGuard([fd] { ::close(fd); });
        // A copy still running holds its file locked.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            continue;
        char bytes[100];
        const ssize_t n = ::pread(fd, bytes, sizeof bytes, 0);
        const QByteArray header(bytes, n > 0 ? int(n) : 0);
        const bool ours = headerIsOurs(header) ||
                          (ownNames.contains(m.captured(1)) && (header.size() < 100 || header.startsWith(sqliteMagic)));
        if (!ours)
            continue;
        if (::unlink(encoded.constData()) == 0)
            ++removed;
        ::unlink((encoded + "-journal").constData());
    }
    return removed;
}

QString asideName(const QString& databasePath, const QString& why, const QDateTime& when)
{
    const QFileInfo info(databasePath);
    const QString stem = QStringLiteral("%1 (%2 %3")
                             .arg(info.completeBaseName(), why, when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString candidate = info.dir().filePath(stem + QLatin1Char(')') + suffix);
    for (int n = 2; QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink(); ++n)
        candidate = info.dir().filePath(QStringLiteral("%1 %2)%3").arg(stem).arg(n).arg(suffix));
    return candidate;
}

void copyDatabaseFile(const QString& databasePath, const QString& target)
{
    const QFileInfo targetInfo(target);
    removeLeftoverCopies(targetInfo.absolutePath(), {targetInfo.fileName()});

    Connection live;
    live.open(databasePath);
    // A transaction left open on the program's own connection may hold
    // writes not yet committed; the copy waits for a quiet moment instead.
    if (live.inTransaction())
        throw BackupCopyError{QStringLiteral("The database is in the middle of a change. No backup was made; "
                                             "try again in a moment.")};
    const bool earlier = targetInfo.isFile();
    try {
        TempFile out(target);
        {
            // A read transaction on the database keeps every writer out
            // while the bytes are copied; its first read takes SQLite's
            // shared lock, and from there to the end of the copy no commit
            // can change the file.
            Transaction readLock(live, false);
            live.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));

            QFile in(live.path());
            if (!in.open(QIODevice::ReadOnly))
                throw BackupCopyError{QStringLiteral("The database file \"%1\" could not be read: %2.")
                                          .arg(shown(live.path()), in.errorString())};
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
        }
        out.sync();
        // The copy holds the same bytes as the database did under the
        // lock; checking the copy keeps the lock short, and a damaged
        // database never takes the place of a good backup.
        switch (quickCheck(out.path())) {
        case FileHealth::Sound: break;
        case FileHealth::Damaged: throw BackupCopyError{damagedBackupMessage(live.path(), target, earlier)};
        case FileHealth::Unknown:
            throw BackupCopyError{
                QStringLiteral("The copy of the database could not be checked, so no backup "
                               "was made.%1")
                    .arg(earlier ? QStringLiteral(" The earlier file \"%1\" was left as it was.").arg(shown(target))
                                 : QString())};
        }
        out.commitAs(target);
    } catch (const Reason& r) {
        QString message = QStringLiteral("The backup could not be written to \"%1\": %2.").arg(shown(target), r.text);
        if (QFileInfo(target).isFile())
            message += QStringLiteral(" The earlier file of that name was left as it was.");
        throw BackupCopyError{message};
    }
}

struct BackupSource::Staged {
    TempFile file;
    explicit Staged(const QString& besides) : file(besides) {}
};

std::unique_ptr<BackupSource> BackupSource::open(const QString& path, BackupRefusal& refusal)
{
    refusal = BackupRefusal{};
    using Kind = BackupRefusal::Kind;
    const FileIdentity id = identifyFile(path);
    switch (id.kind) {
    case FileIdentity::Kind::Ours: break;
    case FileIdentity::Kind::Foreign: refusal.kind = Kind::NotOurs; return nullptr;
    case FileIdentity::Kind::Damaged: refusal.kind = Kind::Damaged; return nullptr;
    case FileIdentity::Kind::InUse: throw DbError(inUseMessage(shown(path)), id.code);
    case FileIdentity::Kind::Unreadable: throw DbError(id.reason);
    }
    if (id.version > schemaVersion) {
        refusal.kind = Kind::Newer;
        refusal.version = id.version;
        return nullptr;
    }

    std::unique_ptr<BackupSource> source(new BackupSource);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &source->db_, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        refusal.kind = Kind::NotOurs;
        return nullptr;
    }
    sqlite3_busy_timeout(source->db_, busyTimeoutMs());
    int rc = SQLITE_OK;
    const auto check = textColumn(source->db_, "PRAGMA quick_check", rc);
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        throw DbError(inUseMessage(shown(path)), rc & 0xff);
    if (!check || check->size() != 1 || check->first() != QLatin1String("ok")) {
        refusal.kind = Kind::Damaged;
        return nullptr;
    }
    try {
        if (id.version < schemaVersion) {
            source->stage();
        } else {
            std::vector<MissingPart> missing = missingParts(source->db_);
            if (!missing.empty())
                throw IncompleteDatabaseError(path, std::move(missing));
        }
    } catch (const IncompleteDatabaseError& e) {
        refusal.kind = Kind::Incomplete;
        refusal.missing = e.missing();
        return nullptr;
    }
    return source;
}

BackupSource::~BackupSource()
{
    if (db_)
        sqlite3_close_v2(db_);
}

void BackupSource::stage()
{
    // Beside the application's database: on its disk, and removed by the
    // next start should the program be killed before it is done.
    std::unique_ptr<Staged> staged;
    try {
        staged = std::make_unique<Staged>(databasePath());
    } catch (const Reason& r) {
        throw DbError(QStringLiteral("A copy of the backup could not be made in \"%1\": %2.")
                          .arg(shown(applicationFolder()), r.text));
    }
    {
        Connection copy;
        copy.open(staged->file.path());
        copyHandleInto(db_, copy);
        bringUpToDate(copy);
    }
    sqlite3* reopened = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(staged->file.path()).constData(), &reopened, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = QString::fromUtf8(reopened ? sqlite3_errmsg(reopened) : sqlite3_errstr(rc));
        sqlite3_close_v2(reopened);
        throw DbError(why, rc & 0xff);
    }
    sqlite3_close_v2(db_);
    db_ = reopened;
    staged_ = std::move(staged);
}

void BackupSource::restoreInto(Connection& live) const { copyHandleInto(db_, live); }

void BackupSource::replaceDatabaseFile(const QString& databasePath, const QString& aside)
{
    if (!db_)
        throw DbError(QStringLiteral("The backup was already used."), SQLITE_MISUSE);
    if (!staged_)
        stage();
    // Nothing of ours may hold the copy open while it changes its name.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    const std::unique_ptr<Staged> staged = std::move(staged_);

    const QString journal = databasePath + QStringLiteral("-journal");
    const QString asideJournal = aside + QStringLiteral("-journal");
    if (const int err = renameNoReplace(databasePath, aside))
        throw DbError(QStringLiteral("The database \"%1\" could not be moved aside to \"%2\": %3.")
                          .arg(shown(databasePath), shown(aside), systemError(err)));
    // A journal left by the file's last write belongs to it, and must not be
    // played back into the restored one.
    const bool hadJournal = QFileInfo::exists(journal);
    if (hadJournal) {
        if (const int err = renameNoReplace(journal, asideJournal)) {
            renameNoReplace(aside, databasePath);
            throw DbError(QStringLiteral("The journal \"%1\" could not be moved aside: %2.")
                              .arg(shown(journal), systemError(err)));
        }
    }
    try {
        staged->file.commitAs(databasePath, false);
    } catch (const Reason& r) {
        if (hadJournal)
            renameNoReplace(asideJournal, journal);
        renameNoReplace(aside, databasePath);
        throw DbError(
            QStringLiteral("The backup could not be put in place of \"%1\": %2.").arg(shown(databasePath), r.text));
    }
}

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
