// The context menu's two actions on the result sheet, as the window and the
// web page both offer them: their texts, in the order the menu shows them.
#pragma once

#include <string_view>

namespace varostel::ui {

inline constexpr std::string_view kCopySheetText = "复制试算结果";
inline constexpr std::string_view kPrintSheetText = "打印试算结果…";

}  // namespace varostel::ui
