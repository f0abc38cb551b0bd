#include "view/result_sheet.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "view/html_text.h"
#include "scoring/insurance.h"
#include "scoring/totals.h"
#include "version.h"

namespace varostel {
namespace {

struct FieldLine {
  std::string_view label;
  FieldId field;
};

// The inputs in the window's reading order: the personal frame, then the
// social-insurance frame.
constexpr std::array<FieldLine, 8> kPersonalInputs = {{
    {"学历", kEducation},
    {"身份证号码", kIdentityNumber},
    {"出生日期", kBirthDate},
    {"性别", kSex},
    {"年龄", kAge},
    {"住房", kHousing},
    {"居住时长（日）", kResidenceDays},
    {"生育", kChildbirth},
}};
constexpr std::array<std::string_view, kFunds.size()> kMonthsLabels = {
    "养老保险（月）", "医疗保险（月）", "工伤保险（月）", "生育保险（月）", "失业保险（月）"};
constexpr std::array<std::string_view, kFunds.size()> kFundScoreLabels = {
    "养老得分", "医疗得分", "工伤得分", "生育险得分", "失业得分"};

struct Range {
  char32_t first;
  char32_t last;
};

// East Asian Wide and Fullwidth blocks (ideographs, kana, hangul, CJK and
// full-width punctuation and forms, the common emoji).
constexpr std::array<Range, 18> kWide = {{
    {0x1100, 0x115F},
    {0x2329, 0x232A},
    {0x2E80, 0x303E},
    {0x3041, 0x33FF},
    {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},
    {0xA960, 0xA97F},
    {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},
    {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},
    {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF},
    {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
}};

// Combining marks, zero-width spaces and joiners, direction marks, variation
// selectors and the byte-order mark: drawn on or between their neighbours.
constexpr std::array<Range, 11> kZeroWidth = {{
    {0x0300, 0x036F},
    {0x1AB0, 0x1AFF},
    {0x1DC0, 0x1DFF},
    {0x200B, 0x200F},
    {0x202A, 0x202E},
    {0x2060, 0x2064},
    {0x20D0, 0x20FF},
    {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F},
    {0xFEFF, 0xFEFF},
    {0xE0100, 0xE01EF},
}};

template <std::size_t N>
bool in(const std::array<Range, N>& ranges, char32_t c) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [c](const Range& r) { return c >= r.first && c <= r.last; });
}

bool is_control(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

std::size_t char_width(char32_t c) {
  if (is_control(c) || in(kZeroWidth, c)) return 0;
  return in(kWide, c) ? 2 : 1;
}

// Valid UTF-8 with every line-breaking or control character as a space.
std::string one_line(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : utf8::decode(text)) utf8::append(out, is_control(c) ? U' ' : c);
  return out;
}

std::string date_text(Date date) {
  return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
         std::to_string(date.day) + "日";
}

SheetRow field_row_of(const Form& form, std::string_view label, FieldId field) {
  return {std::string(label), form.text(field), {}};
}

SheetSection inputs(const Form& form) {
  SheetSection section{"填写内容", {}};
  for (const FieldLine& line : kPersonalInputs) {
    section.rows.push_back(field_row_of(form, line.label, line.field));
  }
  for (std::size_t i = 0; i < kFunds.size(); ++i) {
    section.rows.push_back(field_row_of(form, kMonthsLabels[i], kFunds[i].months));
  }
  const bool ticked = form.value(kEmployerApplies) == 1;
  section.rows.push_back(
      {"公司申办", std::string(ticked ? kEmployerTicked : kEmployerNotTicked), {}});
  return section;
}

SheetSection scores(const Form& form) {
  SheetSection section{"得分", {}};
  section.rows.push_back(field_row_of(form, "学历得分", kEducationScore));
  section.rows.push_back(field_row_of(form, "年龄得分", kAgeScore));
  section.rows.push_back(field_row_of(form, "房产得分", kHousingScore));
  section.rows.push_back(field_row_of(form, "生育得分", kChildbirthScore));
  section.rows.push_back(field_row_of(form, "个人得分（小计）", kPersonalScore));
  for (std::size_t i = 0; i < kFunds.size(); ++i) {
    section.rows.push_back(field_row_of(form, kFundScoreLabels[i], kFunds[i].score));
  }
  const bool ticked = form.value(kEmployerApplies) == 1;
  section.rows.push_back({"公司申办加分", number_text(ticked ? kEmployerBonus : 0.0), {}});
  SheetRow insurance = field_row_of(form, "社保得分（小计）", kInsuranceScore);
  insurance.note = insurance_cap_note(form);
  section.rows.push_back(std::move(insurance));
  SheetRow total = field_row_of(form, "合计得分", kTotal);
  total.key = true;
  section.rows.push_back(std::move(total));
  SheetRow verdict = field_row_of(form, "评分结果", kVerdict);
  verdict.key = true;
  if (verdict.value == kVerdictPlaceholder) verdict.note = kPlaceholderNote;
  section.rows.push_back(std::move(verdict));
  return section;
}

void append_padded(std::string& out, std::string_view text, std::size_t column) {
  out += text;
  out.append(column - std::min(column, display_width(text)), ' ');
}

void append_escaped(std::string& out, std::string_view text) {
  out += escape_html(one_line(text));
}

}  // namespace

std::string insurance_cap_note(const Form& form) {
  const bool ticked = form.value(kEmployerApplies) == 1;
  double uncapped = ticked ? kEmployerBonus : 0.0;
  for (const Fund& fund : kFunds) uncapped += read_lenient(form.text(fund.score));
  const double cap = insurance_cap(ticked);
  if (uncapped <= cap || read_lenient(form.text(kInsuranceScore)) != cap) return {};
  return "已封顶（封顶前为 " + number_text(uncapped) + "）";
}

ResultSheet make_result_sheet(const Form& form, Date today) {
  return {std::string(kSheetTitle),
          {inputs(form), scores(form)},
          "试算日期：" + date_text(today),
          "本表为估算，依据 Varostel " VAROSTEL_VERSION
          " 内置的积分规则得出，仅供参考，以主管部门的审核为准。"};
}

std::size_t display_width(std::string_view utf8) {
  std::size_t width = 0;
  for (char32_t c : utf8::decode(utf8)) width += char_width(c);
  return width;
}

std::string sheet_text(const ResultSheet& sheet) {
  std::size_t label_width = 0;
  for (const SheetSection& section : sheet.sections) {
    for (const SheetRow& row : section.rows) {
      label_width = std::max(label_width, display_width(row.label));
    }
  }
  const std::size_t value_column = label_width + 2;

  std::string out = one_line(sheet.title) + "\n";
  for (const SheetSection& section : sheet.sections) {
    out.append("\n【").append(one_line(section.title)).append("】\n");
    for (const SheetRow& row : section.rows) {
      std::string line;
      append_padded(line, one_line(row.label), value_column);
      line += one_line(row.value);
      if (!row.note.empty()) line += "  " + one_line(row.note);
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
    }
  }
  out.append("\n").append(one_line(sheet.date_line));
  out.append("\n").append(one_line(sheet.estimate_line)).append("\n");
  return out;
}

std::string sheet_html(const ResultSheet& sheet, std::string_view icon_source) {
  std::string out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
  append_escaped(out, sheet.title);
  out += "</title></head>\n<body>\n<h2>";
  if (!icon_source.empty()) {
    out += "<img src=\"";
    append_escaped(out, icon_source);
    out += "\" width=\"40\" height=\"40\" style=\"vertical-align: middle\">&nbsp;&nbsp;";
  }
  append_escaped(out, sheet.title);
  out +=
      "</h2>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\" width=\"100%\" "
      "style=\"border-collapse: collapse; border-style: solid; border-color: #999999\">\n";
  for (const SheetSection& section : sheet.sections) {
    out += "<tr><th colspan=\"2\" align=\"left\" bgcolor=\"#eeeeee\">";
    append_escaped(out, section.title);
    out += "</th></tr>\n";
    for (const SheetRow& row : section.rows) {
      const char* open = row.key ? "<b>" : "";
      const char* close = row.key ? "</b>" : "";
      out += std::string("<tr><td width=\"40%\">") + open;
      append_escaped(out, row.label);
      out += std::string(close) + "</td><td>" + open;
      append_escaped(out, row.value);
      out += close;
      // Few rows have a note: beside its value, in small type, it spares
      // the table a column that would stay empty all the way down.
      if (!row.note.empty()) {
        out += "&nbsp;&nbsp;<small>";
        append_escaped(out, row.note);
        out += "</small>";
      }
      out += "</td></tr>\n";
    }
  }
  out += "</table>\n<p style=\"margin-top: 16px\">";
  append_escaped(out, sheet.date_line);
  out += "</p>\n<p>";
  append_escaped(out, sheet.estimate_line);
  out += "</p>\n</body></html>\n";
  return out;
}

}  // namespace varostel
