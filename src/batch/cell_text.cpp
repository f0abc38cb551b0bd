#include "batch/cell_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "model/utf8.h"

namespace varostel::batch {

namespace {

constexpr int kSignificantDigits = 15;

// Days since 1970-01-01 to a civil date (H. Hinnant's days_from_civil inverse).
void civil_from_days(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto day_of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned shifted_month = (5 * day_of_year + 2) / 153;
  day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  year = static_cast<std::int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
}

std::string date_string(std::int64_t year, unsigned month, unsigned day) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(year), month, day);
  return text;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of an escape "_xHHHH_" at the start of `text`, or -1.
long escape_at(std::string_view text) {
  if (text.size() < 7 || text[0] != '_' || text[1] != 'x' || text[6] != '_') return -1;
  long unit = 0;
  for (std::size_t i = 2; i < 6; ++i) {
    const int digit = hex_value(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

}  // namespace

std::string general_number_text(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  if (value == 0) return "0";
  // Scientific form with 15 significant digits does the rounding once, so
  // the plain and exponent forms below agree on every digit.
  char buffer[40];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, kSignificantDigits - 1);
  (void)error;  // 40 characters always hold 15 digits and an exponent
  const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e_at = scientific.find('e');
  std::string digits;
  digits += scientific[0];
  digits += scientific.substr(2, e_at - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::from_chars(scientific.data() + e_at + (scientific[e_at + 1] == '+' ? 2 : 1),
                  scientific.data() + scientific.size(), exponent);

  std::string text = value < 0 ? "-" : "";
  if (exponent >= kSignificantDigits || exponent < -9) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits, 1);
    char exponent_text[16];
    std::snprintf(exponent_text, sizeof exponent_text, "E%c%02d", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    return text + exponent_text;
  }
  if (exponent < 0) {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return text;
  }
  const auto integer_digits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integer_digits) {
    text.append(digits).append(integer_digits - digits.size(), '0');
  } else {
    text.append(digits, 0, integer_digits).append(".").append(digits, integer_digits);
  }
  return text;
}

std::optional<std::string> date_text(double serial, bool date1904) {
  if (!std::isfinite(serial)) return std::nullopt;
  const double whole = std::floor(serial);
  // The last day is 9999-12-31 in both systems.
  const double first = date1904 ? 0 : 1;
  const double last = date1904 ? 2957003 : 2958465;
  if (whole < first || whole > last) return std::nullopt;
  const auto day_number = static_cast<std::int64_t>(whole);
  if (!date1904 && day_number == 60) return "1900-02-29";
  // 1899-12-31 is day -25568 since 1970; past the phantom 29 February the
  // serials run one ahead.
  const std::int64_t days = date1904 ? day_number - 24107
                                     : day_number - 25568 - (day_number > 60 ? 1 : 0);
  std::int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civil_from_days(days, year, month, day);
  return date_string(year, month, day);
}

bool is_builtin_date_format(unsigned id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

bool is_date_format_code(std::string_view code) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    switch (code[i]) {
      case '"': {
        const std::size_t close = code.find('"', i + 1);
        if (close == std::string_view::npos) return false;
        i = close;
        break;
      }
      case '[': {
        const std::size_t close = code.find(']', i + 1);
        if (close == std::string_view::npos) return false;
        i = close;
        break;
      }
      case '\\':  // the next character is shown as it is
      case '_':   // the next character's width as a space
      case '*':   // the next character repeated to fill
        ++i;
        break;
      case 'd': case 'D': case 'm': case 'M': case 'y': case 'Y':
      case 'h': case 'H': case 's': case 'S':
        return true;
      default:
        break;
    }
  }
  return false;
}

std::string decode_escapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const long unit = escape_at(text.substr(i));
    if (unit < 0) {
      out += text[i++];
      continue;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      const long low = escape_at(text.substr(i + 7));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        utf8::append(out, static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        i += 14;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {  // a lone surrogate has no UTF-8 form
      out += text[i++];
      continue;
    }
    utf8::append(out, static_cast<char32_t>(unit));
    i += 7;
  }
  return out;
}

std::string escape_underscores(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (escape_at(text.substr(i)) >= 0) out += "_x005F";
    out += text[i];
  }
  return out;
}

}  // namespace varostel::batch
