#include "batch/csv_reader.h"

#include <algorithm>

namespace varostel::batch {
namespace {

// RFC 4180: spaces are part of a field, so none is trimmed.
int no_space(unsigned char /*c*/) { return 0; }

// libcsv's own buffer grows by at most this much between two checks of a
// cell's length.
constexpr std::size_t kSlice = std::size_t{1} << 16;

constexpr std::string_view kTooLong = "a cell is longer than 1 MiB, more than any list holds";

}  // namespace

CsvReader::CsvReader(char separator, RecordHandler on_record) : on_record_(std::move(on_record)) {
  // Strict: a stray quote or a quoted field left open could silently merge
  // rows, so such a file is refused rather than guessed at.
  ready_ = csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) == 0;
  if (!ready_) return;
  csv_set_space_func(&parser_, no_space);
  csv_set_delim(&parser_, static_cast<unsigned char>(separator));
  // libcsv grows a cell's buffer by this much at a time; its default of 128
  // bytes would copy a long cell over and over.
  csv_set_blk_size(&parser_, kSlice);
}

CsvReader::~CsvReader() {
  if (ready_) csv_free(&parser_);
}

void CsvReader::end_field(void* data, std::size_t size, void* reader) {
  auto& r = *static_cast<CsvReader*>(reader);
  if (r.stopped_) return;
  if (size > kCellLimit || r.fields_ == kRowCellLimit) {
    r.too_large_ = size > kCellLimit ? std::string(kTooLong)
                                     : "a row holds more than 1,048,576 cells, more than any list holds";
    r.stopped_ = true;
    return;
  }
  if (r.fields_ == r.current_.size()) r.current_.emplace_back();
  r.current_[r.fields_++].assign(static_cast<const char*>(data), size);
}

void CsvReader::end_record(int /*terminator*/, void* reader) {
  auto& r = *static_cast<CsvReader*>(reader);
  if (r.stopped_) return;
  r.current_.resize(r.fields_);
  r.fields_ = 0;
  if (!r.on_record_(++r.records_, r.current_)) r.stopped_ = true;
}

std::optional<CsvError> CsvReader::error_after(bool finishing) {
  const std::size_t record = records_ + 1;
  const int error = csv_error(&parser_);
  if (error == CSV_EPARSE) {
    return CsvError{record, finishing ? "a quoted field is never closed"
                                      : "a quote is out of place (a field with quotes must "
                                        "be quoted whole, its quotes doubled)"};
  }
  if (error == CSV_ENOMEM) return CsvError{record, "out of memory"};
  return CsvError{record, csv_strerror(error)};
}

std::optional<CsvError> CsvReader::feed(std::string_view text) {
  if (!ready_) return CsvError{records_ + 1, "out of memory"};
  while (!text.empty() && !stopped_) {
    const std::string_view slice = text.substr(0, kSlice);
    text.remove_prefix(slice.size());
    if (csv_parse(&parser_, slice.data(), slice.size(), end_field, end_record, this) != slice.size()) {
      return error_after(false);
    }
    if (too_large_) return CsvError{records_ + 1, *too_large_};
    if (parser_.entry_pos > kCellLimit) return CsvError{records_ + 1, std::string(kTooLong)};
  }
  return std::nullopt;
}

std::optional<CsvError> CsvReader::finish() {
  if (!ready_) return CsvError{records_ + 1, "out of memory"};
  if (stopped_) return std::nullopt;
  if (csv_fini(&parser_, end_field, end_record, this) != 0) return error_after(true);
  if (too_large_) return CsvError{records_ + 1, *too_large_};
  return std::nullopt;
}

}  // namespace varostel::batch
