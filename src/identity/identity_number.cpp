#include "identity/identity_number.h"

#include <algorithm>
#include <cstddef>

namespace varostel {
namespace {

// Where the pieces stand in each layout, as 1-based character positions.
struct Layout {
  std::size_t length;
  std::size_t year_first, year_count;  // a 15-character number holds two year digits
  std::size_t month_first;             // two characters, leading zero kept
  std::size_t day_first;               // two characters, leading zero kept
  std::size_t sex_digit;               // even: female, odd: male
  // Added to the year digits; a layout with a base shows the sum, one
  // without shows the year digits as written ("0000" included).
  int year_base;
};

// A 15-character number holds the last two digits of a year of the 1900s.
constexpr Layout kShortLayout = {15, 7, 2, 9, 11, 15, 1900};
constexpr Layout kLongLayout = {18, 7, 4, 11, 13, 17, 0};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Digits from 1-based position `first`, `count` of them.
std::string_view cut(std::string_view text, std::size_t first, std::size_t count) {
  return text.substr(first - 1, count);
}

int value_of(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// The part of the number that must be digits: all of it, or the first 17
// characters of an 18-character number that ends in a capital X.
std::string_view digit_part(std::string_view text) {
  if (text.size() == kLongLayout.length && text.back() == 'X')
    return text.substr(0, kLongLayout.length - 1);
  return text;
}

}  // namespace

std::optional<IdentityFacts> read_identity_number(std::string_view text) {
  const std::string_view digits = digit_part(text);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), is_digit)) return std::nullopt;
  if (digits.find_first_not_of('0') == std::string_view::npos) return std::nullopt;

  const Layout* layout = text.size() == kShortLayout.length  ? &kShortLayout
                         : text.size() == kLongLayout.length ? &kLongLayout
                                                             : nullptr;
  if (!layout) return std::nullopt;

  const std::string_view year_digits = cut(text, layout->year_first, layout->year_count);
  const int birth_year = layout->year_base + value_of(year_digits);
  const std::string year =
      layout->year_base ? std::to_string(birth_year) : std::string(year_digits);
  const std::string_view month = cut(text, layout->month_first, 2);
  const std::string_view day = cut(text, layout->day_first, 2);
  const char sex_digit = text[layout->sex_digit - 1];
  const Sex sex = (sex_digit - '0') % 2 == 0 ? Sex::Female : Sex::Male;
  return IdentityFacts{year + "年" + std::string(month) + "月" + std::string(day) + "日", sex,
                       birth_year, value_of(month), value_of(day)};
}

std::string_view sex_text(Sex sex) { return sex == Sex::Female ? kFemale : kMale; }

}  // namespace varostel
