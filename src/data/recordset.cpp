#include "recordset.h"

#include "dberror.h"

#include <algorithm>

namespace data {

int Recordset::fieldIndex(const QString& name) const
{
    const QStringList& names = rows_.fieldNames();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const DbValue& Recordset::value(const QString& fieldName) const
{
    const int i = fieldIndex(fieldName);
    if (i < 0)
        throw DbError(QStringLiteral("The recordset has no field \"%1\".").arg(fieldName));
    return value(i);
}

const DbValue& Recordset::value(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= fieldCount())
        throw DbError(QStringLiteral("The recordset has no field %1.").arg(fieldIndex));
    if (bof() || eof())
        throw DbError(QStringLiteral("There is no current record."));
    return rows_.at(fieldIndex, pos_);
}

RowArray Recordset::getRows(int count)
{
    const int first = pos_ < 0 ? 0 : pos_;
    const int available = rows_.rowCount() - first;
    const int n = count < 0 ? std::max(available, 0) : std::clamp(count, 0, std::max(available, 0));
    std::vector<std::vector<DbValue>> rows;
    rows.reserve(std::size_t(n));
    for (int r = first; r < first + n; ++r) {
        std::vector<DbValue> row;
        row.reserve(std::size_t(fieldCount()));
        for (int f = 0; f < fieldCount(); ++f)
            row.push_back(rows_.at(f, r));
        rows.push_back(std::move(row));
    }
    pos_ = first + n;
    return RowArray(rows_.fieldNames(), std::move(rows));
}

}  // namespace data
