// The two readings of a field's text and the rounding of counts, beyond the
// texts the scenario files type (letters after a number, hexadecimal,
// exponents, a bare or doubled point, spaces, full-width digits, halves on
// a year's edge, the 32-bit limit).
#include "model/number_reading.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace varostel {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberReading, StrictAndLenientReadingOfEachText) {
  const std::string many = "1" + std::string(399, '7');  // beyond a double
  constexpr auto no = std::nullopt;                       // the strict reading fails
  const struct {
    std::string text;
    std::optional<double> strict;
    double lenient;
  } rows[] = {{"0007", 7.0, 7},  {"+7", 7.0, 7},   {"-7.5", -7.5, -7.5}, {"1E3", no, 1},
              {"5.", no, 5},     {"-", no, 0},     {"--1", no, 0},      {"", no, 0},
              {"12 ", no, 12},   {"inf", no, 0},   {"nan", no, 0},      {"١٢", no, 0},
              {"1,5", no, 1},    {many, kInf, kInf}, {"-" + many, -kInf, -kInf},
              {"0." + std::string(400, '0') + "1", 0.0, 0},
              {std::string(1 << 20, '0') + "12", 12.0, 12}};
  for (const auto& r : rows) {
    EXPECT_EQ(read_strict(r.text), r.strict) << r.text.substr(0, 20);
    EXPECT_EQ(read_lenient(r.text), r.lenient) << r.text.substr(0, 20);
  }
}

TEST(NumberReading, RoundToInt32HalfToEven) {
  const std::pair<double, std::int32_t> rows[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {2.5001, 3}, {2147483646.5, 2147483646}};
  for (const auto& [value, rounded] : rows) EXPECT_EQ(round_to_int32(value), rounded) << value;
}

}  // namespace varostel
