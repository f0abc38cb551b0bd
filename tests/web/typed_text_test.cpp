// What the page's typing inserts: each character through the box's KeyPress
// handler as the window's text boxes put it, and nothing for a control
// character. A bare form with handlers of the test's own, so that the
// calculator's filters (the scenario files' matter) do not decide.
#include "web/typed_text.h"

#include <gtest/gtest.h>

namespace varostel::web {
namespace {

constexpr FieldId kBox = field_id("统一年数");

TEST(TypedText, EachCharacterKeptDroppedOrReplacedByTheHandler) {
  Form form;
  form.on_key_press(kBox, [](std::int16_t& code) {
    if (code == 'x') code = 'X';
    if (code == '-') code = 0;
  });
  EXPECT_EQ(typed_text(form, kBox, "1-x2"), "1X2");
  EXPECT_EQ(typed_text(form, kBox, "-"), "");
  EXPECT_EQ(typed_text(form, kBox, "年"), "年");
  // Outside the Basic Multilingual Plane the handler sees only the first
  // half; kept, the character stays whole.
  EXPECT_EQ(typed_text(form, kBox, "a😀"), "a😀");
  // The box's text is not touched: the page inserts what comes back.
  EXPECT_EQ(form.text(kBox), "0");
}

TEST(TypedText, ControlCharactersInsertNothing) {
  Form form;
  for (const std::string_view typed : {"1\n", "\t", "\x7f", "2\u0085", "\u009f"}) {
    EXPECT_EQ(typed_text(form, kBox, typed), "") << typed;
  }
  EXPECT_EQ(typed_text(form, kBox, "\u00a0"), "\u00a0");  // the first code after C1
}

}  // namespace
}  // namespace varostel::web
