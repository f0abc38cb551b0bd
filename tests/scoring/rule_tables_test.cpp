// The fund points and the verdict as pure functions, on their edges, and on
// the inputs no scenario can type (infinity, NaN, fractions of a point). The
// scenario files play every other band edge through the window's fields.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scoring/insurance.h"
#include "scoring/totals.h"

namespace varostel {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Pension earns 3 points per 12 whole months, the other funds 1.
TEST(RuleTables, FundPointsPerTwelveWholeMonths) {
  const struct {
    const char* name;
    double months;
    long long pension, other;
  } rows[] = {{"zero", 0, 0, 0},
              {"negative", -24, 0, 0},
              {"11", 11, 0, 0},
              {"11.5 rounds to 12", 11.5, 3, 1},
              {"12", 12, 3, 1},
              {"12.5 rounds to 12", 12.5, 3, 1},
              {"18.5 rounds to 18", 18.5, 3, 1},
              {"23", 23, 3, 1},
              {"24", 24, 6, 2},
              {"35.5 rounds to 36", 35.5, 9, 3},
              {"120", 120, 30, 10},
              {"240", 240, 60, 20},
              {"beyond 32 bits", 99999999999.0, 536870910, 178956970},
              {"infinity", kInf, 536870910, 178956970},
              {"nan", std::nan(""), 0, 0}};
  for (const auto& r : rows) {
    EXPECT_EQ(fund_points(r.months, 3), r.pension) << r.name;
    EXPECT_EQ(fund_points(r.months, 1), r.other) << r.name;
  }
}

TEST(RuleTables, VerdictByGrandTotal) {
  const struct {
    double total;
    const char* caption;
  } rows[] = {{100, "积分通过，马上入户"}, {99.5, "积分通过，马上入户"}, {99, "差一点，考证入户"},
              {1, "差一点，考证入户"},     {0.5, "差一点，考证入户"},    {0, "需要补充一点分数…"},
              {-5, "需要补充一点分数…"}};
  for (const auto& r : rows) EXPECT_EQ(verdict_for(r.total), r.caption) << r.total;
}

}  // namespace varostel
