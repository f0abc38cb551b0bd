#include "model/number_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace varostel {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t count_digits(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && is_digit(text[i])) ++i;
  return i - from;
}

// Converts a text already known to be a decimal number.
double convert(std::string_view number) {
  bool negative = false;
  if (number.front() == '+' || number.front() == '-') {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // Either too large or too small for a double: a nonzero digit before
    // the full stop means too large.
    const auto whole = number.substr(0, number.find('.'));
    const bool large = whole.find_first_not_of('0') != std::string_view::npos;
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

std::size_t decimal_prefix_length(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t whole = count_digits(text, i);
  if (whole == 0) return 0;
  i += whole;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = count_digits(text, i + 1);
    if (fraction > 0) i += 1 + fraction;
  }
  return i;
}

std::optional<double> read_strict(std::string_view text) {
  const std::size_t length = decimal_prefix_length(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return convert(text);
}

double read_lenient(std::string_view text) {
  const std::size_t length = decimal_prefix_length(text);
  return length == 0 ? 0.0 : convert(text.substr(0, length));
}

std::int32_t round_to_int32(double value) {
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  if (std::isnan(value)) return 0;
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  double whole = std::floor(value);
  const double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  // 2147483646.5 rounds to the even 2147483646; 2147483647 stays within range.
  return static_cast<std::int32_t>(whole);
}

}  // namespace varostel
