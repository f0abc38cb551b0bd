// Which typed characters a number box takes. A filter sees one character
// code (signed 16 bits, as a KeyPress handler does) and returns it to let the
// character through, or 0 to discard it.
#pragma once

#include <cstdint>

namespace varostel {

enum class KeyFilter : std::uint8_t {
  Digits,          // Backspace and 0-9
  IdentityNumber,  // Backspace, 0-9 and the capital X
};

inline constexpr std::int16_t kBackspaceCode = 8;

[[nodiscard]] std::int16_t filter_key(KeyFilter filter, std::int16_t code);

// The code a KeyPress handler sees for a character: its UTF-16 unit, or the
// high surrogate for a character outside the Basic Multilingual Plane.
[[nodiscard]] std::int16_t key_code(char32_t character);

}  // namespace varostel
