#include "recordclass.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/sqlnames.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace records {

namespace {
constexpr std::int64_t cacheKiB = 65536;
}  // namespace

RecordClass::RecordClass(int pageSize) : PageSize(pageSize)
{
    connection_.open(data::databasePath());
    // Lists sort and filter by indexes but fetch rows at random: a page
    // cache that holds a whole master file (pages are taken only as they
    // are read) spares a file read per row. Never made smaller here.
    const std::int64_t cache = connection_.scalar(QStringLiteral("PRAGMA cache_size")).toInt64();
    if (cache > -cacheKiB && (cache < 0 || cache * 4 < cacheKiB))
        connection_.execute(QStringLiteral("PRAGMA cache_size = -%1").arg(cacheKiB));
}

RecordClass::~RecordClass() = default;

QString RecordClass::orderText(const QList<SortKey>& keys, bool reversed, bool unindexed)
{
    QString out;
    for (const SortKey& k : keys) {
        if (!out.isEmpty())
            out += QStringLiteral(", ");
        if (unindexed)
            out += QLatin1Char('+');
        out += k.expression;
        if (k.descending != reversed)
            out += QStringLiteral(" Desc");
    }
    return out;
}

QList<RecordClass::SortKey> RecordClass::sortKeys(const QString& column, const QString& direction,
                                                  const QStringList& allowed, const QString& keyExpression)
{
    const bool desc = descending(direction);
    QList<SortKey> keys{{data::sql::checkedIdentifier(column, allowed), desc}};
    keys.append({keyExpression, desc});
    return keys;
}

RecordClass::ReadScope::ReadScope(data::Connection& c) : c_(c), own_(!c.inTransaction())
{
    if (own_)
        c_.begin();
}

RecordClass::ReadScope::~ReadScope()
{
    if (!own_)
        return;
    // Committed rather than rolled back: record objects share one handle,
    // so a write made meanwhile through another object must not be lost.
    try {
        c_.commit();
    } catch (...) {
        c_.rollback();
    }
}

namespace {

QString placeholders(int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += i ? QStringLiteral(",?") : QStringLiteral("?");
    return s;
}

}  // namespace

std::optional<data::RowArray> RecordClass::pagedRows(const PageQuery& q, int& page, int& pageCount)
{
    data::Connection& c = connection_;
    ReadScope scope(c);

    const QString select = q.columns + q.source;
    const int count = q.countSql.isEmpty() ? c.scalar(QStringLiteral("SELECT count(*)") + q.source, q.params).toInt()
                                           : c.scalar(q.countSql, q.countParams).toInt();
    if (count <= 0)
        return std::nullopt;

    const int size = std::max(1, PageSize);
    const int pages = int((std::int64_t(count) + size - 1) / size);

    if (page == -1 && q.allowAll) {
        data::RowArray rows = c.query(select + QStringLiteral(" order by ") + orderText(q.order), q.params).rows();
        pageCount = pages;
        RecordCount = count;
        return rows;
    }

    const int used = std::clamp(page, 1, pages);
    const std::int64_t offset = std::int64_t(used - 1) * size;
    const int wanted = int(std::min<std::int64_t>(size, count - offset));

    // Keys first: skipping rows costs least where only the key and the sort
    // columns are read. Pages nearer the end are counted from there, in the
    // reversed order, so the last page costs what the first does.
    std::vector<data::DbValue> keys;
    keys.reserve(std::size_t(wanted));
    const std::int64_t fromEnd = count - offset - wanted;
    const bool reversed = fromEnd < offset;
    const bool ownKeySource = !q.keySource.isEmpty();
    data::Params keyParams = ownKeySource ? q.keyParams : q.params;
    const int n = int(keyParams.size());
    keyParams.emplace_back(static_cast<std::int64_t>(wanted));
    keyParams.emplace_back(reversed ? fromEnd : offset);
    const bool fewKept = !q.totalSql.isEmpty() && std::int64_t(count) * 4 <= c.scalar(q.totalSql).toInt64();
    const QString keySql = QStringLiteral("SELECT ") + q.keyExpression + (ownKeySource ? q.keySource : q.source) +
                           QStringLiteral(" order by ") + orderText(q.order, reversed, fewKept) +
                           QStringLiteral(" LIMIT ?%1 OFFSET ?%2").arg(n + 1).arg(n + 2);
    data::Recordset keyRows = c.query(keySql, keyParams);
    for (; !keyRows.eof(); keyRows.moveNext())
        keys.push_back(keyRows.value(0));
    if (reversed)
        std::reverse(keys.begin(), keys.end());

    // Then the page's rows by the statement itself, put in the keys' order.
    data::RowArray rows = rowsByKeys(select, q.params, q.keyColumn, q.keyField, keys);
    page = used;
    pageCount = pages;
    RecordCount = count;
    return rows;
}

data::RowArray RecordClass::rowsByKeys(const QString& select, const data::Params& params, const QString& keyColumn,
                                       int keyField, const std::vector<data::DbValue>& keys)
{
    data::Params rowParams = params;
    rowParams.insert(rowParams.end(), keys.begin(), keys.end());
    const data::RowArray found =
        connection_
            .query(QStringLiteral("SELECT * FROM (") + select + QStringLiteral(") WHERE ") + keyColumn +
                       QStringLiteral(" IN (") + placeholders(int(keys.size())) + QStringLiteral(")"),
                   rowParams)
            .rows();
    std::unordered_map<std::int64_t, int> rowOfKey;
    for (int r = 0; r < found.rowCount(); ++r)
        rowOfKey.emplace(found.at(keyField, r).toInt64(), r);
    std::vector<std::vector<data::DbValue>> ordered;
    ordered.reserve(keys.size());
    for (const data::DbValue& key : keys) {
        const auto it = rowOfKey.find(key.toInt64());
        if (it == rowOfKey.end())
            continue;
        std::vector<data::DbValue> row;
        row.reserve(std::size_t(found.fieldCount()));
        for (int f = 0; f < found.fieldCount(); ++f)
            row.push_back(found.at(f, it->second));
        ordered.push_back(std::move(row));
    }
    return data::RowArray(found.fieldNames(), std::move(ordered));
}

std::optional<data::RowArray> RecordClass::allRows(const QString& sql, const data::Params& params)
{
    data::RowArray rows = connection_.query(sql, params).rows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows;
}

}  // namespace records
