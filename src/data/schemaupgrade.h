#pragma once
// The steps that take a database of one schema version to the next. A
// fresh database is made with the first version's tables and then every
// step, so that a new file and an upgraded one hold the same objects; an
// existing file gets the steps it has not had when it is opened. A later
// version appends its step to the list and raises data::schemaVersion.

#include <QString>
#include <vector>

struct sqlite3;

namespace data {

class Connection;

// One step: the statements, run in order inside one write transaction,
// that take a database of version `from` to version `from + 1`.
struct SchemaStep {
    int from;
    std::vector<const char*> statements;
};

// Runs every step from `version` on, inside the caller's write transaction
// (it neither begins nor commits one, and leaves user_version alone).
void applySchemaSteps(Connection& c, int version);
void applySchemaSteps(sqlite3* db, int version);

// Brings the database file at `path`, a database of this program of an
// older version, up to data::schemaVersion through bringUpToDate: the steps
// it lacks and the new user_version, in one write transaction, so that the
// file either gets all of them or stays as it was. A DbError with a sentence for the user when
// that cannot be done (the file is read-only, locked by another program,
// the disk is full); the file is then left unchanged.
void upgradeDatabaseFile(const QString& path);

// The numeric item-number order's key, as the index Item_ItemNumber holds
// it: for an item number that is whole digits (at most 15), perhaps
// followed by text that cannot continue a number, the value of those
// digits; 0 for one that cannot start a number (and the empty text);
// -9e999 for Null, so those come first; Null for every other item number,
// whose value the program works out with val(). Built from SQLite's own
// functions only, so that any program may write the table. Queries must
// spell it exactly so for the index to serve them.
extern const char* const itemNumberKey;

}  // namespace data
