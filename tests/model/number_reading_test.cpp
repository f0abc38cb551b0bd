// The two readings of a field's text, and the rounding of counts to 32 bits.
#include "model/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace varostel {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberReading, StrictLenientAndPrefixOfEachText) {
  const std::string many = "1" + std::string(399, '7');  // 400 digits: beyond a double
  const std::string tiny = "0." + std::string(400, '0') + "1";
  constexpr auto no = std::nullopt;  // the strict reading fails
  const struct {
    const char* name;
    std::string text;
    std::optional<double> strict;
    double lenient;
    std::size_t prefix;
  } rows[] = {{"zero", "0", 0.0, 0, 1},
              {"leading zeros", "0007", 7.0, 7, 4},
              {"plus", "+7", 7.0, 7, 2},
              {"fraction", "3.25", 3.25, 3.25, 4},
              {"minus", "-7.5", -7.5, -7.5, 4},
              {"letters after", "12abc", no, 12, 2},
              {"hexadecimal", "0x10", no, 0, 1},
              {"exponent", "1e3", no, 1, 1},
              {"capital exponent", "1E3", no, 1, 1},
              {"two stops", "2.5.1", no, 2.5, 3},
              {"stop without fraction", "5.", no, 5, 1},
              {"no whole digits", ".5", no, 0, 0},
              {"sign alone", "+", no, 0, 0},
              {"minus alone", "-", no, 0, 0},
              {"double sign", "--1", no, 0, 0},
              {"empty", "", no, 0, 0},
              {"leading space", " 12", no, 0, 0},
              {"trailing space", "12 ", no, 12, 2},
              {"inf", "inf", no, 0, 0},
              {"nan", "nan", no, 0, 0},
              {"infinity", "-infinity", no, 0, 0},
              {"full-width digits", "１２", no, 0, 0},
              {"arabic-indic digits", "١٢", no, 0, 0},
              {"decimal comma", "1,5", no, 1, 1},
              {"400 digits", many, kInf, kInf, 400},
              {"-400 digits", "-" + many, -kInf, -kInf, 401},
              {"tiny fraction", tiny, 0.0, 0, tiny.size()}};
  for (const auto& r : rows) {
    EXPECT_EQ(read_strict(r.text), r.strict) << r.name;
    EXPECT_EQ(read_lenient(r.text), r.lenient) << r.name;
    EXPECT_EQ(decimal_prefix_length(r.text), r.prefix) << r.name;
  }
}

TEST(NumberReading, MegabyteTextsReadCorrectly) {
  const std::string nines(1 << 20, '9');
  EXPECT_EQ(read_strict(nines), kInf);
  EXPECT_EQ(read_lenient(nines + "x"), kInf);
  EXPECT_EQ(decimal_prefix_length(nines + "x"), nines.size());
  EXPECT_EQ(read_strict(std::string(1 << 20, '0') + "12"), 12.0);
  EXPECT_EQ(read_strict("0." + std::string(1 << 20, '0') + "5"), 0.0);
}

TEST(NumberReading, RoundToInt32HalfToEvenAndSaturating) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const struct {
    double value;
    std::int32_t expected;
  } rows[] = {{0.5, 0},
              {1.5, 2},
              {2.5, 2},
              {2.4999, 2},
              {2.5001, 3},
              {18.5, 18},
              {35.5, 36},
              {-0.5, 0},
              {-1.5, -2},
              {2147483646.5, 2147483646},
              {2147483647.0, kMax},
              {2147483647.5, kMax},
              {99999999999.0, kMax},
              {kInf, kMax},
              {-1e12, kMin},
              {-kInf, kMin},
              {std::nan(""), 0}};
  for (const auto& r : rows) EXPECT_EQ(round_to_int32(r.value), r.expected) << r.value;
}

}  // namespace varostel
