#include "rowchanges.h"

#include "connectionhandle.h"
#include "dberror.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <strings.h>

namespace data {

namespace {

// The rows written through one handle, for the tables someone watches.
struct Journal {
    std::uint64_t generation = 0;  // moves on when the hook had to be put back
    std::uint64_t events = 0;      // rows written through the handle, any table
    std::uint64_t sequence = 0;    // of the last entry logged
    std::uint64_t oldest = 1;      // sequence of the oldest entry still kept
    std::vector<std::string> watched;
    struct Entry {
        std::uint64_t sequence;
        std::size_t table;
        std::int64_t rowid;
    };
    std::deque<Entry> log;

    static constexpr std::size_t keep = 1 << 18;

    std::size_t watch(const std::string& table)
    {
        for (std::size_t i = 0; i < watched.size(); ++i)
            if (strcasecmp(watched[i].c_str(), table.c_str()) == 0)
                return i;
        watched.push_back(table);
        return watched.size() - 1;
    }

    void restart()
    {
        ++generation;
        log.clear();
        oldest = sequence + 1;
    }

    static void onUpdate(void* self, int, const char* database, const char* table, sqlite3_int64 rowid)
    {
        auto* j = static_cast<Journal*>(self);
        ++j->events;
        if (std::strcmp(database, "main") != 0)
            return;
        for (std::size_t i = 0; i < j->watched.size(); ++i) {
            if (strcasecmp(j->watched[i].c_str(), table) == 0) {
                j->log.push_back({++j->sequence, i, rowid});
                if (j->log.size() > keep) {
                    j->log.pop_front();
                    j->oldest = j->log.front().sequence;
                }
            }
        }
    }
};

// One journal per handle, for the life of the process: a handle may be
// closed and another opened at the same address, which the missing hook
// then tells.
Journal& journalOf(sqlite3* db)
{
    static std::mutex guard;
    static auto* journals = new std::map<sqlite3*, std::unique_ptr<Journal>>;
    std::lock_guard lock(guard);
    std::unique_ptr<Journal>& j = (*journals)[db];
    if (!j)
        j = std::make_unique<Journal>();
    return *j;
}

}  // namespace

RowChanges::RowChanges(const QString& table) : table_(table.toStdString()) {}

RowChanges::Changed RowChanges::take(Connection& c)
{
    sqlite3* db = handleOf(c);
    if (!db)
        throw DbError(QStringLiteral("The database is not open."), SQLITE_MISUSE);
    Journal& j = journalOf(db);
    if (sqlite3_update_hook(db, &Journal::onUpdate, &j) != &j)
        j.restart();
    const std::size_t table = j.watch(table_);

    const std::int64_t dataVersion = c.scalar(QStringLiteral("PRAGMA data_version")).toInt64();
    const std::int64_t schemaVersion = c.scalar(QStringLiteral("PRAGMA schema_version")).toInt64();
    const std::int64_t totalChanges = sqlite3_total_changes64(db);
    // Every row counted as changed must have passed the hook; a restore
    // through the backup interface moves the schema version on.
    const bool unseen = first_ || handle_ != db || generation_ != j.generation || dataVersion != dataVersion_ ||
                        schemaVersion != schemaVersion_ ||
                        totalChanges - totalChanges_ != std::int64_t(j.events - events_) || position_ + 1 < j.oldest;

    Changed out;
    out.everything = unseen;
    if (!unseen)
        for (auto it = j.log.rbegin(); it != j.log.rend() && it->sequence > position_; ++it)
            if (it->table == table)
                out.rowids.push_back(it->rowid);

    if (sqlite3_txn_state(db, "main") == SQLITE_TXN_WRITE) {
        recheck_.insert(recheck_.end(), out.rowids.begin(), out.rowids.end());
        recheckEverything_ = recheckEverything_ || out.everything;
    } else {
        out.everything = out.everything || recheckEverything_;
        out.rowids.insert(out.rowids.end(), recheck_.begin(), recheck_.end());
        recheck_.clear();
        recheckEverything_ = false;
    }
    if (out.everything)
        out.rowids.clear();
    std::sort(out.rowids.begin(), out.rowids.end());
    out.rowids.erase(std::unique(out.rowids.begin(), out.rowids.end()), out.rowids.end());

    first_ = false;
    handle_ = db;
    generation_ = j.generation;
    position_ = j.sequence;
    events_ = j.events;
    totalChanges_ = totalChanges;
    dataVersion_ = dataVersion;
    schemaVersion_ = schemaVersion;
    return out;
}

}  // namespace data
