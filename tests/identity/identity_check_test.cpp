// The identity-number hint beyond what the scenario files play: each value
// of the check character, the calendar's edges, today, and which problem is
// named first.
#include "identity/identity_check.h"

#include <gtest/gtest.h>

#include <string>

namespace varostel {
namespace {

TEST(IdentityHint, NamesTheFirstProblemOnTheFifteenthOfJune2026) {
  const std::string bad_date = "出生日期不是有效日期", future = "出生日期晚于今天";
  const std::string should_be = "校验码应为 ", please = "，请核对号码";
  const struct {
    const char* number;
    std::string hint;
  } rows[] = {
      // Sound numbers ending in each of the eleven check characters 0..9, X.
      {"110105194912310070", ""}, {"110105194912310011", ""}, {"110105194912310062", ""},
      {"110105194912310003", ""}, {"110105194912310054", ""}, {"110105194912310185", ""},
      {"110105194912310046", ""}, {"110105194912310097", ""}, {"110105194912310038", ""},
      {"110105194912310089", ""}, {"11010519491231002X", ""},
      {"110105194912310071", should_be + "0" + please},
      {"11010519491231009X", should_be + "7" + please},
      {"110105194912310700", should_be + "8" + please},  // swapped digits in the body
      {"110105198500010010", bad_date},                   // month 00
      {"110105198501000017", bad_date},                   // day 00
      {"110105202302290014", bad_date},                   // 29 February of a common year
      {"110105202402290011", ""},                         // and of a leap year
      {"11010500000101001X", bad_date},                   // year 0000
      {"110105202606150010", ""},                         // today
      {"110105202606160016", future},                     // tomorrow
      {"110105202606160010", future},                     // before a wrong check character
      {"110105491231002", ""},                            // 15 digits, no check character
      // What the reading rejects gets no hint.
      {"11010519491231002x", ""}, {"1101051949X231002X", ""}, {"000000000000000000", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(identity_hint(row.number, {2026, 6, 15}), row.hint) << row.number;
}

TEST(CheckCharacter, OnlyOfSeventeenAsciiDigits) {
  EXPECT_EQ(check_character("11010519491231002"), 'X');
  for (const char* body : {"1101051949123100", "110105194912310021", "1101051949123100X"})
    EXPECT_EQ(check_character(body), std::nullopt) << body;
}

}  // namespace
}  // namespace varostel
