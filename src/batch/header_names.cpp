#include "batch/header_names.h"

#include <algorithm>
#include <vector>

#include "batch/row_player.h"
#include "model/utf8.h"

namespace varostel::batch {
namespace {

// Characters a header may be padded with, as UTF-8.
constexpr std::string_view kPadding[] = {
    " ", "\t", "\xE3\x80\x80" /* U+3000 full-width space */, "\xE2\x80\x8B" /* U+200B */,
    "\xE2\x80\x8C" /* U+200C */, "\xE2\x80\x8D" /* U+200D */, "\xE2\x81\xA0" /* U+2060 */,
    "\xEF\xBB\xBF" /* U+FEFF byte-order mark */, "\xC2\xA0" /* U+00A0 */};

// The name folded for comparison: full-width forms of ASCII as ASCII, and
// letters in lower case.
std::vector<char32_t> folded(std::string_view text) {
  std::vector<char32_t> characters = utf8::decode(text);
  for (char32_t& c : characters) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = c - 0xFF01 + 0x21;
    if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
  }
  return characters;
}

// At most one insertion, deletion or substitution apart.
bool one_edit_apart(const std::vector<char32_t>& a, const std::vector<char32_t>& b) {
  const std::vector<char32_t>& longer = a.size() >= b.size() ? a : b;
  const std::vector<char32_t>& shorter = a.size() >= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1) return false;
  std::size_t start = 0;
  while (start < shorter.size() && shorter[start] == longer[start]) ++start;
  if (start == shorter.size()) return true;  // equal, or one added at the end
  const auto rest_equal = [&](std::size_t in_shorter, std::size_t in_longer) {
    return std::equal(shorter.begin() + static_cast<std::ptrdiff_t>(in_shorter), shorter.end(),
                      longer.begin() + static_cast<std::ptrdiff_t>(in_longer), longer.end());
  };
  if (longer.size() == shorter.size()) return rest_equal(start + 1, start + 1);
  return rest_equal(start, start + 1);
}

}  // namespace

std::string_view trimmed_header(std::string_view cell) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (std::string_view pad : kPadding) {
      if (cell.starts_with(pad)) cell.remove_prefix(pad.size()), trimmed = true;
      if (cell.ends_with(pad)) cell.remove_suffix(pad.size()), trimmed = true;
    }
  }
  return cell;
}

std::optional<std::size_t> input_column_named(std::string_view header) {
  for (std::size_t i = 0; i < kInputColumns.size(); ++i) {
    const InputColumn& column = kInputColumns[i];
    if (header == column.name || (!column.alias.empty() && header == column.alias)) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> input_column_nearly_named(std::string_view header) {
  if (header.empty() || input_column_named(header)) return std::nullopt;
  const std::vector<char32_t> given = folded(header);
  for (const InputColumn& column : kInputColumns) {
    for (std::string_view name : {column.name, column.alias}) {
      if (name.empty()) continue;
      const std::vector<char32_t> meant = folded(name);
      if (given == meant) return name;
      // Two- and three-character names are too short: one edit turns
      // 学历 into many a real heading.
      if (meant.size() >= 4 && one_edit_apart(given, meant)) return name;
    }
  }
  return std::nullopt;
}

}  // namespace varostel::batch
