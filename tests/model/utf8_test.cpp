// Field texts are UTF-8, but typing, Backspace and the text boxes' length
// limit work in characters: decode gives each valid character and one
// U+FFFD for each byte of an invalid sequence, append writes what decode
// reads back, and length and first_characters count as decode does.
#include "model/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <algorithm>
#include <vector>

namespace varostel {
namespace {

using namespace std::string_literals;
constexpr char32_t kBad = 0xFFFD;

TEST(Utf8, DecodeCountAndCutAgree) {
  const struct {
    std::string bytes;
    std::vector<char32_t> characters;
  } rows[] = {
      {"\0a\x7F"s, {0, U'a', 0x7F}},
      {"\xC2\x80\xDF\xBF", {0x80, 0x7FF}},
      {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", {0x800, 0xD7FF, 0xE000, 0xFFFF}},
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", {0x10000, 0x10FFFF}},
      {"\xF8\x90\x80\x80", {kBad, kBad, kBad, kBad}},  // no lead byte F5 to FF
      {"\xC1\xBF", {kBad, kBad}},                      // overlong
      {"\xE0\x9F\xBF", {kBad, kBad, kBad}},
      {"\xF0\x8F\xBF\xBF", {kBad, kBad, kBad, kBad}},
      {"\xED\xA0\x80", {kBad, kBad, kBad}},            // a surrogate
      {"\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},  // above U+10FFFF
      {"\xE5\xB9"s + "1", {kBad, kBad, U'1'}},         // cut short
      {"é\x80", {0xE9, kBad}},                         // a lone continuation
  };
  for (const auto& r : rows) {
    EXPECT_EQ(utf8::decode(r.bytes), r.characters) << r.bytes;
    EXPECT_EQ(utf8::length(r.bytes), r.characters.size()) << r.bytes;
    EXPECT_EQ(utf8::decode(utf8::first_characters(r.bytes, 2)).size(),
              std::min<std::size_t>(2, r.characters.size())) << r.bytes;
  }
  EXPECT_EQ(utf8::first_characters("a😀b", 2), "a😀");
}

TEST(Utf8, AppendWritesWhatDecodeReadsBack) {
  for (char32_t c : {0x7FU, 0x80U, 0x7FFU, 0x800U, 0xFFFFU, 0x10000U, 0x10FFFFU, 0xD800U, 0x110000U}) {
    std::string text;
    utf8::append(text, c);
    const char32_t read_back = (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF ? kBad : c;
    EXPECT_EQ(utf8::decode(text), std::vector<char32_t>{read_back}) << std::hex << static_cast<unsigned>(c);
  }
}

}  // namespace
}  // namespace varostel
