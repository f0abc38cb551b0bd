#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace varostel {
namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::string number_text(double value) {
  if (std::isnan(value) || value == 0.0) return "0";
  if (std::isinf(value)) {
    value = std::copysign(std::numeric_limits<double>::max(), value);
  }

  // Round to 15 significant digits first: "d.dddddddddddddde±x".
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, e)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // Place the decimal point: the first digit stands for 10^exponent.
  std::string text = value < 0 ? "-" : "";
  const int digit_count = static_cast<int>(digits.size());
  if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else if (exponent + 1 >= digit_count) {
    text += digits;
    text.append(static_cast<std::size_t>(exponent + 1 - digit_count), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(exponent + 1));
    text += '.';
    text += digits.substr(static_cast<std::size_t>(exponent + 1));
  }
  return text;
}

}  // namespace varostel
