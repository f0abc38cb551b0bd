// Writing the scored list as an .xlsx workbook with libxlsxwriter, streamed
// in constant memory: one worksheet, its header bold, frozen and filtered.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;

namespace varostel::batch {

class OutputFile;
class ListWriter;

class WorkbookWriter {
 public:
  // Writes to the file at `path`, created (or emptied) at once and filled
  // by finish(), which the caller later renames into place; libxlsxwriter's temporary
  // files go to the same folder. `header`: the output's column names, at
  // most 16,384; `numeric[i]`: column i's cells are written as numbers when
  // they read as a plain decimal number (the score columns), as text
  // otherwise.
  [[nodiscard]] static std::variant<std::unique_ptr<WorkbookWriter>, std::string> open(
      const std::string& path, const std::vector<std::string>& header,
      const std::vector<bool>& numeric);

  WorkbookWriter(const WorkbookWriter&) = delete;
  WorkbookWriter& operator=(const WorkbookWriter&) = delete;
  // Without finish(), nothing is written.
  ~WorkbookWriter();

  // One row, every cell as given: text stays text, so "=1+1" is no formula
  // and an identity number keeps its 18 digits. A message, and nothing
  // written, when the row breaks an .xlsx limit: 32,767 UTF-16 code units a
  // cell, 1,048,576 rows with the header, 16,384 columns.
  [[nodiscard]] std::optional<std::string> row(const std::vector<std::string_view>& cells);

  // Finishes the workbook; a message when it cannot be written. Nothing may
  // follow.
  [[nodiscard]] std::optional<std::string> finish();

 private:
  WorkbookWriter() = default;
  [[nodiscard]] std::optional<std::string> start(const std::string& path,
                                                 const std::vector<std::string>& header);
  [[nodiscard]] std::optional<std::string> write_row(const std::vector<std::string_view>& cells);
  [[nodiscard]] std::optional<std::string> write_cell(std::size_t column, std::string_view cell);

  std::string temporary_folder_;  // outlives the workbook, which refers to it
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  std::vector<bool> numeric_;
  std::size_t columns_ = 0;
  std::uint32_t next_row_ = 1;  // the header is row 0
};

// The scored list as a workbook in `output`'s file, for the list scorer:
// its failures are whole messages naming the output.
[[nodiscard]] std::variant<std::unique_ptr<ListWriter>, std::string> make_workbook_list_writer(
    OutputFile& output, const std::vector<std::string>& header, const std::vector<bool>& numeric);

}  // namespace varostel::batch
