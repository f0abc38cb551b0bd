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

struct FieldSpec {
  std::string_view name;
  FieldKind kind;
  std::string_view start_text;  // caption, text; drop-down lists start empty
  bool start_enabled = true;
  std::span<const std::string_view> items = {};
};

inline constexpr std::array kFieldTable = {
    FieldSpec{"ID", FieldKind::TextBox, ""},
    FieldSpec{"身份证解读", FieldKind::Button, "身份证解读"},
    FieldSpec{"出生日期", FieldKind::Label, ""},
    FieldSpec{"性别", FieldKind::Label, ""},
    FieldSpec{"年龄", FieldKind::TextBox, "18", false},
    FieldSpec{"选择学历", FieldKind::DropDown, "", true, kEducationItems},
    FieldSpec{"房产状况", FieldKind::DropDown, "", true, kHousingItems},
    FieldSpec{"居住时长", FieldKind::TextBox, "0", false},
    FieldSpec{"生育状况", FieldKind::DropDown, "", true, kChildbirthItems},
    FieldSpec{"年龄得分", FieldKind::Label, "0"},
    FieldSpec{"房产得分", FieldKind::Label, "0"},
    FieldSpec{"生育得分", FieldKind::Label, "0"},
    FieldSpec{"个人得分", FieldKind::Label, "0"},
    FieldSpec{"学历得分", FieldKind::Label, "0"},
    FieldSpec{"养老月数", FieldKind::TextBox, "0"},
    FieldSpec{"医疗月数", FieldKind::TextBox, "0"},
    FieldSpec{"工伤月数", FieldKind::TextBox, "0"},
    FieldSpec{"生育险月数", FieldKind::TextBox, "0"},
    FieldSpec{"失业月数", FieldKind::TextBox, "0"},
    FieldSpec{"养老得分", FieldKind::Label, "0"},
    FieldSpec{"医疗得分", FieldKind::Label, "0"},
    FieldSpec{"工伤得分", FieldKind::Label, "0"},
    FieldSpec{"生育险得分", FieldKind::Label, "0"},
    FieldSpec{"失业得分", FieldKind::Label, "0"},
    FieldSpec{"统一年数", FieldKind::TextBox, "0"},
    FieldSpec{"统一月数", FieldKind::TextBox, "0"},
    FieldSpec{"统一年", FieldKind::Button, "统一（年）"},
    FieldSpec{"统一月", FieldKind::Button, "统一（月）"},
    FieldSpec{"公司申办", FieldKind::CheckBox, "公司申办"},
    FieldSpec{"社保得分", FieldKind::Label, "0"},
    FieldSpec{"合计得分", FieldKind::Label, "0"},
    FieldSpec{"评分结果", FieldKind::Button, "综合计算中..."},
    FieldSpec{"重置", FieldKind::Button, "重置"},
    FieldSpec{"在线咨询", FieldKind::Button, "在线咨询"},
    FieldSpec{"logo", FieldKind::Picture, ""},
    FieldSpec{"Morvith", FieldKind::Label, "Morvith"},
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

[[nodiscard]] constexpr const FieldSpec& field_spec(FieldId id) { return kFieldTable[id.index]; }

}  // namespace varostel
