// Turning the bytes of a client list into UTF-8 text: UTF-8 as it is, or
// GB18030, which spreadsheet programs on Chinese desktops save, converted
// with the C library's iconv. A leading byte-order mark is dropped.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace varostel::batch {

enum class Encoding { Detect, Utf8, Gb18030 };

// The name an option gives an encoding ("utf-8", "gb18030"), any case.
[[nodiscard]] std::optional<Encoding> encoding_named(std::string_view name);

// Offset of the first byte that is not part of well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF); none when all is.
[[nodiscard]] std::optional<std::size_t> first_invalid_utf8(std::string_view bytes);

struct DecodingError {
  std::string message;  // e.g. "byte 12 is not UTF-8"
};

// Detect takes UTF-8 when all of the input is well-formed UTF-8, GB18030
// otherwise.
[[nodiscard]] std::variant<std::string, DecodingError> decode_to_utf8(std::string bytes,
                                                                      Encoding encoding);

}  // namespace varostel::batch
