// Drives the calculator with arbitrary sequences of user actions and checks,
// after every action, that the window would show a consistent state: number
// boxes hold number text, every score follows its input, the subtotals,
// total and verdict follow the scores, and the caps hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/calculator.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "scenario-player/stand_ins.h"
#include "scoring/education.h"
#include "scoring/insurance.h"
#include "scoring/personal_items.h"
#include "scoring/totals.h"

namespace {

using namespace varostel;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Characters worth typing or pasting: digits, signs, separators, the
// identity-number letter in both cases, a full-width digit, Backspace.
constexpr char32_t kAlphabet[] = {U'0', U'1', U'2', U'5', U'9',      U'.',  U'-', U'+',
                                  U'X', U'x', U'e', U' ', U'\uFF11', U'\b', U'7', U'4'};

std::string some_text(Bytes& in) {
  std::string text;
  const int length = in.next() % 24;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t b = in.next();
    if (b >= 0xF0) {
      text.append(static_cast<std::size_t>(b - 0xEF) * 40, '9');  // long digit runs
    } else {
      utf8::append(text, kAlphabet[b % std::size(kAlphabet)] == U'\b'
                             ? U'3'
                             : kAlphabet[b % std::size(kAlphabet)]);
    }
  }
  return text;
}

constexpr FieldId kTextBoxes[] = {
    field_id("ID"),       field_id("年龄"),     field_id("居住时长"),   field_id("养老月数"),
    field_id("医疗月数"), field_id("工伤月数"), field_id("生育险月数"), field_id("失业月数"),
    field_id("统一年数"), field_id("统一月数")};
constexpr FieldId kLists[] = {field_id("选择学历"), field_id("房产状况"), field_id("生育状况")};
constexpr FieldId kClickable[] = {
    field_id("身份证解读"), field_id("统一年"),   field_id("统一月"),
    field_id("公司申办"),   field_id("评分结果"), field_id("重置"),
    field_id("在线咨询"),   field_id("logo"),     field_id("Morvith")};

void fail(const char* what, const Form& form, FieldId field) {
  const std::string_view name = field_row(field).name;
  std::fprintf(stderr, "invariant broken: %s (%.*s = \"%s\")\n", what,
               static_cast<int>(name.size()), name.data(), form.text(field).c_str());
  std::abort();
}

double lenient(const Form& form, std::string_view name) {
  return read_lenient(form.text(*find_field(name)));
}

void check(const Form& form) {
  for (std::string_view name :
       {"年龄", "居住时长", "养老月数", "医疗月数", "工伤月数", "生育险月数", "失业月数"}) {
    if (!read_strict(form.text(*find_field(name))))
      fail("a number box holds no number", form, *find_field(name));
  }
  double funds = 0;
  for (const Fund& fund : kFunds) {
    const double months = *read_strict(form.text(fund.months));
    if (form.text(fund.score) !=
        number_text(static_cast<double>(fund_points(months, fund.points_per_year)))) {
      fail("fund score does not follow its months", form, fund.score);
    }
    funds += read_lenient(form.text(fund.score));
  }
  const FieldId employer = field_id("公司申办");
  const bool ticked = form.value(employer) == 1;
  const double subtotal = std::min(funds + (ticked ? kEmployerBonus : 0.0), insurance_cap(ticked));
  if (form.text(field_id("社保得分")) != number_text(subtotal))
    fail("insurance subtotal", form, field_id("社保得分"));

  if (form.text(field_id("学历得分")) !=
      number_text(education_points(form.text(field_id("选择学历"))))) {
    fail("education score", form, field_id("学历得分"));
  }
  if (form.text(field_id("生育得分")) !=
      number_text(childbirth_points(form.text(field_id("生育状况"))))) {
    fail("childbirth score", form, field_id("生育得分"));
  }
  const double personal =
      lenient(form, "年龄得分") + lenient(form, "房产得分") + lenient(form, "生育得分");
  if (form.text(field_id("个人得分")) != number_text(personal))
    fail("personal subtotal", form, field_id("个人得分"));
  const double total =
      lenient(form, "学历得分") + lenient(form, "个人得分") + lenient(form, "社保得分");
  if (form.text(field_id("合计得分")) != number_text(total))
    fail("grand total", form, field_id("合计得分"));
  const std::string& verdict = form.text(field_id("评分结果"));
  if (verdict != kVerdictPlaceholder && verdict != verdict_for(total))
    fail("verdict", form, field_id("评分结果"));

  if (form.enabled(field_id("年龄"))) fail("the age box became editable", form, field_id("年龄"));
  if (form.enabled(field_id("居住时长")) != (form.text(field_id("房产状况")) == "居住证")) {
    fail("residence box enabled without a residence permit", form, field_id("居住时长"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecordingOpener opener;
  SettableClock clock(2026);
  Calculator calculator(opener, clock);
  Form& form = calculator.form();
  Bytes in(data, size);
  while (!in.empty()) {
    switch (in.next() % 6) {
      case 0: {
        const FieldId box = kTextBoxes[in.next() % std::size(kTextBoxes)];
        const std::uint8_t key = in.next();
        form.type(box, kAlphabet[key % std::size(kAlphabet)]);
        break;
      }
      case 1: {
        const FieldId box = kTextBoxes[in.next() % std::size(kTextBoxes)];
        form.edit(box, some_text(in));
        break;
      }
      case 2: {
        const FieldId list = kLists[in.next() % std::size(kLists)];
        const auto& items = field_row(list).items;
        (void)form.choose(list, items[in.next() % items.size()]);
        break;
      }
      case 3:
        form.click(kClickable[in.next() % std::size(kClickable)]);
        break;
      case 4: {
        // A program write into an input box, as another part of the program might make.
        const FieldId box = kTextBoxes[in.next() % std::size(kTextBoxes)];
        form.write(box, some_text(in));
        break;
      }
      case 5:
        clock.fix_year(1900 + in.next() * 2);
        break;
    }
    check(form);
  }
  return 0;
}
