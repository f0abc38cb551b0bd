// The points gap between the scenario files' totals: fractions written as
// the total's own decimals allow, and none without a verdict.
#include "scoring/points_gap.h"

#include <gtest/gtest.h>

#include <string>

#include "model/number_reading.h"

namespace varostel {
namespace {

TEST(PointsGap, FromTheTotalAsShown) {
  const struct {
    const char *total, *gap;
  } rows[] = {{"-50", "还差 150 分"}, {"98.7", "还差 1.3 分"}, {"99.5", "已过线"},
              {"100.5", "已过线，多出 0.5 分"}, {"100.1", "已过线，多出 0.1 分"},
              {"170", "已过线，多出 70 分"}};
  for (const auto& row : rows)
    EXPECT_EQ(points_gap(row.total, verdict_for(*read_strict(row.total))), row.gap) << row.total;
  EXPECT_EQ(points_gap("120", kVerdictPlaceholder), "");
  EXPECT_EQ(points_gap("99分", kVerdictShort), "");
}

}  // namespace
}  // namespace varostel
