// What the scenario files cannot see of the calculator's notes: the
// observer hears of each change exactly once, through repeated totals and
// resets too. The notes hang on Form::append, so this is its test too.
#include "calculator/field_notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "model/fields.h"
#include "support/stand_ins.h"

namespace varostel {
namespace {

using Told = std::vector<std::string>;

TEST(FieldNotes, EachChangeOfANoteIsToldOnce) {
  RecordingOpener opener;
  SettableClock clock(2026);
  Calculator calculator{opener, clock};
  Form& form = calculator.form();
  Told told;
  calculator.notes().set_observer([&](FieldId field) {
    told.push_back(std::string(field_row(field).name) + ":" + calculator.notes().note(field));
  });
  const auto read = [&](const char* number) {
    form.write(kIdentityNumber, number);  // a program write counts as an edit
    form.click(kReadButton);
  };
  read("440302202701011236");
  read("110105198504310010");
  form.click(kReadButton);  // the same hint again: nothing to tell
  form.type(kIdentityNumber, U'\b');
  form.type(kIdentityNumber, U'0');  // cleared once
  ASSERT_TRUE(form.choose(kChildbirth, "政策外生育"));
  ASSERT_TRUE(form.choose(kChildbirth, "未育"));
  ASSERT_TRUE(form.choose(kChildbirth, "未育"));  // the same total again: nothing to tell
  form.click(kResetButton);                       // its last write takes the gap away
  std::erase_if(told, [](const std::string& t) { return t.starts_with("评分结果"); });
  EXPECT_EQ(told, (Told{"合计得分:还差 100 分", "ID:出生日期晚于今天", "ID:", "合计得分:还差 104 分",
                        "ID:出生日期不是有效日期", "ID:", "合计得分:还差 154 分",
                        "合计得分:还差 104 分", "合计得分:还差 95 分", "合计得分:还差 100 分",
                        "合计得分:"}));
}

}  // namespace
}  // namespace varostel
