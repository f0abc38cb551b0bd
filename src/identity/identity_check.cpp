#include "identity/identity_check.h"

#include <array>
#include <cstddef>

#include "identity/identity_number.h"

namespace varostel {
namespace {

constexpr std::size_t kCheckedDigits = 17;

// Weight of each digit: 2 to the power of its distance from the check
// character, modulo 11.
constexpr std::array<int, kCheckedDigits> kWeights = {7, 9, 10, 5,  8, 4, 2, 1, 6,
                                                      3, 7, 9,  10, 5, 8, 4, 2};

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && is_leap_year(year)) return 29;
  return kDays[static_cast<std::size_t>(month - 1)];
}

}  // namespace

std::optional<char> check_character(std::string_view first_17_digits) {
  if (first_17_digits.size() != kCheckedDigits) return std::nullopt;
  int sum = 0;
  for (std::size_t i = 0; i < kCheckedDigits; ++i) {
    const char c = first_17_digits[i];
    if (c < '0' || c > '9') return std::nullopt;
    sum += (c - '0') * kWeights[i];
  }
  // The check value makes the weighted sum with it (weight 1) equal 1 mod 11.
  const int value = (12 - sum % 11) % 11;
  return value == 10 ? 'X' : static_cast<char>('0' + value);
}

bool is_calendar_date(const Date& date) {
  // There is no year 0: the calendar goes from 1 BC to AD 1.
  if (date.year < 1 || date.month < 1 || date.month > 12) return false;
  return date.day >= 1 && date.day <= days_in_month(date.year, date.month);
}

std::string identity_hint(std::string_view number, const Date& today) {
  const auto facts = read_identity_number(number);
  if (!facts) return {};
  const Date birth{facts->birth_year, facts->birth_month, facts->birth_day};
  if (!is_calendar_date(birth)) return std::string(kHintInvalidBirthDate);
  if (birth > today) return std::string(kHintBirthDateAfterToday);
  if (number.size() == kCheckedDigits + 1) {
    const auto expected = check_character(number.substr(0, kCheckedDigits));
    if (expected && number.back() != *expected) {
      return std::string(kHintCheckCharacterBefore) + *expected +
             std::string(kHintCheckCharacterAfter);
    }
  }
  return {};
}

}  // namespace varostel
