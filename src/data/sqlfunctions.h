#pragma once

struct sqlite3;

namespace data {

// Registers val(x), cdbl(x) and isnumeric(x) on a handle, with the meaning
// of the runtime conversions (conversions.h), so that queries written
// against the old engine's functions keep working. Returns SQLite's result
// code.
int registerSqlFunctions(sqlite3* db);

}  // namespace data
