#pragma once
#include "dbvalue.h"
#include <QStringList>
#include <vector>

namespace data {

// Rows of a result as the old GetRows handed them back: indexed
// [field, row], both from 0, fields in SELECT order. The accessor takes the
// field first so code written against that shape cannot transpose them.
class RowArray {
public:
    RowArray() = default;
    RowArray(QStringList fieldNames, std::vector<std::vector<DbValue>> rows)
        : names_(std::move(fieldNames)), rows_(std::move(rows))
    {}

    int fieldCount() const { return int(names_.size()); }
    int rowCount() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    const QStringList& fieldNames() const { return names_; }

    const DbValue& at(int field, int row) const { return rows_.at(std::size_t(row)).at(std::size_t(field)); }
    const DbValue& operator()(int field, int row) const { return at(field, row); }

private:
    QStringList names_;
    std::vector<std::vector<DbValue>> rows_;  // stored row-major for appending
};

}  // namespace data
