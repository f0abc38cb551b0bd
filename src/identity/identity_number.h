// Reads a resident identity number of 15 or 18 characters into the birth
// date text, the sex and the birth year. Only fixed positions are cut out:
// no check digit is computed and the date is not tested for validity.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varostel {

enum class Sex { Female, Male };  // from the parity of the sex digit

struct IdentityFacts {
  std::string birth_date;  // e.g. "1985年01月02日"; month and day keep their zeros
  Sex sex;
  int birth_year;  // 0 when the year digits are all zeros: no age follows
  // As written, so they may name no real day (month 13, 31 April).
  int birth_month;
  int birth_day;
};

inline constexpr std::string_view kFemale = "女";
inline constexpr std::string_view kMale = "男";

// Empty, all zeros, of another length than 15 or 18, or holding anything but
// ASCII digits (an 18-character number may end in a capital X): nullopt.
[[nodiscard]] std::optional<IdentityFacts> read_identity_number(std::string_view text);

[[nodiscard]] std::string_view sex_text(Sex sex);

}  // namespace varostel
