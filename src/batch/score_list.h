// Scoring a whole client list: decoding, reading the CSV, playing every row,
// writing the results and reporting bad rows. Shared by varostel-score, its
// tests and its fuzz target.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>

#include "batch/output_writer.h"
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

// Scores `bytes`, the content of the list named `name` in messages, writes
// the result to `out` and one line per problem to `errors`
// (`NAME:ROW: column …`, or `NAME: …` for an unusable file), and returns
// the exit status. Nothing is written to `out` for an unusable file.
[[nodiscard]] int score_list(std::string_view bytes, std::string_view name,
                             const ListOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace varostel::batch
