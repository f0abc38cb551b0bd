#include "batch/row_player.h"

#include <algorithm>

#include "batch/header_names.h"
#include "batch/message_text.h"
#include "calculator/calculator.h"
#include "model/fields.h"
#include "model/number_reading.h"

namespace varostel::batch {
namespace {

// The check box's cell: yes or no, in words or digits.
constexpr std::array<std::string_view, 4> kTickValues = {"是", "否", "1", "0"};
constexpr std::array<std::string_view, 2> kTicked = {"是", "1"};

template <typename Items>
std::string listed(const Items& items) {
  std::string out;
  for (std::string_view item : items) {
    if (!out.empty()) out += ", ";
    out += item;
  }
  return out;
}

std::string column_error(const InputColumn& column, std::string_view cell, std::string_view what) {
  return "column " + std::string(column.name) + ": " + quoted_cell(cell) + " " + std::string(what);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

class RowPlayer {
 public:
  explicit RowPlayer(const Clock& clock) : calculator_(pages_, clock) {}

  void enter(const InputColumn& column, std::string_view cell) {
    Form& form = calculator_.form();
    switch (column.entry) {
      case Entry::Choose:
        if (!form.choose(column.field, cell)) {
          fail(
              column_error(column, cell, "is not one of " + listed(field_row(column.field).items)));
        }
        break;
      case Entry::PasteAndRead:
        static_cast<void>(form.edit(column.field, cell));
        form.click(kReadButton);
        break;
      case Entry::PasteCount:
        paste_count(column, cell);
        break;
      case Entry::Tick:
        tick(column, cell);
        break;
    }
  }

  void fail(std::string message) { errors_.push_back(std::move(message)); }

  RowScore result(std::string_view identity_cell) && {
    RowScore score;
    score.errors = std::move(errors_);
    if (!score.errors.empty()) {
      score.results.back() = join_errors(score.errors);
      return score;
    }
    const Form& form = calculator_.form();
    for (std::size_t i = 0; i < kResultFields.size(); ++i) {
      score.results[i] = form.text(kResultFields[i]);
    }
    // The calculator's hint reads a number it accepted; a number in exponent
    // form is never one, and needs a hint of its own.
    score.results[kResultFields.size()] = is_exponent_form(identity_cell)
                                              ? std::string(kExponentFormHint)
                                              : calculator_.identity_hint();
    return score;
  }

 private:
  void paste_count(const InputColumn& column, std::string_view cell) {
    Form& form = calculator_.form();
    const auto count = read_strict(cell);
    if (!count) {
      fail(column_error(column, cell, "is not a number"));
      return;
    }
    if (!form.enabled(column.field)) {
      // The window keeps the box closed: only a 0 agrees with it.
      if (*count != 0) {
        fail(column_error(column, cell,
                          "cannot be entered unless " + std::string(field_row(kHousing).name) +
                              " is " + std::string(kHousingItems.back())));
      }
      return;
    }
    static_cast<void>(form.edit(column.field, cell));
  }

  void tick(const InputColumn& column, std::string_view cell) {
    Form& form = calculator_.form();
    if (!is_item_of(kTickValues, cell)) {
      fail(column_error(column, cell, "is not one of " + listed(kTickValues)));
      return;
    }
    const bool tick = is_item_of(kTicked, cell);
    if (tick != (form.value(column.field) == 1)) form.click(column.field);
  }

  static std::string join_errors(const std::vector<std::string>& errors) {
    std::string out;
    for (const std::string& error : errors) {
      if (!out.empty()) out += "; ";
      out += error;
    }
    return out;
  }

  NullPageOpener pages_;
  Calculator calculator_;
  std::vector<std::string> errors_;
};

}  // namespace

const std::array<std::string_view, kResultColumnCount>& result_columns() {
  static const auto columns = [] {
    std::array<std::string_view, kResultColumnCount> names{};
    for (std::size_t i = 0; i < kResultFields.size(); ++i)
      names[i] = field_row(kResultFields[i]).name;
    names[kResultFields.size()] = kHintColumn;
    names[kResultFields.size() + 1] = kErrorColumn;
    return names;
  }();
  return columns;
}

bool is_exponent_form(std::string_view cell) {
  // Digits, an optional fraction, then E or e, an optional sign and digits:
  // what a spreadsheet shows for a long number it stores as a float.
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < cell.size() && is_digit(cell[i])) ++i;
    return i > start;
  };
  if (!digits()) return false;
  if (i < cell.size() && cell[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i == cell.size() || (cell[i] != 'E' && cell[i] != 'e')) return false;
  ++i;
  if (i < cell.size() && (cell[i] == '+' || cell[i] == '-')) ++i;
  return digits() && i == cell.size();
}

std::variant<ColumnLayout, std::string> layout_for(const CsvRecord& header) {
  ColumnLayout layout;
  layout.width = header.size();
  const auto& results = result_columns();
  bool any_input = false;
  for (std::size_t cell = 0; cell < header.size(); ++cell) {
    const std::string_view name = trimmed_header(header[cell]);
    if (const auto meant = input_column_nearly_named(name)) {
      return "column " + quoted_cell(name) + " is not an input column; did you mean \"" +
             std::string(*meant) + "\"?";
    }
    if (const auto input = input_column_named(name)) {
      if (layout.input_cell[*input]) {
        const std::string_view first = trimmed_header(header[*layout.input_cell[*input]]);
        return first == name ? "column " + std::string(name) + " appears twice"
                             : "columns " + std::string(first) + " and " + std::string(name) +
                                   " both name the same input";
      }
      layout.input_cell[*input] = cell;
      any_input = true;
    }
    if (std::find(results.begin(), results.end(), name) == results.end()) {
      layout.carried.push_back(cell);
    }
  }
  if (!any_input) return "the header row names none of the input columns " + input_column_names();
  return layout;
}

std::string input_column_names() {
  std::string names;
  for (const InputColumn& column : kInputColumns) {
    if (!names.empty()) names += ", ";
    names += column.name;
    if (!column.alias.empty()) names += " (or " + std::string(column.alias) + ")";
  }
  return names;
}

RowScore score_row(const CsvRecord& record, const ColumnLayout& layout, const Clock& clock) {
  RowPlayer player(clock);
  std::string_view identity_cell;
  for (std::size_t i = 0; i < kInputColumns.size(); ++i) {
    const auto cell = layout.input_cell[i];
    if (!cell || *cell >= record.size() || record[*cell].empty()) continue;
    if (kInputColumns[i].field == kIdentityNumber) identity_cell = record[*cell];
    player.enter(kInputColumns[i], record[*cell]);
  }
  for (std::size_t extra = layout.width; extra < record.size(); ++extra) {
    if (record[extra].empty()) continue;
    player.fail("has " + std::to_string(record.size()) + " cells, the header " +
                std::to_string(layout.width));
    break;
  }
  return std::move(player).result(identity_cell);
}

}  // namespace varostel::batch
