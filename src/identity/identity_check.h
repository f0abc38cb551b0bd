// Checks an identity number that the reading has accepted, for a hint to
// the user: the check character of an 18-character number and the birth
// date. Never changes what the reading writes; birth places are not checked.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/clock.h"

namespace varostel {

inline constexpr std::string_view kHintInvalidBirthDate = "出生日期不是有效日期";
inline constexpr std::string_view kHintBirthDateAfterToday = "出生日期晚于今天";
// Around the check character the number should end in.
inline constexpr std::string_view kHintCheckCharacterBefore = "校验码应为 ";
inline constexpr std::string_view kHintCheckCharacterAfter = "，请核对号码";

// The ISO 7064 MOD 11-2 check character ('0' to '9', or 'X' for 10) of the
// first 17 characters, which must be ASCII digits; nullopt otherwise.
[[nodiscard]] std::optional<char> check_character(std::string_view first_17_digits);

[[nodiscard]] bool is_calendar_date(const Date& date);

// The hint for the number in the identity box, empty when there is none: a
// number the reading rejects gets none (its own mark says enough). A date
// problem comes before a wrong check character, since a mistyped date digit
// also spoils the check and the date says where to look.
[[nodiscard]] std::string identity_hint(std::string_view number, const Date& today);

}  // namespace varostel
