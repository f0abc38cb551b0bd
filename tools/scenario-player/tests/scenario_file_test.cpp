// How scenario text splits into scenarios and steps: the format is shared
// with other tools, so its corners are pinned down here.
#include "scenario-player/scenario_file.h"

#include <gtest/gtest.h>

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
