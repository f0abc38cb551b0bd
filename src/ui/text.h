// The form keeps its texts as UTF-8; Qt's widgets take QString.
#pragma once

#include <QString>
#include <string_view>

namespace varostel::ui {

[[nodiscard]] inline QString qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace varostel::ui
