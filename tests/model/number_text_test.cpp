// How numbers are written back into fields, beyond the totals the scenario
// files see: positional decimal text only, 15 significant digits for
// fractions, whole numbers in full, and an infinity as the largest finite
// value of its sign, so that the text reads back without overflowing.
#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/number_reading.h"

namespace varostel {

TEST(NumberText, WritesPlainDecimal) {
  const std::pair<double, std::string> rows[] = {
      {std::nan(""), "0"},        {-2.25, "-2.25"},
      {1e-7, "0.0000001"},        {2.0 / 3, "0.666666666666667"},
      {123456789.123456789, "123456789.123457"}, {99.99999999999999, "100"},
      {9007199254740992.0, "9007199254740992"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(number_text(value), text) << value;
  const std::string largest = number_text(std::numeric_limits<double>::infinity());
  EXPECT_EQ(largest.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_EQ(read_strict(largest), std::numeric_limits<double>::max());
  EXPECT_EQ(number_text(-std::numeric_limits<double>::infinity()), "-" + largest);
}

}  // namespace varostel
