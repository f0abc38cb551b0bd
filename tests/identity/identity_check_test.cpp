// The identity-number hint: the check character of every value, wrong ones,
// the calendar's edges, today, which problem is named first, and no hint for
// what the reading rejects.
#include "identity/identity_check.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace varostel {
namespace {

constexpr Date kToday{2026, 6, 15};
const std::string kInvalidDate = "出生日期不是有效日期";
const std::string kAfterToday = "出生日期晚于今天";
std::string check_should_be(char c) { return std::string("校验码应为 ") + c + "，请核对号码"; }

struct HintRow {
  const char* name;
  const char* number;
  std::string hint;
};

// Names the row in the test's messages instead of dumping its bytes.
void PrintTo(const HintRow& row, std::ostream* out) { *out << row.name; }

class IdentityHint : public testing::TestWithParam<HintRow> {};

TEST_P(IdentityHint, NamesTheFirstProblem) {
  EXPECT_EQ(identity_hint(GetParam().number, kToday), GetParam().hint);
}

INSTANTIATE_TEST_SUITE_P(
    CheckCharacters, IdentityHint,
    testing::Values(
        HintRow{"Sound0", "110105194912310070", ""}, HintRow{"Sound1", "110105194912310011", ""},
        HintRow{"Sound2", "110105194912310062", ""}, HintRow{"Sound3", "110105194912310003", ""},
        HintRow{"Sound4", "110105194912310054", ""}, HintRow{"Sound5", "110105194912310185", ""},
        HintRow{"Sound6", "110105194912310046", ""}, HintRow{"Sound7", "110105194912310097", ""},
        HintRow{"Sound8", "110105194912310038", ""}, HintRow{"Sound9", "110105194912310089", ""},
        HintRow{"SoundX", "11010519491231002X", ""},
        HintRow{"ZeroWhereOneBelongs", "110105194912310010", check_should_be('1')},
        HintRow{"OneWhereZeroBelongs", "110105194912310071", check_should_be('0')},
        HintRow{"DigitWhereXBelongs", "110105194912310020", check_should_be('X')},
        HintRow{"XWhereSevenBelongs", "11010519491231009X", check_should_be('7')},
        HintRow{"SwappedDigitsInTheBody", "110105194912310700", check_should_be('8')}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BirthDates, IdentityHint,
    testing::Values(HintRow{"Month13", "11010519851301001X", kInvalidDate},
                    HintRow{"Month00", "110105198500010010", kInvalidDate},
                    HintRow{"Day00", "110105198501000017", kInvalidDate},
                    HintRow{"April31", "110105198504310010", kInvalidDate},
                    HintRow{"Feb29In1900CommonCentury", "110105190002290017", kInvalidDate},
                    HintRow{"Feb29In2000LeapCentury", "110105200002290013", ""},
                    HintRow{"Feb29In2023Common", "110105202302290014", kInvalidDate},
                    HintRow{"Feb29In2024Leap", "110105202402290011", ""},
                    HintRow{"Year0000", "11010500000101001X", kInvalidDate},
                    HintRow{"Today", "110105202606150010", ""},
                    HintRow{"DayAfterToday", "110105202606160016", kAfterToday},
                    HintRow{"NextYear", "440302202701011236", kAfterToday},
                    HintRow{"InvalidDateBeforeWrongCheck", "110105198504310011", kInvalidDate},
                    HintRow{"FutureDateBeforeWrongCheck", "110105202606160010", kAfterToday}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(ShortNumbers, IdentityHint,
                         testing::Values(HintRow{"NoCheckCharacter", "110105491231002", ""},
                                         HintRow{"Month13", "110105851301002", kInvalidDate},
                                         HintRow{"Feb29In1900", "110105000229002", kInvalidDate},
                                         HintRow{"Feb29In1996", "110105960229002", ""},
                                         HintRow{"Dec31", "110105991231002", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(RejectedByTheReading, IdentityHint,
                         testing::Values(HintRow{"Empty", "", ""},
                                         HintRow{"SeventeenDigits", "11010519851301001", ""},
                                         HintRow{"LowercaseX", "11010519491231002x", ""},
                                         HintRow{"XInsideTheBody", "1101051949X231002X", ""},
                                         HintRow{"AllZerosInvalidDate", "000000000000000000", ""},
                                         HintRow{"FullWidthDigit", "11010519851301001１", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IdentityHintToday, TheLastDayOfAYearAcceptsItsWholeYear) {
  EXPECT_EQ(identity_hint("440302202612311237", Date{2026, 12, 31}), "");
  EXPECT_EQ(identity_hint("440302202612311237", Date{2026, 12, 30}), kAfterToday);
}

TEST(CheckCharacter, OnlySeventeenAsciiDigits) {
  EXPECT_EQ(check_character("11010519491231002"), 'X');
  EXPECT_EQ(check_character("1101051949123100"), std::nullopt);
  EXPECT_EQ(check_character("110105194912310021"), std::nullopt);
  EXPECT_EQ(check_character("1101051949123100X"), std::nullopt);
}

}  // namespace
}  // namespace varostel
