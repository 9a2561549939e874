#pragma once
// Which rows of a table were written since a cache of it last looked, so
// that the cache can mend itself instead of reading the whole table again.
// Writes through the connection's handle are seen row by row (SQLite's
// update hook, installed on first use); what cannot be seen that way (a
// commit by another program, a restored database, a table emptied in one
// go, a statement that failed halfway) is reported as "everything".

#include "connection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace data {

class RowChanges {
public:
    explicit RowChanges(const QString& table);

    struct Changed {
        bool everything = false;
        std::vector<std::int64_t> rowids;  // each once, ascending
    };
    // What changed in the table since the last call on this object; the
    // first call reports everything. Rows written inside a write
    // transaction that is still open are reported again after it ends,
    // since a rollback takes them back without a word.
    Changed take(Connection& c);

private:
    std::string table_;
    const void* handle_ = nullptr;
    std::uint64_t generation_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t events_ = 0;
    std::int64_t totalChanges_ = 0;
    std::int64_t dataVersion_ = 0;
    std::int64_t schemaVersion_ = 0;
    bool first_ = true;
    std::vector<std::int64_t> recheck_;
    bool recheckEverything_ = false;
};

}  // namespace data
