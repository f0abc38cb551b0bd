#include "batch/score_list.h"

#include <algorithm>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/row_player.h"

namespace varostel::batch {
namespace {

// One date for the whole list, so that a run across midnight scores every
// row alike: 31 December of the given year, or today.
class ListClock final : public Clock {
 public:
  explicit ListClock(std::optional<int> year)
      : today_(year ? Date{*year, 12, 31} : SystemClock().today()) {}
  [[nodiscard]] Date today() const override { return today_; }

 private:
  Date today_;
};

std::optional<std::string> repeated_name(const std::vector<std::string>& names) {
  std::set<std::string_view> seen;
  for (const std::string& name : names) {
    if (!seen.insert(name).second) return name;
  }
  return std::nullopt;
}

}  // namespace

std::variant<ReadList, std::string> read_list(std::string bytes, std::string_view name,
                                              const ListOptions& options) {
  const std::string file(name);
  auto decoded = decode_to_utf8(std::move(bytes), options.encoding);
  if (const auto* error = std::get_if<DecodingError>(&decoded)) {
    return file + ": " + error->message;
  }
  ReadList list;
  list.text = std::move(std::get<std::string>(decoded));
  // The whole list is read once before any row is scored, so that a list
  // found unusable at its end has written nothing.
  CsvRecord header;
  const auto error = for_each_csv_record(list.text, [&](std::size_t number, CsvRecord& record) {
    if (number == 1) header = std::move(record);
    list.records = number;
  });
  if (error) return file + ':' + std::to_string(error->record) + ": " + error->message;
  if (list.records == 0) return file + ": no header row: the file is empty";

  auto found_layout = layout_for(header);
  if (const auto* message = std::get_if<std::string>(&found_layout)) return file + ": " + *message;
  list.layout = std::get<ColumnLayout>(std::move(found_layout));

  for (std::size_t cell : list.layout.carried) list.output_header.push_back(header[cell]);
  for (std::string_view column : result_columns()) list.output_header.emplace_back(column);
  if (options.format == Format::Json) {
    // A JSON object holds a name once; a repeated one would lose a value.
    if (const auto repeated = repeated_name(list.output_header)) {
      return file + ": column " + *repeated + " appears twice, which JSON cannot hold";
    }
  }
  return list;
}

int write_scored_list(const ReadList& list, std::string_view name, const ListOptions& options,
                      std::ostream& out, std::ostream& errors) {
  const ListClock clock(options.year);
  const auto writer = options.format == Format::Json
                          ? make_json_writer(out, list.output_header)
                          : make_csv_writer(out, list.output_header, options.byte_order_mark);
  bool any_failed = false;
  std::vector<std::string_view> cells;
  static_cast<void>(for_each_csv_record(list.text, [&](std::size_t row, CsvRecord& record) {
    if (row == 1) return;  // the header
    const RowScore score = score_row(record, list.layout, clock);
    for (const std::string& error : score.errors) {
      errors << name << ':' << row << ": " << error << '\n';
    }
    any_failed = any_failed || !score.errors.empty();
    cells.clear();
    for (std::size_t cell : list.layout.carried) {
      cells.push_back(cell < record.size() ? std::string_view(record[cell]) : std::string_view());
    }
    for (const std::string& result : score.results) cells.push_back(result);
    writer->row(cells);
  }));
  writer->finish();
  return any_failed ? kSomeRowsFailed : kAllRowsScored;
}

int score_list(std::string_view bytes, std::string_view name, const ListOptions& options,
               std::ostream& out, std::ostream& errors) {
  const auto list = read_list(std::string(bytes), name, options);
  if (const auto* message = std::get_if<std::string>(&list)) {
    errors << *message << '\n';
    return kUnusable;
  }
  return write_scored_list(std::get<ReadList>(list), name, options, out, errors);
}

}  // namespace varostel::batch
