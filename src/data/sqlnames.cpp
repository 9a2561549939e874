#include "sqlnames.h"

#include "dberror.h"

namespace data::sql {

QString checkedIdentifier(const QString& name, const QStringList& allowed)
{
    for (const QString& a : allowed)
        if (a.compare(name, Qt::CaseInsensitive) == 0)
            return a;
    throw DbError(QStringLiteral("\"%1\" is not a field name that can be used here.").arg(name));
}

QString isoDate(int year, int month, int day)
{
    const QLatin1Char zero('0');
    return QStringLiteral("%1-%2-%3").arg(year, 4, 10, zero).arg(month, 2, 10, zero).arg(day, 2, 10, zero);
}

}  // namespace data::sql
