#include "itemchoices.h"

#include "ordertotals.h"

#include "data/conversions.h"
#include "data/recordset.h"

#include <algorithm>

namespace estimates {

namespace {

// Every statement keeps to the items the list was made with. The unary
// plus keeps the planner on the name index, which gives the order, rather
// than on the key's range.
const QString listed = QStringLiteral("+ItemId <= ?");

// The smallest text above every text that begins with `prefix`, letters
// compared as the item-name index compares them (A to Z as a to z); null
// when there is none to be had.
QString pastPrefix(const QString& prefix)
{
    QString folded;
    folded.reserve(prefix.size());
    for (QChar ch : prefix)
        folded += (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) ? QChar(ch.unicode() + 32) : ch;
    const char16_t last = folded.back().unicode();
    if (last == 0xFFFF || QChar::isSurrogate(last) || QChar::isSurrogate(char16_t(last + 1)))
        return QString();
    folded.back() = QChar(char16_t(last + 1));
    return folded;
}

// Whether a sorts before b as the item-name index sorts them: the UTF-8
// bytes compared with A to Z taken as a to z, ties by key.
bool sortsBefore(const QByteArray& a, qint64 aKey, const QByteArray& b, qint64 bKey)
{
    const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(fold(a[i]));
        const unsigned char y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return aKey < bKey;
}

}  // namespace

ItemChoices::ItemChoices()
{
    connection_.openApplicationDatabase();
    lastKey_ = connection_.scalar(QStringLiteral("Select max(ItemId) from Item")).toInt64();
    changes_.take(connection_);
}

ItemChoices::~ItemChoices() = default;

int ItemChoices::countWhere(const QString& condition, const data::Params& params)
{
    return connection_.scalar(QStringLiteral("Select count(*) from Item where ") + condition, params).toInt();
}

int ItemChoices::count()
{
    // Until something is written the items are those the list was made
    // with, and SQLite counts them from an index's size.
    total_ = untouched_ ? connection_.scalar(QStringLiteral("Select count(*) from Item")).toInt()
                        : countWhere(listed, {lastKey_});
    return total_;
}

bool ItemChoices::inLaterHalf(const QString& name, qint64 key)
{
    if (total_ < 0)
        count();
    if (total_ < 2 * 1000)
        return false;
    if (!middle_) {
        const data::Recordset rs =
            connection_.query(QStringLiteral("Select ItemName, ItemId from Item where ") + listed +
                                  QStringLiteral(" order by ItemName, ItemId limit 1 offset ?"),
                              {lastKey_, total_ / 2});
        if (rs.eof() || rs.value(0).isNull())
            return false;
        middle_ = Middle{rs.value(0).toText().toUtf8(), rs.value(1).toInt64()};
    }
    return !sortsBefore(name.toUtf8(), key, middle_->name, middle_->key);
}

int ItemChoices::rowsWithoutName()
{
    if (!withoutName_)
        withoutName_ = countWhere(QStringLiteral("ItemName is null and ") + listed, {lastKey_});
    return *withoutName_;
}

std::vector<ItemChoices::Row> ItemChoices::rows(int offset, int limit, const Row* previous)
{
    data::Recordset rs;
    bool backwards = false;
    if (previous && !previous->textIsNull)
        rs = connection_.query(QStringLiteral("Select ItemId, ItemName from Item where (ItemName, ItemId) > (?, ?) "
                                              "and ") +
                                   listed + QStringLiteral(" order by ItemName, ItemId limit ?"),
                               {previous->text, std::int64_t(previous->key), lastKey_, limit});
    else if (total_ >= 0 && offset > total_ / 2) {
        // Nearer the end: read backwards from there, then turn the rows round.
        int fromEnd = total_ - offset - limit;
        if (fromEnd < 0) {
            limit += fromEnd;
            fromEnd = 0;
        }
        if (limit <= 0)
            return {};
        rs = connection_.query(QStringLiteral("Select ItemId, ItemName from Item where ") + listed +
                                   QStringLiteral(" order by ItemName desc, ItemId desc limit ? offset ?"),
                               {lastKey_, limit, fromEnd});
        backwards = true;
    } else
        rs = connection_.query(QStringLiteral("Select ItemId, ItemName from Item where ") + listed +
                                   QStringLiteral(" order by ItemName, ItemId limit ? offset ?"),
                               {lastKey_, limit, offset});
    std::vector<Row> out;
    out.reserve(std::size_t(rs.recordCount()));
    for (; !rs.eof(); rs.moveNext()) {
        const data::DbValue& name = rs.value(1);
        out.push_back({rs.value(0).toInt64(), name.toText(), name.isNull()});
    }
    if (backwards)
        std::reverse(out.begin(), out.end());
    return out;
}

int ItemChoices::rowOf(qint64 key)
{
    const data::Recordset rs = connection_.query(
        QStringLiteral("Select ItemName from Item where ItemId = ? and ") + listed, {std::int64_t(key), lastKey_});
    if (rs.eof())
        return -1;
    const data::DbValue& name = rs.value(0);
    if (name.isNull())
        return countWhere(QStringLiteral("ItemName is null and ItemId < ? and ") + listed,
                          {std::int64_t(key), lastKey_});
    if (inLaterHalf(name.toText(), key))
        return total_ - 1 -
               countWhere(QStringLiteral("(ItemName, ItemId) > (?, ?) and ") + listed,
                          {name, std::int64_t(key), lastKey_});
    return rowsWithoutName() +
           countWhere(QStringLiteral("(ItemName, ItemId) < (?, ?) and ") + listed, {name, std::int64_t(key), lastKey_});
}

std::optional<QString> ItemChoices::textOf(qint64 key)
{
    const data::Recordset rs = connection_.query(
        QStringLiteral("Select ItemName from Item where ItemId = ? and ") + listed, {std::int64_t(key), lastKey_});
    if (rs.eof())
        return std::nullopt;
    return rs.value(0).toText();
}

std::pair<int, int> ItemChoices::runStartingWith(const QString& prefix)
{
    if (prefix.isEmpty())
        return {0, count()};
    // The first row at or after the prefix, counted from the nearer end.
    const int first =
        inLaterHalf(prefix, 0)
            ? total_ - countWhere(QStringLiteral("ItemName >= ? and ") + listed, {prefix, lastKey_})
            : rowsWithoutName() + countWhere(QStringLiteral("ItemName < ? and ") + listed, {prefix, lastKey_});
    const QString past = pastPrefix(prefix);
    const int length =
        past.isNull()
            ? countWhere(QStringLiteral("ItemName >= ? and substr(ItemName, 1, ?) = ? collate nocase and ") + listed,
                         {prefix, int(prefix.size()), prefix, lastKey_})
            : countWhere(QStringLiteral("ItemName >= ? and ItemName < ? and ") + listed, {prefix, past, lastKey_});
    return {first, length};
}

int ItemChoices::rowOfText(const QString& text)
{
    // A row without a name shows an empty text, and such rows come first.
    if (text.isEmpty() && rowsWithoutName() > 0)
        return 0;
    const data::Recordset rs = connection_.query(
        QStringLiteral("Select ItemId from Item where ItemName = ? and ItemName = ? collate binary and ") + listed +
            QStringLiteral(" order by ItemName, ItemId limit 1"),
        {text, text, lastKey_});
    return rs.eof() ? -1 : rowOf(rs.value(0).toInt64());
}

QString ItemChoices::columnText(qint64 key, int column)
{
    if (column != 1)
        return QString();
    const data::Recordset rs =
        connection_.query(QStringLiteral("Select Material, Labor, Qty, SubLabor, Equipment from Item where ItemId = ?"),
                          {std::int64_t(key)});
    if (rs.eof())
        return QString();
    return priceEntry(rs.value(0), rs.value(1), rs.value(2), rs.value(3), rs.value(4));
}

bool ItemChoices::changed()
{
    const data::RowChanges::Changed c = changes_.take(connection_);
    if (!c.everything && c.rowids.empty())
        return false;
    untouched_ = false;
    withoutName_.reset();
    middle_.reset();
    return true;
}

}  // namespace estimates
