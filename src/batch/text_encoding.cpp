#include "batch/text_encoding.h"

#include <cerrno>

namespace varostel::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The most a line is sampled before deciding; a longer line is decided on
// what it has so far.
constexpr std::size_t kSampleLimit = std::size_t{1} << 20;
const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_utf8_name(std::string_view name) {
  std::string lower;
  for (char c : name) lower += lower_ascii(c);
  return lower == "utf-8" || lower == "utf8";
}

// Length of the UTF-8 character led by `lead`, and the range of its second
// byte; 0 for a byte that leads none.
struct Lead {
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
};

Lead lead_of(unsigned char lead) {
  if (lead < 0x80) return {1};
  if (lead >= 0xC2 && lead <= 0xDF) return {2};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
  if (lead == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (lead >= 0xE1 && lead <= 0xEF) return {3};
  if (lead == 0xF0) return {4, 0x90, 0xBF};  // no overlong forms
  if (lead == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
  if (lead >= 0xF1 && lead <= 0xF3) return {4};
  return {};
}

struct Utf8Check {
  std::size_t valid = 0;  // bytes from the start that are whole characters
  bool cut_off = false;   // what follows is a character's beginning, cut off by the end
};

Utf8Check check_utf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    if (data[i] < 0x80) {
      ++i;
      continue;
    }
    const Lead lead = lead_of(data[i]);
    if (lead.length == 0) return {i, false};
    for (std::size_t k = 1; k < lead.length; ++k) {
      if (i + k == size) return {i, true};
      const unsigned char low = k == 1 ? lead.low : 0x80, high = k == 1 ? lead.high : 0xBF;
      if (data[i + k] < low || data[i + k] > high) return {i, false};
    }
    i += lead.length;
  }
  return {i, false};
}

std::string byte_number(std::size_t offset) { return "byte " + std::to_string(offset + 1); }

}  // namespace

std::optional<std::size_t> first_invalid_utf8(std::string_view bytes) {
  const Utf8Check check = check_utf8(bytes);
  if (check.valid == bytes.size()) return std::nullopt;
  return check.valid;
}

std::optional<std::string> unknown_encoding(std::string_view name) {
  if (is_utf8_name(name)) return std::nullopt;
  const iconv_t converter = iconv_open("UTF-8", std::string(name).c_str());
  if (converter == kNoConverter) return "this system's iconv knows no encoding \"" + std::string(name) + "\"";
  iconv_close(converter);
  return std::nullopt;
}

TextDecoder::TextDecoder(Encoding encoding) : named_(std::move(encoding)) {}

TextDecoder::~TextDecoder() {
  if (converter_ != kNoConverter) iconv_close(converter_);
}

void TextDecoder::append_text(std::string& text, std::string_view piece) {
  if (at_text_start_ && !piece.empty()) {
    at_text_start_ = false;
    if (piece.starts_with(kByteOrderMark)) piece.remove_prefix(kByteOrderMark.size());
  }
  text.append(piece);
}

std::optional<DecodingError> TextDecoder::use_iconv(const std::string& name, std::string& text) {
  converter_ = iconv_open("UTF-8", name.c_str());
  if (converter_ == kNoConverter) {
    return DecodingError{"this system's iconv cannot read " + name};
  }
  iconv_name_ = name;
  state_ = State::Iconv;
  return pass_iconv(text, false);
}

std::optional<DecodingError> TextDecoder::feed(std::string_view bytes, std::string& text) {
  held_.append(bytes);
  return decide(text);
}

std::optional<DecodingError> TextDecoder::finish(std::string& text) {
  finishing_ = true;
  if (auto error = decide(text)) return error;
  if (state_ == State::Utf8) return pass_utf8(text, true);
  if (state_ == State::Iconv) return pass_iconv(text, true);
  return std::nullopt;
}

std::optional<DecodingError> TextDecoder::decide(std::string& text) {
  if (state_ == State::Start) {
    if (!named_.name.empty()) {
      if (!is_utf8_name(named_.name)) return use_iconv(named_.name, text);
      state_ = State::Utf8;
    } else {
      if (held_.size() < kByteOrderMark.size() && !finishing_) {
        return std::nullopt;
      }
      detected_ = true;
      const std::string_view start(held_);
      if (start.starts_with("\xFF\xFE")) return use_iconv("UTF-16LE", text);
      if (start.starts_with("\xFE\xFF")) return use_iconv("UTF-16BE", text);
      state_ = start.starts_with(kByteOrderMark) ? State::Utf8 : State::Ascii;
    }
  }
  if (state_ == State::Ascii) {
    std::size_t i = 0;
    while (i < held_.size() && static_cast<unsigned char>(held_[i]) < 0x80) ++i;
    append_text(text, std::string_view(held_).substr(0, i));
    held_.erase(0, i);
    held_at_ += i;
    if (held_.empty()) return std::nullopt;
    state_ = State::Sampling;
  }
  if (state_ == State::Sampling) {
    const std::size_t line_end = held_.find('\n');
    const bool whole_line = line_end != std::string::npos || finishing_;
    if (!whole_line && held_.size() < kSampleLimit) return std::nullopt;
    const std::string_view sample = std::string_view(held_).substr(0, line_end);
    const Utf8Check check = check_utf8(sample);
    // A long line sampled in part may end inside a character.
    const bool utf8 = check.valid == sample.size() || (!whole_line && check.cut_off);
    if (!utf8) return use_iconv("GB18030", text);
    state_ = State::Utf8;
  }
  if (state_ == State::Utf8) return pass_utf8(text, false);
  return pass_iconv(text, false);
}

std::optional<DecodingError> TextDecoder::pass_utf8(std::string& text, bool last) {
  const Utf8Check check = check_utf8(held_);
  append_text(text, std::string_view(held_).substr(0, check.valid));
  if (check.valid != held_.size() && (last || !check.cut_off)) {
    const std::string where = byte_number(held_at_ + check.valid);
    if (check.cut_off) return DecodingError{where + " starts a character that the end cuts off"};
    if (!detected_) return DecodingError{where + " is not UTF-8 (--encoding gb18030 reads GB18030)"};
    return DecodingError{where + " is not UTF-8, as the text before it is (save the list as "
                                 "UTF-8, or name its encoding with --encoding)"};
  }
  held_.erase(0, check.valid);
  held_at_ += check.valid;
  return std::nullopt;
}

std::optional<DecodingError> TextDecoder::pass_iconv(std::string& text, bool last) {
  // iconv takes non-const pointers but does not write through the input.
  char* in = held_.data();
  std::size_t in_left = held_.size();
  char buffer[16384];
  std::optional<DecodingError> error;
  while (in_left > 0) {
    char* dest = buffer;
    std::size_t dest_left = sizeof buffer;
    const std::size_t result = iconv(converter_, &in, &in_left, &dest, &dest_left);
    append_text(text, std::string_view(buffer, static_cast<std::size_t>(dest - buffer)));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (errno == EINVAL && !last) break;  // the rest comes with the next piece
    const std::size_t offset = held_at_ + static_cast<std::size_t>(in - held_.data());
    if (errno == EINVAL) {
      error = DecodingError{byte_number(offset) + " starts a character that the end cuts off"};
    } else if (detected_ && iconv_name_ == "GB18030") {
      error = DecodingError{byte_number(offset) + " is neither UTF-8 nor GB18030"};
    } else {
      error = DecodingError{byte_number(offset) + " is not " + iconv_name_};
    }
    break;
  }
  const auto used = static_cast<std::size_t>(in - held_.data());
  held_.erase(0, used);
  held_at_ += used;
  return error;
}

}  // namespace varostel::batch
