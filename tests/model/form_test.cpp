// The form's event semantics: which writes and edits raise which events,
// and that handlers run nested inside the write that raised them.
#include "model/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varostel {
namespace {

using Log = std::vector<std::string>;
constexpr FieldId kAgeScore = field_id("年龄得分"), kPersonal = field_id("个人得分");
constexpr FieldId kHousingScore = field_id("房产得分"), kHousing = field_id("房产状况");
constexpr FieldId kPension = field_id("养老月数"), kYears = field_id("统一年数");
constexpr FieldId kEmployer = field_id("公司申办");

class FormTest : public testing::Test {
 protected:
  // Logs each `event` of `id` with the text (check box: value) the handler sees.
  void record(FieldId id, Event event, const std::string& tag) {
    form.on(id, event, [this, id, tag] {
      const bool check = form.kind(id) == FieldKind::CheckBox;
      log.push_back(tag + ":" + (check ? std::to_string(form.value(id)) : form.text(id)));
    });
  }
  // Logs each KeyPress of `box` and discards the code `discard`.
  void log_key_presses(FieldId box, std::int16_t discard) {
    form.on_key_press(box, [this, discard](std::int16_t& code) {
      log.push_back("key " + std::to_string(code));
      if (code == discard) code = 0;
    });
  }
  Form form;
  Log log;
};

TEST_F(FormTest, ProgramWriteRunsHandlersNestedWithTheNewText) {
  form.on(kAgeScore, Event::Change, [this] {
    log.push_back("age score:" + form.text(kAgeScore));
    form.write(kPersonal, "5");
    log.push_back("age score done");
  });
  record(kPersonal, Event::Change, "personal");
  form.write(kAgeScore, "5");
  EXPECT_EQ(log, (Log{"age score:5", "personal:5", "age score done"}));
}

TEST_F(FormTest, WhichWritesRaiseWhichEvents) {
  for (auto [id, event, tag] : {std::tuple{kHousingScore, Event::Change, "label"},
                                {kPension, Event::Change, "box"},
                                {kHousing, Event::Click, "list"},
                                {kEmployer, Event::Click, "check"},
                                {field_id("评分结果"), Event::Click, "button"}}) {
    record(id, event, tag);
  }
  form.write(kHousingScore, "0");  // the text it already holds: raised all the same
  form.write(kPension, "0");
  EXPECT_TRUE(form.select(kHousing, "无房产"));
  EXPECT_TRUE(form.select(kHousing, "无房产"));
  EXPECT_FALSE(form.select(kHousing, "无房"));         // not an item
  EXPECT_FALSE(form.select(kHousingScore, "无房产"));  // not a list
  form.write_value(kEmployer, 0);                      // unchanged: no Click
  form.write_value(kEmployer, 1);
  form.write_value(kEmployer, 1);
  form.click(kEmployer);                                   // toggles back to 0
  form.write(field_id("评分结果"), "积分通过，马上入户");  // a caption raises nothing
  EXPECT_EQ(log, (Log{"label:0", "box:0", "list:无房产", "list:无房产", "check:1", "check:0"}));
  EXPECT_EQ(form.text(kHousingScore), "0");
}

TEST_F(FormTest, TypingGoesThroughKeyPressWhichCanDiscardPastingDoesNot) {
  log_key_presses(kPension, 'a');
  record(kPension, Event::Change, "box");
  EXPECT_FALSE(form.type(kPension, U'a'));
  EXPECT_TRUE(form.type(kPension, U'5'));
  EXPECT_TRUE(form.edit(kPension, "1e3 a"));
  EXPECT_FALSE(form.edit(kPension, "1e3 a"));  // the same text: no Change
  EXPECT_EQ(log, (Log{"key 97", "key 53", "box:05", "box:1e3 a"}));
}

TEST_F(FormTest, BackspaceRemovesTheLastWholeCharacterAndNothingOnEmptyText) {
  record(kYears, Event::Change, "years");
  form.write(kYears, "1年");
  EXPECT_TRUE(form.type(kYears, U'😀'));  // outside the BMP: appended whole
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(form.type(kYears, U'\b'));
  EXPECT_FALSE(form.type(kYears, U'\b'));
  EXPECT_EQ(log, (Log{"years:1年", "years:1年😀", "years:1年", "years:1", "years:"}));
}

TEST_F(FormTest, ObserverSeesEachChangeBeforeItsEvent) {
  form.set_observer([this](FieldId id, FieldProperty what) {
    const char* names[] = {"text", "value", "enabled"};
    log.push_back(std::string(kFieldTable[id.index].name) + "/" + names[static_cast<int>(what)]);
  });
  record(kHousingScore, Event::Change, "handler");
  form.write(kHousingScore, "30");
  form.click(kEmployer);
  form.set_enabled(field_id("居住时长"), true);
  EXPECT_EQ(log, (Log{"房产得分/text", "handler:30", "公司申办/value", "居住时长/enabled"}));
}

std::string repeat(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Where a text box's cut falls: at the end of a whole text, or at the end of
// what was inserted before the cursor, and never inside a character.
TEST(FitTextBox, KeepsAtMostTheMaximumWholeCharacters) {
  static_assert(kTextBoxMaxLength == 1000);
  const std::string d999 = repeat("1", 999), d1000 = d999 + "2";
  const struct {
    const char* name;
    std::string before, after;
    std::string kept_before, kept_after;
  } rows[] = {
      {"999 characters kept", d999, "", d999, ""},
      {"1000 characters kept", d1000, "", d1000, ""},
      {"1001st character dropped", d1000 + "3", "", d1000, ""},
      {"5 MB cut to the first 1000", d1000 + std::string(5'000'000, '7'), "", d1000, ""},
      {"three-byte 1000th kept", d999 + "年", "", d999 + "年", ""},
      {"three-byte 1001st dropped whole", d1000 + "年", "", d1000, ""},
      {"four-byte 1000th kept", d999 + "😀z", "", d999 + "😀", ""},
      {"four-byte 1001st dropped whole", d1000 + "😀", "", d1000, ""},
      {"1001 four-byte characters cut by characters, not bytes", repeat("😀", 1001), "",
       repeat("😀", 1000), ""},
      {"invalid byte counts as one character", d999 + "\xFF" + "b", "", d999 + "\xFF", ""},
      {"insertion in the middle cut at its end", "ab" + repeat("9", 1000), "cd",
       "ab" + repeat("9", 996), "cd"},
      {"four-byte end of an insertion dropped whole", repeat("a", 998) + "😀😀", "z",
       repeat("a", 998) + "😀", "z"},
      {"1000 in all across the cursor kept", repeat("a", 500), repeat("b", 500), repeat("a", 500),
       repeat("b", 500)},
      {"nothing fits before 1000 after the cursor", "new", d1000, "", d1000},
      {"after the cursor alone too long is cut", "x", d1000 + "3", "", d1000},
  };
  for (const auto& r : rows) {
    const TextAroundCursor kept = fit_text_box(r.before, r.after);
    EXPECT_EQ(kept.before_cursor, r.kept_before) << r.name;
    EXPECT_EQ(kept.after_cursor, r.kept_after) << r.name;
  }
}

TEST_F(FormTest, TextBoxesKeepTheFirstThousandCharactersLabelsKeepAll) {
  const std::string d1000 = repeat("1", 999) + "2";
  record(kPension, Event::Change, "box");
  form.write(kPension, d1000 + "3");
  EXPECT_FALSE(form.edit(kPension, d1000 + "4"));  // cut, the same text: no Change
  EXPECT_TRUE(form.edit(kPension, repeat("5", 1001)));
  EXPECT_EQ(log, (Log{"box:" + d1000, "box:" + repeat("5", 1000)}));
  form.write(kHousingScore, d1000 + "3");
  EXPECT_EQ(form.text(kHousingScore), d1000 + "3");
}

// The window's box takes no more once full, but its key filter has run.
TEST_F(FormTest, AFullBoxTakesNoTypedCharacterButBackspace) {
  log_key_presses(kYears, 0);
  record(kYears, Event::Change, "years");
  const std::string x999 = repeat("x", 999);
  EXPECT_TRUE(form.edit(kYears, x999 + "y"));
  EXPECT_FALSE(form.type(kYears, U'z'));
  EXPECT_TRUE(form.type(kYears, U'\b'));
  EXPECT_TRUE(form.type(kYears, U'😀'));  // four bytes, one character: the 1000th
  EXPECT_FALSE(form.type(kYears, U'😀'));
  EXPECT_EQ(log, (Log{"years:" + x999 + "y", "key 122", "key 8", "years:" + x999, "key -10179",
                      "years:" + x999 + "😀", "key -10179"}));
}

}  // namespace
}  // namespace varostel
