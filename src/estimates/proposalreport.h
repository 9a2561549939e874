#pragma once
// The estimate proposal: the customer and ship-to address, the estimate's
// number and date, every line with its material, labor, sub-labor and
// other amounts, and the amount, tax, overhead and total under them.

#include "reportdata.h"
#include "reportwriter.h"

#include <vector>

namespace estimates {

// The figures under the lines, in cents: the amount is the sum of the
// printed line totals, tax and overhead are their percentages of it, and
// the total is the three added.
struct ProposalTotals {
    std::int64_t amount = 0;
    std::int64_t tax = 0;
    std::int64_t overhead = 0;
    std::int64_t total = 0;
};
// A line's printed total: its four printed amounts added.
std::int64_t lineTotal(const reportdata::ProposalLine& line);
ProposalTotals proposalTotals(const reportdata::ProposalHeader& header,
                              const std::vector<reportdata::ProposalLine>& lines);

report::Report proposalReport(const reportdata::ProposalHeader& header,
                              const std::vector<reportdata::ProposalLine>& lines);

// Reads estimate `orderNo` and opens its proposal in the print preview
// (the estimate screen's "Print Proposal"). An estimate that is not stored,
// or has no lines, is told in a message instead.
void showProposal(int orderNo);

}  // namespace estimates
