#pragma once
// The file work of File > Backup and File > Restore from Backup: copying the
// live database to a backup file, and checking and copying a backup back.
// The dialogs and messages around them are the shell's.

#include "dberror.h"

#include <QString>
#include <memory>

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
// written beside the target under a temporary name, flushed to disk and
// renamed over the target, so a failure leaves an earlier file of that name
// intact. BackupCopyError for a file that cannot be read or written; DbError
// when the database itself cannot be opened.
void copyDatabaseFile(const QString& databasePath, const QString& target);

// Copies the whole database file at `sourcePath` into the database `live`
// is open on, with SQLite's online backup, in one write transaction. Does
// not check what the source is: restoring a backup goes through
// BackupSource, which does. DbError with SQLite's reason when it fails.
void copyDatabaseInto(const QString& sourcePath, Connection& live);

// A backup file, open read-only, that was found to be a whole database of
// this program.
class BackupSource {
public:
    // Nothing when `path` is not a backup of this program (another kind of
    // file, damaged, another program's database, a newer version, tables
    // missing); DbError with the system's reason when it cannot be read.
    static std::unique_ptr<BackupSource> open(const QString& path);
    ~BackupSource();
    BackupSource(const BackupSource&) = delete;
    BackupSource& operator=(const BackupSource&) = delete;

    // Copies the whole backup into the database `live` is open on (the
    // application's database when it is closed), in one write transaction:
    // all or nothing, and every connection to it sees the restored data at
    // once. DbError with SQLite's reason when it fails.
    void restoreInto(Connection& live) const;

private:
    BackupSource() = default;
    sqlite3* db_ = nullptr;
};

}  // namespace data
