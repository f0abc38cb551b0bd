// The result sheet: every row shows its own field's text, the cap note
// appears exactly when the cap lowered the subtotal, the plain text keeps
// its value column in wide characters, and the HTML escapes what a user
// pasted.
#include "calculator/result_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "model/fields.h"
#include "ui/version.h"

namespace varostel {
namespace {

class NoOpener final : public PageOpener {
 public:
  void open_page(std::string_view, WindowMode) override {}
};

class FixedClock final : public Clock {
 public:
  [[nodiscard]] Date today() const override { return {2026, 3, 9}; }
};

struct Session {
  NoOpener opener;
  FixedClock clock;
  Calculator calculator{opener, clock};
  Form& form = calculator.form();
};

using Entry = std::function<void(Form&)>;

void months(Form& form, std::vector<std::string> counts) {
  const char* boxes[] = {"养老月数", "医疗月数", "工伤月数", "生育险月数", "失业月数"};
  for (std::size_t i = 0; i < counts.size(); ++i) {
    ASSERT_TRUE(form.edit(*find_field(boxes[i]), counts[i]) || counts[i] == "0") << boxes[i];
  }
}

std::map<std::string, SheetRow> rows_by_label(const ResultSheet& sheet) {
  std::map<std::string, SheetRow> rows;
  for (const SheetSection& section : sheet.sections) {
    for (const SheetRow& row : section.rows) {
      EXPECT_TRUE(rows.emplace(row.label, row).second) << "two rows named " << row.label;
    }
  }
  return rows;
}

// A full entry whose every input and score differs from the others, so a
// row showing a neighbour's field shows the wrong text.
TEST(ResultSheet, EveryRowShowsItsOwnField) {
  Session s;
  ASSERT_TRUE(s.form.choose(kEducation, "全日制大专或高技"));
  s.form.edit(kIdentityNumber, "676767198304257666");
  s.form.click(kReadButton);
  ASSERT_TRUE(s.form.choose(kHousing, "居住证"));
  s.form.edit(kResidenceDays, "1000");
  ASSERT_TRUE(s.form.choose(kChildbirth, "政策外生育"));
  months(s.form, {"13", "25", "37", "49", "61"});

  const auto rows = rows_by_label(make_result_sheet(s.form, s.clock.today()));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"学历", "全日制大专或高技"},
      {"身份证号码", "676767198304257666"},
      {"出生日期", "1983年04月25日"},
      {"性别", "女"},
      {"年龄", "43"},
      {"住房", "居住证"},
      {"居住时长（日）", "1000"},
      {"生育", "政策外生育"},
      {"养老保险（月）", "13"},
      {"医疗保险（月）", "25"},
      {"工伤保险（月）", "37"},
      {"生育保险（月）", "49"},
      {"失业保险（月）", "61"},
      {"公司申办", "否"},
      {"学历得分", "70"},
      {"年龄得分", "-8"},
      {"房产得分", "2"},
      {"生育得分", "-50"},
      {"个人得分（小计）", "-56"},
      {"养老得分", "3"},
      {"医疗得分", "2"},
      {"工伤得分", "3"},
      {"生育险得分", "4"},
      {"失业得分", "5"},
      {"公司申办加分", "0"},
      {"社保得分（小计）", "17"},
      {"合计得分", "31"},
      {"评分结果", "差一点，考证入户"},
  };
  EXPECT_EQ(rows.size(), expected.size());
  for (const auto& [label, value] : expected) {
    ASSERT_TRUE(rows.contains(label)) << label;
    EXPECT_EQ(rows.at(label).value, value) << label;
    EXPECT_EQ(rows.at(label).note, "") << label;
  }
}

struct NoteRow {
  const char* name;
  Entry enter;
  const char* insurance;  // the subtotal's value
  const char* insurance_note;
  const char* verdict;
  const char* verdict_note;
  const char* birth_date = "";
  const char* age_score = "0";
};

void PrintTo(const NoteRow& row, std::ostream* out) { *out << row.name; }

class Notes : public testing::TestWithParam<NoteRow> {};

TEST_P(Notes, SayWhyAValueIsWhatItIs) {
  const NoteRow& row = GetParam();
  Session s;
  row.enter(s.form);
  const auto rows = rows_by_label(make_result_sheet(s.form, s.clock.today()));
  EXPECT_EQ(rows.at("社保得分（小计）").value, row.insurance);
  EXPECT_EQ(rows.at("社保得分（小计）").note, row.insurance_note);
  EXPECT_EQ(rows.at("评分结果").value, row.verdict);
  EXPECT_EQ(rows.at("评分结果").note, row.verdict_note);
  EXPECT_EQ(rows.at("出生日期").value, row.birth_date);
  EXPECT_EQ(rows.at("年龄得分").value, row.age_score);
}

// Pension earns 3 points a year, the other funds 1; the cap is 60, or 70
// with the employer's 10 points, and only a subtotal above it is lowered.
INSTANTIATE_TEST_SUITE_P(
    ResultSheet, Notes,
    testing::Values(NoteRow{"start_up_placeholder", [](Form&) {}, "0", "", "综合计算中...",
                            "尚未试算：请先填写或选择"},
                    NoteRow{"after_reset_placeholder_again",
                            [](Form& f) {
                              months(f, {"240"});
                              f.click(kResetButton);
                            },
                            "0", "", "综合计算中...", "尚未试算：请先填写或选择"},
                    NoteRow{"subtotal_60_at_the_cap_not_noted",
                            [](Form& f) {
                              months(f, {"120", "120", "120", "120"});
                            },
                            "60", "", "差一点，考证入户", ""},
                    NoteRow{"subtotal_61_capped_to_60",
                            [](Form& f) {
                              months(f, {"84", "120", "120", "120", "120"});
                            },
                            "60", "已封顶（封顶前为 61）", "差一点，考证入户", ""},
                    NoteRow{"subtotal_70_with_employer_at_the_cap_not_noted",
                            [](Form& f) {
                              months(f, {"120", "120", "120", "120"});
                              f.click(kEmployerApplies);
                            },
                            "70", "", "差一点，考证入户", ""},
                    NoteRow{"subtotal_71_with_employer_capped_to_70",
                            [](Form& f) {
                              months(f, {"84", "120", "120", "120", "120"});
                              f.click(kEmployerApplies);
                            },
                            "70", "已封顶（封顶前为 71）", "差一点，考证入户", ""},
                    NoteRow{"cap_note_follows_unticking_the_employer",
                            [](Form& f) {
                              f.click(kEmployerApplies);
                              months(f, {"240", "120", "120", "120", "120"});
                              f.click(kEmployerApplies);
                            },
                            "60", "已封顶（封顶前为 100）", "差一点，考证入户", ""},
                    NoteRow{"over_age_shows_the_mark_and_the_deduction",
                            [](Form& f) {
                              f.edit(kIdentityNumber, "676767197001017676");
                              f.click(kReadButton);
                            },
                            "0", "", "需要补充一点分数…", "", "超龄无法入户", "-90"},
                    NoteRow{"wrong_number_shows_its_mark",
                            [](Form& f) {
                              f.edit(kIdentityNumber, "12345");
                              f.click(kReadButton);
                            },
                            "0", "", "综合计算中...", "尚未试算：请先填写或选择", "号码有误"}),
    [](const testing::TestParamInfo<NoteRow>& info) { return std::string(info.param.name); });

TEST(ResultSheet, DateAndRulesLine) {
  Session s;
  const ResultSheet sheet = make_result_sheet(s.form, Date{2027, 1, 31});
  EXPECT_EQ(sheet.date_line, "试算日期：2027年1月31日");
  EXPECT_NE(sheet.estimate_line.find("估算"), std::string::npos);
  EXPECT_NE(sheet.estimate_line.find("Varostel " VAROSTEL_VERSION " "), std::string::npos);
}

TEST(DisplayWidth, CountsColumns) {
  const struct {
    const char* name;
    std::string text;
    std::size_t width;
  } rows[] = {
      {"empty", "", 0},
      {"ascii", "ID 12X", 6},
      {"ideographs", "学历得分", 8},
      {"full_width_brackets_and_digits", "（月）１２", 10},
      {"ideographic_space", "\u3000", 2},
      {"last_before_hangul_jamo_is_narrow", "\u10FF", 1},
      {"first_hangul_jamo_is_wide", "\u1100", 2},
      {"ellipsis_is_narrow", "…", 1},
      {"half_width_katakana_is_narrow", "\uFF61", 1},
      {"last_full_width_form_is_wide", "\uFF60", 2},
      {"ideograph_of_plane_two", "\U00020000", 2},
      {"combining_accent_adds_nothing", "e\u0301", 1},
      {"zero_width_space_adds_nothing", "a\u200Bb", 2},
      {"line_feed_adds_nothing", "a\nb", 2},
      {"invalid_bytes_one_column_each", "\xFF\xFE", 2},
  };
  for (const auto& r : rows) EXPECT_EQ(display_width(r.text), r.width) << r.name;
}

// Splits the text into its lines.
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the text ends with a line break";
  return lines;
}

TEST(SheetText, ValuesStartInOneColumnOneItemALine) {
  Session s;
  ASSERT_TRUE(s.form.choose(kEducation, "全日制本科"));
  // Wide digits, a line break and a tab pasted into the box stay on one line.
  s.form.edit(kIdentityNumber, "１２3\n4\t5");
  months(s.form, {"240", "120", "120", "120", "120"});
  const ResultSheet sheet = make_result_sheet(s.form, s.clock.today());
  const std::vector<std::string> lines = lines_of(sheet_text(sheet));

  std::size_t items = 0;
  for (const SheetSection& section : sheet.sections) {
    for (const SheetRow& row : section.rows) {
      ++items;
      if (row.value.empty() && row.note.empty()) {  // the label alone, no trailing spaces
        EXPECT_NE(std::find(lines.begin(), lines.end(), row.label), lines.end()) << row.label;
        continue;
      }
      // The line that starts with the label, then only spaces up to the value.
      const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.starts_with(row.label + " ");
      });
      ASSERT_NE(line, lines.end()) << row.label;
      const std::string expected_value = row.label == "身份证号码" ? "１２3 4 5" : row.value;
      const std::size_t at = line->find_first_not_of(' ', row.label.size());
      ASSERT_NE(at, std::string::npos) << row.label;
      EXPECT_EQ(display_width(line->substr(0, at)), 18u) << row.label;  // widest label + 2
      EXPECT_EQ(line->substr(at),
                row.note.empty() ? expected_value : expected_value + "  " + row.note)
          << row.label;
    }
  }
  EXPECT_EQ(items, 28u);
  EXPECT_EQ(lines.front(), "积分入户试算结果");
  EXPECT_EQ(lines.back(), sheet.estimate_line);
  EXPECT_EQ(lines[lines.size() - 2], "试算日期：2026年3月9日");
  for (const std::string& line : lines) EXPECT_FALSE(line.ends_with(" ")) << line;
}

TEST(SheetHtml, EscapesWhatWasPastedAndNamesTheIconOnlyWhenAsked) {
  Session s;
  s.form.edit(kIdentityNumber, "<b>&\"'x</b>");
  const ResultSheet sheet = make_result_sheet(s.form, s.clock.today());
  const std::string copied = sheet_html(sheet);
  EXPECT_NE(copied.find(">&lt;b&gt;&amp;&quot;&#39;x&lt;/b&gt;</td>"), std::string::npos);
  EXPECT_EQ(copied.find("<b>&"), std::string::npos);
  EXPECT_EQ(copied.find("<b>x"), std::string::npos);
  EXPECT_EQ(copied.find("<img"), std::string::npos);
  const std::string printed = sheet_html(sheet, "icon\"x");
  EXPECT_NE(printed.find("<img src=\"icon&quot;x\""), std::string::npos);

  // One table row a sheet row, plus one heading row a section.
  std::size_t table_rows = 0;
  for (std::size_t at = 0; (at = copied.find("<tr>", at)) != std::string::npos; ++at) ++table_rows;
  EXPECT_EQ(table_rows, 28u + 2u);
}

}  // namespace
}  // namespace varostel
