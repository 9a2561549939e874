#pragma once
#include <QString>

namespace data {

// Version 2 added what the item lists page by (schemaupgrade.h).
inline constexpr int schemaVersion = 2;
// Marks our files (PRAGMA application_id), "CRVN".
inline constexpr int applicationId = 0x4352564E;

enum class OpenOutcome { Opened, Created };

// Makes sure `path` is a database of this program: creates a fresh one
// with the whole schema when the file does not exist; when it exists and is
// not an SQLite database of ours (another engine's file, a text file, an
// empty file, a newer schema), throws DbError with a clear message naming
// the file and leaves the file untouched. A database of ours of an older
// version is brought up to date first (upgradeDatabaseFile).
OpenOutcome ensureDatabase(const QString& path);

// Creates the schema in a new, empty database file at `path`.
void createFreshDatabase(const QString& path);

}  // namespace data
