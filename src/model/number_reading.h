// The two ways the calculator reads a field's text as a number, and the
// rounding of a count to a 32-bit whole number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varostel {

// Length of the longest leading part of `text` that is a decimal number:
// an optional sign, one or more ASCII digits, optionally a full stop followed
// by one or more digits. 0 when the text does not start with one.
[[nodiscard]] std::size_t decimal_prefix_length(std::string_view text);

// The whole text must be a decimal number; anything else (empty text, spaces,
// exponents, "inf", other scripts' digits) fails. A value beyond the double
// range reads as an infinity of its sign, one too small reads as zero.
[[nodiscard]] std::optional<double> read_strict(std::string_view text);

// The number formed by the longest leading decimal number of the text, else 0.
[[nodiscard]] double read_lenient(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour, and
// saturates at the 32-bit signed range so a larger count never scores less.
// NaN gives 0.
[[nodiscard]] std::int32_t round_to_int32(double value);

}  // namespace varostel
