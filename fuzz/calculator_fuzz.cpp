// Plays random user actions and program writes on the calculator and, after
// each, compares every field (text, value, enabled flag) and the pages opened
// with a reference model. The model is a second form (fields, events, text
// boxes: unit-tested where they live) whose handlers are written here from
// the literal tables below: fields' start texts, item points, bands with
// their edges, caps, identity-number layouts, the reset's writes. So a wrong
// edge, cap or point shows up whatever the calculator's own tables say.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "model/field_table.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "support/stand_ins.h"

namespace {

using namespace std::literals;
using varostel::Event, varostel::FieldId, varostel::Form, varostel::read_lenient,
    varostel::read_strict;

// --- The rules, as data ---

// clang-format off
enum F : int { Id, ReadId, Birth, Sex, Age, Edu, Housing, Days, Child, AgeScore, HouseScore,
  ChildScore, Personal, EduScore, Months, Score = Months + 5, UniYears = Score + 5, UniMonths,
  FillYears, FillMonths, Employer, Insurance, Total, Verdict, Reset, Consult, Logo, Site, kFields};
struct Field { const char* name; const char* start; };
constexpr Field kField[kFields] = {{"ID", ""}, {"身份证解读", "身份证解读"}, {"出生日期", ""},
  {"性别", ""}, {"年龄", "18"}, {"选择学历", ""}, {"房产状况", ""}, {"居住时长", "0"},
  {"生育状况", ""}, {"年龄得分", "0"}, {"房产得分", "0"}, {"生育得分", "0"}, {"个人得分", "0"},
  {"学历得分", "0"}, {"养老月数", "0"}, {"医疗月数", "0"}, {"工伤月数", "0"}, {"生育险月数", "0"},
  {"失业月数", "0"}, {"养老得分", "0"}, {"医疗得分", "0"}, {"工伤得分", "0"}, {"生育险得分", "0"},
  {"失业得分", "0"}, {"统一年数", "0"}, {"统一月数", "0"}, {"统一年", "统一（年）"},
  {"统一月", "统一（月）"}, {"公司申办", "公司申办"}, {"社保得分", "0"}, {"合计得分", "0"},
  {"评分结果", "综合计算中..."}, {"重置", "重置"}, {"在线咨询", "在线咨询"}, {"logo", ""},
  {"Morvith", "Morvith"}};

// The lists' items with their points; `waives` marks the educations that
// waive the age deduction, `by_days` the housing scored by residence days.
struct Item { std::string_view text; int points; bool waives = false, by_days = false; };
constexpr Item kEducation[] = {{"高中或以下学历", 0}, {"全日制大专或高技", 70},
  {"全日制本科", 90, true}, {"全日制本科有学位", 100, true}, {"非全日制大专或高技", 60},
  {"非全日制本科", 80}};
constexpr Item kHousing[] = {{"无房产", 0}, {"有房无按揭", 30}, {"有房有按揭", 20},
  {"居住证", 0, false, true}};
constexpr Item kChildbirth[] = {{"未育", 0}, {"政策内生育", 0}, {"政策外生育", -50}};
constexpr std::span<const Item> kItems[] = {kEducation, kHousing, kChildbirth};
constexpr F kLists[] = {Edu, Housing, Child}, kItemScores[] = {EduScore, HouseScore, ChildScore};

// A band holds the values below `edge`, and the edge itself when `inclusive`.
// An age band's points are base + slope * (age - pivot); one with a slope is
// a deduction, which a waiving education does not pay. A verdict band gives
// its text.
struct Band { double edge; bool inclusive; double base = 0, slope = 0, pivot = 0;
              const char* text = ""; };
constexpr Band kAgeBands[] = {{18, false}, {35, false, 5}, {40, false, 1}, {45, false, 0, -2, 39},
                              {48, false, -10, -5, 44}, {INFINITY, true}};
constexpr Band kVerdicts[] = {{0, true, 0, 0, 0, "需要补充一点分数…"},
                              {99, true, 0, 0, 0, "差一点，考证入户"},
                              {INFINITY, true, 0, 0, 0, "积分通过，马上入户"}};

// Count boxes: `points` per whole `unit` (the count rounded half to even, at
// most 2^31 - 1), up to `most`; 0 or less scores nothing. `subtotal` adds it.
struct CountRule { int box, score, unit, points, subtotal, most = INT32_MAX; };
constexpr CountRule kCounts[] = {
  {Months, Score, 12, 3, Insurance}, {Months + 1, Score + 1, 12, 1, Insurance},
  {Months + 2, Score + 2, 12, 1, Insurance}, {Months + 3, Score + 3, 12, 1, Insurance},
  {Months + 4, Score + 4, 12, 1, Insurance}, {Days, HouseScore, 365, 1, Personal, 10}};
constexpr int kMonthsPerYear = 12;
constexpr double kEmployerBonus = 10, kInsuranceCap[2] = {60, 70};  // without, with employer
// Older than `oldest`: this mark in the birth date, and these age points.
constexpr struct { int oldest; const char *mark, *points; } kOverAge = {47, "超龄无法入户", "-90"};

// Identity numbers: 1-based positions of the birth year, month and day (two
// characters each, shown as written) and of the sex digit (odd: male);
// `century` is added to the year digits (0 shows them as written).
struct Layout { std::size_t length, year, year_digits, month, day, sex; int century; bool x_last; };
constexpr Layout kLayouts[] = {{15, 7, 2, 9, 11, 15, 1900, false}, {18, 7, 4, 11, 13, 17, 0, true}};

constexpr const char* kPlaceholder = "综合计算中...";
// The reset's writes in the calculator's order, each running its handlers.
constexpr std::pair<int, const char*> kReset[] = {
  {Edu, "高中或以下学历"}, {Id, ""}, {Age, "18"}, {Sex, ""}, {Birth, ""}, {AgeScore, "0"},
  {Housing, "无房产"}, {Child, "未育"}, {Days, "0"}, {Months, "0"}, {Months + 1, "0"},
  {Months + 2, "0"}, {Months + 3, "0"}, {Months + 4, "0"}, {UniMonths, "0"}, {UniYears, "0"},
  {Employer, "0"}, {Verdict, kPlaceholder}};
constexpr const char* kConsultationPage = "http://" VAROSTEL_CONSULTATION_HOST "/leyu.html";
constexpr const char* kCalculatorPage = "http://" VAROSTEL_SITE_HOST "/jsq/index.html";
// clang-format on

const Band& band_of(std::span<const Band> bands, double v) {
  for (const Band& b : bands)
    if (v < b.edge || (b.inclusive && v == b.edge)) return b;
  return bands.back();
}

double age_points(double age, std::string_view education) {
  const Band& b = band_of(kAgeBands, age);
  const auto row = std::ranges::find(kEducation, education, &Item::text);
  if (b.slope != 0 && row != std::end(kEducation) && row->waives) return 0;
  return b.slope == 0 ? b.base : b.base + b.slope * (age - b.pivot);
}

std::string number(double v) { return varostel::number_text(v); }

[[noreturn]] void differ(int f, const char* what, std::string model, std::string form) {
  std::fprintf(stderr, "%s %s: the model has \"%s\", the calculator \"%s\"\n",
               f >= 0 ? kField[f].name : "", what, model.c_str(), form.c_str());
  std::abort();
}

// --- Reading the fuzzer's bytes as actions ---

struct Bytes {
  const std::uint8_t *at, *end;
  std::uint8_t next() { return at == end ? 0 : *at++; }
  char digit() { return static_cast<char>('0' + next() % 10); }
};

// Digits (twice as likely), Backspace, signs, the full stop, both x's,
// letters, spaces and control characters (tab, NUL, CR, DEL, C1), full-width
// and Arabic-Indic digits, Chinese characters, an accented letter, an emoji.
constexpr std::u32string_view kKeys =
    U"01234567890123456789\b\bXx+-.aeZ \t\r\x7f\uFF11\uFF10\u0663年中\u00E9\U0001F600\u0085\0"sv;
char32_t some_key(Bytes& in) { return kKeys[in.next() % kKeys.size()]; }

std::string some_text(Bytes& in) {
  std::string t;
  const std::uint8_t shape = in.next();
  if (shape % 2 == 0) {  // a number, or nearly one
    if (shape & 2) t += shape & 4 ? '-' : '+';
    for (int n = in.next() % 7; n > 0; --n) t += in.digit();
    if (shape & 8) t += '.';
    for (int n = shape & 16 ? in.next() % 4 : 0; n > 0; --n) t += in.digit();
    if ((shape & 0xE0) == 0xE0) varostel::utf8::append(t, some_key(in));
    return t;
  }
  for (int n = in.next() % 16; n > 0; --n) {
    const std::uint8_t b = in.next();
    if (b >= 0xF8) t.append(static_cast<std::size_t>(b - 0xF7) * 100, char('0' + b % 10));
    if (b < 0xF8) varostel::utf8::append(t, kKeys[b % kKeys.size()]);
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
  for (int i = kLengths[shape % std::size(kLengths)]; i > 0; --i) t += in.digit();
  const int born = year - (in.next() % 140 - 10);  // aged -10 to 129
  if (t.size() == 18) t.replace(6, 4, std::to_string(born + 10000).substr(1));
  if (t.size() == 15) t.replace(6, 2, std::to_string(born % 100 + 100).substr(1));
  const int spoil = shape / 10 % 8;
  if (spoil == 0 && !t.empty()) t.back() = 'X';
  if (spoil == 1 && !t.empty()) t.replace(in.next() % t.size(), 1, shape & 1 ? "x" : "号");
  if (spoil == 2) t.assign(t.size(), '0');
  if (spoil == 3 && t.size() == 18) t.replace(6, 4, "0000");
  return t;
}

enum Verb { Type, Paste, Set, Click };
// clang-format off
constexpr int kTextBoxes[] = {Id, Age, Days, Months, Months + 1, Months + 2, Months + 3, Months + 4,
                              UniYears, UniMonths};
constexpr int kClickable[] = {ReadId, FillYears, FillMonths, Employer, Verdict, Reset, Consult,
                              Logo, Site};
// clang-format on

// --- The reference model beside the calculator ---

// The model is a form with the rules above as its handlers. Every action is
// made on both forms and followed by a comparison of everything the window
// would show.
struct Session {
  Form model;
  int year = 2026;
  std::vector<varostel::PageOpening> opened;
  varostel::RecordingOpener opener;
  varostel::SettableClock clock{year};
  varostel::Calculator calculator{opener, clock};
  Form& form = calculator.form();

  static FieldId at(int f) { return {static_cast<std::uint8_t>(f)}; }
  const std::string& text(int f) const { return model.text(at(f)); }
  void write(int f, std::string_view t) { model.write(at(f), t); }
  bool ticked() const { return model.value(at(Employer)) == 1; }
  double sum(std::initializer_list<int> fs) const {
    return std::accumulate(fs.begin(), fs.end(), 0.0,
                           [&](double s, int f) { return s + read_lenient(text(f)); });
  }

  // The start texts are the model's own. Backspace and digits pass the count
  // boxes' and the identity number's key filters, X the latter's too.
  Session() {
    for (int f = 0; f < kFields; ++f) {
      if (varostel::field_row(at(f)).name != kField[f].name) differ(f, "name", "", "");
      write(f, kField[f].start);
      model.set_enabled(at(f), f != Age && f != Days);
      model.on(at(f), Event::Change, [this, f] { changed(f); });
      model.on(at(f), Event::Click, [this, f] { clicked(f); });
      const bool filtered = f == Id || f == Age || f == Days || (f >= Months && f < Score);
      model.on_key_press(at(f), [f, filtered](std::int16_t& c) {
        if (filtered && c != 8 && (c < '0' || c > '9') && (f != Id || c != 'X')) c = 0;
      });
    }
    for (int l = 0; l < 3; ++l)  // the calculator's lists hold the model's items
      if (!std::ranges::equal(varostel::field_row(at(kLists[l])).items, kItems[l], {}, {},
                              &Item::text))
        differ(kLists[l], "items", "", "");
  }
  void clicked(int f) {
    if (f == Edu || f == Housing || f == Child) picked(f);
    if (f == Consult || (f == Verdict && text(f) != kPlaceholder && text(f) != kVerdicts[0].text))
      opened.push_back({kConsultationPage, varostel::WindowMode::Normal});
    if (f == Logo || f == Site) opened.push_back({kCalculatorPage, varostel::WindowMode::Hidden});
    if (f == ReadId) read_identity_number();
    if (f == FillYears || f == FillMonths) fill(f == FillYears ? UniYears : UniMonths);
    if (f == Employer) insurance_subtotal();
    if (f == Reset)
      for (auto [g, t] : kReset) (void)model.write_as_text(at(g), t);
  }
  void picked(int list) {
    const int l = std::ranges::find(kLists, list) - kLists;
    const auto row = std::ranges::find(kItems[l], text(list), &Item::text);
    if (row == kItems[l].end()) differ(list, "item", "one of its items", text(list));
    write(kItemScores[l], number(row->points));
    if (list == Edu)
      write(AgeScore, number(age_points(read_strict(text(Age)).value_or(18), text(Edu))));
    if (list == Housing) model.set_enabled(at(Days), row->by_days);
    personal_subtotal();
  }

  // Change handlers; an unreadable count box is refilled with its start value.
  void changed(int f) {
    const CountRule* rule = std::ranges::find(kCounts, f, &CountRule::box);
    if (f == Age || rule != std::end(kCounts)) {
      const auto count = read_strict(text(f));
      if (!count) return write(f, kField[f].start);
      if (f == Age)
        return write(AgeScore, number(age_points(*count, text(Edu)))), personal_subtotal();
      const long long units = *count > 0 ? varostel::round_to_int32(*count) / rule->unit : 0;
      write(rule->score, number(std::min<long long>(units * rule->points, rule->most)));
      return rule->subtotal == Personal ? personal_subtotal() : insurance_subtotal();
    }
    // Anything above the cap is lowered to it: 61 becomes 60.
    if (f == Insurance && read_lenient(text(f)) > kInsuranceCap[ticked()])
      return write(f, number(kInsuranceCap[ticked()]));
    if (f == Insurance || f == Personal || f == EduScore)
      return write(Total, number(sum({EduScore, Personal, Insurance})));
    if (f == Total) write(Verdict, band_of(kVerdicts, read_lenient(text(f))).text);
  }
  void personal_subtotal() { write(Personal, number(sum({AgeScore, HouseScore, ChildScore}))); }
  void insurance_subtotal() {
    const double funds = sum({Score, Score + 1, Score + 2, Score + 3, Score + 4});
    write(Insurance, number(funds + (ticked() ? kEmployerBonus : 0)));
  }
  // The months of a year count are written as a number, a month count as typed.
  void fill(int box) {
    const auto count = read_strict(text(box));
    const double months = count.value_or(0) * (box == UniYears ? kMonthsPerYear : 1);
    // A year count whose months overflow is refused like a text that is no number.
    if (!count || (box == UniYears && !std::isfinite(months))) return write(box, "0");
    const std::string t = !(*count > 0) ? "0" : box == UniMonths ? text(box) : number(months);
    for (int i = 0; i < 5; ++i) write(Months + i, t);
  }
  void read_identity_number() {
    const std::string t = text(Id);
    const Layout* l = std::ranges::find(kLayouts, t.size(), &Layout::length);
    const std::string_view digits =
        l == std::end(kLayouts)
            ? ""
            : std::string_view(t).substr(0, t.size() - (l->x_last && t.back() == 'X'));
    if (digits.find_first_not_of("0123456789") != digits.npos ||
        digits.find_first_not_of('0') == digits.npos)
      return write(Birth, "号码有误"), write(Sex, "");
    const std::string year_digits = t.substr(l->year - 1, l->year_digits);
    const int born = l->century + std::stoi(year_digits);
    write(Birth, (l->century ? std::to_string(born) : year_digits) + "年" +
                     t.substr(l->month - 1, 2) + "月" + t.substr(l->day - 1, 2) + "日");
    write(Sex, (t[l->sex - 1] - '0') % 2 ? "男" : "女");
    if (born == 0) return;
    write(Age, std::to_string(year - born));
    // Over age, the deduction counts at once.
    if (year - born > kOverAge.oldest)
      write(Birth, kOverAge.mark), write(AgeScore, kOverAge.points), personal_subtotal();
  }
  void act(Verb verb, int f, std::string_view t = "", char32_t key = 0) {
    const FieldId id = at(f);
    for (Form* x : {&model, &form}) {
      if (verb == Type) x->type(id, key);
      if (verb == Paste) x->edit(id, t);
      if (verb == Set) (void)x->write_as_text(id, t);  // a list selects, the check box takes 0 or 1
      if (verb == Click) x->click(id);
    }
    for (FieldId g{0}; g.index < kFields; ++g.index) {
      if (form.text(g) != model.text(g)) differ(g.index, "text", model.text(g), form.text(g));
      if (form.enabled(g) != model.enabled(g) || form.value(g) != model.value(g))
        differ(g.index, "enabled flag or value", "", "");
    }
    const auto& pages = opener.openings();
    if (pages.size() != opened.size() ||
        (!pages.empty() && (pages.back().address != opened.back().address ||
                            pages.back().mode != opened.back().mode)))
      differ(-1, "pages opened", std::to_string(opened.size()), std::to_string(pages.size()));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Session s;
  Bytes in{data, data + size};
  while (in.at != in.end) {
    const int action = in.next(), box = kTextBoxes[in.next() % std::size(kTextBoxes)];
    const int kind = action % 10, list = box % 3;
    if (kind < 2)  // typing a few keys
      for (int n = 1 + in.next() % 8; n > 0; --n) s.act(Type, box, "", some_key(in));
    if (kind >= 2 && kind <= 4) {  // a paste over a box, a program write into it or any field
      const int f = kind == 4 ? in.next() % kFields : box;
      s.act(kind == 2 ? Paste : Set, f, some_text(in));
    }
    if (kind == 5)  // an item of a list (the form refuses any other text)
      s.act(Set, kLists[list], kItems[list][in.next() % kItems[list].size()].text);
    if (kind == 6 || kind == 7) {  // a click: mostly on what reacts, sometimes on any field
      const std::uint8_t pick = in.next();
      s.act(Click, pick >= 0xE0 ? pick % kFields : kClickable[pick % std::size(kClickable)]);
    }
    if (kind == 8)  // the clock moves to a year from 1900 to 2100
      s.clock.fix_year(s.year = 1900 + in.next() % 201);
    if (kind == 9) {  // an identity number, pasted or written, then read
      s.act(action & 16 ? Set : Paste, Id, identity_number(in, s.year));
      s.act(Click, ReadId);
    }
  }
  return 0;
}
