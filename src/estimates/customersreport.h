#pragma once
// The customers report: every customer with the billing address stacked
// under the address heading, the phone and fax numbers, and the e-mail
// address with the web address under it.

#include "reportdata.h"
#include "reportwriter.h"

#include "shell/screens.h"

#include <vector>

namespace estimates {

report::Report customersReport(const std::vector<reportdata::CustomerRow>& rows);

// Reads every customer and opens the report in the print preview (the main
// menu's "Customers Report").
void showCustomersReport();

// The report as the main menu's "rptCustomers" entry: show opens it.
shell::Screen rptCustomersScreen();

}  // namespace estimates
