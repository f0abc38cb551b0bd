// The texts the view units make, against the reviewed files in fixtures/:
// the result sheet of a few filled forms as plain text and HTML, and the
// start-up line of each display problem. A difference is written beside the
// test and named; `view_texts_test FIXTURES --remake` remakes the files.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "calculator/calculator.h"
#include "support/stand_ins.h"
#include "view/result_sheet.h"
#include "view/start_up_texts.h"

namespace {

using namespace varostel;
using Entries = std::vector<std::pair<const char*, std::string>>;  // field, text; "" clicks

ResultSheet sheet_of(const Entries& entries) {
  RecordingOpener opener;
  SettableClock clock(2026);
  Calculator calculator{opener, clock};
  Form& form = calculator.form();
  for (const auto& [name, text] : entries) {
    const FieldId field = *find_field(name);
    const bool entered = form.kind(field) == FieldKind::DropDown ? form.choose(field, text)
                         : text.empty() ? (form.click(field), true)
                                        : form.edit(field, text);
    if (!entered) std::printf("cannot enter %s into %s\n", text.c_str(), name), std::exit(1);
  }
  return make_result_sheet(form, clock.today());
}

Entries months(const std::vector<std::string>& counts, Entries more = {}) {
  const char* boxes[] = {"养老月数", "医疗月数", "工伤月数", "生育险月数", "失业月数"};
  for (std::size_t i = 0; i < counts.size(); ++i) more.emplace_back(boxes[i], counts[i]);
  return more;
}

std::string start_up_lines() {
  // DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM, the first platform Qt missed, and
  // whether the X11 platform could not connect.
  const std::array<const char*, 5> rows[] = {
      {"", "", "", ""},       {":55", "", "", "", "x"},      {"", "", "xcb", "", "x"},
      {"", "w-0", "", "", "x"}, {":0", "", "nosuch", "nosuch"}, {"", "", "nosuch", "nosuch"},
      {":55", "", "nosuch;xcb", "nosuch", "x"}, {"", "wayland-1", "", "wayland", "x"},
      {":55", "wayland-0", "", "wayland", "x"}, {":0", "", "xcb", ""}, {":0", "", "", ""},
      {"", "w-2", "", ""}};
  std::string out;
  for (const auto& row : rows) {
    const DisplaySettings settings{row[0], row[1], row[2]};
    const PlatformFailureSigns signs{row[3], row[4] != nullptr};
    const DisplayProblem problem = no_display_named(settings) ? DisplayProblem::NotSet
                                                              : classify_platform_failure(settings, signs);
    out += "DISPLAY=" + settings.display + " WAYLAND_DISPLAY=" + settings.wayland_display +
           " QT_QPA_PLATFORM=" + settings.platform + " missing=" + signs.missing_platform +
           (signs.display_not_connected ? " not connected\n" : "\n") +
           display_problem_line(problem, settings, "./varostel", signs);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string fixtures = argc > 1 ? argv[1] : "fixtures";
  const bool remake = argc > 2 && std::string(argv[2]) == "--remake";
  const Entries every_field = months(
      {"13", "25", "37", "49", "61"},
      {{"选择学历", "全日制大专或高技"}, {"ID", "676767198304257666"}, {"身份证解读", ""},
       {"房产状况", "居住证"}, {"居住时长", "1000"}, {"生育状况", "政策外生育"}});
  const std::pair<std::string, Entries> forms[] = {
      {"at-start-up", {}},
      {"every-row-its-own-field", every_field},
      {"at-the-cap-of-60", months({"120", "120", "120", "120"})},
      {"capped-to-60", months({"84", "120", "120", "120", "120"})},
      {"capped-to-70-with-employer", months({"84", "120", "120", "120", "120"}, {{"公司申办", ""}})},
      {"pasted-markup-and-line-breaks", {{"ID", "<b>&\"'x</b>\n\t１２"}}},
  };
  std::vector<std::pair<std::string, std::string>> texts = {{"start-up-lines.txt", start_up_lines()}};
  for (const auto& [name, entries] : forms) {
    const ResultSheet sheet = sheet_of(entries);
    texts.emplace_back("sheet-" + name + ".txt", sheet_text(sheet));
    texts.emplace_back("sheet-" + name + ".html", sheet_html(sheet));
  }
  texts.emplace_back("sheet-printed.html", sheet_html(sheet_of(every_field), "icon\"<.png"));
  int failed = 0;
  for (const auto& [name, text] : texts) {
    const std::string path = fixtures + "/" + name;
    if (remake) {
      std::ofstream(path, std::ios::binary) << text;
      continue;
    }
    std::ostringstream expected;
    expected << std::ifstream(path, std::ios::binary).rdbuf();
    if (expected.str() != text) {
      std::ofstream(name, std::ios::binary) << text;
      std::printf("differs: diff %s %s\n", path.c_str(), name.c_str());
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
