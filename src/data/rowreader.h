#pragma once
// Reads the rows of one query one at a time, straight from SQLite: for
// results too large to hold as a Recordset of values (every item of a
// master file of a hundred thousand), read once into a compact form.

#include "connection.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace data {

class RowReader {
public:
    enum class Kind { Null, Integer, Real, Text, Blob };

    // Prepares `sql` on the connection and binds whole numbers to its
    // parameters in order; a DbError when the statement cannot be made.
    RowReader(Connection& c, const QString& sql, const std::vector<std::int64_t>& params = {});
    // The same with values of any kind.
    RowReader(Connection& c, const QString& sql, const Params& params);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Moves to the next row; false when there is none (a DbError on failure).
    bool next();

    // The current row's values, by column from 0.
    Kind kind(int column) const;
    bool isNull(int column) const { return kind(column) == Kind::Null; }
    std::int64_t integer(int column) const;
    double real(int column) const;
    // The bytes of a text or blob (a number's text form otherwise), valid
    // until the next call of next().
    std::string_view bytes(int column) const;
    // The value as the record classes read it.
    DbValue value(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace data
