#pragma once
#include "dberror.h"

#include <QString>
#include <cstdint>
#include <vector>

struct sqlite3;

namespace data {

class Connection;

// Raised by one when a later version's schema needs it; bringUpToDate then
// takes older files there. Version 2 added what the item lists page by
// (schemaupgrade.h).
inline constexpr int schemaVersion = 2;
// Marks our files (PRAGMA application_id), "CRVN".
inline constexpr int applicationId = 0x4352564E;

enum class OpenOutcome { Opened, Created };

// Makes sure `path` is a database of this program: creates a fresh one
// with the whole schema when the file does not exist; when it exists and is
// not an SQLite database of ours (another engine's file, a text file, an
// empty file, a newer schema), throws DbError with a clear message naming
// the file and leaves the file untouched. A file of ours that is damaged so
// badly that it cannot be opened (cut short, its first page overwritten) is
// a DbError with damagedMessage() and SQLITE_CORRUPT, so that the caller
// can offer a backup in its place. A database of ours of an older version
// is brought up to date first (upgradeDatabaseFile).
OpenOutcome ensureDatabase(const QString& path);

// Creates the schema in a new, empty database file at `path`.
void createFreshDatabase(const QString& path);

// A part of this version's schema that a database lacks: a column of a
// table, or, with `column` empty, the whole table (or the saved query).
struct MissingPart {
    QString table;
    QString column;
};

// "column "Equipment" of table "Item", table "States"": the parts, for a
// sentence.
QString describeMissing(const std::vector<MissingPart>& parts);

// A database that lacks tables or columns the program reads and writes.
class IncompleteDatabaseError : public DbError {
public:
    IncompleteDatabaseError(const QString& file, std::vector<MissingPart> missing);
    const std::vector<MissingPart>& missing() const { return missing_; }

private:
    std::vector<MissingPart> missing_;
};

// True for a database that cannot be used as it is but that a backup can
// take the place of: it is damaged, or lacks tables or columns.
bool backupCanReplace(const DbError& e);

// Brings the database `c` is open on up to this version's schema: runs the
// upgrade steps from its version on and checks that every table and column
// is there, in one write transaction. The live database goes through it
// when the program opens it, and so does a backup from an older version
// before it is restored. IncompleteDatabaseError naming what is missing
// (the file is then left as it was); DbError when it cannot be written.
void bringUpToDate(Connection& c);

// For the data layer's own files: the tables and columns of this version's
// schema that the database on `db` lacks (empty when it is whole).
std::vector<MissingPart> missingParts(sqlite3* db);
// Whether `name` is a column of some table, or a table, of this version's
// schema (compared without regard to case).
bool isSchemaColumn(const QString& name);
bool isSchemaTable(const QString& name);

// What a file is, found without writing to it: a database of ours (of some
// version), another kind of file, one of ours too damaged to open, or one
// that cannot be read now.
struct FileIdentity {
    enum class Kind { Ours, Foreign, Damaged, InUse, Unreadable };
    Kind kind = Kind::Foreign;
    std::int64_t version = 0;  // Ours: its user_version
    QString reason;            // Foreign, Unreadable: the system's or SQLite's words
    int code = 0;              // SQLite's primary code, when it gave one
};
FileIdentity identifyFile(const QString& path);

}  // namespace data
