// The result sheet: each row shows its own field, the notes say why, the plain
// text keeps one value column in wide characters, and the HTML escapes pastes.
#include "view/result_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "model/fields.h"
#include "version.h"

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
  ResultSheet sheet() { return make_result_sheet(form, clock.today()); }
};

void months(Form& form, const std::vector<std::string>& counts) {
  const char* boxes[] = {"养老月数", "医疗月数", "工伤月数", "生育险月数", "失业月数"};
  for (std::size_t i = 0; i < counts.size(); ++i) {
    ASSERT_TRUE(form.edit(*find_field(boxes[i]), counts[i])) << boxes[i];
  }
}

std::string note_of(const ResultSheet& sheet, std::string_view label) {
  for (const SheetSection& section : sheet.sections) {
    for (const SheetRow& row : section.rows) {
      if (row.label == label) return row.note;
    }
  }
  ADD_FAILURE() << "no row " << label;
  return {};
}

// Every input and score differs from the others, so a row showing a
// neighbour's field shows the wrong text.
TEST(ResultSheet, EveryRowShowsItsOwnField) {
  Session s;
  ASSERT_TRUE(s.form.choose(kEducation, "全日制大专或高技"));
  s.form.edit(kIdentityNumber, "676767198304257666");
  s.form.click(kReadButton);
  ASSERT_TRUE(s.form.choose(kHousing, "居住证"));
  s.form.edit(kResidenceDays, "1000");
  ASSERT_TRUE(s.form.choose(kChildbirth, "政策外生育"));
  months(s.form, {"13", "25", "37", "49", "61"});

  std::string shown;  // in reading order, "label=value;" or "label=value|note;"
  for (const SheetSection& section : s.sheet().sections) {
    for (const SheetRow& r : section.rows) {
      shown += r.label + "=" + r.value + (r.note.empty() ? "" : "|" + r.note) + "; ";
    }
  }
  EXPECT_EQ(shown,
            "学历=全日制大专或高技; 身份证号码=676767198304257666; "
            "出生日期=1983年04月25日; 性别=女; 年龄=43; 住房=居住证; "
            "居住时长（日）=1000; 生育=政策外生育; 养老保险（月）=13; "
            "医疗保险（月）=25; 工伤保险（月）=37; 生育保险（月）=49; "
            "失业保险（月）=61; 公司申办=否; 学历得分=70; 年龄得分=-8; "
            "房产得分=2; 生育得分=-50; 个人得分（小计）=-56; 养老得分=3; "
            "医疗得分=2; 工伤得分=3; 生育险得分=4; 失业得分=5; 公司申办加分=0; "
            "社保得分（小计）=17; 合计得分=31; 评分结果=差一点，考证入户; ");
}

// Pension earns 3 points a year, the other funds 1; the cap is 60, or 70
// with the employer's 10 points, and only a subtotal above it is noted.
TEST(ResultSheet, NotesSayWhyAValueIsWhatItIs) {
  const std::vector<std::string> k60 = {"120", "120", "120", "120"};
  const std::vector<std::string> k61 = {"84", "120", "120", "120", "120"};
  const std::vector<std::string> k100 = {"240", "120", "120", "120", "120"};
  const struct {
    const char* name;
    std::vector<std::string> months;
    int employer_clicks;
    const char* cap_note;
    const char* verdict_note;
  } rows[] = {
      {"start_up_placeholder", {}, 0, "", "尚未试算：请先填写或选择"},
      {"subtotal_60_at_the_cap_not_noted", k60, 0, "", ""},
      {"subtotal_61_capped_to_60", k61, 0, "已封顶（封顶前为 61）", ""},
      {"subtotal_70_with_employer_at_the_cap_not_noted", k60, 1, "", ""},
      {"subtotal_71_with_employer_capped_to_70", k61, 1, "已封顶（封顶前为 71）", ""},
      {"employer_ticked_then_unticked_capped_to_60", k100, 2, "已封顶（封顶前为 100）", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Session s;
    months(s.form, row.months);
    for (int i = 0; i < row.employer_clicks; ++i) s.form.click(kEmployerApplies);
    const ResultSheet sheet = s.sheet();
    EXPECT_EQ(note_of(sheet, "社保得分（小计）"), row.cap_note);
    EXPECT_EQ(note_of(sheet, "评分结果"), row.verdict_note);
  }
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

TEST(SheetText, ValuesStartInOneColumnOneItemALine) {
  Session s;
  ASSERT_TRUE(s.form.choose(kEducation, "全日制本科"));
  s.form.edit(kIdentityNumber, "１２3\n4\t5");  // a pasted line break and tab stay on one line
  months(s.form, {"240", "120", "120", "120", "120"});
  const ResultSheet sheet = s.sheet();
  const std::string text = sheet_text(sheet);
  ASSERT_TRUE(text.ends_with('\n'));
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
    EXPECT_FALSE(lines.back().ends_with(" ")) << lines.back();
  }

  std::size_t items = 0;
  for (const SheetSection& section : sheet.sections) {
    for (const SheetRow& row : section.rows) {
      ++items;
      if (row.value.empty() && row.note.empty()) {  // the label alone
        EXPECT_NE(std::find(lines.begin(), lines.end(), row.label), lines.end()) << row.label;
        continue;
      }
      const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.starts_with(row.label + " ");
      });
      ASSERT_NE(line, lines.end()) << row.label;
      const std::string value = row.label == "身份证号码" ? "１２3 4 5" : row.value;
      const std::size_t at = line->find_first_not_of(' ', row.label.size());
      ASSERT_NE(at, std::string::npos) << row.label;
      EXPECT_EQ(display_width(line->substr(0, at)), 18u) << row.label;  // widest label + 2
      EXPECT_EQ(line->substr(at), row.note.empty() ? value : value + "  " + row.note) << row.label;
    }
  }
  EXPECT_EQ(items, 28u);
  EXPECT_EQ(lines.front(), "积分入户试算结果");
  EXPECT_EQ(lines[lines.size() - 2], "试算日期：2026年3月9日");
  EXPECT_NE(lines.back().find("估算"), std::string::npos);
  EXPECT_NE(lines.back().find("Varostel " VAROSTEL_VERSION " "), std::string::npos);
}

TEST(SheetHtml, EscapesWhatWasPastedAndNamesTheIconOnlyWhenAsked) {
  Session s;
  s.form.edit(kIdentityNumber, "<b>&\"'x</b>");
  const ResultSheet sheet = s.sheet();
  const std::string copied = sheet_html(sheet);
  EXPECT_NE(copied.find(">&lt;b&gt;&amp;&quot;&#39;x&lt;/b&gt;</td>"), std::string::npos);
  EXPECT_EQ(copied.find("<img"), std::string::npos);
  EXPECT_NE(sheet_html(sheet, "icon\"x").find("<img src=\"icon&quot;x\""), std::string::npos);

  // One table row a sheet row, plus one heading row a section.
  std::size_t table_rows = 0;
  for (std::size_t at = 0; (at = copied.find("<tr>", at)) != std::string::npos; ++at) ++table_rows;
  EXPECT_EQ(table_rows, 28u + 2u);
}

}  // namespace
}  // namespace varostel
