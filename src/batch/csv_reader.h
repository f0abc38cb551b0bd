// Reading a client list as CSV (RFC 4180: quoted fields with embedded
// commas, quotes and line breaks; CRLF or LF) with libcsv. Spaces belong to
// the field; blank lines hold no record; a misplaced quote is an error.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace varostel::batch {

using CsvRecord = std::vector<std::string>;

struct CsvError {
  std::size_t record = 0;  // 1-based number of the record where it happened
  std::string message;
};

// Every record of `text`, in order.
[[nodiscard]] std::variant<std::vector<CsvRecord>, CsvError> read_csv(std::string_view text);

}  // namespace varostel::batch
