#pragma once
#include "rowarray.h"
#include <QString>

namespace data {

// The rows of one query, read at once, with the members of the old
// recordset that the record classes use. Field names are matched without
// regard to case ("OrderNo" and "orderno" are one field).
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(RowArray rows) : rows_(std::move(rows)) {}

    bool eof() const { return pos_ >= rows_.rowCount(); }
    bool bof() const { return pos_ < 0; }
    int recordCount() const { return rows_.rowCount(); }
    int fieldCount() const { return rows_.fieldCount(); }
    QString fieldName(int index) const { return rows_.fieldNames().value(index); }
    // Field index by name, -1 when there is none.
    int fieldIndex(const QString& name) const;

    // The current row's value; a DbError when the field does not exist or
    // the recordset is at EOF.
    const DbValue& value(const QString& fieldName) const;
    const DbValue& value(int fieldIndex) const;
    const DbValue& operator[](const QString& fieldName) const { return value(fieldName); }

    void moveFirst() { pos_ = 0; }
    void moveNext()
    {
        if (pos_ < rows_.rowCount())
            ++pos_;
    }
    // 1-based position of the current row; moving sets it.
    int absolutePosition() const { return pos_ + 1; }
    void setAbsolutePosition(int position) { pos_ = position - 1; }

    // The remaining rows from the current one (count -1 = all), as [field, row];
    // the position moves past them.
    RowArray getRows(int count = -1);
    const RowArray& rows() const { return rows_; }

    bool isOpen() const { return open_; }
    void close() { open_ = false; }

private:
    RowArray rows_;
    int pos_ = 0;
    bool open_ = true;
};

}  // namespace data
