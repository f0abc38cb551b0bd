// Stand-ins for the system services, for running the calculator without a
// window: a page opener that records instead of opening. The clock whose
// year can be fixed, model/clock.h's SettableClock, comes along.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/clock.h"
#include "model/page_opener.h"

namespace varostel {

struct PageOpening {
  std::string address;
  WindowMode mode;
};

class RecordingOpener final : public PageOpener {
 public:
  void open_page(std::string_view address, WindowMode mode) override {
    openings_.push_back({std::string(address), mode});
  }
  [[nodiscard]] const std::vector<PageOpening>& openings() const { return openings_; }

 private:
  std::vector<PageOpening> openings_;
};

}  // namespace varostel
