#pragma once
// The file work of File > Backup and File > Restore from Backup: copying the
// live database to a backup file, and checking and copying a backup back.
// The dialogs and messages around them are the shell's.

#include "dberror.h"
#include "schema.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3;

namespace data {

class Connection;

// A backup that could not be written or a database that could not be read
// while copying: its message is the whole sentence for the user.
class BackupCopyError : public DbError {
public:
    using DbError::DbError;
};

// Copies the database file at `databasePath` byte for byte to `target`.
// The copy is taken under a read lock (no write can be half done in it),
// written beside the target under a temporary name, flushed to disk, checked
// with SQLite's quick check and only then renamed over the target, so a
// failure, or a database found damaged, leaves an earlier file of that name
// intact. Leftovers of earlier copies to that folder that were cut short are
// removed first. BackupCopyError for a file that cannot be read or written,
// or a damaged database; DbError when the database itself cannot be opened.
void copyDatabaseFile(const QString& databasePath, const QString& target);

// Copies the whole database file at `sourcePath` into the database `live`
// is open on, with SQLite's online backup, in one write transaction. Does
// not check what the source is: restoring a backup goes through
// BackupSource, which does. DbError with SQLite's reason when it fails.
void copyDatabaseInto(const QString& sourcePath, Connection& live);

// Removes what copies cut short (the program killed, the machine gone down)
// left in `folder`: hidden temporary files ".<name>.<digits>.tmp" that no
// running copy holds, and that either hold a database of this program or,
// for a name in `ownNames`, were cut short before one was written. Files of
// other programs are never touched. Returns how many were removed.
int removeLeftoverCopies(const QString& folder, const QStringList& ownNames);

// Where a database that cannot be used is kept when a backup takes its
// place: beside it, under a name that says why and when ("Corvanel (damaged
// 2026-03-01 14.05.09).mdb"), never one that exists.
QString asideName(const QString& databasePath, const QString& why, const QDateTime& when);

// Why a file was refused as a backup.
struct BackupRefusal {
    enum class Kind {
        NotOurs,     // another kind of file, or another program's database
        Damaged,     // ours, but SQLite's quick check finds it damaged
        Newer,       // made by a newer version: `version`
        Incomplete,  // lacks tables or columns: `missing`
    };
    Kind kind = Kind::NotOurs;
    std::int64_t version = 0;
    std::vector<MissingPart> missing;
};

// A backup file, open read-only, that was found to be a whole database of
// this program, of this version or an older one. One of an older version is
// first copied beside the application's database and brought up to date
// there (the same upgrade the live database gets when it is opened); that
// copy is what is restored.
class BackupSource {
public:
    // Nothing, with the reason in `refusal`, when `path` is not a whole
    // backup of this program; DbError with the system's reason when it
    // cannot be read, or an older backup cannot be brought up to date.
    static std::unique_ptr<BackupSource> open(const QString& path, BackupRefusal& refusal);
    ~BackupSource();
    BackupSource(const BackupSource&) = delete;
    BackupSource& operator=(const BackupSource&) = delete;

    // Copies the whole backup into the database `live` is open on (the
    // application's database when it is closed), in one write transaction:
    // all or nothing, and every connection to it sees the restored data at
    // once. DbError with the reason when it fails.
    void restoreInto(Connection& live) const;

    // Puts the backup in place of the database file at `databasePath`, which
    // cannot be opened (no connection may be open on it): that file, and a
    // journal it left, are renamed to `aside` first; the backup's copy then
    // takes its name. Nothing is deleted or overwritten: on a failure the
    // database file is back under its own name. The object is spent
    // afterwards. DbError with the reason when it fails.
    void replaceDatabaseFile(const QString& databasePath, const QString& aside);

private:
    BackupSource() = default;
    void stage();
    struct Staged;
    sqlite3* db_ = nullptr;
    std::unique_ptr<Staged> staged_;
};

}  // namespace data
