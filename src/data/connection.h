#pragma once
#include "dbvalue.h"
#include <QString>
#include <memory>
#include <vector>

struct sqlite3;

namespace data {

using Params = std::vector<DbValue>;
class Recordset;
class Page;

// A connection to one database file, in the manner of the old ADO
// connection. Connections to the same file share one SQLite handle, so a
// record object per screen costs nothing and no two of them lock each
// other out. Every value goes in as a bound parameter.
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file; never creates one (a missing file is
    // a DbError). The SQL functions val, cdbl and isnumeric are registered.
    void open(const QString& path);
    // Opens the application's database (data::databasePath()).
    void openApplicationDatabase();
    bool isOpen() const;
    void close();
    QString path() const;

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const Params& params = {});
    // Runs a query and reads every row (the old client-side cursor).
    Recordset query(const QString& sql, const Params& params = {});
    // The first column of the first row, Null when there is no row.
    DbValue scalar(const QString& sql, const Params& params = {});

    // One page of a query, counted and read in one read transaction with
    // LIMIT/OFFSET: pageSize rows of page `page` (1-based), or every row for
    // page -1. orderBy is appended as " order by " + orderBy when not empty;
    // callers build it from checked identifiers only (sqlnames.h).
    Page page(const QString& selectSql, const Params& params, const QString& orderBy,
              int pageSize, int page);

    // Transactions: beginImmediate() takes the write lock at once, so a
    // save finds out before its first write whether it can go through.
    void begin();
    void beginImmediate();
    void commit();
    void rollback();  // never throws; harmless without a transaction
    bool inTransaction() const;

    std::int64_t lastInsertRowId() const;
    sqlite3* handle() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// Rolls back on scope exit unless commit() was called.
class Transaction {
public:
    explicit Transaction(Connection& c, bool immediate = true);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& c_;
    bool done_ = false;
};

}  // namespace data
