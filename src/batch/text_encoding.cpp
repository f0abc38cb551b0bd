#include "batch/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace varostel::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string without_byte_order_mark(std::string text) {
  if (std::string_view(text).starts_with(kByteOrderMark)) text.erase(0, kByteOrderMark.size());
  return text;
}

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
  }
  return true;
}

// `not_what` ends the message for a byte that cannot be read.
std::variant<std::string, DecodingError> gb18030_to_utf8(std::string_view bytes,
                                                         std::string_view not_what) {
  iconv_t converter = iconv_open("UTF-8", "GB18030");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return DecodingError{"this system's iconv cannot read GB18030"};
  }
  std::string out;
  out.reserve(bytes.size() * 3 / 2 + 16);
  // iconv takes non-const pointers but does not write through the input.
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char buffer[16384];
  std::optional<DecodingError> error;
  while (in_left > 0) {
    char* dest = buffer;
    std::size_t dest_left = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &in_left, &dest, &dest_left);
    out.append(buffer, static_cast<std::size_t>(dest - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    const auto offset = static_cast<std::size_t>(in - bytes.data());
    error = DecodingError{errno == EINVAL ? "the last character is cut off"
                                          : "byte " + std::to_string(offset + 1) + " is " +
                                                std::string(not_what)};
    break;
  }
  iconv_close(converter);
  if (error) return *error;
  return out;
}

}  // namespace

std::optional<Encoding> encoding_named(std::string_view name) {
  if (equal_ignoring_case(name, "utf-8") || equal_ignoring_case(name, "utf8")) {
    return Encoding::Utf8;
  }
  if (equal_ignoring_case(name, "gb18030")) return Encoding::Gb18030;
  return std::nullopt;
}

std::optional<std::size_t> first_invalid_utf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    const unsigned char lead = data[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
      return i;
    }
    if (i + length > size) return i;
    if (data[i + 1] < low || data[i + 1] > high) return i;
    for (std::size_t k = 2; k < length; ++k) {
      if (data[i + k] < 0x80 || data[i + k] > 0xBF) return i;
    }
    i += length;
  }
  return std::nullopt;
}

std::variant<std::string, DecodingError> decode_to_utf8(std::string bytes, Encoding encoding) {
  if (encoding != Encoding::Gb18030) {
    const auto invalid = first_invalid_utf8(bytes);
    if (!invalid) return without_byte_order_mark(std::move(bytes));
    if (encoding == Encoding::Utf8) {
      return DecodingError{"byte " + std::to_string(*invalid + 1) +
                           " is not UTF-8 (--encoding gb18030 reads GB18030)"};
    }
  }
  auto decoded = gb18030_to_utf8(
      bytes, encoding == Encoding::Detect ? "neither UTF-8 nor GB18030" : "not GB18030");
  if (auto* text = std::get_if<std::string>(&decoded)) {
    return without_byte_order_mark(std::move(*text));
  }
  return decoded;
}

}  // namespace varostel::batch
