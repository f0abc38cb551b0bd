// The form's event semantics: which writes and edits raise which events, and
// their nesting; the text boxes' cut at 1000 characters.
#include "model/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varostel {
namespace {

using Log = std::vector<std::string>;
constexpr FieldId kAgeScore = field_id("年龄得分"), kPersonal = field_id("个人得分");
constexpr FieldId kHousingScore = field_id("房产得分"), kHousing = field_id("房产状况");
constexpr FieldId kPension = field_id("养老月数"), kEmployer = field_id("公司申办");

class FormTest : public testing::Test {
 protected:
  // Logs each `event` of `id` with the text (check box: value) the handler sees.
  void record(FieldId id, Event event, const std::string& tag) {
    form.on(id, event, [this, id, tag] {
      const bool check = form.kind(id) == FieldKind::CheckBox;
      log.push_back(tag + ":" + (check ? std::to_string(form.value(id)) : form.text(id)));
    });
  }
  Form form;
  Log log;
};

// The observer hears of each change before the handlers, which run nested in the write.
TEST_F(FormTest, ObserverThenHandlersNestedWithTheNewText) {
  form.set_observer([this](FieldId id, FieldProperty what) {
    const char* names[] = {"text", "value", "enabled"};
    log.push_back(std::string(kFieldTable[id.index].name) + "/" + names[static_cast<int>(what)]);
  });
  form.on(kAgeScore, Event::Change, [this] {
    form.write(kPersonal, "5");
    log.push_back("age score done");
  });
  record(kPersonal, Event::Change, "personal");
  form.write(kAgeScore, "5");
  form.click(kEmployer);
  form.set_enabled(field_id("居住时长"), true);
  EXPECT_EQ(log, (Log{"年龄得分/text", "个人得分/text", "personal:5", "age score done",
                      "公司申办/value", "居住时长/enabled"}));
  // A second handler for one event would silently drop the first one's rule.
  EXPECT_DEATH(record(kPersonal, Event::Change, "second"), "second handler.*use append");
}

TEST_F(FormTest, WhichWritesRaiseWhichEvents) {
  record(kHousingScore, Event::Change, "label");
  record(kHousing, Event::Click, "list");
  record(kEmployer, Event::Click, "check");
  record(field_id("评分结果"), Event::Click, "button");
  form.write(kHousingScore, "0");  // the text it already holds: raised all the same
  EXPECT_TRUE(form.select(kHousing, "无房产"));
  EXPECT_TRUE(form.select(kHousing, "无房产"));
  EXPECT_FALSE(form.select(kHousing, "无房"));         // not an item
  EXPECT_FALSE(form.select(kHousingScore, "无房产"));  // not a list
  form.write_value(kEmployer, 0);                      // unchanged: no Click
  form.write_value(kEmployer, 1);
  form.click(kEmployer);                                   // toggles back to 0
  form.write(field_id("评分结果"), "积分通过，马上入户");  // a caption raises nothing
  form.write(kHousingScore, std::string(1001, '3'));       // a label has no length limit
  EXPECT_EQ(log, (Log{"label:0", "list:无房产", "list:无房产", "check:1", "check:0",
                      "label:" + std::string(1001, '3')}));
}

// Keys go through KeyPress even into a full box; a paste cut to what is held is no change.
TEST_F(FormTest, TypingGoesThroughKeyPressWhichCanDiscardPastingDoesNot) {
  form.on_key_press(kPension, [this](std::int16_t& code) {
    log.push_back("key " + std::to_string(code));
    if (code == 'a') code = 0;
  });
  record(kPension, Event::Change, "box");
  EXPECT_FALSE(form.type(kPension, U'a'));
  EXPECT_TRUE(form.type(kPension, U'5'));
  const std::string x1000(1000, 'x');  // a paste cut to what is held is no change
  EXPECT_TRUE(form.edit(kPension, x1000 + "y"));
  EXPECT_FALSE(form.edit(kPension, x1000 + "z"));
  EXPECT_FALSE(form.type(kPension, U'z'));
  EXPECT_TRUE(form.edit(kPension, "年😀"));
  for (bool changes : {true, true, false}) EXPECT_EQ(form.type(kPension, U'\b'), changes);
  EXPECT_EQ(log, (Log{"key 97", "key 53", "box:05", "box:" + x1000, "key 122", "box:年😀",
                      "key 8", "box:年", "key 8", "box:", "key 8"}));
}

// The cut falls at the end of the insertion, never inside a character (whole texts: scenarios).
TEST(FitTextBox, KeepsAtMostTheMaximumWholeCharacters) {
  const std::string d999(999, '1'), d1000 = d999 + "2", a500(500, 'a');
  const struct {
    std::string before, after, kept_before, kept_after;
  } rows[] = {
      {d1000 + "年", "", d1000, ""},
      {d999 + "\xFF" + "b", "", d999 + "\xFF", ""},  // an invalid byte is one character
      {"ab" + d1000, "cd", "ab" + d999.substr(3), "cd"},
      {d999.substr(1) + "😀😀", "z", d999.substr(1) + "😀", "z"},
      {a500, a500, a500, a500},
      {"x", d1000 + "3", "", d1000},  // after the cursor alone too long is cut
  };
  for (const auto& r : rows) {
    const TextAroundCursor kept = fit_text_box(r.before, r.after);
    EXPECT_EQ(std::string(kept.before_cursor) + "|" + std::string(kept.after_cursor),
              r.kept_before + "|" + r.kept_after);
  }
}

}  // namespace
}  // namespace varostel
