// Scoring a whole client list as it is read, row by row: finding its
// header, playing every row, writing the results and reporting bad rows.
// Shared by varostel-score, its tests and its fuzz target.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/output_writer.h"
#include "batch/row_player.h"
#include "batch/text_encoding.h"

namespace varostel::batch {

// The program's exit statuses.
inline constexpr int kAllRowsScored = 0;
inline constexpr int kSomeRowsFailed = 1;
inline constexpr int kUnusable = 2;  // the file, an option or the output cannot be used

// How many rows from the top the header is looked for in, inclusive: a
// title line or two above it is common, a list that starts lower is not.
inline constexpr std::size_t kHeaderSearchRows = 10;

struct ListOptions {
  Encoding encoding;                // decided from the list when unnamed
  std::optional<char> separator;    // found from the header row when empty
  std::string sheet;                // a workbook's worksheet; the first visible when empty
  std::optional<int> year;          // the clock's year; the system's when empty
  Format format = Format::Csv;
  bool byte_order_mark = true;      // CSV only
};

// Opens the output once the header is known: its column names, and which
// of them hold numbers (the scores, for a workbook's number cells).
using WriterOpener = std::function<std::variant<std::unique_ptr<ListWriter>, std::string>(
    const std::vector<std::string>& header, const std::vector<bool>& numeric)>;

class ListClock;

// Takes a list's records in order, however they were read.
class ListScorer {
 public:
  ListScorer(std::string_view name, const ListOptions& options, WriterOpener open_writer,
             std::ostream& errors);
  ~ListScorer();

  // Said after "names none of the input columns", e.g. how cells were split.
  void set_header_note(std::string note) { header_note_ = std::move(note); }

  // The next record, numbered as the file numbers it; false once no more
  // are wanted (the list is unusable, or the output failed).
  [[nodiscard]] bool take(std::size_t number, CsvRecord& record);

  // After the last record, or after `read_problem` (`NAME: …` or
  // `NAME:ROW: …`) stopped the reading: prints what made the list unusable
  // and returns the exit status. The output is complete when it is not
  // kUnusable.
  [[nodiscard]] int finish(std::optional<std::string> read_problem = std::nullopt);

 private:
  bool use_header(std::size_t number, const CsvRecord& header);
  bool unusable(std::string message);
  bool score(std::size_t number, const CsvRecord& record);

  std::string name_;
  ListOptions options_;
  WriterOpener open_writer_;
  std::ostream& errors_;
  std::string header_note_;
  std::size_t rows_seen_ = 0;
  std::optional<std::pair<std::size_t, CsvRecord>> nearly_header_;  // a row with a mistyped name
  std::optional<ColumnLayout> layout_;
  std::unique_ptr<ListWriter> writer_;
  std::unique_ptr<ListClock> clock_;
  std::optional<std::string> unusable_;
  bool any_failed_ = false;
  std::vector<std::string_view> cells_;
};

// Bytes in, as they come.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Bytes read into `buffer`, 0 at the end; none on a read error, with
  // `error` set to the reason.
  [[nodiscard]] virtual std::optional<std::size_t> read(char* buffer, std::size_t size,
                                                        std::string& error) = 0;
};

// Reads a text list (CSV, or cells separated by semicolons or tabs) from
// `in`, decoding it as it goes, into `scorer`; the exit status.
[[nodiscard]] int score_text_list(ByteSource& in, std::string_view name, const ListOptions& options,
                                  ListScorer& scorer);

}  // namespace varostel::batch
