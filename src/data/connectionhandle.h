#pragma once
// The SQLite handle behind a connection, for the data layer's own files
// only: every other layer works through Connection and PreparedStatement.

#include "connection.h"

struct sqlite3;

namespace data {

// Null when the connection is closed.
sqlite3* handleOf(const Connection& c);

}  // namespace data
