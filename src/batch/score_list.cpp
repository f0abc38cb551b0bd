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

int score_list(std::string_view bytes, std::string_view name, const ListOptions& options,
               std::ostream& out, std::ostream& errors) {
  const std::string file(name);
  const auto unusable = [&](const std::string& message) {
    errors << file << ": " << message << '\n';
    return kUnusable;
  };

  auto decoded = decode_to_utf8(bytes, options.encoding);
  if (const auto* error = std::get_if<DecodingError>(&decoded)) return unusable(error->message);
  auto read = read_csv(std::get<std::string>(decoded));
  if (const auto* error = std::get_if<CsvError>(&read)) {
    errors << file << ':' << error->record << ": " << error->message << '\n';
    return kUnusable;
  }
  const auto& records = std::get<std::vector<CsvRecord>>(read);
  if (records.empty()) return unusable("no header row: the file is empty");

  const CsvRecord& header = records.front();
  auto found_layout = layout_for(header);
  if (const auto* message = std::get_if<std::string>(&found_layout)) return unusable(*message);
  const auto& layout = std::get<ColumnLayout>(found_layout);

  std::vector<std::string> output_header;
  for (std::size_t cell : layout.carried) output_header.push_back(header[cell]);
  for (std::string_view column : result_columns()) output_header.emplace_back(column);
  if (options.format == Format::Json) {
    // A JSON object holds a name once; a repeated one would lose a value.
    if (const auto repeated = repeated_name(output_header)) {
      return unusable("column " + *repeated + " appears twice, which JSON cannot hold");
    }
  }

  const ListClock clock(options.year);
  const auto writer = options.format == Format::Json
                          ? make_json_writer(out, output_header)
                          : make_csv_writer(out, output_header, options.byte_order_mark);
  bool any_failed = false;
  std::vector<std::string> cells;
  for (std::size_t row = 1; row < records.size(); ++row) {
    const CsvRecord& record = records[row];
    RowScore score = score_row(record, layout, clock);
    for (const std::string& error : score.errors) {
      errors << file << ':' << row + 1 << ": " << error << '\n';
    }
    any_failed = any_failed || !score.errors.empty();
    cells.clear();
    for (std::size_t cell : layout.carried) {
      cells.push_back(cell < record.size() ? record[cell] : std::string());
    }
    for (std::string& result : score.results) cells.push_back(std::move(result));
    writer->row(cells);
  }
  writer->finish();
  return any_failed ? kSomeRowsFailed : kAllRowsScored;
}

}  // namespace varostel::batch
