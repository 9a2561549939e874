#pragma once
// The entries of a long pick list, held apart from the combo boxes that
// show them: one row per entry, its key (the combo's item data) and its
// texts by column. A view asks for the texts it shows, so filling a list
// is one step rather than one widget call per entry, and the row of a key
// is found without going through the entries.
//
// KeyedModel is what the combo boxes work with; KeyedListModel holds its
// keys in memory, PagedListModel (pagedlistmodel.h) reads them a page at a
// time from a source.

#include <QAbstractTableModel>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ui {

class KeyedModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual qint64 key(int row) const = 0;
    virtual QString text(int row, int column) const = 0;
    // The first and the last row holding `key`; -1 when none does.
    virtual int firstRowOf(qint64 key) const = 0;
    virtual int lastRowOf(qint64 key) const = 0;
    // The text (column 0) of the last row holding `key`; empty when none
    // does.
    virtual QString textOf(qint64 key) const;
    // The first row whose text (column 0) is exactly `text`; -1 for none.
    virtual int rowOfText(const QString& text) const;

    // The text for the display and edit roles, the key for Qt::UserRole.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

class KeyedListModel : public KeyedModel {
    Q_OBJECT
public:
    using TextFn = std::function<QString(int row, int column)>;
    KeyedListModel(std::vector<qint64> keys, int columns, TextFn text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

    qint64 key(int row) const override { return keys_[std::size_t(row)]; }
    QString text(int row, int column) const override { return text_(row, column); }
    int firstRowOf(qint64 key) const override;
    int lastRowOf(qint64 key) const override;

private:
    void buildIndex() const;
    const std::pair<int, int>* rowsOf(qint64 key) const;

    std::vector<qint64> keys_;
    int columns_;
    TextFn text_;
    // Made on the first look-up: by key, its first and last row. Keys that
    // lie close together (table keys) are looked up in a plain array.
    mutable bool indexed_ = false;
    mutable qint64 lowest_ = 0;
    mutable std::vector<std::pair<int, int>> dense_;
    mutable std::unordered_map<qint64, std::pair<int, int>> sparse_;
};

}  // namespace ui
