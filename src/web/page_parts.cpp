// Prints the parts of the web page that come from the core, for the page
// builder: run under Node when the page is built. Output ends with a line
// break, since Emscripten's standard output passes on whole lines only.
//   page_parts controls   the controls' HTML, showing a fresh calculator
//   page_parts menu       the result sheet's context menu
//   page_parts qr-payload the address the QR code leads to
#include <cstdio>
#include <string>
#include <string_view>

#include "calculator/calculator.h"
#include "view/html_text.h"
#include "view/result_sheet_menu.h"
#include "web/control_html.h"

namespace {

int print(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}

std::string menu_html() {
  using namespace varostel;
  std::string out = "<div class=\"menu\" role=\"menu\" hidden>";
  out += "<button type=\"button\" role=\"menuitem\" data-action=\"copy\">" +
         escape_html(ui::kCopySheetText) + "</button>";
  out += "<button type=\"button\" role=\"menuitem\" data-action=\"print\">" +
         escape_html(ui::kPrintSheetText) + "</button>";
  out += "</div>\n";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varostel;
  const std::string_view part = argc == 2 ? argv[1] : "";
  if (part == "controls") {
    NullPageOpener opener;
    const SystemClock clock;
    const Calculator calculator(opener, clock);
    return print(web::controls_html(calculator.form(), calculator.notes()));
  }
  if (part == "menu") return print(menu_html());
  if (part == "qr-payload") return print(page_address(Page::Calculator) + "\n");
  std::fputs("usage: page_parts controls|menu|qr-payload\n", stderr);
  return 2;
}
