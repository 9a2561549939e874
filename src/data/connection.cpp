#include "connection.h"

#include "appfolder.h"
#include "connectionhandle.h"
#include "dberror.h"
#include "recordset.h"
#include "sqlfunctions.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <mutex>
#include <sqlite3.h>

namespace data {

struct Connection::Shared {
    sqlite3* db = nullptr;
    QString path;  // canonical
    Connection::StatementObserver observer;
    ~Shared()
    {
        if (db)
            sqlite3_close_v2(db);
    }
};

namespace {

// Guards the registry of shared handles in Connection::open.
std::mutex registryMutex;

[[noreturn]] void throwSqlite(sqlite3* db, int rc) { throwFailure(db, rc); }

bool isBlankSql(const char* p, const char* end)
{
    for (; p < end; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r' && *p != ';')
            return false;
    return true;
}

// A prepared statement that is always finalized, however the work ends.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) : db_(db)
    {
        const QByteArray utf8 = sql.toUtf8();
        const char* begin = utf8.constData();
        const char* end = begin + utf8.size();
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, begin, int(utf8.size()), &stmt_, &tail);
        if (rc != SQLITE_OK)
            throwSqlite(db, rc);
        if (!stmt_)
            throw DbError(QStringLiteral("The SQL text holds no statement."), SQLITE_MISUSE);
        // One statement per call: a second one would run unbound values past
        // every check, so it is refused rather than ignored.
        if (tail && !isBlankSql(tail, end)) {
            sqlite3_stmt* next = nullptr;
            const char* rest = nullptr;
            const int rc2 = sqlite3_prepare_v2(db, tail, int(end - tail), &next, &rest);
            const bool another = next != nullptr || rc2 != SQLITE_OK;
            sqlite3_finalize(next);
            if (another) {
                // The destructor does not run for a constructor that throws,
                // and an unfinalized statement keeps the handle from closing.
                sqlite3_finalize(stmt_);
                stmt_ = nullptr;
                throw DbError(QStringLiteral("The SQL text holds more than one statement."), SQLITE_MISUSE);
            }
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }

    void bind(const Params& params) { bindValues(db_, stmt_, params); }

    // True while there is a row.
    bool step()
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        throwSqlite(db_, rc);
    }

    QStringList columnNames() const
    {
        QStringList names;
        const int n = sqlite3_column_count(stmt_);
        names.reserve(n);
        for (int i = 0; i < n; ++i)
            names << QString::fromUtf8(sqlite3_column_name(stmt_, i));
        return names;
    }

    DbValue column(int i) const
    {
        switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER: return DbValue(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT: return DbValue(sqlite3_column_double(stmt_, i));
        case SQLITE_TEXT: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
            return DbValue(QString::fromUtf8(p, sqlite3_column_bytes(stmt_, i)));
        }
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
            return DbValue(QByteArray(p, sqlite3_column_bytes(stmt_, i)));
        }
        default: return DbValue();
        }
    }

    RowArray readAll()
    {
        QStringList names = columnNames();
        const int n = int(names.size());
        std::vector<std::vector<DbValue>> rows;
        while (step()) {
            std::vector<DbValue> row;
            row.reserve(std::size_t(n));
            for (int i = 0; i < n; ++i)
                row.push_back(column(i));
            rows.push_back(std::move(row));
        }
        return RowArray(std::move(names), std::move(rows));
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void execPlain(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = failureMessage(db, rc);
        if (err && msg == QString::fromUtf8(sqlite3_errmsg(db)))
            msg = QString::fromUtf8(err);
        sqlite3_free(err);
        throw DbError(msg, primaryCode(db, rc));
    }
}

}  // namespace

void bindValues(sqlite3* db, sqlite3_stmt* stmt, const Params& params)
{
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != int(params.size()))
        throw DbError(
            QStringLiteral("The statement takes %1 values, but %2 were given.").arg(expected).arg(params.size()),
            SQLITE_RANGE);
    for (int i = 0; i < expected; ++i) {
        const DbValue& v = params[std::size_t(i)];
        const int n = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, n);
        } else if (v.isInteger()) {
            rc = sqlite3_bind_int64(stmt, n, v.toInt64());
        } else if (v.isReal()) {
            rc = sqlite3_bind_double(stmt, n, v.toDouble());
        } else if (v.isText()) {
            const QByteArray t = v.toText().toUtf8();
            // A null pointer would bind Null; an empty text stays a text.
            const char* p = t.isNull() ? "" : t.constData();
            rc = sqlite3_bind_text64(stmt, n, p, sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        } else {
            const QByteArray b = v.toBlob();
            // A null data pointer would bind Null; an empty blob stays a blob.
            rc = b.isEmpty() ? sqlite3_bind_zeroblob(stmt, n, 0)
                             : sqlite3_bind_blob64(stmt, n, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            throwSqlite(db, rc);
    }
}

Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

void Connection::open(const QString& path)
{
    shared_.reset();  // a failed open leaves the connection closed, not on the old file
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        throw DbError(QStringLiteral("The database file \"%1\" does not exist.").arg(QDir::toNativeSeparators(path)),
                      SQLITE_CANTOPEN);
    const QString canonical = info.canonicalFilePath();

    // One handle per canonical file, alive while a Connection holds it.
    static std::map<QString, std::weak_ptr<Shared>> reg;
    std::lock_guard lock(registryMutex);
    for (auto it = reg.begin(); it != reg.end();) {
        if (it->second.expired())
            it = reg.erase(it);
        else
            ++it;
    }
    if (auto found = reg.find(canonical); found != reg.end())
        if (auto shared = found->second.lock()) {
            shared_ = std::move(shared);
            return;
        }

    auto shared = std::make_shared<Shared>();
    shared->path = canonical;
    // READWRITE without CREATE: a file that vanished since the check above
    // is an error, never a new empty database.
    const int rc = sqlite3_open_v2(canonical.toUtf8().constData(), &shared->db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QStringLiteral("The database file \"%1\" could not be opened: %2")
                                .arg(QDir::toNativeSeparators(path),
                                     QString::fromUtf8(shared->db ? sqlite3_errmsg(shared->db) : sqlite3_errstr(rc)));
        throw DbError(msg, rc & 0xff);  // ~Shared closes the half-open handle
    }
    sqlite3_busy_timeout(shared->db, busyTimeoutMs());
    try {
        // A rollback journal, not WAL: every commit is in the one file, which
        // can then be copied or backed up on its own. This is also the first
        // read, where a file of another kind is found out.
        execPlain(shared->db, "PRAGMA journal_mode=DELETE");
    } catch (const DbError& e) {
        switch (e.sqliteCode()) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: throw;  // the sentence names the file and what to do
        default: break;
        }
        throw DbError(QStringLiteral("The database file \"%1\" could not be opened: %2")
                          .arg(QDir::toNativeSeparators(path), e.message()),
                      e.sqliteCode());
    }
    const int frc = registerSqlFunctions(shared->db);
    if (frc != SQLITE_OK)
        throwSqlite(shared->db, frc);

    reg[canonical] = shared;
    shared_ = std::move(shared);
}

void Connection::openApplicationDatabase() { open(databasePath()); }

bool Connection::isOpen() const { return shared_ && shared_->db; }

void Connection::close() { shared_.reset(); }

QString Connection::path() const { return shared_ ? shared_->path : QString(); }

sqlite3* handleOf(const Connection& c) { return c.shared_ ? c.shared_->db : nullptr; }

namespace {
sqlite3* requireOpen(sqlite3* db)
{
    if (!db)
        throw DbError(QStringLiteral("The database is not open."), SQLITE_MISUSE);
    return db;
}
}  // namespace

int Connection::execute(const QString& sql, const Params& params)
{
    sqlite3* db = requireOpen(handleOf(*this));
    Statement st(db, sql);
    st.bind(params);
    const auto before = sqlite3_total_changes64(db);
    while (st.step()) {
    }
    // sqlite3_changes keeps the count of the last INSERT/UPDATE/DELETE, so a
    // statement that changed no row must not report it again.
    if (sqlite3_total_changes64(db) == before)
        return 0;
    return int(sqlite3_changes64(db));
}

Recordset Connection::query(const QString& sql, const Params& params)
{
    sqlite3* db = requireOpen(handleOf(*this));
    Statement st(db, sql);
    st.bind(params);
    return Recordset(st.readAll());
}

DbValue Connection::scalar(const QString& sql, const Params& params)
{
    sqlite3* db = requireOpen(handleOf(*this));
    Statement st(db, sql);
    st.bind(params);
    if (!st.step() || sqlite3_column_count(st.get()) == 0)
        return DbValue();
    return st.column(0);
}

void Connection::begin() { execPlain(requireOpen(handleOf(*this)), "BEGIN"); }

void Connection::beginImmediate() { execPlain(requireOpen(handleOf(*this)), "BEGIN IMMEDIATE"); }

void Connection::commit() { execPlain(requireOpen(handleOf(*this)), "COMMIT"); }

void Connection::rollback()
{
    sqlite3* db = handleOf(*this);
    if (!db || sqlite3_get_autocommit(db))
        return;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Connection::inTransaction() const
{
    sqlite3* db = handleOf(*this);
    return db && !sqlite3_get_autocommit(db);
}

bool Connection::inWriteTransaction() const
{
    sqlite3* db = handleOf(*this);
    return db && sqlite3_txn_state(db, "main") == SQLITE_TXN_WRITE;
}

std::int64_t Connection::lastInsertRowId() const
{
    sqlite3* db = handleOf(*this);
    return db ? sqlite3_last_insert_rowid(db) : 0;
}

std::int64_t Connection::totalChanges() const
{
    sqlite3* db = handleOf(*this);
    return db ? sqlite3_total_changes64(db) : 0;
}

void Connection::setBusyTimeout(int ms) { sqlite3_busy_timeout(requireOpen(handleOf(*this)), ms < 0 ? 0 : ms); }

namespace {
int traceToObserver(unsigned, void* context, void* statement, void*)
{
    const auto& observer = *static_cast<const Connection::StatementObserver*>(context);
    auto* st = static_cast<sqlite3_stmt*>(statement);
    char* expanded = sqlite3_expanded_sql(st);
    const QString expandedText = QString::fromUtf8(expanded ? expanded : "");
    sqlite3_free(expanded);
    observer(QString::fromUtf8(sqlite3_sql(st)), expandedText);
    return 0;
}
}  // namespace

void Connection::setStatementObserver(StatementObserver observer)
{
    sqlite3* db = requireOpen(handleOf(*this));
    shared_->observer = std::move(observer);
    if (shared_->observer)
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traceToObserver, &shared_->observer);
    else
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
}

bool Connection::sharesHandleWith(const Connection& other) const { return shared_ && shared_ == other.shared_; }

int Connection::unfinishedStatements() const
{
    sqlite3* db = handleOf(*this);
    int n = 0;
    for (sqlite3_stmt* st = db ? sqlite3_next_stmt(db, nullptr) : nullptr; st; st = sqlite3_next_stmt(db, st))
        ++n;
    return n;
}

struct PreparedStatement::Impl {
    std::shared_ptr<Connection::Shared> keep;  // the handle outlives the statement
    sqlite3* db = nullptr;
    std::unique_ptr<Statement> statement;
};

PreparedStatement::PreparedStatement(Connection& c, const QString& sql) : d_(std::make_unique<Impl>())
{
    d_->keep = c.shared_;
    d_->db = requireOpen(handleOf(c));
    d_->statement = std::make_unique<Statement>(d_->db, sql);
}

PreparedStatement::~PreparedStatement() = default;

PreparedStatement& PreparedStatement::bindAll(const Params& values)
{
    sqlite3_reset(d_->statement->get());
    d_->statement->bind(values);
    return *this;
}

int PreparedStatement::run()
{
    sqlite3* db = d_->db;
    const auto before = sqlite3_total_changes64(db);
    try {
        while (d_->statement->step()) {
        }
    } catch (...) {
        sqlite3_reset(d_->statement->get());
        throw;
    }
    sqlite3_reset(d_->statement->get());
    // As execute(): a statement that changed no row reports none.
    if (sqlite3_total_changes64(db) == before)
        return 0;
    return int(sqlite3_changes64(db));
}

bool PreparedStatement::found()
{
    bool row = false;
    try {
        row = d_->statement->step();
    } catch (...) {
        sqlite3_reset(d_->statement->get());
        throw;
    }
    sqlite3_reset(d_->statement->get());
    return row;
}

Transaction::Transaction(Connection& c, bool immediate) : c_(c)
{
    if (immediate)
        c_.beginImmediate();
    else
        c_.begin();
}

Transaction::~Transaction()
{
    if (!done_)
        c_.rollback();
}

void Transaction::commit()
{
    c_.commit();
    done_ = true;
}

}  // namespace data
