// The few UTF-8 operations the form needs: field texts are UTF-8, but typing
// and Backspace work in characters, not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varostel::utf8 {

// Removes the last character, if any.
void pop_back(std::string& text);

void append(std::string& text, char32_t character);

// How many characters a text holds, counted as decode() splits it.
[[nodiscard]] std::size_t length(std::string_view text);

// The longest start of a text that holds at most `count` characters, counted
// as decode() splits it: a cut never falls inside a character.
[[nodiscard]] std::string_view first_characters(std::string_view text, std::size_t count);

// Splits a text into its characters. Bytes that do not form valid UTF-8 come
// out as U+FFFD, one per byte, so nothing is silently lost or merged.
[[nodiscard]] std::vector<char32_t> decode(std::string_view text);

}  // namespace varostel::utf8
