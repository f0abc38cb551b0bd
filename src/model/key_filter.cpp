#include "model/key_filter.h"

namespace varostel {
namespace {

constexpr std::int16_t kCapitalX = 'X';

bool is_digit_code(std::int16_t code) { return code >= '0' && code <= '9'; }  // inclusive

}  // namespace

std::int16_t filter_key(KeyFilter filter, std::int16_t code) {
  if (code == kBackspaceCode || is_digit_code(code)) return code;
  if (filter == KeyFilter::IdentityNumber && code == kCapitalX) return code;
  return 0;
}

std::int16_t key_code(char32_t character) {
  std::uint16_t unit = 0;
  if (character <= 0xFFFF) {
    unit = static_cast<std::uint16_t>(character);
  } else {
    unit = static_cast<std::uint16_t>(0xD800 + ((character - 0x10000) >> 10));
  }
  return static_cast<std::int16_t>(unit);
}

}  // namespace varostel
