// How numbers are written back into fields, beyond the totals the scenario
// files see: positional decimal text only, 15 significant digits for
// fractions, whole numbers in full, and an infinity as the largest finite
// value of its sign, so that the text reads back without overflowing.
#include "model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
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

// Qt sets the C library's locale from the user's; under de_DE.UTF-8 its own
// strtod and printf use a decimal comma. The fields never do.
TEST(NumberText, ReadsAndWritesFullStopsInADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing; scripts/test makes it";
  EXPECT_EQ(number_text(2.5), "2.5");
  EXPECT_EQ(number_text(1152921504606846976.0), "1152921504606847000");
  EXPECT_EQ(read_strict("1.5"), 1.5);
  EXPECT_EQ(read_strict("123456789012345678901.5"), 123456789012345678901.5);
  EXPECT_EQ(read_strict("1,5"), std::nullopt);
  EXPECT_EQ(read_lenient("1,5"), 1.0);
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace varostel
