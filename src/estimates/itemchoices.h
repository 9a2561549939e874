#pragma once
// The items of the estimate screen's item and price lists, read from the
// database a page at a time in name order (ties by key), whatever the size
// of the cost book: by the index on the item name, never by reading every
// item. The list holds the items stored when it was made; an item added
// since is not in it, as a list filled once would not hold it either.

#include "data/connection.h"
#include "data/rowchanges.h"
#include "ui/pagedlistmodel.h"

#include <cstdint>
#include <optional>

namespace estimates {

class ItemChoices : public ui::PagedListSource {
public:
    ItemChoices();
    ~ItemChoices() override;

    int count() override;
    std::vector<Row> rows(int offset, int limit, const Row* previous) override;
    int rowOf(qint64 key) override;
    std::optional<QString> textOf(qint64 key) override;
    std::pair<int, int> runStartingWith(const QString& prefix) override;
    int rowOfText(const QString& text) override;
    // Column 1: the item's price entry, read when it is asked for.
    QString columnText(qint64 key, int column) override;
    bool changed() override;

private:
    int countWhere(const QString& condition, const data::Params& params);
    int rowsWithoutName();
    // Whether a row of this name and key lies in the later half of the
    // list, where counting from the end is the shorter way.
    bool inLaterHalf(const QString& name, qint64 key);

    data::Connection connection_;
    data::RowChanges changes_{QStringLiteral("Item")};
    std::int64_t lastKey_ = 0;  // the largest key when the list was made
    bool untouched_ = true;     // nothing written to the items since
    std::optional<int> withoutName_;
    int total_ = -1;  // the last count
    struct Middle {
        QByteArray name;
        qint64 key = 0;
    };
    std::optional<Middle> middle_;
};

}  // namespace estimates
