// Cells quoted in a message: a list is anyone's text, and a message goes to
// a terminal and into logs, so a cell cannot start a line, move the cursor
// or fill the screen there.
#pragma once

#include <string>
#include <string_view>

namespace varostel::batch {

// The cell in double quotes, its control characters, quotes and
// backslashes escaped as in C (\n, \x1b, \"), cut after 80 characters
// with "…".
[[nodiscard]] std::string quoted_cell(std::string_view cell);

}  // namespace varostel::batch
