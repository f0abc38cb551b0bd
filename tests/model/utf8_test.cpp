// Field texts are UTF-8, but typing and Backspace work in characters.
#include "model/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varostel {

TEST(Utf8, LengthCountsCharactersNotBytes) {
  EXPECT_EQ(utf8::length(""), 0u);
  EXPECT_EQ(utf8::length("居住证"), 3u);     // 9 bytes
  EXPECT_EQ(utf8::length("a\u00e9😀"), 3u);   // 1 + 2 + 4 bytes
  EXPECT_EQ(utf8::length("a\x80\x80"), 1u);  // stray continuations belong to "a"
}

TEST(Utf8, PopBackRemovesOneWholeCharacterAndAppendEncodesOne) {
  std::string text = "1年😀";
  for (const char* left : {"1年", "1", "", ""}) {
    utf8::pop_back(text);
    EXPECT_EQ(text, left);
  }
  for (char32_t c : {U'7', U'\u00e9', U'年', U'😀', char32_t{0xD800}, char32_t{0x110000}}) {
    utf8::append(text, c);
  }
  EXPECT_EQ(text, "7\u00e9年😀\uFFFD\uFFFD");  // a surrogate and beyond U+10FFFF are replaced
}

TEST(Utf8, DecodeGivesOneReplacementPerInvalidByte) {
  constexpr char32_t kBad = 0xFFFD;
  const struct {
    const char* name;
    std::string bytes;
    std::vector<char32_t> characters;
  } rows[] = {{"empty", "", {}},
              {"valid of every length", "a\u00e9年😀", {U'a', 0xE9, U'年', 0x1F600}},
              {"truncated three-byte", "\xE5\xB9", {kBad, kBad}},
              {"truncated before a digit",
               "\xE5\xB9"
               "1",
               {kBad, kBad, U'1'}},
              {"lone continuation",
               "\x80"
               "1",
               {kBad, U'1'}},
              {"overlong NUL", "\xC0\x80", {kBad, kBad}},
              {"encoded surrogate", "\xED\xA0\x80", {kBad, kBad, kBad}},
              {"beyond U+10FFFF", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
              {"invalid lead bytes", "\xFF\xF8", {kBad, kBad}}};
  for (const auto& r : rows) EXPECT_EQ(utf8::decode(r.bytes), r.characters) << r.name;
}

}  // namespace varostel
