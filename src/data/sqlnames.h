#pragma once
#include <QString>
#include <QStringList>

namespace data::sql {

// Identifiers (sort columns, search fields, table names) cannot be bound,
// so each caller names the ones it allows; anything else is a DbError.
// The match ignores case and the result is the caller's own spelling.
QString checkedIdentifier(const QString& name, const QStringList& allowed);

// A date as ISO text "YYYY-MM-DD".
QString isoDate(int year, int month, int day);

}  // namespace data::sql
