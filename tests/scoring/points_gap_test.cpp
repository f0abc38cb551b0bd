// The points gap on every side of the pass mark, with fractions written
// exactly as the total's own decimals allow, and none without a verdict.
#include "scoring/points_gap.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/number_reading.h"

namespace varostel {
namespace {

struct GapRow {
  const char* name;
  const char* total;
  std::string gap;
};

// Names the row in the test's messages instead of dumping its bytes.
void PrintTo(const GapRow& row, std::ostream* out) { *out << row.name; }

class PointsGap : public testing::TestWithParam<GapRow> {};

// The verdict the total itself would set, as the calculator shows them.
TEST_P(PointsGap, FromTheTotalAsShown) {
  const auto total = read_strict(GetParam().total);
  ASSERT_TRUE(total);
  EXPECT_EQ(points_gap(GetParam().total, verdict_for(*total)), GetParam().gap);
}

INSTANTIATE_TEST_SUITE_P(
    AroundThePassMark, PointsGap,
    testing::Values(GapRow{"Minus50", "-50", "还差 150 分"}, GapRow{"Zero", "0", "还差 100 分"},
                    GapRow{"One", "1", "还差 99 分"}, GapRow{"NinetyNine", "99", "还差 1 分"},
                    GapRow{"NinetyEightPointSeven", "98.7", "还差 1.3 分"},
                    GapRow{"NinetyNinePointFivePassesWithNoGap", "99.5", "已过线"},
                    GapRow{"Hundred", "100", "已过线"},
                    GapRow{"HundredPointFive", "100.5", "已过线，多出 0.5 分"},
                    GapRow{"HundredPointOneWithoutBinaryNoise", "100.1", "已过线，多出 0.1 分"},
                    GapRow{"HundredAndOne", "101", "已过线，多出 1 分"},
                    GapRow{"HundredSeventy", "170", "已过线，多出 70 分"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointsGapWithoutVerdict, NothingWhileThePlaceholderShows) {
  EXPECT_EQ(points_gap("0", kVerdictPlaceholder), "");
  EXPECT_EQ(points_gap("120", kVerdictPlaceholder), "");
}

TEST(PointsGapWithoutVerdict, NothingForATotalThatIsNotANumber) {
  EXPECT_EQ(points_gap("", kVerdictShort), "");
  EXPECT_EQ(points_gap("99分", kVerdictShort), "");
}

}  // namespace
}  // namespace varostel
