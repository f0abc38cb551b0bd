#include "batch/workbook_writer.h"

#include "batch/output_file.h"
#include "batch/output_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "batch/cell_text.h"
#include "model/utf8.h"

namespace varostel::batch {

namespace {

constexpr std::size_t kMostColumns = LXW_COL_MAX;
constexpr std::uint32_t kMostRows = LXW_ROW_MAX;
constexpr std::size_t kMostCellUnits = 32767;
// Above 15 digits a double no longer holds every digit; such a "number" is
// kept as text so nothing is lost.
constexpr std::size_t kMostNumberDigits = 15;

std::string failure(std::string_view what, lxw_error error) {
  return std::string(what) + " (" + lxw_strerror(error) + ")";
}

// The length Excel counts: UTF-16 code units, so a character beyond the
// Basic Multilingual Plane (a 4-byte UTF-8 sequence) counts twice.
std::size_t utf16_units(std::string_view text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;
  }
  return units;
}

// "-12", "120", "3.5": what a score column holds; not "1e3", ".5" or "+1".
std::optional<double> plain_decimal(std::string_view cell) {
  const std::string_view digits_part = cell.starts_with('-') ? cell.substr(1) : cell;
  const std::size_t point = digits_part.find('.');
  const std::string_view whole = digits_part.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : digits_part.substr(point + 1);
  const auto all_digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!all_digits(whole) || (point != std::string_view::npos && !all_digits(fraction))) {
    return std::nullopt;
  }
  if (whole.size() + fraction.size() > kMostNumberDigits) return std::nullopt;
  double value = 0;
  std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return value;
}

// A column wide enough for its header, East Asian wide characters counting
// two; identity numbers need about 20.
double column_width(std::string_view header) {
  double width = 2;
  for (const char32_t c : utf8::decode(header)) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
    width += wide ? 2 : 1;
  }
  if (header == "ID" || header == "身份证号码") width = std::max(width, 20.0);
  return std::clamp(width, 8.0, 60.0);
}

}  // namespace

std::variant<std::unique_ptr<WorkbookWriter>, std::string> WorkbookWriter::open(
    const std::string& path, const std::vector<std::string>& header,
    const std::vector<bool>& numeric) {
  if (header.size() > kMostColumns) {
    return "the list has " + std::to_string(header.size()) +
           " columns, more than the 16,384 an .xlsx worksheet holds";
  }
  std::unique_ptr<WorkbookWriter> writer(new WorkbookWriter());
  writer->numeric_ = numeric;
  writer->numeric_.resize(header.size());
  writer->columns_ = header.size();
  if (auto message = writer->start(path, header)) return std::move(*message);
  return writer;
}

std::optional<std::string> WorkbookWriter::start(const std::string& path,
                                                 const std::vector<std::string>& header) {
  // Creating the file at once tells a path that cannot be written with the
  // system's reason, where libxlsxwriter would only fail at the end (and
  // print its own complaint to standard error).
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "cannot create the workbook (" + std::string(std::strerror(errno)) + ")";
  std::fclose(file);
  temporary_folder_ = std::filesystem::path(path).parent_path().string();
  if (temporary_folder_.empty()) {
    const char* tmpdir = std::getenv("TMPDIR");
    temporary_folder_ = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : ".";
  }
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = temporary_folder_.data();
  options.use_zip64 = LXW_TRUE;  // a large list may pass 4 GiB before compression
  workbook_ = workbook_new_opt(path.c_str(), &options);
  if (workbook_ == nullptr) return "cannot start the workbook: out of memory";
  sheet_ = workbook_add_worksheet(workbook_, nullptr);
  lxw_format* bold = workbook_add_format(workbook_);
  if (sheet_ == nullptr || bold == nullptr) return "cannot start the workbook: out of memory";
  format_set_bold(bold);

  // In constant-memory mode a row is final once the next begins, so the
  // column widths and the header come first.
  for (std::size_t column = 0; column < header.size(); ++column) {
    const auto at = static_cast<lxw_col_t>(column);
    if (const lxw_error error =
            worksheet_set_column(sheet_, at, at, column_width(header[column]), nullptr)) {
      return failure("cannot set the column widths", error);
    }
    if (utf16_units(header[column]) > kMostCellUnits) {
      return "a column name is longer than the 32,767 characters an .xlsx cell holds";
    }
    if (const lxw_error error =
            worksheet_write_string(sheet_, 0, at, header[column].c_str(), bold)) {
      return failure("cannot write the header", error);
    }
  }
  worksheet_freeze_panes(sheet_, 1, 0);
  return std::nullopt;
}

WorkbookWriter::~WorkbookWriter() {
  if (workbook_ != nullptr) lxw_workbook_free(workbook_);
}

std::optional<std::string> WorkbookWriter::row(const std::vector<std::string_view>& cells) {
  try {
    return write_row(cells);
  } catch (const std::bad_alloc&) {
    return "out of memory";
  }
}

std::optional<std::string> WorkbookWriter::write_row(const std::vector<std::string_view>& cells) {
  if (workbook_ == nullptr) return "the workbook is already finished";
  if (next_row_ >= kMostRows) {
    return "the list has more than the 1,048,576 rows an .xlsx worksheet holds";
  }
  if (cells.size() > kMostColumns) {
    return "a row has more than the 16,384 cells an .xlsx worksheet holds";
  }
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (utf16_units(cells[column]) > kMostCellUnits) {
      return "column " + std::to_string(column + 1) +
             " is longer than the 32,767 characters an .xlsx cell holds";
    }
  }
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (auto message = write_cell(column, cells[column])) return message;
  }
  ++next_row_;
  return std::nullopt;
}

std::optional<std::string> WorkbookWriter::write_cell(std::size_t column, std::string_view cell) {
  if (cell.empty()) return std::nullopt;
  const auto at = static_cast<lxw_col_t>(column);
  lxw_error error = LXW_NO_ERROR;
  const std::optional<double> number =
      column < numeric_.size() && numeric_[column] ? plain_decimal(cell) : std::nullopt;
  if (number) {
    error = worksheet_write_number(sheet_, next_row_, at, *number, nullptr);
  } else {
    // libxlsxwriter escapes control characters as _xHHHH_ but leaves text
    // that already reads as such an escape alone.
    const std::string text = cell.find("_x") == std::string_view::npos ? std::string(cell)
                                                                      : escape_underscores(cell);
    error = worksheet_write_string(sheet_, next_row_, at, text.c_str(), nullptr);
  }
  if (error != LXW_NO_ERROR) return failure("cannot write a cell", error);
  return std::nullopt;
}

std::optional<std::string> WorkbookWriter::finish() {
  if (workbook_ == nullptr) return "the workbook is already finished";
  std::optional<std::string> message;
  if (columns_ > 0) {
    if (const lxw_error error = worksheet_autofilter(sheet_, 0, 0, next_row_ - 1,
                                                     static_cast<lxw_col_t>(columns_ - 1))) {
      message = failure("cannot set the filter", error);
    }
  }
  errno = 0;
  // workbook_close() frees the workbook whatever its outcome.
  const lxw_error error = workbook_close(workbook_);
  workbook_ = nullptr;
  if (message) return message;
  if (error == LXW_NO_ERROR) return std::nullopt;
  std::string reason = failure("cannot write the workbook", error);
  if (errno != 0) reason.insert(reason.size() - 1, std::string(": ") + std::strerror(errno));
  return reason;
}

namespace {

class WorkbookListWriter final : public ListWriter {
 public:
  WorkbookListWriter(std::unique_ptr<WorkbookWriter> workbook, std::string name)
      : workbook_(std::move(workbook)), name_(std::move(name)) {}

  bool row(const std::vector<std::string_view>& cells) override { return ok(workbook_->row(cells)); }
  bool finish() override { return ok(workbook_->finish()); }
  std::string failure() const override { return failure_; }

 private:
  bool ok(std::optional<std::string> problem) {
    if (!problem) return true;
    failure_ = name_ + ": " + *problem;
    return false;
  }

  std::unique_ptr<WorkbookWriter> workbook_;
  std::string name_;
  std::string failure_;
};

}  // namespace

std::variant<std::unique_ptr<ListWriter>, std::string> make_workbook_list_writer(
    OutputFile& output, const std::vector<std::string>& header, const std::vector<bool>& numeric) {
  auto workbook = WorkbookWriter::open(output.path_for_writer(), header, numeric);
  if (auto* message = std::get_if<std::string>(&workbook)) return output.name() + ": " + *message;
  return std::make_unique<WorkbookListWriter>(
      std::move(std::get<std::unique_ptr<WorkbookWriter>>(workbook)), output.name());
}

}  // namespace varostel::batch
