// Which typed characters the number boxes and the identity-number box take.
#include "model/key_filter.h"

#include <gtest/gtest.h>

namespace varostel {

constexpr std::int16_t kFullWidthZero = static_cast<std::int16_t>(0xFF10 - 0x10000);

TEST(KeyFilter, PassesTheCodeOrDiscardsIt) {
  // digits: the months, residence and age boxes; identity: the ID box.
  const struct { const char* name; std::int16_t code; bool digits, identity; } rows[] = {
      {"backspace", 8, true, true}, {"tab", 9, false, false}, {"digit 0", '0', true, true},
      {"digit 9", '9', true, true}, {"slash, below 0", '/', false, false},
      {"colon, above 9", ':', false, false}, {"capital X", 'X', false, true},
      {"lowercase x", 'x', false, false}, {"capital Y", 'Y', false, false},
      {"space", ' ', false, false}, {"letter a", 'a', false, false},
      {"full-width 0", kFullWidthZero, false, false}, {"negative code", -1, false, false},
      {"code 0", 0, false, false}};
  for (const auto& r : rows) {
    EXPECT_EQ(filter_key(KeyFilter::Digits, r.code), r.digits ? r.code : 0) << r.name;
    EXPECT_EQ(filter_key(KeyFilter::IdentityNumber, r.code), r.identity ? r.code : 0) << r.name;
  }
}

TEST(KeyFilter, KeyCodeIsTheUtf16UnitAndNonBmpIsDiscarded) {
  EXPECT_EQ(key_code(U'7'), '7');
  EXPECT_EQ(key_code(U'０'), kFullWidthZero);
  const std::int16_t code = key_code(U'😀');  // U+1F600 = D83D DE00
  EXPECT_EQ(code, static_cast<std::int16_t>(0xD83D - 0x10000));
  EXPECT_EQ(filter_key(KeyFilter::Digits, code), 0);
  EXPECT_EQ(filter_key(KeyFilter::IdentityNumber, code), 0);
}

}  // namespace varostel
