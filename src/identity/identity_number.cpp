#include "identity/identity_number.h"

#include <algorithm>
#include <cstddef>

namespace varostel {
namespace {

constexpr std::size_t kShortLength = 15;
constexpr std::size_t kLongLength = 18;
// A 15-character number holds the last two digits of a year of the 1900s.
constexpr int kShortYearBase = 1900;

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
  if (text.size() == kLongLength && text.back() == 'X') return text.substr(0, kLongLength - 1);
  return text;
}

}  // namespace

std::optional<IdentityFacts> read_identity_number(std::string_view text) {
  const std::string_view digits = digit_part(text);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), is_digit)) return std::nullopt;
  if (digits.find_first_not_of('0') == std::string_view::npos) return std::nullopt;

  std::string year;
  int birth_year = 0;
  std::string_view month, day;
  char sex_digit = '0';
  if (text.size() == kShortLength) {
    birth_year = kShortYearBase + value_of(cut(text, 7, 2));
    year = std::to_string(birth_year);
    month = cut(text, 9, 2);
    day = cut(text, 11, 2);
    sex_digit = text[15 - 1];
  } else if (text.size() == kLongLength) {
    year = std::string(cut(text, 7, 4));  // shown as written, "0000" included
    birth_year = value_of(year);
    month = cut(text, 11, 2);
    day = cut(text, 13, 2);
    sex_digit = text[17 - 1];
  } else {
    return std::nullopt;
  }
  const Sex sex = (sex_digit - '0') % 2 == 0 ? Sex::Female : Sex::Male;
  return IdentityFacts{year + "年" + std::string(month) + "月" + std::string(day) + "日", sex,
                       birth_year};
}

std::string_view sex_text(Sex sex) { return sex == Sex::Female ? kFemale : kMale; }

}  // namespace varostel
