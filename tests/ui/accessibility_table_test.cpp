// The accessibility table against the control and field tables: caption
// labels that really sit before what they title, names a listener can tell
// apart, and exactly the two links that the keyboard has to reach.
#include "ui/accessibility_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace varostel::ui {
namespace {

FieldId id_of(std::string_view name) { return *find_field(name); }

// A caption label lies in the titled control's container, on its row, left
// of it; a mistyped pair points at a control elsewhere.
TEST(CaptionPairs, EachLabelIsACaptionBeforeWhatItTitlesOnItsRow) {
  std::set<std::string_view> labels, titled;
  for (const CaptionPair& pair : kCaptionPairs) {
    SCOPED_TRACE(std::string(pair.label) + " titles " + std::string(pair.titled));
    const ControlRow* label = find_control(pair.label);
    const ControlRow* control = find_control(pair.titled);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(label->kind, ControlKind::Label);
    EXPECT_FALSE(label->caption.empty());
    EXPECT_EQ(label->container, control->container);
    EXPECT_EQ(label->top, control->top);
    EXPECT_LT(label->left, control->left);
    EXPECT_TRUE(labels.insert(pair.label).second) << "a label titles one control";
    EXPECT_TRUE(titled.insert(pair.titled).second) << "a control has one caption";
  }
}

// A caption that reads as a field's name titles that field.
TEST(CaptionPairs, EveryCaptionNamedLikeAFieldTitlesThatField) {
  for (const ControlRow& control : kControlTable) {
    if (control.kind != ControlKind::Label || control.caption.empty()) continue;
    if (!find_field(control.caption)) continue;
    const CaptionPair* pair = caption_pair_of(control.caption);
    ASSERT_NE(pair, nullptr) << control.name << " shows " << control.caption;
    EXPECT_EQ(pair->label, control.name);
  }
}

TEST(SpokenName, NamesTheFieldsAsTheirUsersKnowThem) {
  const struct {
    const char* row;
    std::string_view field, name;
  } rows[] = {
      {"text box by its field", "养老月数", "养老月数"},
      {"the uniform months box", "统一月数", "统一月数"},
      {"identity number by its caption", "ID", "身份证号码"},
      {"list by its field", "选择学历", "选择学历"},
      {"score by its field", "合计得分", "合计得分"},
      {"result field by its field", "出生日期", "出生日期"},
      {"site link by its own name", "Morvith", "Morvith"},
      {"banner by the words it shows", "logo", "积分入户计算器"},
      {"button by its changing caption", "评分结果", ""},
      {"check box by its caption", "公司申办", ""},
  };
  for (const auto& r : rows) EXPECT_EQ(spoken_name(id_of(r.field)), r.name) << r.row;
}

// Two controls of one name could not be told apart by ear. Buttons and the
// check box take their captions, so those count too.
TEST(SpokenName, NoTwoFieldsShareOneName) {
  std::map<std::string_view, std::string_view> owner;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const FieldRow& row = kFieldTable[i];
    std::string_view name = spoken_name(FieldId{static_cast<std::uint8_t>(i)});
    if (name.empty()) name = row.start_text;
    ASSERT_FALSE(name.empty()) << row.name << " has no name";
    const auto [at, added] = owner.emplace(name, row.name);
    EXPECT_TRUE(added) << row.name << " and " << at->second << " are both " << name;
  }
}

TEST(KeyboardLinks, AreTheBannerAndTheSiteLinkAtTheirTabIndexes) {
  std::map<std::string_view, int> links;
  for (const FieldRow& row : kFieldTable) {
    if (is_keyboard_link(id_of(row.name))) links[row.name] = find_control(row.name)->tab;
  }
  const std::map<std::string_view, int> expected = {{"logo", 30}, {"Morvith", 69}};
  EXPECT_EQ(links, expected);
}

}  // namespace
}  // namespace varostel::ui
