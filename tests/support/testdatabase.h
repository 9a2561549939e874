#pragma once
// A new application folder for one test case, holding a fresh database.

#include "data/connection.h"

#include <QTemporaryDir>
#include <memory>

namespace testdb {

// Makes `dir` a new temporary folder, points the application folder at it,
// creates the database there and opens `db` on it.
void openFresh(std::unique_ptr<QTemporaryDir>& dir, data::Connection& db);

}  // namespace testdb
