// What screen readers and keyboard users get from the main window, as data:
// which caption label titles which control, what each field is called, and
// which links besides the buttons the keyboard reaches. No toolkit types.
#pragma once

#include <array>
#include <string_view>

#include "calculator/links.h"
#include "model/field_table.h"
#include "view/control_table.h"

namespace varostel::ui {

// A caption label and the control it titles, side by side in one container.
// The unit labels (个月, 日) and the note Label23 title nothing.
struct CaptionPair {
  std::string_view label;
  std::string_view titled;
  // The titled control is called by this caption rather than by its own
  // name, which is no word a listener would know.
  bool names_it = false;
};

// clang-format off
inline constexpr std::array<CaptionPair, 18> kCaptionPairs = {{
    {"Label1",  "选择学历"},
    {"Label20", "ID", true},
    {"Label22", "性别"},
    {"Label21", "出生日期"},
    {"Label13", "年龄"},
    {"Label15", "房产状况"},
    {"Label17", "居住时长"},
    {"Label14", "生育状况"},
    {"Label16", "个人得分"},
    {"Label3",  "养老月数"},
    {"Label4",  "医疗月数"},
    {"Label2",  "工伤月数"},
    {"Label6",  "生育险月数"},
    {"Label5",  "失业月数"},
    {"Label12", "社保得分"},
    {"Label19", "合计得分"},
    // The contact lines: a caption and the number it introduces.
    {"Label27", "Label28"},
    {"Label24", "Label25"},
}};
// clang-format on

// The words the banner picture shows (scripts/make-images draws them), which
// stand for the picture as its name.
inline constexpr std::string_view kBannerWords = "积分入户计算器";

// What a picture says in words; the QR code says nothing a listener could use.
[[nodiscard]] constexpr std::string_view picture_words(Picture picture) {
  return picture == Picture::Banner ? kBannerWords : std::string_view{};
}

// The caption pair whose label titles `control`, or nullptr.
[[nodiscard]] constexpr const CaptionPair* caption_pair_of(std::string_view control) {
  for (const CaptionPair& pair : kCaptionPairs) {
    if (pair.titled == control) return &pair;
  }
  return nullptr;
}

// The name a screen reader says for a field's control. Empty for buttons and
// the check box: they are called by their own caption, which the form may
// change (the verdict button's does), so no fixed name may stand over it.
[[nodiscard]] constexpr std::string_view spoken_name(FieldId field) {
  const FieldRow& row = field_row(field);
  switch (row.kind) {
    case FieldKind::Button:
    case FieldKind::CheckBox:
      return {};
    case FieldKind::Picture:
      return picture_words(find_control(row.name)->picture);
    case FieldKind::TextBox:
    case FieldKind::DropDown:
    case FieldKind::Label:
      break;
  }
  const CaptionPair* pair = caption_pair_of(row.name);
  if (pair != nullptr && pair->names_it) return find_control(pair->label)->caption;
  return row.name;
}

// Whether a field's control is a link that is no button: a label or picture
// that opens a page when clicked. The keyboard reaches these at their own
// tab index and opens their page with Enter or Space, as a click would.
[[nodiscard]] constexpr bool is_keyboard_link(FieldId field) {
  const FieldKind kind = field_row(field).kind;
  if (kind != FieldKind::Label && kind != FieldKind::Picture) return false;
  for (const Link& link : kLinks) {
    if (link.field == field) return true;
  }
  return false;
}

}  // namespace varostel::ui
