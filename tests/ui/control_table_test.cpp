// The control table against the facts of the window it describes: how many
// controls of each kind, a tab index for each, containers that exist before
// what they hold, and the twips-to-pixels rounding.
#include "view/control_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>

#include "model/field_table.h"

namespace varostel::ui {
namespace {

TEST(ControlTable, HoldsSeventyControlsOfTheRightKinds) {
  std::map<ControlKind, int> count;
  for (const ControlRow& control : kControlTable) ++count[control.kind];
  EXPECT_EQ(count[ControlKind::Label], 43);
  EXPECT_EQ(count[ControlKind::TextBox], 10);
  EXPECT_EQ(count[ControlKind::Button], 6);
  EXPECT_EQ(count[ControlKind::Frame], 5);
  EXPECT_EQ(count[ControlKind::DropDown], 3);
  EXPECT_EQ(count[ControlKind::Picture], 2);
  EXPECT_EQ(count[ControlKind::CheckBox], 1);
}

TEST(ControlTable, NamesAreUniqueAndEachTabIndexFromZeroTo69IsUsedOnce) {
  std::set<std::string_view> names;
  std::set<int> tabs;
  for (const ControlRow& control : kControlTable) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    EXPECT_TRUE(tabs.insert(control.tab).second) << control.name << " repeats tab " << control.tab;
  }
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), 69);
}

TEST(ControlTable, EveryContainerIsAFrameListedBeforeWhatItHolds) {
  std::set<std::string_view> frames_so_far;
  for (const ControlRow& control : kControlTable) {
    if (!control.container.empty()) {
      EXPECT_TRUE(frames_so_far.contains(control.container))
          << control.name << " lies in " << control.container;
    }
    if (control.kind == ControlKind::Frame) frames_so_far.insert(control.name);
  }
}

// The window binds each field to the control of its name by the field's
// kind; a missing or different control would be a wrong widget type there.
TEST(ControlTable, ShowsEveryFieldOfTheFormByAControlOfItsKind) {
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

TEST(TwipsToPixels, RoundsToTheNearestPixelOnBothSidesOfZero) {
  const struct {
    const char* name;
    int twips, pixels;
  } rows[] = {{"just under half a pixel", 7, 0},        {"half a pixel rounds up", 8, 1},
              {"the banner's negative left", -120, -8}, {"negative half rounds away", -8, -1},
              {"negative under half", -7, 0},           {"a score's width of 500", 500, 33}};
  for (const auto& row : rows) EXPECT_EQ(twips_to_pixels(row.twips), row.pixels) << row.name;
}

}  // namespace
}  // namespace varostel::ui
