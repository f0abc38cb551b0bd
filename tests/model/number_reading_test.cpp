// The two readings of a field's text, and the rounding of counts to 32 bits.
#include "model/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace varostel {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The scenario files read texts strictly through the months boxes and
// leniently through the score sums (letters after a number, hexadecimal,
// exponents, a bare or doubled point, spaces, full-width digits); these rows
// are the rest.
TEST(NumberReading, StrictAndLenientReadingOfEachText) {
  const std::string many = "1" + std::string(399, '7');  // 400 digits: beyond a double
  const std::string tiny = "0." + std::string(400, '0') + "1";
  constexpr auto no = std::nullopt;  // the strict reading fails
  const struct {
    const char* name;
    std::string text;
    std::optional<double> strict;
    double lenient;
  } rows[] = {{"zero", "0", 0.0, 0},
              {"leading zeros", "0007", 7.0, 7},
              {"plus", "+7", 7.0, 7},
              {"fraction", "3.25", 3.25, 3.25},
              {"minus", "-7.5", -7.5, -7.5},
              {"capital exponent", "1E3", no, 1},
              {"stop without fraction", "5.", no, 5},
              {"sign alone", "+", no, 0},
              {"minus alone", "-", no, 0},
              {"double sign", "--1", no, 0},
              {"empty", "", no, 0},
              {"trailing space", "12 ", no, 12},
              {"inf", "inf", no, 0},
              {"nan", "nan", no, 0},
              {"infinity", "-infinity", no, 0},
              {"full-width digits", "１２", no, 0},
              {"arabic-indic digits", "١٢", no, 0},
              {"decimal comma", "1,5", no, 1},
              {"400 digits", many, kInf, kInf},
              {"-400 digits", "-" + many, -kInf, -kInf},
              {"tiny fraction", tiny, 0.0, 0}};
  for (const auto& r : rows) {
    EXPECT_EQ(read_strict(r.text), r.strict) << r.name;
    EXPECT_EQ(read_lenient(r.text), r.lenient) << r.name;
  }
}

TEST(NumberReading, MegabyteTextsReadCorrectly) {
  const std::string nines(1 << 20, '9');
  EXPECT_EQ(read_strict(nines), kInf);
  EXPECT_EQ(read_lenient(nines + "x"), kInf);
  EXPECT_EQ(read_strict(std::string(1 << 20, '0') + "12"), 12.0);
  EXPECT_EQ(read_strict("0." + std::string(1 << 20, '0') + "5"), 0.0);
}

// Counts are rounded half to even before they are scored. The scenario files
// play the halves on a year's edge (11.5, 18.5, 35.5) and the 32-bit limit;
// these rows pin the rule between those edges.
TEST(NumberReading, RoundToInt32HalfToEven) {
  const struct {
    double value;
    std::int32_t expected;
  } rows[] = {{0.5, 0},
              {1.5, 2},
              {2.5, 2},
              {2.4999, 2},
              {2.5001, 3},
              {2147483646.5, 2147483646},
              {2147483647.0, 2147483647}};
  for (const auto& r : rows) EXPECT_EQ(round_to_int32(r.value), r.expected) << r.value;
}

}  // namespace varostel
