// The runner's verdicts: which steps pass, which fail, and that a failing
// step never stops the other scenarios.
#include "scenario-player/scenario_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario-player/model_driver.h"

namespace varostel {
namespace {

struct RunRow {
  const char* name;
  const char* scenario;
  int failures;
  const char* message;  // expected in the first failure, if any
};

void PrintTo(const RunRow& row, std::ostream* out) { *out << row.name; }

class RunnerVerdict : public testing::TestWithParam<RunRow> {};

TEST_P(RunnerVerdict, ReportsEveryMismatch) {
  const RunRow& row = GetParam();
  const auto scenarios = parse_scenarios(row.scenario);
  ASSERT_EQ(scenarios.size(), 1u);
  const auto driver = make_model_driver();
  const auto failures = play_scenario(scenarios[0], *driver);
  ASSERT_EQ(static_cast<int>(failures.size()), row.failures);
  if (row.failures > 0) {
    EXPECT_NE(failures[0].message.find(row.message), std::string::npos) << failures[0].message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, RunnerVerdict,
    testing::Values(
        RunRow{"MatchingExpectationsPass",
               "type 养老月数 24\nexpect 养老得分 6\nexpect 公司申办 0\n", 0, ""},
        RunRow{"EachMismatchIsReported", "expect 养老得分 1\nexpect 医疗得分 2\n", 2,
               "found \"0\""},
        RunRow{"UnknownVerbEndsTheScenario", "press 重置\nexpect 养老得分 1\n", 1, "unknown step"},
        RunRow{"UnknownFieldFails", "expect Label23 x\n", 1, "unknown field"},
        RunRow{"ItemOutsideTheListFails", "choose 选择学历 博士\n", 1, "not an item"},
        RunRow{"ProgramWriteOfANonItemFails", "set 房产状况 别墅\n", 1, "not an item"},
        RunRow{"TypingIntoAButtonFails", "type 重置 1\n", 1, "cannot act on"},
        RunRow{"CheckBoxTakesOnlyZeroOrOne", "set 公司申办 yes\n", 1, "0 or 1"},
        RunRow{"YearNeedsAWholeNumber", "year 2O26\n", 1, "whole number"},
        RunRow{"EnabledFlagIsCompared", "expect-enabled 年龄 yes\n", 1, "disabled"},
        RunRow{"NoteIsCompared", "choose 选择学历 全日制本科\nexpect-note 合计得分 还差 6 分\n", 1,
               "found \"还差 5 分\""},
        RunRow{"NoNoteWithoutText", "expect-note ID\nexpect-note 评分结果\n", 0, ""},
        RunRow{"OpeningsAreMatchedOldestFirst",
               "click logo\nclick 在线咨询\nexpect-open /jsq/index.html hidden\n"
               "expect-open /leyu.html normal\nexpect-no-open\n",
               0, ""},
        RunRow{"WrongWindowModeFails", "click Morvith\nexpect-open /jsq/index.html normal\n", 1,
               "(hidden)"},
        RunRow{"UnexpectedOpeningFails", "click 在线咨询\nexpect-no-open\n", 1, "/leyu.html"},
        RunRow{"MissingOpeningFails", "expect-open /leyu.html normal\n", 1, "there was none"},
        RunRow{"BackspaceKeyDeletes", "type 医疗月数 13⌫\nexpect 医疗月数 01\n", 0, ""}),
    [](const testing::TestParamInfo<RunRow>& info) { return info.param.name; });

TEST(ScenarioText, FailingScenarioDoesNotStopTheOthersAndATableRowIsNamed) {
  std::ostringstream report;
  const auto tally = play_scenario_text(
      "== a\nbogus\n== b\nexpect 合计得分 0\n== c\nexpect ID x\n"
      "== d\ntable set 年龄 | expect 年龄得分\n17 | 0\n18 | 0\n19 | 5\n",
      "f.scn", make_model_driver, report);
  EXPECT_EQ(tally.passed, 1);
  EXPECT_EQ(tally.failed, 3);
  EXPECT_NE(report.str().find("f.scn:2: [a] unknown step"), std::string::npos) << report.str();
  EXPECT_NE(report.str().find("f.scn:6: [c] expected ID"), std::string::npos) << report.str();
  EXPECT_NE(report.str().find("f.scn:10: [d] row 2: expected 年龄得分 \"0\", found \"5\"\n"),
            std::string::npos)
      << report.str();
  EXPECT_EQ(report.str().find("row 3"), std::string::npos) << report.str();
}

TEST(ScenarioText, EachScenarioStartsFromAFreshCalculator) {
  std::ostringstream report;
  const auto tally = play_scenario_text(
      "== a\ntype 养老月数 24\n== b\nexpect 养老月数 0\nexpect 评分结果 综合计算中...\n", "f.scn",
      make_model_driver, report);
  EXPECT_EQ(tally.failed, 0) << report.str();
}

TEST(ScenarioFiles, DirectoryMeansItsScenarioFilesSortedAndMissingPathsAreUnusable) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "varostel-runner-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "empty");
  for (const char* name : {"b.scn", "a.scn", "notes.txt"}) std::ofstream(dir / name) << "\n";

  std::ostringstream errors;
  const auto files = collect_scenario_files({dir.string()}, errors);
  ASSERT_TRUE(files.has_value());
  ASSERT_EQ(files->size(), 2u);
  EXPECT_EQ((*files)[0].filename(), "a.scn");
  EXPECT_EQ((*files)[1].filename(), "b.scn");

  EXPECT_FALSE(collect_scenario_files({(dir / "missing.scn").string()}, errors));
  EXPECT_FALSE(collect_scenario_files({(dir / "empty").string()}, errors));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace varostel
