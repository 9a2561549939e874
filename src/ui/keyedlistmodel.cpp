#include "keyedlistmodel.h"

#include <algorithm>

namespace ui {

QString KeyedModel::textOf(qint64 key) const
{
    const int row = lastRowOf(key);
    return row < 0 ? QString() : text(row, 0);
}

int KeyedModel::rowOfText(const QString& wanted) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (text(row, 0) == wanted)
            return row;
    return -1;
}

QVariant KeyedModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row(), index.column());
    if (role == Qt::UserRole)
        return QVariant::fromValue(key(index.row()));
    return QVariant();
}

KeyedListModel::KeyedListModel(std::vector<qint64> keys, int columns, TextFn text, QObject* parent)
    : KeyedModel(parent), keys_(std::move(keys)), columns_(columns), text_(std::move(text))
{}

int KeyedListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(keys_.size()); }

int KeyedListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

void KeyedListModel::buildIndex() const
{
    indexed_ = true;
    if (keys_.empty())
        return;
    const auto [low, high] = std::minmax_element(keys_.begin(), keys_.end());
    const std::uint64_t span = std::uint64_t(*high) - std::uint64_t(*low);
    const auto note = [](std::pair<int, int>& at, int row) {
        if (at.first < 0)
            at.first = row;
        at.second = row;
    };
    if (span <= 4 * keys_.size() + 64) {
        lowest_ = *low;
        dense_.assign(std::size_t(span) + 1, {-1, -1});
        for (int row = 0; row < int(keys_.size()); ++row)
            note(dense_[std::size_t(std::uint64_t(keys_[std::size_t(row)]) - std::uint64_t(lowest_))], row);
        return;
    }
    sparse_.reserve(keys_.size());
    for (int row = 0; row < int(keys_.size()); ++row)
        note(sparse_.try_emplace(keys_[std::size_t(row)], -1, -1).first->second, row);
}

const std::pair<int, int>* KeyedListModel::rowsOf(qint64 key) const
{
    if (!indexed_)
        buildIndex();
    if (!dense_.empty()) {
        const std::uint64_t at = std::uint64_t(key) - std::uint64_t(lowest_);
        return key >= lowest_ && at < dense_.size() && dense_[std::size_t(at)].first >= 0 ? &dense_[std::size_t(at)]
                                                                                          : nullptr;
    }
    const auto found = sparse_.find(key);
    return found == sparse_.end() ? nullptr : &found->second;
}

int KeyedListModel::firstRowOf(qint64 key) const
{
    const std::pair<int, int>* rows = rowsOf(key);
    return rows ? rows->first : -1;
}

int KeyedListModel::lastRowOf(qint64 key) const
{
    const std::pair<int, int>* rows = rowsOf(key);
    return rows ? rows->second : -1;
}

}  // namespace ui
