#pragma once
// The SQLite handle behind a connection, for the data layer's own files
// only: every other layer works through Connection and PreparedStatement.

#include "connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace data {

// Null when the connection is closed.
sqlite3* handleOf(const Connection& c);

// Binds every value of a prepared statement, in order; a DbError when the
// count does not match or SQLite refuses one.
void bindValues(sqlite3* db, sqlite3_stmt* stmt, const Params& params);

}  // namespace data
