// Scoring a whole client list: decoding, reading the CSV, playing every row,
// writing the results and reporting bad rows. Shared by varostel-score, its
// tests and its fuzz target.
#pragma once

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
inline constexpr int kUnusable = 2;  // the file or an option cannot be used

struct ListOptions {
  Encoding encoding = Encoding::Detect;
  std::optional<int> year;  // the clock's year; the system's when empty
  Format format = Format::Csv;
  bool byte_order_mark = true;  // CSV only
};

// A list read and found usable: its text, its number of records (the
// header is the first), where the inputs lie, and the output's header.
struct ReadList {
  std::string text;  // the whole list in UTF-8, read again row by row
  std::size_t records = 0;
  ColumnLayout layout;
  std::vector<std::string> output_header;
};

// Decodes and reads `bytes`, the content of the list named `name` in
// messages; for an unusable list, the message (`NAME: …` or `NAME:ROW: …`).
[[nodiscard]] std::variant<ReadList, std::string> read_list(std::string bytes,
                                                            std::string_view name,
                                                            const ListOptions& options);

// Scores every row into `out`, one line a problem to `errors`
// (`NAME:ROW: column …`), and returns kAllRowsScored or kSomeRowsFailed.
[[nodiscard]] int write_scored_list(const ReadList& list, std::string_view name,
                                    const ListOptions& options, std::ostream& out,
                                    std::ostream& errors);

// Both: the exit status; nothing is written to `out` for an unusable list.
[[nodiscard]] int score_list(std::string_view bytes, std::string_view name,
                             const ListOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace varostel::batch
