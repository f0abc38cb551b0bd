#include "ui/accessibility.h"

#include <QLabel>

#include "view/accessibility_table.h"
#include "ui/clickable_label.h"
#include "ui/text.h"

namespace varostel::ui {

void make_accessible(QWidget& window) {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const FieldId field{static_cast<std::uint8_t>(i)};
    QWidget* control = window.findChild<QWidget*>(qstring(field_row(field).name));
    if (control == nullptr) continue;
    const std::string_view name = spoken_name(field);
    if (!name.empty()) control->setAccessibleName(qstring(name));
    if (is_keyboard_link(field)) static_cast<ClickableLabel*>(control)->make_keyboard_link();
  }
  for (const CaptionPair& pair : kCaptionPairs) {
    auto* label = window.findChild<QLabel*>(qstring(pair.label));
    QWidget* titled = window.findChild<QWidget*>(qstring(pair.titled));
    if (label != nullptr && titled != nullptr) label->setBuddy(titled);
  }
}

}  // namespace varostel::ui
