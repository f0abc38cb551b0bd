// Opens the service's pages in the system browser through Qt's desktop
// services, never through a shell. When no browser can be started it says
// so on standard error and hands the address on, so the window can show it.
#pragma once

#include <functional>
#include <string>

#include "model/page_opener.h"

namespace varostel::ui {

class DesktopPageOpener final : public PageOpener {
 public:
  using FailureReport = std::function<void(const std::string& address)>;

  void set_failure_report(FailureReport report) { report_ = std::move(report); }
  void open_page(std::string_view address, WindowMode mode) override;

 private:
  FailureReport report_;
};

}  // namespace varostel::ui
