#include "batch/output_writer.h"

#include <nlohmann/json.hpp>

namespace varostel::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

class CsvWriter final : public ListWriter {
 public:
  CsvWriter(std::ostream& out, const std::vector<std::string>& header, bool byte_order_mark)
      : out_(out) {
    if (byte_order_mark) out_ << kByteOrderMark;
    row(std::vector<std::string_view>(header.begin(), header.end()));
  }

  void row(const std::vector<std::string_view>& cells) override {
    line_.clear();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) line_ += ',';
      append_csv_field(line_, cells[i]);
    }
    line_ += kLineEnd;
    out_ << line_;
  }

  void finish() override { out_.flush(); }

 private:
  std::ostream& out_;
  std::string line_;
};

class JsonWriter final : public ListWriter {
 public:
  JsonWriter(std::ostream& out, const std::vector<std::string>& header)
      : out_(out), header_(header) {
    out_ << '[';
  }

  void row(const std::vector<std::string_view>& cells) override {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < header_.size(); ++i) {
      object[header_[i]] = i < cells.size() ? std::string(cells[i]) : std::string();
    }
    out_ << (first_ ? "\n  " : ",\n  ")
         << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    first_ = false;
  }

  void finish() override {
    out_ << (first_ ? "]\n" : "\n]\n");
    out_.flush();
  }

 private:
  std::ostream& out_;
  std::vector<std::string> header_;
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

std::unique_ptr<ListWriter> make_csv_writer(std::ostream& out,
                                            const std::vector<std::string>& header,
                                            bool byte_order_mark) {
  return std::make_unique<CsvWriter>(out, header, byte_order_mark);
}

std::unique_ptr<ListWriter> make_json_writer(std::ostream& out,
                                             const std::vector<std::string>& header) {
  return std::make_unique<JsonWriter>(out, header);
}

}  // namespace varostel::batch
