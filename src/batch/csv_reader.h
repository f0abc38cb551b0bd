// Reading a client list as CSV (RFC 4180: quoted fields with embedded
// commas, quotes and line breaks; CRLF or LF) with libcsv. Spaces belong to
// the field; blank lines hold no record; a misplaced quote is an error.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varostel::batch {

using CsvRecord = std::vector<std::string>;

struct CsvError {
  std::size_t record = 0;  // 1-based number of the record where it happened
  std::string message;
};

// Calls `on_record` with every record of `text` in order, its number
// counting from 1; stops at the first error, which it returns. A record
// handed over may be moved from.
[[nodiscard]] std::optional<CsvError> for_each_csv_record(
    std::string_view text, const std::function<void(std::size_t, CsvRecord&)>& on_record);

}  // namespace varostel::batch
