// The controls' HTML the page paints before its module loads: the first
// focus and the tab order follow the control table, and the form's texts
// reach the markup escaped, whatever they hold.
#include "web/control_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "model/fields.h"
#include "view/accessibility_table.h"

namespace varostel::web {
namespace {

TEST(ControlHtml, FocusStartsOnTheEducationListAndTabFollowsTheTable) {
  const Form form;
  const FieldNotes notes;
  const std::string html = controls_html(form, notes);

  const std::regex autofocus(R"re(id="([^"]+)"[^>]* autofocus)re");
  std::smatch first;
  ASSERT_TRUE(std::regex_search(html, first, autofocus));
  EXPECT_EQ(first[1], "选择学历");
  EXPECT_FALSE(std::regex_search(first.suffix().first, html.cend(), autofocus));

  // Every element with a tab stop, in the page's tab order, is the table's
  // controls that take the focus, in the table's tab order.
  std::vector<std::pair<int, std::string>> stops;
  const std::regex stop(R"re(id="([^"]+)" tabindex="(\d+)")re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), stop); it != std::sregex_iterator();
       ++it) {
    stops.emplace_back(std::stoi((*it)[2]), (*it)[1]);
  }
  std::sort(stops.begin(), stops.end());
  std::vector<std::pair<int, std::string>> table;
  for (const ui::ControlRow& row : ui::kControlTable) {
    const bool focusable = row.kind != ui::ControlKind::Label && row.kind != ui::ControlKind::Frame &&
                           row.kind != ui::ControlKind::Picture;
    const std::optional<FieldId> field = find_field(row.name);
    const bool link = field && ui::is_keyboard_link(*field);
    if (focusable || link) table.emplace_back(row.tab, std::string(row.name));
  }
  std::sort(table.begin(), table.end());
  ASSERT_EQ(stops.size(), table.size());
  for (std::size_t i = 0; i < stops.size(); ++i) EXPECT_EQ(stops[i].second, table[i].second) << i;
}

TEST(ControlHtml, FormTextsAreEscaped) {
  Form form;
  form.write(kIdentityNumber, R"(1"><script>&)");
  form.write(kTotal, "<b>");
  const FieldNotes notes;
  const std::string html = controls_html(form, notes);
  EXPECT_NE(html.find(R"(value="1&quot;&gt;&lt;script&gt;&amp;")"), std::string::npos);
  EXPECT_NE(html.find(R"(id="合计得分" aria-label="合计得分">&lt;b&gt;</div>)"), std::string::npos);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
}

}  // namespace
}  // namespace varostel::web
