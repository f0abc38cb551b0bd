// Plays random user actions and program writes on the calculator and after
// each compares every field (text, check-box value, enabled flag) and every
// page opened with a reference model kept here, with its own point tables,
// bands, caps, texts and identity-number layouts, so a wrong edge, cap or
// point shows up whatever the calculator's own tables say. The model borrows
// only number_text() (shortest digits of a non-whole double; unit-tested).
// VAROSTEL_FUZZ_TRACE=1 prints every action, e.g. when replaying a crash file.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculator.h"
#include "model/field_table.h"
#include "model/number_text.h"
#include "support/stand_ins.h"

namespace {

using varostel::WindowMode;
using namespace std::literals;

// --- Number text and the two readings ---

// Whole numbers up to 2^53 are written in full: there, every digit is needed
// for the text to read back as the same double.
std::string number(double v) {
  if (v == std::trunc(v) && std::fabs(v) <= 0x1p53)
    return std::to_string(static_cast<long long>(v));
  return varostel::number_text(v);  // trusted, see above
}

// Length of the leading decimal number: sign, digits, optionally '.' and digits.
std::size_t number_length(std::string_view t) {
  auto digits = [&t](std::size_t i) {
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i;
  };
  const std::size_t from = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  std::size_t end = digits(from);
  if (end == from) return 0;
  if (end + 1 < t.size() && t[end] == '.' && digits(end + 1) > end + 1) end = digits(end + 1);
  return end;
}

double to_double(std::string_view t) { return std::strtod(std::string(t).c_str(), nullptr); }

std::optional<double> strict(std::string_view t) {
  const std::size_t n = number_length(t);
  return n != 0 && n == t.size() ? std::optional(to_double(t)) : std::nullopt;
}
double lenient(std::string_view t) { return to_double(t.substr(0, number_length(t))); }

// A positive count rounded half to even, at most 2^31 - 1.
long long whole_count(double v) { return v >= 2147483647.0 ? 2147483647 : std::llrint(v); }

// --- The fields ---

// clang-format off
enum Kind : char { kLabel, kBox, kList, kCheck, kButton, kPicture };
enum F : int {
  Id, ReadId, Birth, Sex, Age, Edu, Housing, Days, Child, AgeScore, HouseScore, ChildScore,
  Personal, EduScore, Months, Score = Months + 5, UniYears = Score + 5, UniMonths, FillYears,
  FillMonths, Employer, Insurance, Total, Verdict, Reset, Consult, Logo, Site, kFields
};
struct Field { const char* name; Kind kind; const char* start; };
constexpr Field kField[kFields] = {
  {"ID", kBox, ""}, {"身份证解读", kButton, "身份证解读"}, {"出生日期", kLabel, ""},
  {"性别", kLabel, ""}, {"年龄", kBox, "18"}, {"选择学历", kList, ""}, {"房产状况", kList, ""},
  {"居住时长", kBox, "0"}, {"生育状况", kList, ""}, {"年龄得分", kLabel, "0"},
  {"房产得分", kLabel, "0"}, {"生育得分", kLabel, "0"}, {"个人得分", kLabel, "0"},
  {"学历得分", kLabel, "0"}, {"养老月数", kBox, "0"}, {"医疗月数", kBox, "0"},
  {"工伤月数", kBox, "0"}, {"生育险月数", kBox, "0"}, {"失业月数", kBox, "0"},
  {"养老得分", kLabel, "0"}, {"医疗得分", kLabel, "0"}, {"工伤得分", kLabel, "0"},
  {"生育险得分", kLabel, "0"}, {"失业得分", kLabel, "0"}, {"统一年数", kBox, "0"},
  {"统一月数", kBox, "0"}, {"统一年", kButton, "统一（年）"}, {"统一月", kButton, "统一（月）"},
  {"公司申办", kCheck, "公司申办"}, {"社保得分", kLabel, "0"}, {"合计得分", kLabel, "0"},
  {"评分结果", kButton, "综合计算中..."}, {"重置", kButton, "重置"},
  {"在线咨询", kButton, "在线咨询"}, {"logo", kPicture, ""}, {"Morvith", kLabel, "Morvith"}};
// clang-format on

// --- The rules' tables: list items with their points ---

struct Item {
  std::string_view text;
  int points;
};
constexpr Item kEducation[] = {{"高中或以下学历", 0},      {"全日制大专或高技", 70},
                               {"全日制本科", 90},         {"全日制本科有学位", 100},
                               {"非全日制大专或高技", 60}, {"非全日制本科", 80}};
constexpr Item kHousing[] = {{"无房产", 0}, {"有房无按揭", 30}, {"有房有按揭", 20}, {"居住证", 0}};
constexpr Item kChildbirth[] = {{"未育", 0}, {"政策内生育", 0}, {"政策外生育", -50}};
constexpr int kFundPointsPerYear[5] = {3, 1, 1, 1, 1};

std::span<const Item> items_of(int list) {
  return list == Edu ? kEducation : list == Housing ? std::span<const Item>(kHousing) : kChildbirth;
}

// Identity numbers: 1-based positions of the birth year, month and day (two
// characters each, shown as written) and of the sex digit (odd: male).
struct Layout {
  std::size_t year, year_digits, month, day, sex;
  int century;  // added to the year digits; 0 shows them as written
};
constexpr Layout kLayouts[] = {{7, 2, 9, 11, 15, 1900}, {7, 4, 11, 13, 17, 0}};  // 15, 18 long

constexpr std::string_view kPlaceholder = "综合计算中...";
constexpr std::string_view kPass = "积分通过，马上入户";  // above 99
constexpr std::string_view kShort = "差一点，考证入户";   // above 0
constexpr std::string_view kNeedMore = "需要补充一点分数…";
constexpr const char* kConsultationPage = "http://" VAROSTEL_CONSULTATION_HOST "/leyu.html";
constexpr const char* kCalculatorPage = "http://" VAROSTEL_SITE_HOST "/jsq/index.html";

double age_points(double age, std::string_view education) {
  const bool waived = education == "全日制本科" || education == "全日制本科有学位";
  if (age < 18) return 0;
  if (age < 35) return 5;
  if (age < 40) return 1;
  if (age < 45) return waived ? 0 : -2 * (age - 39);
  if (age < 48) return waived ? 0 : -(5 * (age - 44) + 10);
  return 0;
}

void append_utf8(std::string& t, char32_t c) {
  static constexpr unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
  const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  t += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
  for (int k = extra - 1; k >= 0; --k) t += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

// A text box keeps its first 1000 characters; the texts played here are
// valid UTF-8, so a character starts at every byte that is no continuation.
std::string fit_box(std::string t) {
  int characters = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if ((t[i] & 0xC0) != 0x80 && ++characters > 1000) return t.substr(0, i);
  }
  return t;
}

// --- The reference model: every field, its handlers, the pages opened ---

struct Model {
  std::array<std::string, kFields> text;
  std::array<bool, kFields> enabled;
  int ticked = 0;
  int year = 2026;
  std::vector<varostel::PageOpening> opened;

  Model() {
    for (int f = 0; f < kFields; ++f) text[f] = kField[f].start, enabled[f] = true;
    enabled[Age] = enabled[Days] = false;
  }

  // A program write: labels and text boxes raise Change, buttons nothing.
  void write(int f, std::string t) {
    if (kField[f].kind != kLabel && kField[f].kind != kBox && kField[f].kind != kButton) return;
    text[f] = kField[f].kind == kBox ? fit_box(std::move(t)) : std::move(t);
    if (kField[f].kind != kButton) changed(f);
  }
  void edit(int box, std::string t) {
    t = fit_box(std::move(t));
    if (kField[box].kind != kBox || !enabled[box] || text[box] == t) return;
    text[box] = std::move(t);
    changed(box);
  }
  void type(int box, char32_t c) {
    if (!enabled[box]) return;
    const char32_t code = c <= 0xFFFF ? c : 0xD800 + ((c - 0x10000) >> 10);  // its UTF-16 unit
    const bool digits_only = box == Age || box == Days || (box >= Months && box < Score);
    const bool passes = code == 8 || (code >= '0' && code <= '9') || (box == Id && code == 'X');
    if ((digits_only || box == Id) && !passes) return;
    std::string& t = text[box];
    if (code == 8) {
      if (t.empty()) return;
      while (!t.empty() && (t.back() & 0xC0) == 0x80) t.pop_back();
      if (!t.empty()) t.pop_back();
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {  // control characters insert nothing
      return;
    } else {
      if (fit_box(t + "x") != t + "x") return;  // a full box takes nothing typed
      append_utf8(t, c);
    }
    changed(box);
  }
  void choose(int list, std::string_view item) {
    for (const Item& row : items_of(list)) {
      if (row.text == item) {
        text[list] = item;
        return picked(list, row.points);
      }
    }
  }
  void open(const char* address, WindowMode mode) { opened.push_back({address, mode}); }
  void click(int f) {
    const bool verdict_opens = text[Verdict] != kPlaceholder && text[Verdict] != kNeedMore;
    if (f == Consult || (f == Verdict && verdict_opens))
      open(kConsultationPage, WindowMode::Normal);
    if (f == Logo || f == Site) open(kCalculatorPage, WindowMode::Hidden);
    if (f == ReadId) read_identity_number();
    if (f == FillYears) fill(UniYears, 12);
    if (f == FillMonths) fill(UniMonths, 1);
    if (f == Employer) ticked = !ticked, insurance_subtotal();
    if (f == Reset) reset();
  }

  // Change handlers of labels and text boxes.
  void changed(int f) {
    if (f >= Months && f < Score) {
      if (const auto m = strict(text[f])) {
        write(f - Months + Score,
              number(*m > 0 ? whole_count(*m) / 12 * kFundPointsPerYear[f - Months] : 0));
      } else {
        write(f, "0");
      }
      return insurance_subtotal();
    }
    switch (f) {
      case Age:
        if (const auto age = strict(text[Age])) {
          write(AgeScore, number(age_points(*age, text[Edu])));
        } else {
          write(Age, "18");
        }
        return personal_subtotal();
      case Days:
        if (const auto days = strict(text[Days])) {
          write(HouseScore, number(*days > 0 ? std::min(whole_count(*days) / 365, 10LL) : 0));
        } else {
          write(Days, "0");
        }
        return personal_subtotal();
      case Insurance:
        // Anything above the cap is lowered to it: 61 becomes 60.
        if (lenient(text[Insurance]) > (ticked ? 70 : 60)) write(Insurance, ticked ? "70" : "60");
        return grand_total();
      case Personal:
      case EduScore:
        return grand_total();
      case Total: {
        const double total = lenient(text[Total]);
        return write(Verdict, std::string(total > 99 ? kPass : total > 0 ? kShort : kNeedMore));
      }
    }
  }
  // Click handlers of the lists, after the item is selected.
  void picked(int list, int points) {
    if (list == Edu) {
      write(EduScore, number(points));
      write(AgeScore, number(age_points(strict(text[Age]).value_or(18), text[Edu])));
    } else if (list == Housing) {
      write(HouseScore, number(points));
      enabled[Days] = text[Housing] == "居住证";
    } else {
      write(ChildScore, number(points));
    }
    personal_subtotal();
  }
  void personal_subtotal() {
    write(Personal,
          number(lenient(text[AgeScore]) + lenient(text[HouseScore]) + lenient(text[ChildScore])));
  }
  void insurance_subtotal() {
    double sum = 0;
    for (int i = 0; i < 5; ++i) sum += lenient(text[Score + i]);
    write(Insurance, number(ticked ? sum + 10 : sum));
  }
  void grand_total() {
    write(Total,
          number(lenient(text[EduScore]) + lenient(text[Personal]) + lenient(text[Insurance])));
  }
  void fill(int box, int months_per_unit) {
    const auto count = strict(text[box]);
    // A year count whose months overflow is refused like a text that is no number.
    if (!count || (months_per_unit > 1 && !std::isfinite(*count * months_per_unit)))
      return write(box, "0");
    const std::string months = !(*count > 0)          ? "0"
                               : months_per_unit == 1 ? text[box]
                                                      : number(*count * months_per_unit);
    for (int i = 0; i < 5; ++i) write(Months + i, months);
  }
  void read_identity_number() {
    const std::string t = text[Id];
    const bool long_form = t.size() == 18, x_end = long_form && t.back() == 'X';
    const std::string_view digits(t.data(), x_end ? 17 : t.size());
    if ((t.size() != 15 && !long_form) || digits.find_first_not_of("0123456789") != digits.npos ||
        digits.find_first_not_of('0') == digits.npos) {
      write(Birth, "号码有误");
      return write(Sex, "");
    }
    const Layout& at = kLayouts[long_form];
    const std::string year_digits = t.substr(at.year - 1, at.year_digits);
    const int born = at.century + std::stoi(year_digits);
    write(Birth, (at.century ? std::to_string(born) : year_digits) + "年" +
                     t.substr(at.month - 1, 2) + "月" + t.substr(at.day - 1, 2) + "日");
    write(Sex, (t[at.sex - 1] - '0') % 2 ? "男" : "女");
    if (born == 0) return;
    write(Age, std::to_string(year - born));
    if (year - born > 47) {
      write(Birth, "超龄无法入户");
      write(AgeScore, "-90");
      personal_subtotal();  // the deduction counts at once
    }
  }
  void reset() {  // in the calculator's order: each write runs its handlers
    choose(Edu, kEducation[0].text);
    for (auto [f, t] : {std::pair{Id, ""}, {Age, "18"}, {Sex, ""}, {Birth, ""}, {AgeScore, "0"}})
      write(f, t);
    choose(Housing, kHousing[0].text);
    choose(Child, kChildbirth[0].text);
    for (int f :
         {+Days, Months + 0, Months + 1, Months + 2, Months + 3, Months + 4, +UniMonths, +UniYears})
      write(f, "0");
    if (ticked) click(Employer);
    write(Verdict, std::string(kPlaceholder));
  }
};

// --- Reading the fuzzer's bytes as actions ---

struct Bytes {
  const std::uint8_t* at;
  const std::uint8_t* end;
  bool empty() const { return at == end; }
  std::uint8_t next() { return at == end ? 0 : *at++; }
};

// Digits (twice as likely), Backspace, signs, the full stop, both x's,
// letters, spaces and control characters (tab, NUL, CR, DEL, C1), full-width
// and Arabic-Indic digits, Chinese characters, an accented letter, an emoji.
constexpr std::u32string_view kKeys =
    U"01234567890123456789\b\bXx+-.aeZ \t\r\x7f"
    U"\uFF11\uFF10\u0663年中\u00E9\U0001F600\u0085"
    U"\0"sv;

char32_t some_key(Bytes& in) { return kKeys[in.next() % kKeys.size()]; }

std::string some_text(Bytes& in) {
  std::string t;
  const std::uint8_t shape = in.next();
  if (shape % 2 == 0) {  // a number, or nearly one
    if (shape & 2) t += shape & 4 ? '-' : '+';
    for (int n = in.next() % 7; n > 0; --n) t += static_cast<char>('0' + in.next() % 10);
    if (shape & 8) t += '.';
    if (shape & 16) {
      for (int n = in.next() % 4; n > 0; --n) t += static_cast<char>('0' + in.next() % 10);
    }
    if ((shape & 0xE0) == 0xE0) append_utf8(t, some_key(in));
    return t;
  }
  for (int n = in.next() % 16; n > 0; --n) {
    const std::uint8_t b = in.next();
    if (b >= 0xF8) {
      t.append(static_cast<std::size_t>(b - 0xF7) * 100, static_cast<char>('0' + b % 10));
    } else {
      append_utf8(t, kKeys[b % kKeys.size()]);
    }
  }
  return t;
}

// Identity numbers of 15 and 18 characters and of other lengths, with a birth
// year chosen around the over-age edge, and spoilt: X at the end, a letter,
// all zeros, year 0000.
std::string identity_number(Bytes& in, int year) {
  static constexpr int kLengths[] = {18, 15, 18, 15, 17, 19, 14, 16, 0, 1};
  const std::uint8_t shape = in.next();
  std::string t;
  for (int i = kLengths[shape % std::size(kLengths)]; i > 0; --i) t += char('0' + in.next() % 10);
  const int born = year - (in.next() % 140 - 10);  // aged -10 to 129
  if (t.size() == 18) t.replace(6, 4, std::to_string(born + 10000).substr(1));
  if (t.size() == 15) t.replace(6, 2, std::to_string(born % 100 + 100).substr(1));
  const std::size_t at = t.empty() ? 0 : in.next() % t.size();
  const int spoil = shape / 10 % 8;
  if (spoil == 0 && !t.empty()) t.back() = 'X';
  if (spoil == 1 && !t.empty()) t.replace(at, 1, shape & 1 ? "x" : "号");
  if (spoil == 2) t.assign(t.size(), '0');
  if (spoil == 3 && t.size() == 18) t.replace(6, 4, "0000");
  return t;
}

bool g_trace = false;

// Escapes control characters, so a trace shows what was typed.
std::string shown(std::string_view text) {
  std::string out;
  char escaped[8];
  for (unsigned char c : text)
    out += c < 0x20 || c == 0x7F ? (std::snprintf(escaped, 8, "\\x%02X", c), escaped)
                                 : std::string(1, static_cast<char>(c));
  return out;
}

[[noreturn]] void differ(int f, const char* what, std::string_view model, std::string_view form) {
  std::fprintf(stderr, "%s %s: the model has \"%s\", the calculator \"%s\"\n",
               f >= 0 ? kField[f].name : "", what, shown(model).c_str(), shown(form).c_str());
  std::fprintf(stderr, "(replay with VAROSTEL_FUZZ_TRACE=1 to see the actions)\n");
  std::abort();
}

// The calculator and the model side by side: every action is made on both
// and followed by a comparison of everything the window would show.
class Session {
 public:
  Session() {
    for (int f = 0; f < kFields; ++f) {
      const auto found = varostel::find_field(kField[f].name);
      if (!found) differ(f, "field", "present", "missing");
      id_[f] = *found;
    }
  }
  void type(int box, char32_t key) {
    std::string typed;
    append_utf8(typed, key);
    act("type", box, typed, [&] { model_.type(box, key), form_.type(id_[box], key); });
  }
  void paste(int box, const std::string& t) {
    act("paste", box, t, [&] { model_.edit(box, t), (void)form_.edit(id_[box], t); });
  }
  void set(int f, const std::string& t) {
    act("set", f, t, [&] { model_.write(f, t), form_.write(id_[f], t); });
  }
  void choose(int list, std::string_view item, bool by_program) {
    act(by_program ? "select" : "choose", list, item, [&] {
      model_.choose(list, item);
      (void)(by_program ? form_.select(id_[list], item) : form_.choose(id_[list], item));
    });
  }
  void click(int f) {
    act("click", f, "", [&] { model_.click(f), form_.click(id_[f]); });
  }
  void year(int year) {
    note("year", -1, std::to_string(year));
    clock_.fix_year(model_.year = year);
  }
  int year() const { return model_.year; }

 private:
  static void note(const char* action, int f, std::string_view text) {
    if (g_trace)
      std::fprintf(stderr, "%s %s %s\n", action, f >= 0 ? kField[f].name : "", shown(text).c_str());
  }
  template <class Both>  // the same action on the model and the calculator, then compared
  void act(const char* action, int f, std::string_view text, Both both) {
    note(action, f, text);
    both();
    compare();
  }
  void compare() const {
    for (int f = 0; f < kFields; ++f) {
      const std::string& text = form_.text(id_[f]);
      if (text != model_.text[f]) differ(f, "text", model_.text[f], text);
      if (form_.enabled(id_[f]) != model_.enabled[f])
        differ(f, "enabled", model_.enabled[f] ? "yes" : "no", model_.enabled[f] ? "no" : "yes");
    }
    if (form_.value(id_[Employer]) != model_.ticked)
      differ(Employer, "value", std::to_string(model_.ticked), std::to_string(!model_.ticked));
    const auto& opened = opener_.openings();
    if (opened.size() != model_.opened.size())
      differ(-1, "pages opened", std::to_string(model_.opened.size()),
             std::to_string(opened.size()));
    if (!opened.empty() && (opened.back().address != model_.opened.back().address ||
                            opened.back().mode != model_.opened.back().mode)) {
      differ(-1, "page opened", model_.opened.back().address, opened.back().address);
    }
  }

  Model model_;
  varostel::RecordingOpener opener_;
  varostel::SettableClock clock_{model_.year};
  varostel::Calculator calculator_{opener_, clock_};
  varostel::Form& form_ = calculator_.form();
  std::array<varostel::FieldId, kFields> id_{};
};

constexpr int kTextBoxes[] = {Id,         Age,        Days,       Months,   Months + 1,
                              Months + 2, Months + 3, Months + 4, UniYears, UniMonths};
constexpr int kClickable[] = {ReadId, FillYears, FillMonths, Employer, Verdict,
                              Reset,  Consult,   Logo,       Site};
constexpr F kLists[] = {Edu, Housing, Child};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_trace = std::getenv("VAROSTEL_FUZZ_TRACE") != nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Session session;
  Bytes in{data, data + size};
  while (!in.empty()) {
    const std::uint8_t action = in.next();
    const int box = kTextBoxes[in.next() % std::size(kTextBoxes)];
    switch (action % 10) {
      case 0:
      case 1:  // typing a few keys
        for (int n = 1 + in.next() % 8; n > 0; --n) session.type(box, some_key(in));
        break;
      case 2:  // a paste over the whole box
        session.paste(box, some_text(in));
        break;
      case 3:  // a program write into an input box
        session.set(box, some_text(in));
        break;
      case 4:  // a program write into any field
        session.set(in.next() % kFields, some_text(in));
        break;
      case 5: {  // an item of a list, or a text that is none
        const F list = kLists[box % std::size(kLists)];
        const auto items = items_of(list);
        const std::uint8_t pick = in.next();
        session.choose(list,
                       pick % 8u < items.size() ? items[pick % 8].text
                       : pick & 8               ? ""
                                                : "其他",
                       pick & 16);
        break;
      }
      case 6:
      case 7: {  // a click: mostly on what reacts, sometimes on any field
        const std::uint8_t pick = in.next();
        session.click(pick >= 0xE0 ? pick % kFields : kClickable[pick % std::size(kClickable)]);
        break;
      }
      case 8: {  // the clock moves to any year from 1900 to 2100
        const int high = in.next() << 8;
        session.year(1900 + (high | in.next()) % 201);
        break;
      }
      case 9: {  // an identity number, pasted or written, then read
        const std::string number = identity_number(in, session.year());
        action & 16 ? session.set(Id, number) : session.paste(Id, number);
        session.click(ReadId);
        break;
      }
    }
  }
  return 0;
}
