#include "rowreader.h"

#include "connectionhandle.h"
#include "dberror.h"

#include <QString>
#include <sqlite3.h>

namespace data {

namespace {

[[noreturn]] void fail(sqlite3* db, int rc) { throwFailure(db, rc); }

}  // namespace

RowReader::RowReader(Connection& c, const QString& sql, const std::vector<std::int64_t>& params)
{
    sqlite3* db = handleOf(c);
    if (!db)
        throw DbError(QStringLiteral("The database is not open."), SQLITE_MISUSE);
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc);
    if (!stmt_)
        throw DbError(QStringLiteral("The SQL text holds no statement."), SQLITE_MISUSE);
    if (const int expected = sqlite3_bind_parameter_count(stmt_); expected != int(params.size())) {
        sqlite3_finalize(stmt_);
        throw DbError(
            QStringLiteral("The statement takes %1 values, but %2 were given.").arg(expected).arg(params.size()),
            SQLITE_RANGE);
    }
    for (std::size_t i = 0; i < params.size(); ++i)
        if ((rc = sqlite3_bind_int64(stmt_, int(i) + 1, params[i])) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            fail(db, rc);
        }
}

RowReader::RowReader(Connection& c, const QString& sql, const Params& params)
{
    sqlite3* db = handleOf(c);
    if (!db)
        throw DbError(QStringLiteral("The database is not open."), SQLITE_MISUSE);
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc);
    if (!stmt_)
        throw DbError(QStringLiteral("The SQL text holds no statement."), SQLITE_MISUSE);
    try {
        bindValues(db, stmt_, params);
    } catch (...) {
        sqlite3_finalize(stmt_);
        throw;
    }
}

RowReader::~RowReader() { sqlite3_finalize(stmt_); }

bool RowReader::next()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(sqlite3_db_handle(stmt_), rc);
}

RowReader::Kind RowReader::kind(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER: return Kind::Integer;
    case SQLITE_FLOAT: return Kind::Real;
    case SQLITE_TEXT: return Kind::Text;
    case SQLITE_BLOB: return Kind::Blob;
    default: return Kind::Null;
    }
}

std::int64_t RowReader::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

double RowReader::real(int column) const { return sqlite3_column_double(stmt_, column); }

std::string_view RowReader::bytes(int column) const
{
    // Asked for as a blob, a text or blob comes as stored; a number as text.
    const void* p =
        kind(column) == Kind::Blob ? sqlite3_column_blob(stmt_, column) : sqlite3_column_text(stmt_, column);
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::string_view(static_cast<const char*>(p), std::size_t(n)) : std::string_view();
}

DbValue RowReader::value(int column) const
{
    switch (kind(column)) {
    case Kind::Integer: return DbValue(integer(column));
    case Kind::Real: return DbValue(real(column));
    case Kind::Text: {
        const std::string_view b = bytes(column);
        return DbValue(QString::fromUtf8(b.data(), qsizetype(b.size())));
    }
    case Kind::Blob: {
        const std::string_view b = bytes(column);
        return DbValue(QByteArray(b.data(), qsizetype(b.size())));
    }
    case Kind::Null: break;
    }
    return DbValue();
}

}  // namespace data
