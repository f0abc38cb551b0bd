#include "model/number_reading.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "model/c_locale.h"

namespace varostel {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t count_digits(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && is_digit(text[i])) ++i;
  return i - from;
}

// Whole numbers of up to 19 digits fit in 64 bits, whose conversion to a
// double rounds correctly: the common case needs no C library call.
constexpr std::size_t kFastWholeDigits = 19;

// Converts a text already known to be a decimal number. The same code runs in
// every build, the WebAssembly page's included, so every build reads the same
// text as the same number.
double convert(std::string_view number) {
  bool negative = false;
  if (number.front() == '+' || number.front() == '-') {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0.0;
  if (number.size() <= kFastWholeDigits && number.find('.') == std::string_view::npos) {
    std::uint64_t whole = 0;
    for (const char digit : number) whole = whole * 10 + static_cast<std::uint64_t>(digit - '0');
    value = static_cast<double>(whole);
  } else {
    // strtod needs a terminated text, and the C locale's full stop.
    const std::string terminated(number);
    const CLocaleScope c_locale;
    errno = 0;
    value = std::strtod(terminated.c_str(), nullptr);
    // Beyond the double range strtod gives an infinity; a value too small to
    // be a normal double reads as zero.
    if (errno == ERANGE && !std::isinf(value)) value = 0.0;
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
