// Writing the scored list: CSV (RFC 4180, CRLF, a field quoted only when it
// must be, UTF-8 with a byte-order mark unless asked not to) or JSON (one
// array of objects, one a row, every value a string, via nlohmann-json).
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varostel::batch {

enum class Format { Csv, Json };

class ListWriter {
 public:
  virtual ~ListWriter() = default;
  virtual void row(const std::vector<std::string_view>& cells) = 0;
  // Ends the output; nothing may follow.
  virtual void finish() = 0;
};

// The writer starts its output (a byte-order mark, the header row, the
// array's opening bracket) at once.
[[nodiscard]] std::unique_ptr<ListWriter> make_csv_writer(std::ostream& out,
                                                          const std::vector<std::string>& header,
                                                          bool byte_order_mark);
[[nodiscard]] std::unique_ptr<ListWriter> make_json_writer(std::ostream& out,
                                                           const std::vector<std::string>& header);

// One CSV field as RFC 4180 has it: in quotes, its quotes doubled, when it
// holds a comma, a quote or a line break; as it is otherwise.
void append_csv_field(std::string& out, std::string_view field);

}  // namespace varostel::batch
