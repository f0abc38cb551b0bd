// The calculator's fields: name, kind, start content and list items. The
// names are the window's own; every rule and every widget refers to them.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/field.h"

namespace varostel {

inline constexpr std::array<std::string_view, 6> kEducationItems = {
    "高中或以下学历",   "全日制大专或高技",   "全日制本科",
    "全日制本科有学位", "非全日制大专或高技", "非全日制本科"};
inline constexpr std::array<std::string_view, 4> kHousingItems = {"无房产", "有房无按揭",
                                                                  "有房有按揭", "居住证"};
inline constexpr std::array<std::string_view, 3> kChildbirthItems = {"未育", "政策内生育",
                                                                     "政策外生育"};

struct FieldRow {
  std::string_view name;
  FieldKind kind;
  std::string_view start_text;  // caption, text; drop-down lists start empty
  bool start_enabled = true;
  std::span<const std::string_view> items = {};
};

inline constexpr std::array kFieldTable = {
    FieldRow{"ID", FieldKind::TextBox, ""},
    FieldRow{"身份证解读", FieldKind::Button, "身份证解读"},
    FieldRow{"出生日期", FieldKind::Label, ""},
    FieldRow{"性别", FieldKind::Label, ""},
    FieldRow{"年龄", FieldKind::TextBox, "18", false},
    FieldRow{"选择学历", FieldKind::DropDown, "", true, kEducationItems},
    FieldRow{"房产状况", FieldKind::DropDown, "", true, kHousingItems},
    FieldRow{"居住时长", FieldKind::TextBox, "0", false},
    FieldRow{"生育状况", FieldKind::DropDown, "", true, kChildbirthItems},
    FieldRow{"年龄得分", FieldKind::Label, "0"},
    FieldRow{"房产得分", FieldKind::Label, "0"},
    FieldRow{"生育得分", FieldKind::Label, "0"},
    FieldRow{"个人得分", FieldKind::Label, "0"},
    FieldRow{"学历得分", FieldKind::Label, "0"},
    FieldRow{"养老月数", FieldKind::TextBox, "0"},
    FieldRow{"医疗月数", FieldKind::TextBox, "0"},
    FieldRow{"工伤月数", FieldKind::TextBox, "0"},
    FieldRow{"生育险月数", FieldKind::TextBox, "0"},
    FieldRow{"失业月数", FieldKind::TextBox, "0"},
    FieldRow{"养老得分", FieldKind::Label, "0"},
    FieldRow{"医疗得分", FieldKind::Label, "0"},
    FieldRow{"工伤得分", FieldKind::Label, "0"},
    FieldRow{"生育险得分", FieldKind::Label, "0"},
    FieldRow{"失业得分", FieldKind::Label, "0"},
    FieldRow{"统一年数", FieldKind::TextBox, "0"},
    FieldRow{"统一月数", FieldKind::TextBox, "0"},
    FieldRow{"统一年", FieldKind::Button, "统一（年）"},
    FieldRow{"统一月", FieldKind::Button, "统一（月）"},
    FieldRow{"公司申办", FieldKind::CheckBox, "公司申办"},
    FieldRow{"社保得分", FieldKind::Label, "0"},
    FieldRow{"合计得分", FieldKind::Label, "0"},
    FieldRow{"评分结果", FieldKind::Button, "综合计算中..."},
    FieldRow{"重置", FieldKind::Button, "重置"},
    FieldRow{"在线咨询", FieldKind::Button, "在线咨询"},
    FieldRow{"logo", FieldKind::Picture, ""},
    FieldRow{"Morvith", FieldKind::Label, "Morvith"},
};

inline constexpr std::size_t kFieldCount = kFieldTable.size();
static_assert(kFieldCount < 256, "FieldId holds an 8-bit index");

// Looks a field up by name at run time (scenario files, widget binding).
[[nodiscard]] constexpr std::optional<FieldId> find_field(std::string_view name) {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (kFieldTable[i].name == name) return FieldId{static_cast<std::uint8_t>(i)};
  }
  return std::nullopt;
}

// Looks a field up by name at compile time; an unknown name fails to compile.
consteval FieldId field_id(std::string_view name) {
  const auto found = find_field(name);
  if (!found) throw "no field of that name";  // ill-formed in a constant expression
  return *found;
}

[[nodiscard]] constexpr const FieldRow& field_row(FieldId id) { return kFieldTable[id.index]; }

// Whether `text` is one of a list's items: rule tables keyed by list text
// check their keys with it at compile time.
[[nodiscard]] constexpr bool is_item_of(std::span<const std::string_view> items,
                                        std::string_view text) {
  for (std::string_view item : items) {
    if (item == text) return true;
  }
  return false;
}

}  // namespace varostel
