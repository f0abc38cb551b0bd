// Text for HTML: the result sheet's copy and print, and the web page's
// controls, escape their texts the same way.
#pragma once

#include <string>
#include <string_view>

namespace varostel {

// `text` escaped for HTML content and quoted attribute values (&, <, >, "
// and ').
[[nodiscard]] std::string escape_html(std::string_view text);

}  // namespace varostel
