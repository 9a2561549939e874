#pragma once
// A pick list too long to hold in memory (a cost book of a million items):
// the rows are read from their source a page at a time, as a view asks for
// them, and a few pages are kept. Opening a list reads its row count and
// nothing else; the row of a key, and the run of rows that begin with a
// typed text, are the source's to find (by index, not by reading rows).

#include "keyedlistmodel.h"

#include <QString>
#include <list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ui {

// Where the rows come from. Rows are in the order of their text (column
// 0), ties by key, as the source's index keeps them.
class PagedListSource {
public:
    struct Row {
        qint64 key = 0;
        QString text;
        bool textIsNull = false;  // a row without a text sorts first
    };
    virtual ~PagedListSource() = default;
    // The number of rows.
    virtual int count() = 0;
    // At most `limit` rows from position `offset`. `previous`, when given,
    // is the row at offset - 1: the source may read on from it by key.
    virtual std::vector<Row> rows(int offset, int limit, const Row* previous) = 0;
    // The position of the row holding `key`; -1 when none does.
    virtual int rowOf(qint64 key) = 0;
    // The text of the row holding `key`, if there is one.
    virtual std::optional<QString> textOf(qint64 key) = 0;
    // The rows whose text begins with `prefix` (letters of either case
    // alike) lie together: their first position and how many there are.
    virtual std::pair<int, int> runStartingWith(const QString& prefix) = 0;
    // The first position of a row whose text is exactly `text`; -1 for none.
    virtual int rowOfText(const QString& text) = 0;
    // The text of a further column of the row holding `key`.
    virtual QString columnText(qint64 key, int column) = 0;
    // Whether rows may have come, gone or moved since the last call.
    virtual bool changed() = 0;
};

class PagedListModel : public KeyedModel {
    Q_OBJECT
public:
    PagedListModel(std::unique_ptr<PagedListSource> source, int columns, QObject* parent = nullptr);
    ~PagedListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

    qint64 key(int row) const override;
    QString text(int row, int column) const override;
    int firstRowOf(qint64 key) const override;
    int lastRowOf(qint64 key) const override;
    QString textOf(qint64 key) const override;
    int rowOfText(const QString& text) const override;

    // Typing in a list looks for the typed text from the current row on:
    // answered from the source for that search, by the base class else.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    // Reads the rows afresh when the source says they changed (views keep
    // their selection by key through the reset). Returns whether it did.
    bool refreshIfChanged();

    static constexpr int pageRows = 100;
    static constexpr int keptPages = 40;

private:
    struct Page {
        std::vector<PagedListSource::Row> rows;
        std::list<int>::iterator used;
    };
    const PagedListSource::Row* rowAt(int row) const;
    const Page& page(int number) const;
    void reset();

    std::unique_ptr<PagedListSource> source_;
    int columns_;
    int count_ = 0;
    mutable std::unordered_map<int, Page> pages_;
    mutable std::list<int> recent_;  // page numbers, the latest used first
    mutable std::unordered_map<qint64, std::vector<QString>> columnTexts_;
    mutable bool resetQueued_ = false;
};

}  // namespace ui
