#pragma once
// What every record class shares: its own connection, the page size, the
// record mode, and the paged getter that hands back one page of a query as
// rows [field, row].

#include "pagesize.h"

#include "data/connection.h"
#include "data/rowarray.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace records {

class RecordClass {
public:
    static constexpr int defaultPageSize = rowsPerPage;

    // Opens a connection of its own on the application's database; lists
    // are paged `pageSize` rows at a time (screens pass the main window's
    // rows per page).
    explicit RecordClass(int pageSize = defaultPageSize);
    virtual ~RecordClass();
    RecordClass(const RecordClass&) = delete;
    RecordClass& operator=(const RecordClass&) = delete;

    int PageSize = rowsPerPage;
    // Rows found by the last paged query that found any.
    int RecordCount = 0;
    // Record mode: "A" insert, "E" update, "D" delete; anything else does nothing.
    QString AddEditDel;

    data::Connection& connection() { return connection_; }

    // A read transaction for the span of an operation, unless the
    // connection is already in one, so that what it reads hangs together.
    class ReadScope {
    public:
        explicit ReadScope(data::Connection& c);
        ~ReadScope();
        ReadScope(const ReadScope&) = delete;
        ReadScope& operator=(const ReadScope&) = delete;

    private:
        data::Connection& c_;
        bool own_;
    };

    // One term of an order: an expression and its direction.
    struct SortKey {
        QString expression;
        bool descending = false;
    };

    // A paged query. The rows handed back are those of `columns + source`
    // in `order`; the order must end with the row key so that it is total,
    // or rows could move between pages.
    struct PageQuery {
        QString columns;      // "SELECT ..." up to the FROM
        QString source;       // " FROM ... WHERE ...", no order
        data::Params params;  // values bound in `source`
        QList<SortKey> order;
        QString keyExpression;  // the row key inside `source`, e.g. "Item.ItemID"
        QString keyColumn;      // the key's name among the columns, e.g. "ItemID"
        int keyField = 0;       // and its position
        // Optional cheaper forms that select the same rows: a count, and a
        // source for finding a page's keys (with its own values).
        QString countSql;
        data::Params countParams;
        QString keySource;
        data::Params keyParams;
        // For a filtered source: the rows of the whole table. A filter that
        // keeps few of them is read first and sorted after, rather than
        // walking an index in the sort order past every row it drops.
        QString totalSql;
        bool allowAll = false;  // page -1 gives every row
    };

    // The paged getter: nothing when the query finds no row (page, pageCount
    // and RecordCount then stay as they were). Otherwise the rows of `page`,
    // or of every row for page -1 where allowed; a page outside 1..last is
    // taken as the nearest one and `page` reports the page used. pageCount
    // receives the number of pages and RecordCount the number of rows.
    std::optional<data::RowArray> pagedRows(const PageQuery& query, int& page, int& pageCount);

    // The rows of `select` (with its values `params`) whose `keyColumn`, at
    // position `keyField`, is one of `keys`, in the order of the keys.
    data::RowArray rowsByKeys(const QString& select, const data::Params& params, const QString& keyColumn, int keyField,
                              const std::vector<data::DbValue>& keys);

    // Every row of a query, or nothing when there is none (the combo getters).
    std::optional<data::RowArray> allRows(const QString& sql, const data::Params& params = {});

    // The order text of sort keys, optionally reversed term by term.
    // With `unindexed`, each term is written as +term: the same value and
    // collation, but no index is walked for the order.
    static QString orderText(const QList<SortKey>& keys, bool reversed = false, bool unindexed = false);
    // The usual sort of a list: the checked column, descending unless the
    // direction is exactly "A", then the key in the same direction.
    static QList<SortKey> sortKeys(const QString& column, const QString& direction, const QStringList& allowed,
                                   const QString& keyExpression);
    static bool descending(const QString& direction) { return direction != QLatin1String("A"); }

private:
    data::Connection connection_;
};

}  // namespace records
