// The decoder gets a list in pieces of whatever size a read returns: a
// character, a byte-order mark or the sampled first line may be split
// anywhere, and neither the text nor a bad byte's offset may depend on it.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "batch/text_encoding.h"

namespace varostel::batch {
namespace {

using namespace std::string_literals;

struct Decoded {
  std::string text;
  std::string error;
};

Decoded decode_in_pieces(std::string_view bytes, const std::string& encoding, std::size_t piece) {
  TextDecoder decoder(Encoding{encoding});
  Decoded out;
  for (std::size_t at = 0; at < bytes.size() && out.error.empty(); at += piece) {
    if (auto error = decoder.feed(bytes.substr(at, piece), out.text)) out.error = error->message;
  }
  if (out.error.empty()) {
    if (auto error = decoder.finish(out.text)) out.error = error->message;
  }
  return out;
}

struct Case {
  std::string bytes, encoding, text, error;
};

TEST(TextDecoder, SameTextAndErrorsWhereverTheListIsSplit) {
  const std::string line = "客户,选择学历\r\n王,全日制本科\r\n";
  const Case cases[] = {
      {"\xEF\xBB\xBF" + line, "", line, ""},
      {"a,b\n\xD1\xA1\xD4\xF1,\xD1\xA7\xC0\xFA\n", "", "a,b\n选择,学历\n", ""},  // GB18030
      {"\xFF\xFE\xA2\x5B\x37\x62\x0A\x00"s, "", "客户\n", ""},                       // UTF-16LE
      {"\xFE\xFF\x5B\xA2\x62\x37", "", "客户", ""},                                 // UTF-16BE
      {"\x84\x31\x95\x33\xC8\xAB", "", "全", ""},       // GB18030's own mark
      {"\xC8\xAB\xC8\xD5", "GBK", "全日", ""},
      {"x\n\xE7\x8E\x8B\n\xE9x\n", "", "", "byte 7 is not UTF-8, as the text before it is "
                                         "(save the list as UTF-8, or name its encoding with --encoding)"},
      {"\xE7\x8E\x8B\n\xE7\x8E", "", "", "byte 5 starts a character that the end cuts off"},
      {"\xE7\x8E\x8B\n\xFFx", "utf-8", "", "byte 5 is not UTF-8 (--encoding gb18030 reads GB18030)"},
      {"\xD1\xA1\xD4\xF1\n\x80\n", "", "", "byte 6 is neither UTF-8 nor GB18030"},
      {"\xFF\xFE\x62", "", "", "byte 3 starts a character that the end cuts off"},
  };
  for (const Case& c : cases) {
    for (std::size_t piece = 1; piece <= c.bytes.size(); ++piece) {
      const Decoded got = decode_in_pieces(c.bytes, c.encoding, piece);
      EXPECT_EQ(got.error, c.error) << c.bytes << " in pieces of " << piece;
      if (c.error.empty()) {
        EXPECT_EQ(got.text, c.text) << c.bytes << " in pieces of " << piece;
      }
    }
  }
}

}  // namespace
}  // namespace varostel::batch
