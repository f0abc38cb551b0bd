#include "model/utf8.h"

namespace varostel::utf8 {
namespace {

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
  char32_t character;
  std::size_t bytes;
};

// The character that starts at byte i; a byte that starts no valid
// character is one U+FFFD on its own.
Decoded decode_at(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead < 0x80) return {lead, 1};
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    if (i + k >= text.size() || !is_continuation(static_cast<unsigned char>(text[i + k]))) {
      return {kReplacement, 1};
    }
    c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {kReplacement, 1};
  return {c, extra + 1};
}

}  // namespace

void pop_back(std::string& text) {
  while (!text.empty() && is_continuation(static_cast<unsigned char>(text.back()))) {
    text.pop_back();
  }
  if (!text.empty()) text.pop_back();
}

void append(std::string& text, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t length(std::string_view text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); i += decode_at(text, i).bytes) ++characters;
  return characters;
}

std::string_view first_characters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (; count > 0 && end < text.size(); --count) end += decode_at(text, end).bytes;
  return text.substr(0, end);
}

std::vector<char32_t> decode(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = decode_at(text, i);
    out.push_back(d.character);
    i += d.bytes;
  }
  return out;
}

}  // namespace varostel::utf8
