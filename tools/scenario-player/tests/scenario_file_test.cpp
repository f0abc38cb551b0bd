// How scenario text splits into scenarios and steps: the format is shared
// with other tools, so its corners are pinned down here.
#include "scenario-player/scenario_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varostel {
namespace {

using namespace std::string_literals;

TEST(ScenarioFile, StepsBeforeTheFirstTitleFormAnUntitledScenario) {
  const auto scenarios = parse_scenarios("set 养老月数 12\n== second\nclick 重置\n");
  ASSERT_EQ(scenarios.size(), 2u);
  EXPECT_EQ(scenarios[0].title, "");
  EXPECT_EQ(scenarios[1].title, "second");
  EXPECT_EQ(scenarios[1].line, 2);
  ASSERT_EQ(scenarios[1].steps.size(), 1u);
  EXPECT_EQ(scenarios[1].steps[0].line, 3);
}

TEST(ScenarioFile, BlankCommentAndCarriageReturnLinesAreSkipped) {
  const auto scenarios =
      parse_scenarios("\xEF\xBB\xBF# comment\r\n\r\n   \n== t\r\nexpect 性别 男\r\n");
  ASSERT_EQ(scenarios.size(), 1u);
  ASSERT_EQ(scenarios[0].steps.size(), 1u);
  EXPECT_EQ(scenarios[0].steps[0].text, "男");
  EXPECT_EQ(scenarios[0].steps[0].line, 5);
}

TEST(ScenarioFile, TableRowsBecomeTheirHeadsStepsWithTheRowsLineAndNumber) {
  const auto scenarios = parse_scenarios(
      "== t\ntable paste ID | click 身份证解读 | expect 性别\n# between rows\n 1 |  男 \n2|\n\n"
      "expect 年龄 18\ntable set 年龄 | expect 年龄得分\n17 | 0\ntable year\n2026\n");
  ASSERT_EQ(scenarios.size(), 1u);
  const auto& steps = scenarios[0].steps;
  ASSERT_EQ(steps.size(), 10u);
  // "LINE/ROW" and the step as it would be written on a line of its own.
  const auto written = [&](std::size_t i) {
    const ScenarioStep& step = steps.at(i);
    return std::to_string(step.line) + "/" + std::to_string(step.row) + " " + step.verb +
           (step.has_subject ? " " + step.subject : "") + (step.has_text ? " " + step.text : "");
  };
  EXPECT_EQ(written(0), "4/1 paste ID 1");
  EXPECT_EQ(written(1), "4/1 click 身份证解读");
  EXPECT_EQ(written(2), "4/1 expect 性别 男");
  EXPECT_EQ(written(3), "5/2 paste ID 2");
  EXPECT_EQ(written(5), "5/2 expect 性别 ");  // an empty value is an empty text
  EXPECT_EQ(written(6), "7/0 expect 年龄 18");
  EXPECT_EQ(written(8), "9/1 expect 年龄得分 0");
  EXPECT_EQ(written(9), "11/1 year 2026");  // a new table ends the one before
}

TEST(ScenarioFile, MalformedTableBecomesOneErrorStepWhereItIsWrong) {
  struct Case {
    const char* text;
    int line, row;
    const char* error;
  };
  for (const Case& c : {Case{"table set 年龄 | expect 年龄得分\n17 | 0\n18\n", 3, 2,
                             "1 values where the heads take 2"},
                        Case{"table set 年龄 || expect 年龄得分\n1 | 2\n", 1, 0, "head is empty"},
                        Case{"table click 重置 | expect-no-open\n1\n", 1, 0, "takes a value"},
                        Case{"table set 年龄\n\n17\n", 1, 0, "at least one row"}}) {
    const auto scenarios = parse_scenarios(c.text);
    ASSERT_EQ(scenarios.size(), 1u);
    const auto& steps = scenarios[0].steps;
    const auto wrong = std::find_if(steps.begin(), steps.end(),
                                    [](const ScenarioStep& step) { return !step.error.empty(); });
    ASSERT_NE(wrong, steps.end()) << c.text;
    EXPECT_EQ(wrong->line, c.line) << c.text;
    EXPECT_EQ(wrong->row, c.row) << c.text;
    EXPECT_NE(wrong->error.find(c.error), std::string::npos) << wrong->error;
  }
}

struct SplitRow {
  const char* name;
  const char* line;
  const char* verb;
  const char* subject;
  std::string text;
  bool has_text;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const SplitRow& row, std::ostream* out) { *out << row.name; }

class StepSplit : public testing::TestWithParam<SplitRow> {};

TEST_P(StepSplit, SplitsVerbSubjectAndText) {
  const SplitRow& row = GetParam();
  const auto scenarios = parse_scenarios(row.line);
  ASSERT_EQ(scenarios.size(), 1u);
  const ScenarioStep& step = scenarios[0].steps.at(0);
  EXPECT_EQ(step.verb, row.verb);
  EXPECT_EQ(step.subject, row.subject);
  EXPECT_EQ(step.text, row.text);
  EXPECT_EQ(step.has_text, row.has_text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StepSplit,
    testing::Values(SplitRow{"TextKeepsInnerAndTrailingSpaces", "set 统一年数  1 .5 ", "set",
                             "统一年数", " 1 .5 ", true},
                    SplitRow{"LineEndingAfterFieldGivesEmptyText", "set ID", "set", "ID", "",
                             false},
                    SplitRow{"SpaceAfterFieldGivesEmptyText", "set ID ", "set", "ID", "", true},
                    SplitRow{"VerbAlone", "expect-no-open", "expect-no-open", "", "", false},
                    SplitRow{"OpenTakesPathAndMode", "expect-open /jsq/index.html hidden",
                             "expect-open", "/jsq/index.html", "hidden", true},
                    // Control pictures in typed keys: U+2400 to U+241F and U+2421 stand
                    // for the control characters, the pictures beside them for themselves.
                    SplitRow{"TypedControlPicturesOnTheRangeEdges", "type 统一月数 1␀␟␠␡␢2", "type",
                             "统一月数", "1\0\x1F␠\x7F␢2"s, true},
                    SplitRow{"TypedTabEscapeAndBackspacePictures", "type ID ␉␛␈⌫", "type", "ID",
                             "\t\x1B\b⌫", true},
                    SplitRow{"TypedPictureCutShortAtTheEndStays", "type ID 1\xE2\x90", "type", "ID",
                             "1\xE2\x90", true},
                    SplitRow{"PastedControlPicturesStayPictures", "paste 统一月数 ␀␡", "paste",
                             "统一月数", "␀␡", true}),
    [](const testing::TestParamInfo<SplitRow>& info) { return info.param.name; });

}  // namespace
}  // namespace varostel
