#include "scenario-player/scenario_file.h"

#include <algorithm>
#include <optional>

namespace varostel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kScenarioStart = "== ";
constexpr std::string_view kTableStart = "table";
constexpr std::string_view kTableStartAndHeads = "table ";
constexpr char kCellSeparator = '|';

// A text file cannot show control characters, so the keys of a `type` step
// spell them as their pictures: U+2400 to U+241F for NUL to US, U+2421 for
// DEL. In UTF-8 these are E2 90 80 to E2 90 9F and E2 90 A1.
std::string keys_with_control_characters(std::string_view keys) {
  constexpr std::string_view kPicturePrefix = "\xE2\x90";
  std::string out;
  out.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size();) {
    if (keys.substr(i, kPicturePrefix.size()) == kPicturePrefix && i + 2 < keys.size()) {
      const auto last = static_cast<unsigned char>(keys[i + 2]);
      if (last >= 0x80 && last <= 0x9F) {
        out += static_cast<char>(last - 0x80);
        i += 3;
        continue;
      }
      if (last == 0xA1) {
        out += '\x7F';
        i += 3;
        continue;
      }
    }
    out += keys[i++];
  }
  return out;
}

bool is_blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> cells_of(std::string_view line) {
  std::vector<std::string_view> cells;
  for (std::size_t bar; (bar = line.find(kCellSeparator)) != std::string_view::npos;) {
    cells.push_back(trimmed(line.substr(0, bar)));
    line.remove_prefix(bar + 1);
  }
  cells.push_back(trimmed(line));
  return cells;
}

ScenarioStep parse_step(std::string_view line, int number) {
  ScenarioStep step;
  step.line = number;
  const std::size_t space = line.find(' ');
  step.verb = std::string(line.substr(0, space));
  if (space == std::string_view::npos) return step;
  std::string_view rest = line.substr(space + 1);
  step.has_subject = true;
  const std::size_t second = rest.find(' ');
  step.subject = std::string(rest.substr(0, second));
  if (second != std::string_view::npos) {
    step.has_text = true;
    step.text = std::string(rest.substr(second + 1));
    if (step.verb == "type") step.text = keys_with_control_characters(step.text);
  }
  return step;
}

ScenarioStep table_error(int line, int row, std::string message) {
  ScenarioStep step;
  step.line = line;
  step.row = row;
  step.error = std::move(message);
  return step;
}

// A table's heads, and the steps of its rows as they come.
class Table {
 public:
  Table(std::string_view heads, int line) : line_(line) {
    for (std::string_view head : cells_of(heads)) {
      if (head.empty()) {
        error_ = "a table head is empty";
        return;
      }
      const std::string_view verb = head.substr(0, head.find(' '));
      const bool takes_value = verb != "click" && verb != "expect-no-open";
      heads_.push_back({std::string(head), takes_value});
      values_ += takes_value ? 1 : 0;
    }
    if (values_ == 0) error_ = "a table needs a head that takes a value";
  }

  void add_row(std::string_view line, int number, std::vector<ScenarioStep>& steps) {
    ++rows_;
    if (!error_.empty()) return;  // reported once, at the head line
    const auto cells = cells_of(line);
    if (static_cast<int>(cells.size()) != values_) {
      steps.push_back(table_error(number, rows_,
                                  std::to_string(cells.size()) + " values where the heads take " +
                                      std::to_string(values_)));
      return;
    }
    std::size_t cell = 0;
    for (const Head& head : heads_) {
      std::string step_line = head.text;
      if (head.takes_value) step_line.append(1, ' ').append(cells[cell++]);
      steps.push_back(parse_step(step_line, number));
      steps.back().row = rows_;
    }
  }

  // What is wrong with the table as a whole, to report at its head line.
  [[nodiscard]] std::string problem() const {
    if (!error_.empty()) return error_;
    return rows_ == 0 ? "a table needs at least one row" : "";
  }
  [[nodiscard]] int line() const { return line_; }

 private:
  struct Head {
    std::string text;
    bool takes_value;
  };

  int line_;
  std::vector<Head> heads_;
  int values_ = 0;
  int rows_ = 0;
  std::string error_;
};

}  // namespace

std::vector<Scenario> parse_scenarios(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  std::vector<Scenario> scenarios;
  std::optional<Table> table;
  // A table with a problem has added no step, so its error comes last.
  const auto end_table = [&] {
    if (table && !table->problem().empty())
      scenarios.back().steps.push_back(table_error(table->line(), 0, table->problem()));
    table.reset();
  };
  int number = 0;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with('#')) continue;
    if (is_blank(line)) {
      end_table();
      continue;
    }
    if (line.starts_with(kScenarioStart)) {
      end_table();
      scenarios.push_back({std::string(line.substr(kScenarioStart.size())), number, {}});
      continue;
    }
    if (scenarios.empty()) scenarios.push_back({"", number, {}});
    auto& steps = scenarios.back().steps;
    if (line == kTableStart || line.starts_with(kTableStartAndHeads)) {
      end_table();
      table.emplace(line.substr(std::min(line.size(), kTableStartAndHeads.size())), number);
    } else if (table) {
      table->add_row(line, number, steps);
    } else {
      steps.push_back(parse_step(line, number));
    }
  }
  end_table();
  return scenarios;
}

}  // namespace varostel
