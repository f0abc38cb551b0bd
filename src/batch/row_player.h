// Scoring one client of a list: the row's cells are entered into a fresh
// calculator the way a user fills in the window, top to bottom, and the
// results are what the window's fields then show. No rule is repeated here.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/csv_reader.h"
#include "model/clock.h"
#include "model/field_table.h"

namespace varostel::batch {

// How a cell is entered into its field.
enum class Entry {
  Choose,        // pick the list item
  PasteAndRead,  // paste into the box, then click "身份证解读"
  PasteCount,    // paste a number into the box
  Tick,          // 是 or 1 ticks the check box; 否, 0 leave it
};

struct InputColumn {
  std::string_view name;   // the field's name, which heads the column
  std::string_view alias;  // another heading accepted for it, or empty
  FieldId field;
  Entry entry;
};

// The input columns in the order they are played: the window's layout from
// top to bottom, the months boxes in the fill buttons' order. Education
// comes first, as a later choice would replace an over-age "-90".
inline constexpr std::array kInputColumns = {
    InputColumn{"选择学历", "", field_id("选择学历"), Entry::Choose},
    InputColumn{"ID", "身份证号码", field_id("ID"), Entry::PasteAndRead},
    InputColumn{"房产状况", "", field_id("房产状况"), Entry::Choose},
    InputColumn{"居住时长", "", field_id("居住时长"), Entry::PasteCount},
    InputColumn{"生育状况", "", field_id("生育状况"), Entry::Choose},
    InputColumn{"养老月数", "", field_id("养老月数"), Entry::PasteCount},
    InputColumn{"医疗月数", "", field_id("医疗月数"), Entry::PasteCount},
    InputColumn{"工伤月数", "", field_id("工伤月数"), Entry::PasteCount},
    InputColumn{"生育险月数", "", field_id("生育险月数"), Entry::PasteCount},
    InputColumn{"失业月数", "", field_id("失业月数"), Entry::PasteCount},
    InputColumn{"公司申办", "", field_id("公司申办"), Entry::Tick},
};

// The fields read back after a row is played, in the output's order.
inline constexpr std::array kResultFields = {
    field_id("出生日期"), field_id("性别"),     field_id("年龄"),     field_id("学历得分"),
    field_id("年龄得分"), field_id("房产得分"), field_id("生育得分"), field_id("个人得分"),
    field_id("养老得分"), field_id("医疗得分"), field_id("工伤得分"), field_id("生育险得分"),
    field_id("失业得分"), field_id("社保得分"), field_id("合计得分"), field_id("评分结果"),
};
inline constexpr std::string_view kHintColumn = "号码提示";
inline constexpr std::string_view kErrorColumn = "错误";
inline constexpr std::size_t kResultColumnCount = kResultFields.size() + 2;

// The result columns' headings: the fields' names, the hint, the error.
[[nodiscard]] const std::array<std::string_view, kResultColumnCount>& result_columns();

// Shown in 号码提示 when a spreadsheet has turned the number into exponent
// form (1.10101E+17): the digits are lost and only text keeps them.
inline constexpr std::string_view kExponentFormHint =
    "号码被表格软件改成了科学计数法，请把该列设为文本后重新输入";

// Whether an identity-number cell is a number in exponent form.
[[nodiscard]] bool is_exponent_form(std::string_view cell);

// Where each input lies in a record, and which cells the output carries.
struct ColumnLayout {
  std::array<std::optional<std::size_t>, kInputColumns.size()> input_cell;
  // Header cells copied to the output before the results: every one not
  // named like a result column, whose value the result replaces.
  std::vector<std::size_t> carried;
  std::size_t width = 0;  // cells in the header
};

// From the header record, its cells trimmed of padding. An input column
// named twice or nearly named, or a header that names no input column at
// all, is an unusable file: the message says why.
[[nodiscard]] std::variant<ColumnLayout, std::string> layout_for(const CsvRecord& header);

// The input columns' names, listed for a message.
[[nodiscard]] std::string input_column_names();

struct RowScore {
  // The result columns' texts; all empty when the row has an error.
  std::array<std::string, kResultColumnCount> results;
  // What is wrong with the row, each as `column 选择学历: "博士" is not one of …`.
  std::vector<std::string> errors;
};

// Plays one record through a fresh calculator on `clock`.
[[nodiscard]] RowScore score_row(const CsvRecord& record, const ColumnLayout& layout,
                                 const Clock& clock);

}  // namespace varostel::batch
