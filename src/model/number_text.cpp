#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace varostel {
namespace {

constexpr int kFractionSignificantDigits = 15;

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

}  // namespace

std::string number_text(double value) {
  if (std::isnan(value) || value == 0.0) return "0";
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);

  char buffer[64];
  const double magnitude = std::fabs(value);
  // Whole numbers get the shortest digits that read back as the value (so
  // 2^53 keeps all 16 digits); fractions are rounded to 15 significant digits
  // (so 1.3 x 12 is 15.6, not 15.600000000000001).
  const auto result =
      std::trunc(magnitude) == magnitude
          ? std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific)
          : std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                          kFractionSignificantDigits - 1);
  const std::string text =
      positional(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
  return value < 0 ? "-" + text : text;
}

}  // namespace varostel
