#include "batch/output_writer.h"

#include <nlohmann/json.hpp>

namespace varostel::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

class CsvWriter final : public ListWriter {
 public:
  CsvWriter(ByteSink& out, const std::vector<std::string>& header, bool byte_order_mark)
      : out_(out) {
    if (byte_order_mark) line_ = kByteOrderMark;
    add(std::vector<std::string_view>(header.begin(), header.end()));
  }

  // The header goes out with the first row or at the end.
  bool row(const std::vector<std::string_view>& cells) override {
    add(cells);
    return write_line();
  }

  bool finish() override { return line_.empty() || write_line(); }
  std::string failure() const override { return out_.failure(); }

 private:
  void add(const std::vector<std::string_view>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) line_ += ',';
      append_csv_field(line_, cells[i]);
    }
    line_ += kLineEnd;
  }

  bool write_line() {
    const bool written = out_.write(line_);
    line_.clear();
    return written;
  }

  ByteSink& out_;
  std::string line_;
};

class JsonWriter final : public ListWriter {
 public:
  JsonWriter(ByteSink& out, const std::vector<std::string>& header, bool one_object_a_line)
      : out_(out), lines_(one_object_a_line), text_(one_object_a_line ? "" : "[") {
    // Each name escaped once, not once a row.
    for (const std::string& name : header) {
      std::string key;
      append_json_string(key, name);
      key += ':';
      keys_.push_back(std::move(key));
    }
  }

  bool row(const std::vector<std::string_view>& cells) override {
    if (!lines_) text_ += first_ ? "\n  " : ",\n  ";
    first_ = false;
    text_ += '{';
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      if (i > 0) text_ += ',';
      text_ += keys_[i];
      append_json_string(text_, i < cells.size() ? cells[i] : std::string_view());
    }
    text_ += '}';
    if (lines_) text_ += '\n';
    const bool written = out_.write(text_);
    text_.clear();
    return written;
  }

  bool finish() override {
    if (!lines_) text_ += first_ ? "]\n" : "\n]\n";
    return out_.write(text_);
  }

  std::string failure() const override { return out_.failure(); }

 private:
  ByteSink& out_;
  bool lines_;
  std::vector<std::string> keys_;
  std::string text_;
  bool first_ = true;
};

}  // namespace

void append_csv_field(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void append_json_string(std::string& out, std::string_view text) {
  // nlohmann-json escapes; a byte that is not UTF-8 (none should reach
  // here) becomes U+FFFD rather than breaking the output.
  out += nlohmann::json(std::string(text)).dump(-1, ' ', false,
                                                nlohmann::json::error_handler_t::replace);
}

std::unique_ptr<ListWriter> make_csv_writer(ByteSink& out, const std::vector<std::string>& header,
                                            bool byte_order_mark) {
  return std::make_unique<CsvWriter>(out, header, byte_order_mark);
}

std::unique_ptr<ListWriter> make_json_writer(ByteSink& out, const std::vector<std::string>& header,
                                             bool one_object_a_line) {
  return std::make_unique<JsonWriter>(out, header, one_object_a_line);
}

}  // namespace varostel::batch
