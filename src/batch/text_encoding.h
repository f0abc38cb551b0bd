// Turning the bytes of a client list into UTF-8 text as they arrive, piece
// by piece: UTF-8 checked, anything else converted with the C library's
// iconv. A leading byte-order mark is dropped.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varostel::batch {

// Which encoding a list is in. Empty: decided from the list itself. Any
// other name is iconv's ("gb18030", "GBK", "UTF-16"…), "utf-8" checked
// without iconv.
struct Encoding {
  std::string name;
};

// Offset of the first byte that is not part of well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF); none when all is.
// A character cut off at the end counts as not well-formed.
[[nodiscard]] std::optional<std::size_t> first_invalid_utf8(std::string_view bytes);

struct DecodingError {
  std::string message;  // e.g. "byte 12 is not UTF-8 …"
};

// Why iconv cannot read `name`; none when it can.
[[nodiscard]] std::optional<std::string> unknown_encoding(std::string_view name);

// How a list's encoding is decided when none is named: a UTF-16 or UTF-8
// byte-order mark says it; otherwise the first line that holds a byte
// above ASCII decides, as UTF-8 when that line is well-formed UTF-8 and as
// GB18030 when it is not. Many GB18030 byte pairs are also UTF-8, so one
// line is the surest sample; a later byte that is not UTF-8 makes the list
// unusable rather than switching, as a switch would score the rows before
// it from different text.
class TextDecoder {
 public:
  explicit TextDecoder(Encoding encoding);
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  // Appends the text of the next `bytes` to `text`.
  [[nodiscard]] std::optional<DecodingError> feed(std::string_view bytes, std::string& text);
  // After the last piece: the rest, or what is cut off.
  [[nodiscard]] std::optional<DecodingError> finish(std::string& text);

 private:
  enum class State { Start, Ascii, Sampling, Utf8, Iconv };

  std::optional<DecodingError> decide(std::string& text);
  std::optional<DecodingError> use_iconv(const std::string& name, std::string& text);
  std::optional<DecodingError> pass_utf8(std::string& text, bool last);
  std::optional<DecodingError> pass_iconv(std::string& text, bool last);
  void append_text(std::string& text, std::string_view piece);

  Encoding named_;
  State state_ = State::Start;
  std::string held_;        // bytes not yet decoded
  std::size_t held_at_ = 0; // offset of held_'s first byte in the list
  bool detected_ = false;   // the encoding was decided from the list
  bool at_text_start_ = true;
  bool finishing_ = false;
  iconv_t converter_ = reinterpret_cast<iconv_t>(-1);
  std::string iconv_name_;
};

}  // namespace varostel::batch
