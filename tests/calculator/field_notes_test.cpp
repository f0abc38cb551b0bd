// The calculator's notes beyond what the scenario files play: the observer
// hears of each change exactly once, through repeated totals and resets too;
// and Form::append, which the notes hang on.
#include "calculator/field_notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "model/fields.h"

namespace varostel {
namespace {

using Told = std::vector<std::string>;

struct FixedClock final : Clock {
  [[nodiscard]] Date today() const override { return {2026, 6, 15}; }
};
struct NoOpener final : PageOpener {
  void open_page(std::string_view, WindowMode) override {}
};

class FieldNotesTest : public testing::Test {
 protected:
  FieldNotesTest() {
    calculator.notes().set_observer([this](FieldId field) {
      told.push_back(std::string(field_row(field).name) + ":" + calculator.notes().note(field));
    });
  }
  void read(std::string_view number) {
    form.edit(kIdentityNumber, number);
    form.click(kReadButton);
  }

  NoOpener opener;
  FixedClock clock;
  Calculator calculator{opener, clock};
  Form& form = calculator.form();
  Told told;
};

TEST(FormAppend, RunsAfterTheInstalledHandlerOrAlone) {
  Form form;
  Told log;
  form.append(kSex, Event::Change, [&] { log.push_back("alone"); });
  form.on(kAgeScore, Event::Change, [&] { log.push_back("rule:" + form.text(kAgeScore)); });
  form.append(kAgeScore, Event::Change, [&] { log.push_back("then:" + form.text(kAgeScore)); });
  form.write(kSex, "男");
  form.write(kAgeScore, "5");
  EXPECT_EQ(log, (Told{"alone", "rule:5", "then:5"}));
}

TEST_F(FieldNotesTest, AnyChangeOfTheBoxClearsTheHintOnce) {
  read("11010519851301001X");
  ASSERT_EQ(calculator.identity_hint(), "出生日期不是有效日期");
  told.clear();
  form.type(kIdentityNumber, U'\b');
  form.type(kIdentityNumber, U'X');
  EXPECT_EQ(told, (Told{"ID:"}));
}

TEST_F(FieldNotesTest, ReadingAgainReplacesTheHint) {
  read("110105202606160016");
  form.write(kIdentityNumber, "110105198504310010");  // a program write counts too
  form.click(kReadButton);
  form.click(kReadButton);  // the same hint again: nothing to tell
  std::erase_if(told, [](const std::string& t) { return !t.starts_with("ID:"); });
  EXPECT_EQ(told, (Told{"ID:出生日期晚于今天", "ID:", "ID:出生日期不是有效日期"}));
}

// Each reset takes the gap away, also when the total it ends on is unchanged.
TEST_F(FieldNotesTest, EveryResetTakesTheGapAway) {
  form.click(kResetButton);
  ASSERT_TRUE(form.choose(kChildbirth, "政策外生育"));
  ASSERT_TRUE(form.choose(kChildbirth, "未育"));
  EXPECT_EQ(calculator.points_gap(), "还差 100 分");
  form.click(kResetButton);
  EXPECT_EQ(form.text(kTotal), "0");
  EXPECT_EQ(calculator.points_gap(), "");
}

TEST_F(FieldNotesTest, ARepeatedTotalTellsNothing) {
  ASSERT_TRUE(form.choose(kEducation, "全日制大专或高技"));
  told.clear();
  ASSERT_TRUE(form.choose(kEducation, "全日制大专或高技"));  // the total is written again
  form.click(kEmployerApplies);                              // +10
  EXPECT_EQ(told, (Told{"合计得分:还差 15 分", "评分结果:还差 15 分"}));
}

}  // namespace
}  // namespace varostel
