// Reading birth date, sex and birth year out of a resident identity number.
#include "identity/identity_number.h"

#include <gtest/gtest.h>

#include <string>

namespace varostel {

// Positions 1-6, 15-16 and 18 (18 characters) or 13-14 (15 characters) vary
// between rows: they are never read.
TEST(IdentityNumber, CutsFixedPositions) {
  const struct { const char* name; const char* number; const char* date; Sex sex; int year; } rows[] = {
      {"long, odd sex digit", "110101198501020013", "1985年01月02日", Sex::Male, 1985},
      {"long, other fillers", "987654198501029950", "1985年01月02日", Sex::Male, 1985},
      {"long, sex digit 0", "440300200012310008", "2000年12月31日", Sex::Female, 2000},
      {"long, trailing capital X", "11010119850102001X", "1985年01月02日", Sex::Male, 1985},
      {"long, date not validated", "110101198513450024", "1985年13月45日", Sex::Female, 1985},
      {"long, year 0000 still shown", "110101000003040027", "0000年03月04日", Sex::Female, 0},
      {"short, even sex digit", "110101850102002", "1985年01月02日", Sex::Female, 1985},
      {"short, sex digit 9", "999999850102779", "1985年01月02日", Sex::Male, 1985},
      {"short, year 00 is 1900", "110101000315001", "1900年03月15日", Sex::Male, 1900},
      {"short, year 99", "110101991109004", "1999年11月09日", Sex::Female, 1999}};
  for (const auto& r : rows) {
    const auto facts = read_identity_number(r.number);
    ASSERT_TRUE(facts.has_value()) << r.name;
    EXPECT_EQ(facts->birth_date, r.date) << r.name;
    EXPECT_EQ(facts->sex, r.sex) << r.name;
    EXPECT_EQ(facts->birth_year, r.year) << r.name;
  }
  EXPECT_EQ(sex_text(Sex::Male), "男");
  EXPECT_EQ(sex_text(Sex::Female), "女");
}

TEST(IdentityNumber, WrongNumbersAreNotRead) {
  const struct { const char* name; std::string number; } rows[] = {
      {"empty", ""}, {"one digit", "1"}, {"16 digits", "1101011985010200"},
      {"17 digits", "11010119850102001"}, {"19 digits", "1101011985010200133"},
      {"18 zeros", std::string(18, '0')}, {"15 zeros", std::string(15, '0')},
      {"17 zeros and X", std::string(17, '0') + "X"}, {"lowercase x", "11010119850102001x"},
      {"X not last", "1101011985010200X3"}, {"X ending 15 characters", "11010185010200X"},
      {"letter", "11010119850102001A"}, {"inner space", "110101 98501020013"},
      {"trailing space", "11010185010200 "}, {"sign", "+11010185010200"},
      {"full-width digits", "１１０１０１１９８５０１０２００１３"},
      {"one full-width digit", "11010119850102001３"}, {"400 digits", std::string(400, '1')}};
  for (const auto& r : rows) EXPECT_FALSE(read_identity_number(r.number)) << r.name;
}

}  // namespace varostel
