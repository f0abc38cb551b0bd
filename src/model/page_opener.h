// The one service the rules ask of the system outside the window: opening a
// page of the service's web site in the browser. The program and the tests
// each supply their own opener.
#pragma once

#include <string>
#include <string_view>

namespace varostel {

// The show value passed along with the address: the calculator page opens
// hidden (0), the consultation page in a normal, activated window (1).
enum class WindowMode : int { Hidden = 0, Normal = 1 };

enum class Page { Consultation, Calculator };

// The full http address of a page; the two pages lie on different hosts,
// chosen when the program is built.
[[nodiscard]] std::string page_address(Page page);

class PageOpener {
 public:
  virtual ~PageOpener() = default;
  // Starts opening the page and returns at once; nothing is read back, so a
  // failure is the opener's to report, never the caller's.
  virtual void open_page(std::string_view address, WindowMode mode) = 0;
};

// For a calculator that never shows a page, such as one row of a list being
// scored: every request is dropped.
class NullPageOpener final : public PageOpener {
 public:
  void open_page(std::string_view /*address*/, WindowMode /*mode*/) override {}
};

}  // namespace varostel
