#include "batch/csv_reader.h"

#include <csv.h>

namespace varostel::batch {
namespace {

struct Collector {
  const std::function<void(std::size_t, CsvRecord&)>& on_record;
  CsvRecord current;
  std::size_t fields = 0;  // of `current` in use; the rest keep their buffers
  std::size_t records = 0;
};

void end_field(void* data, std::size_t size, void* collector) {
  auto& c = *static_cast<Collector*>(collector);
  if (c.fields == c.current.size()) c.current.emplace_back();
  c.current[c.fields++].assign(static_cast<const char*>(data), size);
}

void end_record(int /*terminator*/, void* collector) {
  auto& c = *static_cast<Collector*>(collector);
  c.current.resize(c.fields);
  c.on_record(++c.records, c.current);
  c.fields = 0;
}

// RFC 4180: spaces are part of a field, so none is trimmed.
int no_space(unsigned char /*c*/) { return 0; }

}  // namespace

std::optional<CsvError> for_each_csv_record(
    std::string_view text, const std::function<void(std::size_t, CsvRecord&)>& on_record) {
  csv_parser parser{};
  // Strict: a stray quote or a quoted field left open could silently merge
  // rows, so such a file is refused rather than guessed at.
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) return CsvError{0, "out of memory"};
  csv_set_space_func(&parser, no_space);
  Collector collector{on_record, {}, 0, 0};
  const std::size_t parsed =
      csv_parse(&parser, text.data(), text.size(), end_field, end_record, &collector);
  const bool parse_failed = parsed != text.size();
  const bool finish_failed =
      !parse_failed && csv_fini(&parser, end_field, end_record, &collector) != 0;
  const int error = csv_error(&parser);
  csv_free(&parser);
  if (!parse_failed && !finish_failed) return std::nullopt;
  const std::size_t record = collector.records + 1;
  if (error == CSV_EPARSE) {
    return CsvError{record, finish_failed ? "a quoted field is never closed"
                                          : "a quote is out of place (a field with quotes must "
                                            "be quoted whole, its quotes doubled)"};
  }
  return CsvError{record, csv_strerror(error)};
}

}  // namespace varostel::batch
