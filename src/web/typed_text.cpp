#include "web/typed_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/key_filter.h"
#include "model/utf8.h"

namespace varostel::web {
namespace {

bool is_control(char32_t character) {
  return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

}  // namespace

std::string typed_text(Form& form, FieldId box, std::string_view typed) {
  const std::vector<char32_t> characters = utf8::decode(typed);
  if (std::any_of(characters.begin(), characters.end(), is_control)) return {};
  std::string kept;
  for (const char32_t character : characters) {
    const std::int16_t code = key_code(character);
    const std::int16_t result = form.key_press(box, code);
    if (result == 0) continue;
    // A handler that keeps the code keeps the whole character, even one
    // outside the Basic Multilingual Plane, whose code is only its first half.
    utf8::append(kept, result == code ? character
                                      : static_cast<char32_t>(static_cast<std::uint16_t>(result)));
  }
  return kept;
}

}  // namespace varostel::web
