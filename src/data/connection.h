#pragma once
#include "dbvalue.h"
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;

namespace data {

using Params = std::vector<DbValue>;
class Recordset;

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

    // Transactions: beginImmediate() takes the write lock at once, so a
    // save finds out before its first write whether it can go through.
    void begin();
    void beginImmediate();
    void commit();
    void rollback();  // never throws; harmless without a transaction
    bool inTransaction() const;
    // True once the open transaction has written (or taken the write lock):
    // what is read then may still be rolled back.
    bool inWriteTransaction() const;

    std::int64_t lastInsertRowId() const;
    // Rows written through this database file's shared handle since it was
    // opened (every insert, update and delete counts); 0 when closed.
    std::int64_t totalChanges() const;

    // How long statements on the shared handle wait for another program's
    // lock (the default is busyTimeoutMs() when the handle was opened).
    void setBusyTimeout(int ms);

    // For tests and benchmarks: `observer` sees every statement run on this
    // file's shared handle, by any connection, as it starts: its text, and
    // the text with each bound value written in as a literal. It stays
    // until it is replaced, or cleared with an empty function.
    using StatementObserver = std::function<void(const QString& sql, const QString& expandedSql)>;
    void setStatementObserver(StatementObserver observer);
    // True when both connections work on one shared handle.
    bool sharesHandleWith(const Connection& other) const;
    // Statements prepared on the shared handle and not yet finalized.
    int unfinishedStatements() const;

private:
    friend sqlite3* handleOf(const Connection& c);
    friend class PreparedStatement;
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// A statement prepared once on a connection and run as often as needed:
// a save compiles all of its statements before it writes anything, and a
// thousand lines cost one compilation. Binding starts a fresh run.
class PreparedStatement {
public:
    PreparedStatement(Connection& c, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Binds every value of the statement, in order.
    PreparedStatement& bindAll(const Params& values);
    template <class... Values>
    PreparedStatement& bind(const Values&... values)
    {
        return bindAll(Params{DbValue(values)...});
    }
    // Runs a write; the number of rows it changed.
    int run();
    // Runs a query; whether it found a row.
    bool found();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
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
