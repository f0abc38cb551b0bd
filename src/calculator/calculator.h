// The whole calculator without a window: the form with every rule, key
// filter, the reset and the links installed. The window binds to its form.
#pragma once

#include "model/clock.h"
#include "model/form.h"
#include "model/page_opener.h"

namespace varostel {

class Calculator {
 public:
  // The opener and the clock must outlive the calculator.
  Calculator(PageOpener& opener, const Clock& clock);
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  [[nodiscard]] Form& form() { return form_; }
  [[nodiscard]] const Form& form() const { return form_; }

 private:
  Form form_;
};

}  // namespace varostel
