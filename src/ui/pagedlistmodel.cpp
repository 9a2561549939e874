#include "pagedlistmodel.h"

#include <QMetaObject>

namespace ui {

PagedListModel::PagedListModel(std::unique_ptr<PagedListSource> source, int columns, QObject* parent)
    : KeyedModel(parent), source_(std::move(source)), columns_(columns)
{
    // What has changed up to now is already in the count.
    source_->changed();
    count_ = std::max(0, source_->count());
}

PagedListModel::~PagedListModel() = default;

int PagedListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

int PagedListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

const PagedListModel::Page& PagedListModel::page(int number) const
{
    if (auto found = pages_.find(number); found != pages_.end()) {
        recent_.splice(recent_.begin(), recent_, found->second.used);
        return found->second;
    }
    // Rows read while the source changed no longer fit the rows counted:
    // the model reads afresh once the view is done with this paint.
    if (!resetQueued_ && source_->changed()) {
        resetQueued_ = true;
        QMetaObject::invokeMethod(
            const_cast<PagedListModel*>(this), [this] { const_cast<PagedListModel*>(this)->reset(); },
            Qt::QueuedConnection);
    }
    // Read on from the page before, when it is at hand: by key, not by
    // counting the rows before it.
    const PagedListSource::Row* previous = nullptr;
    if (auto before = pages_.find(number - 1);
        before != pages_.end() && !before->second.rows.empty() && int(before->second.rows.size()) == pageRows)
        previous = &before->second.rows.back();
    std::vector<PagedListSource::Row> rows = source_->rows(number * pageRows, pageRows, previous);
    while (int(pages_.size()) >= keptPages && !recent_.empty()) {
        pages_.erase(recent_.back());
        recent_.pop_back();
    }
    recent_.push_front(number);
    Page& p = pages_[number];
    p.rows = std::move(rows);
    p.used = recent_.begin();
    return p;
}

const PagedListSource::Row* PagedListModel::rowAt(int row) const
{
    if (row < 0 || row >= count_)
        return nullptr;
    const Page& p = page(row / pageRows);
    const std::size_t at = std::size_t(row % pageRows);
    return at < p.rows.size() ? &p.rows[at] : nullptr;
}

qint64 PagedListModel::key(int row) const
{
    const PagedListSource::Row* r = rowAt(row);
    return r ? r->key : 0;
}

QString PagedListModel::text(int row, int column) const
{
    const PagedListSource::Row* r = rowAt(row);
    if (!r)
        return QString();
    if (column == 0)
        return r->text;
    auto found = columnTexts_.find(r->key);
    if (found == columnTexts_.end()) {
        // Few rows are ever asked for these: the selected ones.
        if (columnTexts_.size() > std::size_t(keptPages * pageRows))
            columnTexts_.clear();
        std::vector<QString> texts;
        for (int c = 1; c < columns_; ++c)
            texts.push_back(source_->columnText(r->key, c));
        found = columnTexts_.emplace(r->key, std::move(texts)).first;
    }
    return found->second[std::size_t(column - 1)];
}

bool PagedListModel::refreshIfChanged()
{
    if (!source_->changed())
        return false;
    reset();
    return true;
}

void PagedListModel::reset()
{
    resetQueued_ = false;
    beginResetModel();
    source_->changed();
    pages_.clear();
    recent_.clear();
    columnTexts_.clear();
    count_ = std::max(0, source_->count());
    endResetModel();
}

int PagedListModel::firstRowOf(qint64 key) const
{
    const_cast<PagedListModel*>(this)->refreshIfChanged();
    // A row at hand needs no look-up.
    for (const auto& [number, p] : pages_)
        for (std::size_t i = 0; i < p.rows.size(); ++i)
            if (p.rows[i].key == key)
                return number * pageRows + int(i);
    const int row = source_->rowOf(key);
    return row < count_ ? row : -1;
}

// Keys are unique in such a list.
int PagedListModel::lastRowOf(qint64 key) const { return firstRowOf(key); }

QString PagedListModel::textOf(qint64 key) const { return source_->textOf(key).value_or(QString()); }

int PagedListModel::rowOfText(const QString& wanted) const
{
    const_cast<PagedListModel*>(this)->refreshIfChanged();
    const int row = source_->rowOfText(wanted);
    return row < count_ ? row : -1;
}

QModelIndexList PagedListModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                      Qt::MatchFlags flags) const
{
    const Qt::MatchFlags how = flags & ~Qt::MatchWrap;
    const bool typed = how == Qt::MatchStartsWith;
    const bool exact = how == (Qt::MatchExactly | Qt::MatchCaseSensitive);
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || start.column() != 0 || hits != 1 || !(typed || exact))
        return KeyedModel::match(start, role, value, hits, flags);
    const_cast<PagedListModel*>(this)->refreshIfChanged();
    const QString wanted = value.toString();
    const int from = std::max(0, start.row());
    int found = -1;
    if (exact) {
        // Letters of either case sort alike, so rows of exactly one text
        // need not lie together: only a search from the top is answered here.
        if (from > 0)
            return KeyedModel::match(start, role, value, hits, flags);
        found = source_->rowOfText(wanted);
    } else {
        const auto [first, length] = source_->runStartingWith(wanted);
        if (length > 0) {
            if (from >= first && from < first + length)
                found = from;
            else if (from < first || (flags & Qt::MatchWrap))
                found = first;
        }
    }
    if (found < 0 || found >= count_)
        return {};
    return {index(found, 0)};
}

}  // namespace ui
