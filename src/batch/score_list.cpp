#include "batch/score_list.h"

#include <algorithm>
#include <array>
#include <set>

#include "batch/header_names.h"

namespace varostel::batch {

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

namespace {

bool all_empty(const CsvRecord& record) {
  return std::all_of(record.begin(), record.end(), [](const std::string& cell) { return cell.empty(); });
}

bool names_an_input_column(const CsvRecord& record) {
  return std::any_of(record.begin(), record.end(), [](const std::string& cell) {
    return input_column_named(trimmed_header(cell)).has_value();
  });
}

bool nearly_names_an_input_column(const CsvRecord& record) {
  return std::any_of(record.begin(), record.end(), [](const std::string& cell) {
    return input_column_nearly_named(trimmed_header(cell)).has_value();
  });
}

std::optional<std::string> repeated_name(const std::vector<std::string>& names) {
  std::set<std::string_view> seen;
  for (const std::string& name : names) {
    if (!seen.insert(name).second) return name;
  }
  return std::nullopt;
}

// Which result columns hold numbers: the age and the scores.
bool is_number_column(std::string_view name) {
  return name == "年龄" || name.ends_with("得分");
}

}  // namespace

ListScorer::ListScorer(std::string_view name, const ListOptions& options, WriterOpener open_writer,
                       std::ostream& errors)
    : name_(name),
      options_(options),
      open_writer_(std::move(open_writer)),
      errors_(errors),
      clock_(std::make_unique<ListClock>(options.year)) {}

ListScorer::~ListScorer() = default;

bool ListScorer::unusable(std::string message) {
  if (!unusable_) unusable_ = std::move(message);
  return false;
}

bool ListScorer::take(std::size_t number, CsvRecord& record) {
  if (unusable_) return false;
  if (layout_) return all_empty(record) || score(number, record);
  ++rows_seen_;
  if (names_an_input_column(record)) return use_header(number, record);
  if (!nearly_header_ && nearly_names_an_input_column(record)) nearly_header_.emplace(number, record);
  // A row of a title or of nothing above the header is left out.
  return rows_seen_ < kHeaderSearchRows;
}

bool ListScorer::use_header(std::size_t number, const CsvRecord& header) {
  const std::string at = name_ + ':' + std::to_string(number) + ": ";
  auto found = layout_for(header);
  if (const auto* message = std::get_if<std::string>(&found)) return unusable(at + *message);
  layout_ = std::get<ColumnLayout>(std::move(found));

  std::vector<std::string> output_header;
  std::vector<bool> numeric;
  for (std::size_t cell : layout_->carried) {
    output_header.emplace_back(trimmed_header(header[cell]));
    numeric.push_back(false);
  }
  for (std::string_view column : result_columns()) {
    output_header.emplace_back(column);
    numeric.push_back(is_number_column(column));
  }
  if (options_.format == Format::Json || options_.format == Format::JsonLines) {
    // A JSON object holds a name once; a repeated one would lose a value.
    if (const auto repeated = repeated_name(output_header)) {
      return unusable(at + "column " + *repeated + " appears twice, which JSON cannot hold");
    }
  }
  auto opened = open_writer_(output_header, numeric);
  if (auto* message = std::get_if<std::string>(&opened)) return unusable(std::move(*message));
  writer_ = std::move(std::get<std::unique_ptr<ListWriter>>(opened));
  return true;
}

bool ListScorer::score(std::size_t number, const CsvRecord& record) {
  const RowScore row = score_row(record, *layout_, *clock_);
  for (const std::string& error : row.errors) {
    errors_ << name_ << ':' << number << ": " << error << '\n';
  }
  any_failed_ = any_failed_ || !row.errors.empty();
  cells_.clear();
  for (std::size_t cell : layout_->carried) {
    cells_.push_back(cell < record.size() ? std::string_view(record[cell]) : std::string_view());
  }
  for (const std::string& result : row.results) cells_.push_back(result);
  if (!writer_->row(cells_)) return unusable(writer_->failure());
  return true;
}

int ListScorer::finish(std::optional<std::string> read_problem) {
  if (!unusable_ && read_problem) unusable_ = std::move(read_problem);
  if (!unusable_ && !layout_) {
    if (nearly_header_) {
      static_cast<void>(use_header(nearly_header_->first, nearly_header_->second));
    } else if (rows_seen_ == 0) {
      unusable_ = name_ + ": no header row: the file is empty";
    } else {
      unusable_ = name_ + ": " +
                  (rows_seen_ == 1 ? std::string("the header row names none")
                                   : "none of the first " + std::to_string(rows_seen_) +
                                         " rows names any") +
                  " of the input columns " + input_column_names() + header_note_;
    }
  }
  if (!unusable_ && !writer_->finish()) unusable_ = writer_->failure();
  if (unusable_) {
    errors_ << *unusable_ << '\n';
    return kUnusable;
  }
  return any_failed_ ? kSomeRowsFailed : kAllRowsScored;
}

namespace {

constexpr std::array kSeparators = {',', ';', '\t'};

// How strongly a row looks like the header: cells naming input columns
// first, nearly naming them second.
std::size_t header_likeness(const CsvRecord& record) {
  std::size_t likeness = 0;
  for (const std::string& cell : record) {
    const std::string_view name = trimmed_header(cell);
    if (input_column_named(name)) likeness += 1000;
    else if (input_column_nearly_named(name)) likeness += 1;
  }
  return likeness;
}

// The separator under which a header row comes first (and names the most)
// among the first rows of `start`; a comma when none does.
char separator_for(std::string_view start, bool whole_list) {
  char best = ',';
  std::size_t best_row = kHeaderSearchRows + 1, best_likeness = 0;
  for (char separator : kSeparators) {
    std::size_t row = 0, likeness = 0;
    CsvReader probe(separator, [&](std::size_t number, CsvRecord& record) {
      likeness = header_likeness(record);
      if (likeness > 0) row = number;
      return likeness == 0 && number < kHeaderSearchRows;
    });
    if (!probe.feed(start) && whole_list && !probe.stopped()) static_cast<void>(probe.finish());
    if (row > 0 && (row < best_row || (row == best_row && likeness > best_likeness))) {
      best = separator;
      best_row = row;
      best_likeness = likeness;
    }
  }
  return best;
}

// Enough of a list's start to find its header in: ten lines, or as much as
// a header row could hold.
bool enough_to_find_header(std::string_view text) {
  return std::count(text.begin(), text.end(), '\n') >= static_cast<std::ptrdiff_t>(kHeaderSearchRows) ||
         text.size() > 2 * kCellLimit;
}

}  // namespace

int score_text_list(ByteSource& in, std::string_view name, const ListOptions& options,
                    ListScorer& scorer) {
  const std::string file(name);
  TextDecoder decoder(options.encoding);
  std::optional<CsvReader> csv;
  std::string text;  // decoded, not yet read as CSV
  const auto take = [&](std::size_t number, CsvRecord& record) { return scorer.take(number, record); };
  const auto start_reading = [&](bool whole_list) {
    const char separator = options.separator ? *options.separator : separator_for(text, whole_list);
    if (!options.separator) {
      scorer.set_header_note(
          "; cells were looked for between commas, semicolons and tabs (-d names the separator)");
    }
    csv.emplace(separator, take);
  };
  // Where reading stopped: the row being read, when there is one.
  const auto problem = [&](std::string_view message) {
    const std::size_t row = csv ? csv->records() + 1 : 0;
    return file + (row > 0 ? ':' + std::to_string(row) : std::string()) + ": " + std::string(message);
  };
  const auto give_text = [&]() -> std::optional<std::string> {
    if (!csv) return std::nullopt;
    const auto error = csv->feed(text);
    text.clear();
    if (error) return file + ':' + std::to_string(error->record) + ": " + error->message;
    return std::nullopt;
  };

  std::vector<char> buffer(std::size_t{1} << 16);
  for (;;) {
    std::string why;
    const auto got = in.read(buffer.data(), buffer.size(), why);
    if (!got) return scorer.finish(file + ": cannot be read: " + why);
    if (*got == 0) break;
    auto decoding = decoder.feed(std::string_view(buffer.data(), *got), text);
    if (!csv && (decoding || enough_to_find_header(text))) start_reading(false);
    if (auto error = give_text()) return scorer.finish(std::move(error));
    if (decoding) return scorer.finish(problem(decoding->message));
    if (csv && csv->stopped()) return scorer.finish();
  }
  const auto decoding = decoder.finish(text);
  if (!csv) start_reading(!decoding);
  if (auto error = give_text()) return scorer.finish(std::move(error));
  if (decoding) return scorer.finish(problem(decoding->message));
  if (csv->stopped()) return scorer.finish();
  if (const auto error = csv->finish()) {
    return scorer.finish(file + ':' + std::to_string(error->record) + ": " + error->message);
  }
  return scorer.finish();
}

}  // namespace varostel::batch
