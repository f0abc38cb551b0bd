// Field texts are UTF-8, but typing and Backspace work in characters. The
// scenario player splits typed keys with decode, so a decoder that merges or
// invents characters would type something other than the file says.
#include "model/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varostel {
namespace {

using namespace std::string_literals;
constexpr char32_t kBad = 0xFFFD;

TEST(Utf8, DecodeGivesEachValidCharacterAndOneReplacementPerInvalidByte) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<char32_t> characters;
  } rows[] = {
      {"empty", "", {}},
      {"ASCII with NUL and DEL", "\0a\x7F"s, {0, U'a', 0x7F}},
      {"two-byte edges U+0080 U+07FF", "\xC2\x80\xDF\xBF", {0x80, 0x7FF}},
      {"three-byte edges U+0800 U+FFFF", "\xE0\xA0\x80\xEF\xBF\xBF", {0x800, 0xFFFF}},
      {"around the surrogates U+D7FF U+E000", "\xED\x9F\xBF\xEE\x80\x80", {0xD7FF, 0xE000}},
      {"four-byte edges U+10000 U+10FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", {0x10000, 0x10FFFF}},
      {"lead bytes F8 to FF", "\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF", std::vector<char32_t>(8, kBad)},
      {"lead F8 before continuations", "\xF8\x90\x80\x80", {kBad, kBad, kBad, kBad}},
      {"lead FB before continuations", "\xFB\xBF\xBF\xBF", {kBad, kBad, kBad, kBad}},
      {"lead byte F5", "\xF5\x80\x80\x80", {kBad, kBad, kBad, kBad}},
      {"overlong two-byte NUL C0 80", "\xC0\x80", {kBad, kBad}},
      {"overlong two-byte DEL C1 BF", "\xC1\xBF", {kBad, kBad}},
      {"overlong three-byte NUL", "\xE0\x80\x80", {kBad, kBad, kBad}},
      {"overlong three-byte U+07FF", "\xE0\x9F\xBF", {kBad, kBad, kBad}},
      {"overlong four-byte NUL", "\xF0\x80\x80\x80", {kBad, kBad, kBad, kBad}},
      {"overlong four-byte U+FFFF", "\xF0\x8F\xBF\xBF", {kBad, kBad, kBad, kBad}},
      {"encoded surrogate U+D800", "\xED\xA0\x80", {kBad, kBad, kBad}},
      {"encoded surrogate U+DFFF", "\xED\xBF\xBF", {kBad, kBad, kBad}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
      {"lead F7 at the top", "\xF7\xBF\xBF\xBF", {kBad, kBad, kBad, kBad}},
      {"two-byte cut short at the end", "a\xC3", {U'a', kBad}},
      {"three-byte cut short at the end", "\xE5\xB9", {kBad, kBad}},
      {"four-byte cut short at the end", "\xF0\x9F\x98", {kBad, kBad, kBad}},
      {"cut short before a digit", "\xE5\xB9"s + "1", {kBad, kBad, U'1'}},
      {"cut short before a character", "\xE5\xB9年", {kBad, kBad, U'年'}},
      {"lead before a plain letter", "\xC3"s + "A", {kBad, U'A'}},
      {"lone continuation bytes", "\x80\xBF", {kBad, kBad}},
      {"continuation after a whole character", "é\x80", {0xE9, kBad}},
  };
  for (const auto& r : rows) EXPECT_EQ(utf8::decode(r.bytes), r.characters) << r.name;
}

// What append writes, decode reads back; what cannot be encoded (a surrogate,
// or beyond U+10FFFF) is written as U+FFFD.
TEST(Utf8, AppendEncodesEveryLengthDecodeReadsItBack) {
  const struct {
    char32_t character, read_back;
  } rows[] = {{0x7F, 0x7F},     {0x80, 0x80},       {0x7FF, 0x7FF},       {0x800, 0x800},
              {0xD7FF, 0xD7FF}, {0xD800, kBad},     {0xDFFF, kBad},       {0xE000, 0xE000},
              {0xFFFF, 0xFFFF}, {0x10000, 0x10000}, {0x10FFFF, 0x10FFFF}, {0x110000, kBad}};
  for (const auto& r : rows) {
    std::string text;
    utf8::append(text, r.character);
    EXPECT_EQ(utf8::decode(text), std::vector<char32_t>{r.read_back})
        << std::hex << static_cast<std::uint32_t>(r.character);
  }
}

// The form cuts a text box's text with these; a cut inside a character, or a
// count that differs from decode's, would leave a broken or longer text.
TEST(Utf8, LengthAndFirstCharactersCountAsDecodeDoes) {
  const struct {
    const char* name;
    std::string text;
    std::size_t count;
    std::string first;
  } rows[] = {
      {"empty text", "", 3, ""},
      {"none wanted", "abc", 0, ""},
      {"shorter than wanted", "ab", 3, "ab"},
      {"exactly as long", "abc", 3, "abc"},
      {"one too long", "abcd", 3, "abc"},
      {"two-byte character at the cut kept", "aé", 2, "aé"},
      {"two-byte character past the cut dropped", "abé", 2, "ab"},
      {"three-byte character past the cut dropped", "ab年", 2, "ab"},
      {"four-byte character at the cut kept", "a😀b", 2, "a😀"},
      {"four-byte character past the cut dropped", "ab😀", 2, "ab"},
      {"four-byte characters only", "😀😀😀", 2, "😀😀"},
      {"an invalid byte is one character",
       "a\xFF\xFE"
       "b",
       2, "a\xFF"},
      {"a cut-short sequence is one character a byte", "\xE5\xB9" + "1"s, 2, "\xE5\xB9"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(utf8::first_characters(r.text, r.count), r.first) << r.name;
    EXPECT_EQ(utf8::length(r.text), utf8::decode(r.text).size()) << r.name;
  }
}

}  // namespace
}  // namespace varostel
