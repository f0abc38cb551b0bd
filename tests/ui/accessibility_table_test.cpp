// The accessibility table against the control and field tables: captions before
// what they title, names a listener can tell apart, and the two keyboard links.
#include "view/accessibility_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace varostel::ui {
namespace {

// A caption label sits in its control's container, on its row, left of it,
// and titles it alone; a caption that reads as a field's name titles that field.
TEST(CaptionPairs, EachCaptionTitlesTheControlAfterItOnItsRow) {
  std::set<std::string_view> labels, titled;
  for (const CaptionPair& pair : kCaptionPairs) {
    SCOPED_TRACE(std::string(pair.label) + " titles " + std::string(pair.titled));
    const ControlRow* label = find_control(pair.label);
    const ControlRow* control = find_control(pair.titled);
    ASSERT_TRUE(label != nullptr && control != nullptr);
    EXPECT_EQ(label->kind, ControlKind::Label);
    EXPECT_FALSE(label->caption.empty());
    EXPECT_EQ(std::pair(label->container, label->top), std::pair(control->container, control->top));
    EXPECT_LT(label->left, control->left);
    EXPECT_TRUE(labels.insert(pair.label).second) << "a label titles one control";
    EXPECT_TRUE(titled.insert(pair.titled).second) << "a control has one caption";
  }
  for (const ControlRow& control : kControlTable) {
    if (control.kind != ControlKind::Label || !find_field(control.caption)) continue;
    const CaptionPair* pair = caption_pair_of(control.caption);
    ASSERT_NE(pair, nullptr) << control.name << " shows " << control.caption;
    EXPECT_EQ(pair->label, control.name);
  }
}

// One row a rule; atspi_test.py hears every focusable control's name.
TEST(SpokenName, NamesTheFieldsAsTheirUsersKnowThem) {
  const std::tuple<const char*, std::string_view, std::string_view> rows[] = {
      {"text box by its field", "养老月数", "养老月数"},
      {"identity number by its caption", "ID", "身份证号码"},
      {"banner by the words it shows", "logo", "积分入户计算器"},
      {"button by its changing caption", "评分结果", ""},
      {"check box by its caption", "公司申办", ""}};
  for (const auto& [row, field, name] : rows) {
    EXPECT_EQ(spoken_name(*find_field(field)), name) << row;
  }
}

// Each field has a name of its own, buttons and the check box their captions;
// main_window_test finds the two links at their places in the tab order.
TEST(Fields, HaveNamesOfTheirOwnAndTwoAreKeyboardLinks) {
  std::map<std::string_view, std::string_view> owner;
  std::set<std::string_view> links;
  for (const FieldRow& row : kFieldTable) {
    const FieldId field = *find_field(row.name);
    std::string_view name = spoken_name(field);
    if (name.empty()) name = row.start_text;
    ASSERT_FALSE(name.empty()) << row.name << " has no name";
    const auto [at, added] = owner.emplace(name, row.name);
    EXPECT_TRUE(added) << row.name << " and " << at->second << " are both " << name;
    if (is_keyboard_link(field)) links.insert(row.name);
  }
  EXPECT_EQ(links, (std::set<std::string_view>{"logo", "Morvith"}));
}

}  // namespace
}  // namespace varostel::ui
