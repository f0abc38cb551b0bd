// Matching a list's header cells to the input columns as spreadsheets leave
// them: padded with spaces or invisible marks, and now and then mistyped.
// A mistyped input column must stop the list, as scoring without it would
// give every row a wrong total.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varostel::batch {

// The cell without the spaces (ASCII and full-width), zero-width characters
// and byte-order marks around it.
[[nodiscard]] std::string_view trimmed_header(std::string_view cell);

// The input column (an index into kInputColumns) a trimmed header names,
// by its name or its alias.
[[nodiscard]] std::optional<std::size_t> input_column_named(std::string_view header);

// The input column's name or alias a trimmed header that names none seems
// meant for: the same apart from letter case or full-width forms, or, for
// names of four characters or more, one edit away.
[[nodiscard]] std::optional<std::string_view> input_column_nearly_named(std::string_view header);

}  // namespace varostel::batch
