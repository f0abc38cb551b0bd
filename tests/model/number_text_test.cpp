// How numbers are written back into fields: positional decimal text only.
#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/number_reading.h"

namespace varostel {

// The scenario files see whole totals of either sign, 15.6, 1.2 and 18 months
// filled from years, 0.3 as a sum, a 21-digit total and no -0; these rows are
// the rest.
TEST(NumberText, WritesPlainDecimal) {
  const struct {
    const char* name;
    double value;
    const char* text;
  } rows[] = {{"nan", std::nan(""), "0"},
              {"negative fraction", -2.25, "-2.25"},
              {"small fraction, no exponent", 1e-7, "0.0000001"},
              {"third cut at 15 digits", 1.0 / 3, "0.333333333333333"},
              {"two thirds rounded at 15 digits", 2.0 / 3, "0.666666666666667"},
              {"mixed cut at 15 digits", 123456789.123456789, "123456789.123457"},
              {"rounds up to a whole number", 99.99999999999999, "100"},
              // A whole number is written in full: the 15-digit limit is for fractions.
              {"2^53 in full", 9007199254740992.0, "9007199254740992"},
              {"many years in months, in full", 1000000000000001.0 * 12, "12000000000000012"}};
  for (const auto& r : rows) EXPECT_EQ(number_text(r.value), r.text) << r.name;
}

// An infinity is written as the largest finite value of its sign: the text
// must read back as that value, not overflow to infinity again.
TEST(NumberText, InfinityBecomesLargestFiniteValueOfItsSign) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::string positive = number_text(kInf);
  EXPECT_EQ(positive.size(), 309u);
  EXPECT_EQ(positive.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_EQ(number_text(-kInf), "-" + positive);
  EXPECT_EQ(read_strict(positive), std::numeric_limits<double>::max());
}

}  // namespace varostel
