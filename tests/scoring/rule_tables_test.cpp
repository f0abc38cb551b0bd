// The scoring rules as pure functions, on every band edge. The expected
// points are written out here from the published rules, not taken from the
// tables the code uses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "model/form.h"
#include "scoring/age.h"
#include "scoring/education.h"
#include "scoring/insurance.h"
#include "scoring/personal_items.h"
#include "scoring/totals.h"

namespace varostel {

constexpr double kInf = std::numeric_limits<double>::infinity();

// other: any education but a full-time bachelor's ("全日制本科", "全日制本科有学位").
TEST(RuleTables, AgePointsByBandAndEducation) {
  const struct { double age, other, bachelor; } rows[] = {
      {-3, 0, 0}, {17, 0, 0},   {18, 5, 5},   {34, 5, 5},   {35, 1, 1},   {39, 1, 1},
      {40, -2, 0}, {41, -4, 0}, {42, -6, 0},  {44, -10, 0}, {45, -15, 0}, {46, -20, 0},
      {47, -25, 0}, {48, 0, 0}, {99, 0, 0}};
  for (const auto& r : rows) {
    for (const char* other : {"高中或以下学历", "非全日制本科", "全日制大专或高技", "", "全日制本科 "}) {
      EXPECT_EQ(age_points(r.age, other), r.other) << "age " << r.age << ", " << other;
    }
    EXPECT_EQ(age_points(r.age, "全日制本科"), r.bachelor) << "age " << r.age;
    EXPECT_EQ(age_points(r.age, "全日制本科有学位"), r.bachelor) << "age " << r.age;
  }
}

TEST(RuleTables, EducationPointsForExactTextsOnly) {
  const struct { const char* text; int points; } rows[] = {
      {"高中或以下学历", 0}, {"全日制大专或高技", 70}, {"全日制本科", 90}, {"全日制本科有学位", 100},
      {"非全日制大专或高技", 60}, {"非全日制本科", 80}, {"", 0}, {"本科", 0}, {"全日制本科 ", 0}};
  for (const auto& r : rows) EXPECT_EQ(education_points(r.text), r.points) << r.text;
}

// Pension earns 3 points per 12 whole months, the other funds 1.
TEST(RuleTables, FundPointsPerTwelveWholeMonths) {
  const struct { const char* name; double months; long long pension, other; } rows[] = {
      {"zero", 0, 0, 0}, {"negative", -24, 0, 0}, {"11", 11, 0, 0},
      {"11.5 rounds to 12", 11.5, 3, 1}, {"12", 12, 3, 1}, {"12.5 rounds to 12", 12.5, 3, 1},
      {"18.5 rounds to 18", 18.5, 3, 1}, {"23", 23, 3, 1}, {"24", 24, 6, 2},
      {"35.5 rounds to 36", 35.5, 9, 3}, {"120", 120, 30, 10}, {"240", 240, 60, 20},
      {"beyond 32 bits", 99999999999.0, 536870910, 178956970},
      {"infinity", kInf, 536870910, 178956970}, {"nan", std::nan(""), 0, 0}};
  for (const auto& r : rows) {
    EXPECT_EQ(fund_points(r.months, 3), r.pension) << r.name;
    EXPECT_EQ(fund_points(r.months, 1), r.other) << r.name;
  }
}

TEST(RuleTables, ResidencePointsPerFullYearUpToTen) {
  const struct { const char* name; double days; int points; } rows[] = {
      {"zero", 0, 0}, {"negative", -400, 0}, {"364", 364, 0}, {"364.5 rounds to 364", 364.5, 0},
      {"364.6 rounds to 365", 364.6, 1}, {"365", 365, 1}, {"729", 729, 1}, {"730", 730, 2},
      {"3649", 3649, 9}, {"3650", 3650, 10}, {"4015", 4015, 10}, {"99999", 99999, 10},
      {"beyond 32 bits", 1e12, 10}, {"infinity", kInf, 10}, {"nan", std::nan(""), 0}};
  for (const auto& r : rows) EXPECT_EQ(residence_points(r.days), r.points) << r.name;
}

TEST(RuleTables, HousingAndChildbirthForExactTextsOnly) {
  const struct { const char* text; int points; bool days; } housing[] = {
      {"无房产", 0, false}, {"有房无按揭", 30, false}, {"有房有按揭", 20, false}, {"居住证", 0, true}};
  for (const auto& r : housing) {
    const auto found = find_housing(r.text).value_or(HousingRow{"", -1, false});
    EXPECT_EQ(std::pair(found.points, found.residence_days_enabled), std::pair(r.points, r.days))
        << r.text;
  }
  EXPECT_FALSE(find_housing("") || find_housing("居住证 "));
  const struct { const char* text; int points; } childbirth[] = {
      {"未育", 0}, {"政策内生育", 0}, {"政策外生育", -50}, {"", 0}, {"政策外", 0}};
  for (const auto& r : childbirth) EXPECT_EQ(childbirth_points(r.text), r.points) << r.text;
}

TEST(RuleTables, VerdictByGrandTotal) {
  const struct { double total; const char* caption; } rows[] = {
      {100, "积分通过，马上入户"}, {99.5, "积分通过，马上入户"}, {99, "差一点，考证入户"},
      {1, "差一点，考证入户"}, {0.5, "差一点，考证入户"}, {0, "需要补充一点分数…"}, {-5, "需要补充一点分数…"}};
  for (const auto& r : rows) EXPECT_EQ(verdict_for(r.total), r.caption) << r.total;
}

}  // namespace varostel
