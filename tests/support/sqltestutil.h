#pragma once
// Small helpers for the data-layer tests (header only: those tests link
// nothing but the data layer).

#include "data/recordset.h"
#include "data/rowarray.h"

#include <QStringList>
#include <QtTest>
#include <optional>
#include <sqlite3.h>

namespace sqltest {

// Runs SQL on a file with a handle of its own, outside the layer under test.
inline void rawExec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QVERIFY2(rc == SQLITE_OK, sqlite3_errstr(rc));
    char* err = nullptr;
    const int erc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    const QByteArray msg = err ? QByteArray(err) : QByteArray();
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(erc == SQLITE_OK, msg.constData());
}

// One field of every row, as text.
inline QStringList column(data::Recordset rs, int field = 0)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.value(field).toText();
    return out;
}

// The same for a page of rows.
inline QStringList column(const data::RowArray& rows, int field = 0)
{
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.at(field, r).toText();
    return out;
}

// The same for a page a getter may not have given (none: no rows).
inline QStringList column(const std::optional<data::RowArray>& rows, int field = 0)
{
    return rows ? column(*rows, field) : QStringList();
}

}  // namespace sqltest
