// Reading a client list from an .xlsx worksheet row by row, each cell as the
// text Excel shows; telling unreadable workbooks (.xls, .et, encrypted) apart.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "batch/csv_reader.h"

namespace varostel::batch {

// Whether a file starting with these bytes is a zip archive (an .xlsx
// workbook), or an OLE2 compound file (.xls, WPS .et, or a
// password-protected .xlsx).
[[nodiscard]] bool starts_like_zip(std::string_view first_bytes);
[[nodiscard]] bool starts_like_compound_file(std::string_view first_bytes);

// For a compound file at `path`: the one line to print after "NAME: ",
// either that a password-protected workbook cannot be read, or that .xls and
// .et workbooks cannot.
[[nodiscard]] std::string compound_file_problem(const std::string& path);

struct WorkbookProblem {
  std::size_t row = 0;  // the sheet's row number; 0 when not tied to a row
  std::string message;
};

// Calls `on_row(row_number, cells)` for each row of the chosen worksheet in
// order: row_number is the sheet's own 1-based number (rows the sheet lacks
// are skipped), cells run from column A to the row's last cell with a value,
// absent cells as "". A cell reads as Excel shows it: strings (shared,
// inline, a formula's) with rich-text runs joined and phonetic guides left
// out, booleans "1"/"0", errors as their text ("#N/A"), numbers as
// general_number_text(), and numbers in a date format and ISO dates as
// YYYY-MM-DD (date_text()); a formula's cached value is what counts. The cells handed over may be moved
// from.
// `sheet` empty: the first visible worksheet; otherwise a sheet's name (a
// hidden sheet's too), or, when all digits and no sheet has that name, the
// 1-based number of a visible worksheet in tab order.
// Returns when on_row returns false (no problem) or at the first problem.
[[nodiscard]] std::optional<WorkbookProblem> for_each_workbook_row(
    const std::string& path, std::string_view sheet,
    const std::function<bool(std::size_t, CsvRecord&)>& on_row);

}  // namespace varostel::batch
