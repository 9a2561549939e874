#pragma once
// The estimates report: every estimate (or those of a date range) with its
// date, customer and final total, and the sum of the totals at the end.

#include "reportdata.h"
#include "reportwriter.h"

#include <QDate>
#include <optional>
#include <vector>

class QWidget;

namespace estimates {

// The report of `rows`; `from` and `to`, when given, are the range they
// were chosen by (named under the title).
report::Report estimatesReport(const std::vector<reportdata::EstimateRow>& rows, const std::optional<QDate>& from = {},
                               const std::optional<QDate>& to = {});

// Reads the estimates (all, or those dated from `from` to `to`) and opens
// the report in the print preview.
void showEstimatesReport(QWidget* parent = nullptr, const std::optional<QDate>& from = {},
                         const std::optional<QDate>& to = {});

}  // namespace estimates
