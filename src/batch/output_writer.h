// Writing the scored list: CSV (RFC 4180, CRLF, a field quoted only when it
// must be, UTF-8 with a byte-order mark unless asked not to), JSON (one
// array of objects, one a row, every value a string) or JSON Lines (one
// object a line, for pipelines). Each row costs time in its own width.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/output_file.h"

namespace varostel::batch {

enum class Format { Csv, Json, JsonLines, Workbook };

class ListWriter {
 public:
  virtual ~ListWriter() = default;
  // False when the row cannot be written; failure() says why.
  [[nodiscard]] virtual bool row(const std::vector<std::string_view>& cells) = 0;
  // Ends the output; nothing may follow.
  [[nodiscard]] virtual bool finish() = 0;
  [[nodiscard]] virtual std::string failure() const = 0;
};

// The writer starts its output (a byte-order mark, the header row, the
// array's opening bracket) at once.
[[nodiscard]] std::unique_ptr<ListWriter> make_csv_writer(ByteSink& out,
                                                          const std::vector<std::string>& header,
                                                          bool byte_order_mark);
[[nodiscard]] std::unique_ptr<ListWriter> make_json_writer(ByteSink& out,
                                                           const std::vector<std::string>& header,
                                                           bool one_object_a_line);

// One CSV field as RFC 4180 has it: in quotes, its quotes doubled, when it
// holds a comma, a quote or a line break; as it is otherwise.
void append_csv_field(std::string& out, std::string_view field);

// A JSON string: quotes, backslashes and control characters escaped, the
// rest as it is.
void append_json_string(std::string& out, std::string_view text);

}  // namespace varostel::batch
