// Reading a client list as CSV (RFC 4180: quoted fields with embedded
// separators, quotes and line breaks; CRLF or LF) with libcsv, piece by
// piece as the text arrives. Spaces belong to the field; blank lines hold
// no record; a misplaced quote is an error.
#pragma once

#include <csv.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varostel::batch {

using CsvRecord = std::vector<std::string>;

// The longest cell a list may hold: far beyond any real client's, small
// enough that a file of one endless cell is refused before it fills memory.
inline constexpr std::size_t kCellLimit = std::size_t{1} << 20;  // bytes, inclusive
// The most cells a row may hold, inclusive: far beyond a spreadsheet's
// 16,384 columns. Each cell costs 32 bytes of memory, so without a bound a
// line of commas would fill memory 32 times as fast as it is read.
inline constexpr std::size_t kRowCellLimit = std::size_t{1} << 20;

struct CsvError {
  std::size_t record = 0;  // 1-based number of the record where it happened
  std::string message;
};

class CsvReader {
 public:
  // `on_record` gets every record in order, numbered from 1, and may move
  // from it; it returns false to have no more.
  using RecordHandler = std::function<bool(std::size_t, CsvRecord&)>;

  CsvReader(char separator, RecordHandler on_record);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  [[nodiscard]] std::optional<CsvError> feed(std::string_view text);
  // After the last piece: the last record, or why the text ends wrong.
  [[nodiscard]] std::optional<CsvError> finish();
  // Whether the handler asked for no more.
  [[nodiscard]] bool stopped() const { return stopped_ && !too_large_; }
  [[nodiscard]] std::size_t records() const { return records_; }

 private:
  static void end_field(void* data, std::size_t size, void* reader);
  static void end_record(int terminator, void* reader);
  [[nodiscard]] std::optional<CsvError> error_after(bool finishing);

  csv_parser parser_{};
  bool ready_ = false;
  RecordHandler on_record_;
  CsvRecord current_;
  std::size_t fields_ = 0;  // of `current_` in use; the rest keep their buffers
  std::size_t records_ = 0;
  bool stopped_ = false;
  // Why the reading stopped before the handler asked: a cell too long or a
  // row of too many cells.
  std::optional<std::string> too_large_;
};

}  // namespace varostel::batch
