#include "model/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "model/c_locale.h"

namespace varostel {
namespace {

constexpr int kFractionSignificantDigits = 15;
// Every double reads back from 17 significant digits.
constexpr int kRoundTripDigits = 17;
// 2^53: every whole number below it is a double, and no other.
constexpr double kExactWholeLimit = 9007199254740992.0;

// Writes a positive value given in scientific notation ("d.ddde±x") in
// positional notation, without trailing zeros after a full stop.
std::string positional(std::string_view scientific) {
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, e)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // The first digit stands for 10^exponent.
  std::string text;
  const int digit_count = static_cast<int>(digits.size());
  if (exponent < 0) {
    text = "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else if (exponent + 1 >= digit_count) {
    text = digits;
    text.append(static_cast<std::size_t>(exponent + 1 - digit_count), '0');
  } else {
    const auto point = static_cast<std::size_t>(exponent + 1);
    text = digits.substr(0, point) + '.' + digits.substr(point);
  }
  return text;
}

// Scientific notation with `significant` digits, in the C locale.
std::string scientific(double magnitude, int significant) {
  char buffer[64];
  const CLocaleScope c_locale;
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, magnitude);
  return std::string(buffer, static_cast<std::size_t>(length));
}

// The fewest significant digits that read back as the value itself.
std::string shortest_scientific(double magnitude) {
  for (int significant = 1; significant < kRoundTripDigits; ++significant) {
    std::string text = scientific(magnitude, significant);
    const CLocaleScope c_locale;
    if (std::strtod(text.c_str(), nullptr) == magnitude) return text;
  }
  return scientific(magnitude, kRoundTripDigits);
}

}  // namespace

std::string number_text(double value) {
  if (std::isnan(value) || value == 0.0) return "0";
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);

  const double magnitude = std::fabs(value);
  std::string text;
  if (magnitude < kExactWholeLimit && std::trunc(magnitude) == magnitude) {
    // Below 2^53 a whole number's shortest digits are all of its digits.
    text = std::to_string(static_cast<std::uint64_t>(magnitude));
  } else if (std::trunc(magnitude) == magnitude) {
    // Larger whole numbers get the shortest digits that read back as the
    // value, so 2^60 is 1152921504606847000 rather than every digit of it.
    text = positional(shortest_scientific(magnitude));
  } else {
    // Fractions are rounded to 15 significant digits, so 1.3 x 12 is 15.6,
    // not 15.600000000000001.
    text = positional(scientific(magnitude, kFractionSignificantDigits));
  }
  return value < 0 ? "-" + text : text;
}

}  // namespace varostel
