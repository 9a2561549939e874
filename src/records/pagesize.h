#pragma once

namespace records {

// The rows on one page of every paged list: the main window's NoInList at
// start-up, and the page size of record objects whose opener does not page.
inline constexpr int rowsPerPage = 15;

}  // namespace records
