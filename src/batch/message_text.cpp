#include "batch/message_text.h"

#include "model/utf8.h"

namespace varostel::batch {
namespace {

constexpr std::size_t kShownCharacters = 80;

void append_escaped(std::string& out, char32_t c) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (c) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    default: break;
  }
  if (c < 0x20 || c == 0x7F) {
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  } else if ((c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) {
    // C1 controls and the Unicode line separators start lines too.
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
  } else {
    utf8::append(out, c);
  }
}

}  // namespace

std::string quoted_cell(std::string_view cell) {
  const std::string_view shown = utf8::first_characters(cell, kShownCharacters);
  std::string out = "\"";
  for (char32_t c : utf8::decode(shown)) append_escaped(out, c);
  if (shown.size() < cell.size()) out += "…";
  out += '"';
  return out;
}

}  // namespace varostel::batch
