#include "itemlists.h"

#include "data/rowreader.h"
#include "data/schema.h"
#include "data/schemaupgrade.h"
#include "data/sqltext.h"

#include <QStringList>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace masters {

namespace {

using data::sqltext::Kind;
using Order = ItemLists::Order;
using Field = ItemLists::Field;

// Orphans passed on the way to a page beyond which the walk starts again
// nearer to it.
constexpr std::int64_t restartAfter = 1000;

const QString listedCondition =
    QStringLiteral("Item.CategoryID IN (SELECT CatId FROM Category) AND Item.UnitId IN (SELECT Id FROM Units)");

// A value of a sort column as SQLite orders it.
struct Value {
    Kind kind = Kind::Null;
    double number = 0;
    std::string bytes;
};

Value valueAt(const data::RowReader& r, int column)
{
    Value v;
    switch (r.kind(column)) {
    case data::RowReader::Kind::Null: break;
    case data::RowReader::Kind::Integer:
        v.kind = Kind::Number;
        v.number = double(r.integer(column));
        break;
    case data::RowReader::Kind::Real:
        v.kind = Kind::Number;
        v.number = r.real(column);
        break;
    case data::RowReader::Kind::Text:
        v.kind = Kind::Text;
        v.bytes = std::string(r.bytes(column));
        break;
    case data::RowReader::Kind::Blob:
        v.kind = Kind::Blob;
        v.bytes = std::string(r.bytes(column));
        break;
    }
    return v;
}

data::DbValue bound(const Value& v)
{
    switch (v.kind) {
    case Kind::Null: break;
    case Kind::Number: return data::DbValue(v.number);
    case Kind::Text: return data::DbValue(QString::fromUtf8(v.bytes.data(), qsizetype(v.bytes.size())));
    case Kind::Blob: return data::DbValue(QByteArray(v.bytes.data(), qsizetype(v.bytes.size())));
    }
    return data::DbValue();
}

int compareValue(const Value& a, const Value& b, bool nocase)
{
    return data::sqltext::compareValues(a.kind, a.number, a.bytes, b.kind, b.number, b.bytes, nocase);
}

// An item as an order sees it: its key and its sort values.
struct Row {
    std::int64_t id = 0;
    std::vector<Value> keys;
};

// How an order walks: the sort columns as its index spells them, their
// collations, and the rows the index walk covers when not all of them (as
// a range of the index, which SQLite seeks to, not a test of every row).
struct OrderSpec {
    QStringList columns;
    std::vector<bool> nocase;
    QString restriction;
};

const OrderSpec& specOf(Order order)
{
    static const OrderSpec number{{QString::fromUtf8(data::itemNumberKey), QStringLiteral("ItemCode")},
                                  {false, true},
                                  QString::fromUtf8(data::itemNumberKey) + QStringLiteral(" >= -9e999")};
    static const OrderSpec code{{QStringLiteral("ItemCode")}, {true}, {}};
    static const OrderSpec name{{QStringLiteral("ItemName")}, {true}, {}};
    static const OrderSpec material{{QStringLiteral("Material")}, {false}, {}};
    static const OrderSpec qty{{QStringLiteral("Qty")}, {false}, {}};
    static const OrderSpec tu{{QStringLiteral("TU")}, {true}, {}};
    static const OrderSpec key{{}, {}, {}};
    switch (order) {
    case Order::ItemNumber: return number;
    case Order::ItemCode: return code;
    case Order::ItemName: return name;
    case Order::Material: return material;
    case Order::Qty: return qty;
    case Order::TU: return tu;
    case Order::ItemID:
    case Order::CatName:
    case Order::UnitName: break;
    }
    return key;
}

int compareRows(const Row& a, const Row& b, const OrderSpec& spec)
{
    for (std::size_t i = 0; i < spec.nocase.size(); ++i)
        if (const int c = compareValue(a.keys[i], b.keys[i], spec.nocase[i]))
            return c;
    return a.id < b.id ? -1 : (a.id > b.id ? 1 : 0);
}

Row rowAt(const data::RowReader& r, std::size_t keyCount)
{
    Row row;
    row.id = r.integer(0);
    row.keys.reserve(keyCount);
    for (std::size_t i = 0; i < keyCount; ++i)
        row.keys.push_back(valueAt(r, int(i) + 1));
    return row;
}

QString placeholders(std::size_t n)
{
    QString s;
    for (std::size_t i = 0; i < n; ++i)
        s += i ? QStringLiteral(",?") : QStringLiteral("?");
    return s;
}

QString orderText(const QStringList& columns, const QString& key, bool descending)
{
    QStringList terms = columns;
    terms << key;
    const QString d = descending ? QStringLiteral(" DESC") : QString();
    return terms.join(d + QStringLiteral(", ")) + d;
}

// What a LIKE pattern allows the indexes to do for it.
struct Pattern {
    bool everyText = false;  // nothing but "%": every text matches
    bool prefixed = false;   // starts with a literal: an index range holds every match
    // "%text%": exactly the items whose text holds `inner`, which the text
    // index answers alone when it is three characters or more.
    bool containsOnly = false;
    std::string inner;
    // The literal runs of three characters or more: every match holds each.
    std::vector<std::string> runs;
};

std::size_t characters(const std::string& utf8)
{
    return std::size_t(std::count_if(utf8.begin(), utf8.end(),
                                     [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

Pattern analyse(const std::string& p)
{
    Pattern out;
    out.everyText = !p.empty() && p.find_first_not_of('%') == std::string::npos;
    out.prefixed = !p.empty() && p[0] != '%' && p[0] != '_';
    std::string run;
    const auto endRun = [&] {
        if (characters(run) >= 3)
            out.runs.push_back(run);
        run.clear();
    };
    for (char ch : p) {
        if (ch == '%' || ch == '_')
            endRun();
        else
            run += ch;
    }
    endRun();
    const std::size_t first = p.find_first_not_of('%');
    const std::size_t last = p.find_last_not_of('%');
    if (first != std::string::npos && first > 0 && last + 1 < p.size()) {
        const std::string middle = p.substr(first, last - first + 1);
        if (middle.find_first_of("%_") == std::string::npos && characters(middle) >= 3) {
            out.containsOnly = true;
            out.inner = middle;
        }
    }
    return out;
}

// A text-index query that every match of the pattern's runs satisfies, in
// `column`: the runs in lower case, as the index holds them.
QString textQuery(const Pattern& p, const char* column)
{
    QStringList phrases;
    for (const std::string& run : p.runs) {
        std::string lower = run;
        for (char& ch : lower)
            if (ch >= 'A' && ch <= 'Z')
                ch = char(ch + 32);
        QString phrase = QString::fromUtf8(lower.data(), qsizetype(lower.size()));
        phrase.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        phrases << QStringLiteral("%1 : \"%2\"").arg(QLatin1String(column), phrase);
    }
    return phrases.join(QStringLiteral(" AND "));
}

}  // namespace

struct ItemLists::Impl {
    data::Connection* c = nullptr;

    // What the database is now; anything learnt under another stamp is
    // stale.
    struct Stamp {
        std::int64_t data = -1, changes = -1, schema = -1;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp;
    bool writing = false;

    // The tallies read against the categories and units that exist.
    struct Census {
        std::int64_t listed = 0;                                            // items whose category and unit exist
        std::int64_t orphans = 0;                                           // the others
        std::unordered_map<std::int64_t, std::int64_t> inCategory, inUnit;  // listed items
        // Categories holding items whose unit is missing, and units holding
        // items whose category is.
        std::unordered_set<std::int64_t> categoriesWithOrphans, unitsWithOrphans;
        // The category and unit keys items hold that name no row.
        bool nullCategory = false, nullUnit = false;
        data::Params missingCategories, missingUnits;
    };
    std::optional<Census> census;

    // Categories or units in the order of their names, those of equal
    // names together: an order by the name is one by these groups, then by
    // the item key.
    struct Group {
        std::vector<std::int64_t> ids;
        std::int64_t listed = 0;
        bool orphans = false;  // holds items that are not listed
    };
    std::optional<std::vector<Group>> categoryGroups, unitGroups;

    // For an order that walks an index: the listed items its index walk
    // misses (the item numbers that only val() can place), and the items
    // it passes that are not listed. Both in the order, ascending.
    struct Corrections {
        std::vector<Row> extra, dropped;
        std::unordered_set<std::int64_t> droppedIds;
    };
    std::map<Order, Corrections> corrections;

    struct Search {
        Field field = Field::None;
        QString pattern;
        std::vector<std::int64_t> categories;  // whose names match
        std::int64_t count = 0;
        std::map<Order, std::vector<std::int64_t>> whole;  // every match, ascending
        // The last page read by walking an index: the next, the previous
        // and the same page continue from its ends.
        struct Boundary {
            Order order = Order::ItemID;
            std::int64_t start = 0;
            std::vector<Row> rows;
        };
        std::optional<Boundary> boundary;
    };
    std::optional<Search> search;
    std::optional<bool> available;

    std::int64_t scalar(const QString& sql, const data::Params& params = {})
    {
        return c->scalar(sql, params).toInt64();
    }

    void begin(data::Connection& connection)
    {
        c = &connection;
        writing = c->inWriteTransaction();
        const Stamp now{scalar(QStringLiteral("PRAGMA data_version")), c->totalChanges(),
                        scalar(QStringLiteral("PRAGMA schema_version"))};
        // What is read inside a write may yet be rolled back: it is kept
        // for this call only.
        if (writing || now != stamp) {
            forget();
            stamp = writing ? Stamp() : now;
        }
    }

    void end()
    {
        if (writing)
            forget();
    }

    void forget()
    {
        census.reset();
        categoryGroups.reset();
        unitGroups.reset();
        corrections.clear();
        search.reset();
        available.reset();
    }

    // Reads a tally into `items` for the keys in `ids`, and the others as
    // missing; the items counted.
    std::int64_t readTally(const QString& sql, const std::unordered_set<std::int64_t>& ids,
                           std::unordered_map<std::int64_t, std::int64_t>& items, bool& null, data::Params& missing)
    {
        std::int64_t total = 0;
        data::RowReader r(*c, sql);
        while (r.next()) {
            const std::int64_t n = r.integer(1);
            if (n <= 0)
                continue;
            total += n;
            // Only a whole number can name a row: another tool's text or
            // fraction leaves the item out, as the lists' join does.
            if (r.kind(0) == data::RowReader::Kind::Integer && ids.contains(r.integer(0)))
                items[r.integer(0)] += n;
            else if (r.isNull(0))
                null = true;
            else
                missing.push_back(r.value(0));
        }
        return total;
    }

    const Census& currentCensus()
    {
        if (census)
            return *census;
        Census k;
        std::unordered_set<std::int64_t> categoryIds, unitIds;
        {
            data::RowReader r(*c, QStringLiteral("SELECT CatId FROM Category"));
            while (r.next())
                categoryIds.insert(r.integer(0));
        }
        {
            data::RowReader r(*c, QStringLiteral("SELECT Id FROM Units"));
            while (r.next())
                unitIds.insert(r.integer(0));
        }
        const std::int64_t total = readTally(QStringLiteral("SELECT CategoryID, Items FROM ItemsByCategory"),
                                             categoryIds, k.inCategory, k.nullCategory, k.missingCategories);
        readTally(QStringLiteral("SELECT UnitId, Items FROM ItemsByUnit"), unitIds, k.inUnit, k.nullUnit,
                  k.missingUnits);
        census = std::move(k);
        Census& out = *census;
        // An existing category's items whose unit is missing are not listed,
        // nor an existing unit's whose category is: found through the
        // missing keys, which are few when there are any.
        const auto takeOut = [this](const QString& missing, const data::Params& params, const QString& column,
                                    const QString& exists, std::unordered_map<std::int64_t, std::int64_t>& items,
                                    std::unordered_set<std::int64_t>& withOrphans) {
            data::RowReader r(*c,
                              QStringLiteral("SELECT %1, count(*) FROM Item WHERE %2 AND %1 IN (%3) GROUP BY %1")
                                  .arg(column, missing, exists),
                              params);
            while (r.next()) {
                items[r.integer(0)] -= r.integer(1);
                withOrphans.insert(r.integer(0));
            }
        };
        if (out.nullUnit || !out.missingUnits.empty()) {
            data::Params params;
            const QString missing = missingCondition(false, true, params);
            takeOut(missing, params, QStringLiteral("Item.CategoryID"), QStringLiteral("SELECT CatId FROM Category"),
                    out.inCategory, out.categoriesWithOrphans);
        }
        if (out.nullCategory || !out.missingCategories.empty()) {
            data::Params params;
            const QString missing = missingCondition(true, false, params);
            takeOut(missing, params, QStringLiteral("Item.UnitId"), QStringLiteral("SELECT Id FROM Units"), out.inUnit,
                    out.unitsWithOrphans);
        }
        for (const auto& entry : out.inCategory)
            out.listed += entry.second;
        out.orphans = total - out.listed;
        return out;
    }

    // The items whose category key, or unit key, names no row, as a
    // condition the indexes on the keys serve.
    QString missingCondition(bool categories, bool units, data::Params& params) const
    {
        const Census& k = *census;
        QStringList terms;
        const auto add = [&](const QString& column, bool null, const data::Params& values) {
            if (null)
                terms << column + QStringLiteral(" IS NULL");
            if (!values.empty()) {
                terms << column + QStringLiteral(" IN (%1)").arg(placeholders(values.size()));
                params.insert(params.end(), values.begin(), values.end());
            }
        };
        if (categories)
            add(QStringLiteral("Item.CategoryID"), k.nullCategory, k.missingCategories);
        if (units)
            add(QStringLiteral("Item.UnitId"), k.nullUnit, k.missingUnits);
        return terms.isEmpty() ? QStringLiteral("0")
                               : QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }

    // The items that are not listed.
    QString orphanCondition(data::Params& params)
    {
        currentCensus();
        return missingCondition(true, true, params);
    }

    const std::vector<Group>& groups(bool ofCategories)
    {
        std::optional<std::vector<Group>>& cached = ofCategories ? categoryGroups : unitGroups;
        if (cached)
            return *cached;
        const Census& k = currentCensus();
        const auto& listed = ofCategories ? k.inCategory : k.inUnit;
        const auto& withOrphans = ofCategories ? k.categoriesWithOrphans : k.unitsWithOrphans;
        std::vector<Group> out;
        data::RowReader r(*c, ofCategories
                                  ? QStringLiteral("SELECT CatId, CatName FROM Category ORDER BY CatName, CatId")
                                  : QStringLiteral("SELECT Id, Name FROM Units ORDER BY Name, Id"));
        Value previous;
        while (r.next()) {
            const Value name = valueAt(r, 1);
            if (out.empty() || compareValue(previous, name, true) != 0)
                out.emplace_back();
            const std::int64_t id = r.integer(0);
            Group& g = out.back();
            g.ids.push_back(id);
            if (const auto found = listed.find(id); found != listed.end())
                g.listed += found->second;
            g.orphans = g.orphans || withOrphans.contains(id);
            previous = name;
        }
        cached = std::move(out);
        return *cached;
    }

    const Corrections& correctionsOf(Order order)
    {
        if (const auto found = corrections.find(order); found != corrections.end())
            return found->second;
        const OrderSpec& spec = specOf(order);
        const bool orphans = currentCensus().orphans > 0;
        Corrections k;
        if (order == Order::ItemNumber) {
            // The item numbers that val() alone can place (decimals, signs,
            // blanks, "&H" numbers, ...): few in a cost book, put in place
            // by the database's own val().
            const QString sql = QStringLiteral("SELECT ItemId, val(ItemCode), ItemCode FROM Item WHERE ") +
                                QString::fromUtf8(data::itemNumberKey) + QStringLiteral(" IS NULL") +
                                (orphans ? QStringLiteral(" AND ") + listedCondition : QString()) +
                                QStringLiteral(" ORDER BY val(ItemCode), ItemCode, ItemId");
            data::RowReader r(*c, sql);
            while (r.next())
                k.extra.push_back(rowAt(r, 2));
        }
        if (orphans) {
            data::Params params;
            const QString where = orphanCondition(params) +
                                  (spec.restriction.isEmpty() ? QString() : QStringLiteral(" AND ") + spec.restriction);
            const QString columns =
                spec.columns.isEmpty() ? QString() : QStringLiteral(", ") + spec.columns.join(QStringLiteral(", "));
            data::RowReader r(*c,
                              QStringLiteral("SELECT ItemId") + columns + QStringLiteral(" FROM Item WHERE ") + where +
                                  QStringLiteral(" ORDER BY ") +
                                  orderText(spec.columns, QStringLiteral("ItemId"), false),
                              params);
            while (r.next()) {
                k.dropped.push_back(rowAt(r, std::size_t(spec.columns.size())));
                k.droppedIds.insert(k.dropped.back().id);
            }
        }
        return corrections.emplace(order, std::move(k)).first->second;
    }

    // How many of `sorted` (ascending) come before `row` in the walk's
    // direction.
    static std::int64_t countBefore(const std::vector<Row>& sorted, const Row& row, const OrderSpec& spec, bool forward)
    {
        if (forward)
            return std::lower_bound(sorted.begin(), sorted.end(), row,
                                    [&spec](const Row& a, const Row& b) { return compareRows(a, b, spec) < 0; }) -
                   sorted.begin();
        return sorted.end() - std::upper_bound(sorted.begin(), sorted.end(), row, [&spec](const Row& a, const Row& b) {
                   return compareRows(a, b, spec) < 0;
               });
    }

    // Rows `target` to `target + count` of the listed items in an index
    // order, counted from its start (forward) or its end: SQLite skips to
    // near the place along the index, and the few rows the walk misses or
    // must pass over are merged in on the way.
    std::vector<std::int64_t> walkIndex(Order order, bool forward, std::int64_t target, std::int64_t count)
    {
        const OrderSpec& spec = specOf(order);
        const Corrections& k = correctionsOf(order);
        const std::size_t keyCount = std::size_t(spec.columns.size());
        const std::int64_t extraCount = std::int64_t(k.extra.size());
        const auto extraAt = [&](std::int64_t i) -> const Row& {
            return forward ? k.extra[std::size_t(i)] : k.extra[std::size_t(extraCount - 1 - i)];
        };
        const auto before = [&](const Row& a, const Row& b) {
            const int c = compareRows(a, b, spec);
            return forward ? c < 0 : c > 0;
        };
        // The rows outside the restriction (a Null key) lie at the start of
        // the index. Walking back, the restriction would be tested on every
        // row skipped; the walk stops at the first of them instead.
        const bool endsAtNull = !forward && !spec.restriction.isEmpty();
        const QString sql =
            QStringLiteral("SELECT ItemId") +
            (keyCount ? QStringLiteral(", ") + spec.columns.join(QStringLiteral(", ")) : QString()) +
            QStringLiteral(" FROM Item") +
            (spec.restriction.isEmpty() || endsAtNull ? QString() : QStringLiteral(" WHERE ") + spec.restriction) +
            QStringLiteral(" ORDER BY ") + orderText(spec.columns, QStringLiteral("ItemId"), !forward) +
            QStringLiteral(" LIMIT -1 OFFSET ?");

        // At most every extra row comes before the target, so the walk may
        // start that much earlier; the orphans it then finds before its
        // start move it on once.
        std::int64_t skip = std::max<std::int64_t>(0, target - extraCount);
        for (int attempt = 0;; ++attempt) {
            data::RowReader r(*c, sql, std::vector<std::int64_t>{skip});
            Row current;
            bool have = false;
            const auto advance = [&] {
                have = r.next();
                if (have)
                    current = rowAt(r, keyCount);
                if (have && endsAtNull && current.keys.front().kind == Kind::Null)
                    have = false;
            };
            advance();
            std::int64_t position = 0;
            std::int64_t xi = 0;
            // From the start every extra row is merged in; further on, those
            // before the first row read are behind.
            if (have && skip > 0) {
                const std::int64_t droppedBefore = countBefore(k.dropped, current, spec, forward);
                xi = countBefore(k.extra, current, spec, forward);
                position = skip - droppedBefore + xi;
                if (attempt == 0 && target - position > restartAfter + extraCount) {
                    skip += target - position - extraCount;
                    continue;
                }
            } else if (skip > 0) {
                // Nothing so far along: start from the beginning.
                skip = 0;
                continue;
            }
            std::vector<std::int64_t> out;
            while (std::int64_t(out.size()) < count) {
                const bool extraLeft = xi < extraCount;
                if (have && (!extraLeft || before(current, extraAt(xi)))) {
                    if (!k.droppedIds.contains(current.id)) {
                        if (position >= target)
                            out.push_back(current.id);
                        ++position;
                    }
                    advance();
                } else if (extraLeft) {
                    if (position >= target)
                        out.push_back(extraAt(xi).id);
                    ++position;
                    ++xi;
                } else {
                    break;
                }
            }
            return out;
        }
    }

    // The items of one group, from `offset`, `count` of them, by key.
    std::vector<std::int64_t> groupItems(const Group& g, bool ofCategories, std::int64_t offset, std::int64_t count)
    {
        const QString column = ofCategories ? QStringLiteral("CategoryID") : QStringLiteral("UnitId");
        const QString check = !g.orphans     ? QString()
                              : ofCategories ? QStringLiteral(" AND UnitId IN (SELECT Id FROM Units)")
                                             : QStringLiteral(" AND CategoryID IN (SELECT CatId FROM Category)");
        const QString sql = QStringLiteral("SELECT ItemId FROM Item WHERE ") + column + QStringLiteral(" = ?") + check +
                            QStringLiteral(" ORDER BY ItemId LIMIT ? OFFSET ?");
        std::vector<std::int64_t> out;
        if (g.ids.size() == 1) {
            data::RowReader r(*c, sql, std::vector<std::int64_t>{g.ids.front(), count, offset});
            while (r.next())
                out.push_back(r.integer(0));
            return out;
        }
        // Equal names: the groups' items merged by key.
        for (std::int64_t id : g.ids) {
            data::RowReader r(*c, sql, std::vector<std::int64_t>{id, offset + count, 0});
            while (r.next())
                out.push_back(r.integer(0));
        }
        std::sort(out.begin(), out.end());
        const auto from = std::min<std::size_t>(out.size(), std::size_t(offset));
        const auto to = std::min<std::size_t>(out.size(), std::size_t(offset + count));
        return std::vector<std::int64_t>(out.begin() + std::ptrdiff_t(from), out.begin() + std::ptrdiff_t(to));
    }

    std::vector<std::int64_t> walkGroups(bool ofCategories, std::int64_t first, std::int64_t count)
    {
        std::vector<std::int64_t> out;
        std::int64_t start = 0;
        for (const Group& g : groups(ofCategories)) {
            if (start >= first + count)
                break;
            if (start + g.listed > first) {
                const std::int64_t from = std::max<std::int64_t>(0, first - start);
                const std::int64_t to = std::min(g.listed, first + count - start);
                const std::vector<std::int64_t> part = groupItems(g, ofCategories, from, to - from);
                out.insert(out.end(), part.begin(), part.end());
            }
            start += g.listed;
        }
        return out;
    }

    // Rows `first` to `first + count` of the full list, ascending.
    std::vector<std::int64_t> fullRange(Order order, std::int64_t first, std::int64_t count)
    {
        if (order == Order::CatName || order == Order::UnitName)
            return walkGroups(order == Order::CatName, first, count);
        const std::int64_t fromEnd = currentCensus().listed - first - count;
        if (first <= fromEnd)
            return walkIndex(order, true, first, count);
        std::vector<std::int64_t> keys = walkIndex(order, false, fromEnd, count);
        std::reverse(keys.begin(), keys.end());
        return keys;
    }

    // --- searches ------------------------------------------------------------

    Search& searchFor(Field field, const QString& pattern)
    {
        if (search && search->field == field && search->pattern == pattern)
            return *search;
        search.reset();
        Search s;
        s.field = field;
        s.pattern = pattern;
        const Census& k = currentCensus();
        if (field == Field::All || field == Field::CatName) {
            data::RowReader r(*c, QStringLiteral("SELECT CatId FROM Category WHERE CatName LIKE ?"),
                              data::Params{pattern});
            while (r.next())
                s.categories.push_back(r.integer(0));
        }
        std::int64_t inCategories = 0;
        bool orphansInCategories = false;
        for (std::int64_t id : s.categories) {
            if (const auto found = k.inCategory.find(id); found != k.inCategory.end())
                inCategories += found->second;
            orphansInCategories = orphansInCategories || k.categoriesWithOrphans.contains(id);
        }
        switch (field) {
        case Field::None: s.count = k.listed; break;
        case Field::CatName: s.count = inCategories; break;
        case Field::ItemCode: s.count = matching("ItemCode", pattern); break;
        case Field::ItemName: s.count = matching("ItemName", pattern); break;
        case Field::All: {
            s.count = matching("ItemName", pattern) + inCategories;
            if (!s.categories.empty()) {
                data::Params params(s.categories.begin(), s.categories.end());
                params.push_back(pattern);
                // Those matching both ways are counted once.
                s.count -=
                    scalar(QStringLiteral("SELECT count(*) FROM Item WHERE Item.CategoryID IN (%1) AND "
                                          "Item.ItemName LIKE ?")
                                   .arg(placeholders(s.categories.size())) +
                               (orphansInCategories ? QStringLiteral(" AND Item.UnitId IN (SELECT Id FROM Units)")
                                                    : QString()),
                           params);
            }
            break;
        }
        }
        search = std::move(s);
        return *search;
    }

    // The listed items whose `column` is like `pattern`, counted by the
    // index that holds the column or by the text index.
    std::int64_t matching(const char* column, const QString& pattern)
    {
        const Census& k = currentCensus();
        const QString field = QStringLiteral("Item.") + QLatin1String(column);
        const Pattern p = analyse(pattern.toStdString());
        if (p.everyText) {
            // Every text: the listed items but those whose column is Null or
            // a blob.
            return k.listed -
                   scalar(QStringLiteral("SELECT count(*) FROM Item WHERE (%1 IS NULL OR %1 >= x'')").arg(field) +
                          (k.orphans > 0 ? QStringLiteral(" AND ") + listedCondition : QString()));
        }
        std::int64_t all = 0;
        if (p.prefixed || p.runs.empty()) {
            all = scalar(QStringLiteral("SELECT count(*) FROM Item WHERE %1 LIKE ?").arg(field), {pattern});
        } else if (p.containsOnly) {
            all =
                scalar(QStringLiteral("SELECT count(*) FROM ItemText WHERE ItemText MATCH ?"), {textQuery(p, column)});
        } else {
            all = scalar(QStringLiteral("SELECT count(*) FROM Item WHERE Item.ItemId IN (SELECT rowid FROM ItemText "
                                        "WHERE ItemText MATCH ?) AND %1 LIKE ?")
                             .arg(field),
                         {textQuery(p, column), pattern});
        }
        if (all > 0 && k.orphans > 0) {
            data::Params params;
            const QString orphans = orphanCondition(params);
            params.push_back(pattern);
            all -= scalar(QStringLiteral("SELECT count(*) FROM Item WHERE ") + orphans +
                              QStringLiteral(" AND %1 LIKE ?").arg(field),
                          params);
        }
        return all;
    }

    // The search's own condition on Item. With `walking`, the indexes of
    // every column but `order`'s are kept out of it (unary +), so that the
    // walk goes along the order's index.
    QString searchCondition(const Search& s, Order order, bool walking, data::Params& params)
    {
        const auto plus = [walking, order](Order own) {
            return walking && order != own ? QStringLiteral("+") : QString();
        };
        const QString name = plus(Order::ItemName) + QStringLiteral("Item.ItemName LIKE ?");
        const QString code = plus(Order::ItemCode) + QStringLiteral("Item.ItemCode LIKE ?");
        const QString inCategories = (walking ? QStringLiteral("+") : QString()) +
                                     QStringLiteral("Item.CategoryID IN (%1)").arg(placeholders(s.categories.size()));
        QString out;
        switch (s.field) {
        case Field::None: out = QStringLiteral("1"); break;
        case Field::ItemName:
            out = name;
            params.push_back(s.pattern);
            break;
        case Field::ItemCode:
            out = code;
            params.push_back(s.pattern);
            break;
        case Field::CatName:
            out = inCategories;
            params.insert(params.end(), s.categories.begin(), s.categories.end());
            break;
        case Field::All:
            params.push_back(s.pattern);
            if (s.categories.empty()) {
                out = name;
            } else {
                out = QLatin1Char('(') + name + QStringLiteral(" OR ") + inCategories + QLatin1Char(')');
                params.insert(params.end(), s.categories.begin(), s.categories.end());
            }
            break;
        }
        if (currentCensus().orphans > 0)
            out += QStringLiteral(" AND ") + listedCondition;
        return out;
    }

    static bool byGroup(Order order) { return order == Order::CatName || order == Order::UnitName; }

    // The search's statement for keys in `order`: ascending or descending,
    // from the given places; "LIMIT ? OFFSET ?" is appended by the caller.
    QString searchStatement(const Search& s, Order order, bool descending, bool walking, const QString& extra,
                            data::Params& params)
    {
        const QString d = descending ? QStringLiteral(" DESC") : QString();
        QString from = QStringLiteral(" FROM Item");
        QString joins;
        QString sort;
        if (order == Order::CatName) {
            from += QStringLiteral(", Category");
            joins = QStringLiteral("Item.CategoryID = Category.CatId AND ");
            sort = QStringLiteral("Category.CatName") + d + QStringLiteral(", ");
        } else if (order == Order::UnitName) {
            from += QStringLiteral(", Units");
            joins = QStringLiteral("Item.UnitId = Units.Id AND ");
            sort = QStringLiteral("Units.Name") + d + QStringLiteral(", ");
        } else if (order != Order::ItemID) {
            // Read whole, the rows are sorted after; walking, the order's
            // index is walked.
            sort = (walking ? QString() : QStringLiteral("+")) + QStringLiteral("Item.") +
                   specOf(order).columns.front() + d + QStringLiteral(", ");
        }
        const QString condition = searchCondition(s, order, walking, params);
        const QString column = byGroup(order) || order == Order::ItemID
                                   ? QString()
                                   : QStringLiteral(", Item.") + specOf(order).columns.front();
        return QStringLiteral("SELECT Item.ItemID") + column + from + QStringLiteral(" WHERE ") + joins + condition +
               extra + QStringLiteral(" ORDER BY ") + sort + QStringLiteral("Item.ItemID") + d;
    }

    const std::vector<std::int64_t>& wholeSearch(Search& s, Order order)
    {
        if (const auto found = s.whole.find(order); found != s.whole.end())
            return found->second;
        data::Params params;
        const QString sql = searchStatement(s, order, false, false, QString(), params);
        std::vector<std::int64_t> keys;
        keys.reserve(std::size_t(s.count));
        data::RowReader r(*c, sql, params);
        while (r.next())
            keys.push_back(r.integer(0));
        return s.whole.emplace(order, std::move(keys)).first->second;
    }

    // Keys of the search in `order` by walking its index (or, for the orders
    // by a name, by the search's own statement): `count` rows after
    // skipping `skip`, in the walk's direction, starting after `from` (or
    // at it when `inclusive`).
    std::vector<Row> walkSearch(Search& s, Order order, bool forward, const Row* from, bool inclusive,
                                std::int64_t skip, std::int64_t count)
    {
        const bool keyed = !byGroup(order) && order != Order::ItemID;
        const QString column = keyed ? QStringLiteral("Item.") + specOf(order).columns.front() : QString();
        struct Segment {
            QString sql;
            data::Params params;
        };
        std::vector<Segment> segments;
        if (!from) {
            segments.push_back({});
        } else {
            const QString id = QStringLiteral("Item.ItemID");
            const QString after = forward ? (inclusive ? QStringLiteral(" >= ?") : QStringLiteral(" > ?"))
                                          : (inclusive ? QStringLiteral(" <= ?") : QStringLiteral(" < ?"));
            if (!keyed) {
                segments.push_back({QStringLiteral(" AND ") + id + after, {from->id}});
            } else if (from->keys.front().kind == Kind::Null) {
                // Nulls come first.
                segments.push_back({QStringLiteral(" AND %1 IS NULL AND %2%3").arg(column, id, after), {from->id}});
                if (forward)
                    segments.push_back({QStringLiteral(" AND %1 IS NOT NULL").arg(column), {}});
            } else {
                const data::DbValue key = bound(from->keys.front());
                segments.push_back({QStringLiteral(" AND %1 = ? AND %2%3").arg(column, id, after), {key, from->id}});
                segments.push_back(
                    {QStringLiteral(" AND %1 %2 ?").arg(column, forward ? QStringLiteral(">") : QStringLiteral("<")),
                     {key}});
                if (!forward)
                    segments.push_back({QStringLiteral(" AND %1 IS NULL").arg(column), {}});
            }
        }
        std::vector<Row> out;
        for (const Segment& segment : segments) {
            if (std::int64_t(out.size()) >= count)
                break;
            data::Params params;
            QString sql = searchStatement(s, order, !forward, true, segment.sql, params);
            // The segment's values follow the condition's.
            params.insert(params.end(), segment.params.begin(), segment.params.end());
            sql += QStringLiteral(" LIMIT ? OFFSET ?");
            params.push_back(count - std::int64_t(out.size()));
            params.push_back(from ? 0 : skip);
            data::RowReader r(*c, sql, params);
            while (r.next())
                out.push_back(rowAt(r, keyed ? 1 : 0));
        }
        return out;
    }

    std::vector<std::int64_t> searchRange(Search& s, Order order, std::int64_t first, std::int64_t count)
    {
        const auto slice = [&](const std::vector<std::int64_t>& all) {
            const auto from = std::min<std::size_t>(all.size(), std::size_t(first));
            const auto to = std::min<std::size_t>(all.size(), std::size_t(first + count));
            return std::vector<std::int64_t>(all.begin() + std::ptrdiff_t(from), all.begin() + std::ptrdiff_t(to));
        };
        if (const auto found = s.whole.find(order); found != s.whole.end())
            return slice(found->second);
        if (s.count <= ItemLists::wholeSearchLimit)
            return slice(wholeSearch(s, order));

        std::vector<Row> rows;
        bool walked = false;
        if (s.boundary && s.boundary->order == order && !s.boundary->rows.empty()) {
            const Search::Boundary& b = *s.boundary;
            const std::int64_t end = b.start + std::int64_t(b.rows.size());
            if (first == end) {
                rows = walkSearch(s, order, true, &b.rows.back(), false, 0, count);
                walked = true;
            } else if (first + count == b.start) {
                rows = walkSearch(s, order, false, &b.rows.front(), false, 0, count);
                std::reverse(rows.begin(), rows.end());
                walked = true;
            } else if (first == b.start) {
                rows = walkSearch(s, order, true, &b.rows.front(), true, 0, count);
                walked = true;
            }
        }
        if (!walked) {
            // From the nearer end, unless the walk would pass more items
            // than the search holds: then the whole result is read once.
            const std::int64_t fromEnd = s.count - first - count;
            const bool forward = first <= fromEnd;
            const std::int64_t skip = forward ? first : fromEnd;
            const std::int64_t total = currentCensus().listed + currentCensus().orphans;
            const double passed = double(skip + count) * double(total) / double(s.count);
            if (passed > double(s.count))
                return slice(wholeSearch(s, order));
            rows = walkSearch(s, order, forward, nullptr, false, skip, count);
            if (!forward)
                std::reverse(rows.begin(), rows.end());
        }
        std::vector<std::int64_t> keys;
        keys.reserve(rows.size());
        for (const Row& r : rows)
            keys.push_back(r.id);
        if (!byGroup(order))
            s.boundary = Search::Boundary{order, first, std::move(rows)};
        return keys;
    }
};

ItemLists::ItemLists() : d_(std::make_unique<Impl>()) {}

ItemLists::~ItemLists() = default;

bool ItemLists::available(data::Connection& c)
{
    d_->begin(c);
    if (!d_->available)
        d_->available = d_->scalar(QStringLiteral("PRAGMA user_version")) >= data::schemaVersion;
    const bool out = *d_->available;
    d_->end();
    return out;
}

std::optional<ItemLists::Page> ItemLists::page(data::Connection& c, Order order, bool descending, Field field,
                                               const QString& pattern, int page, int pageSize)
{
    Impl& d = *d_;
    d.begin(c);
    struct End {
        Impl& d;
        ~End() { d.end(); }
    } end{d};

    Impl::Search* s = field == Field::None ? nullptr : &d.searchFor(field, pattern);
    const std::int64_t count = s ? s->count : d.currentCensus().listed;
    if (count <= 0)
        return std::nullopt;
    const std::int64_t size = std::max(1, pageSize);
    const std::int64_t pages = (count + size - 1) / size;
    const std::int64_t used = std::clamp<std::int64_t>(page, 1, pages);
    const std::int64_t offset = (used - 1) * size;
    const std::int64_t rows = std::min(size, count - offset);
    // The same rows read ascending, from the other end when descending.
    const std::int64_t first = descending ? count - offset - rows : offset;

    Page out;
    out.keys = s ? d.searchRange(*s, order, first, rows) : d.fullRange(order, first, rows);
    if (descending)
        std::reverse(out.keys.begin(), out.keys.end());
    out.count = int(count);
    out.page = int(used);
    out.pages = int(pages);
    return out;
}

}  // namespace masters
