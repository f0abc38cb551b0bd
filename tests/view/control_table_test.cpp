// The control table's rules that no picture shows: unique names, one tab
// index each from 0 up, each container a frame listed before what it holds, each field
// of the form shown by a control of its kind, and the twips-to-pixels
// rounding on both sides of zero.
#include "view/control_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>

#include "model/field_table.h"

namespace varostel::ui {
namespace {

TEST(ControlTable, TabsFramesAndFieldsAsTheWindowNeedsThem) {
  std::set<int> tabs;
  std::set<std::string_view> names, frames;
  for (const ControlRow& control : kControlTable) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    EXPECT_TRUE(tabs.insert(control.tab).second) << control.name;
    EXPECT_TRUE(control.container.empty() || frames.contains(control.container)) << control.name;
    if (control.kind == ControlKind::Frame) frames.insert(control.name);
  }
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), static_cast<int>(tabs.size()) - 1);
  const std::map<FieldKind, ControlKind> shown_by = {
      {FieldKind::Label, ControlKind::Label},       {FieldKind::TextBox, ControlKind::TextBox},
      {FieldKind::DropDown, ControlKind::DropDown}, {FieldKind::CheckBox, ControlKind::CheckBox},
      {FieldKind::Button, ControlKind::Button},     {FieldKind::Picture, ControlKind::Picture}};
  for (const FieldRow& field : kFieldTable) {
    const ControlRow* control = find_control(field.name);
    ASSERT_NE(control, nullptr) << field.name;
    EXPECT_EQ(control->kind, shown_by.at(field.kind)) << field.name;
    EXPECT_TRUE(control->caption.empty()) << field.name << " shows the form's text, not its own";
  }
}

TEST(TwipsToPixels, RoundsHalfAwayFromZero) {
  for (auto [twips, pixels] : {std::pair{7, 0}, {8, 1}, {-7, 0}, {-8, -1}, {-120, -8}, {500, 33}})
    EXPECT_EQ(twips_to_pixels(twips), pixels) << twips;
}

}  // namespace
}  // namespace varostel::ui
