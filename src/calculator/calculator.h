// The whole calculator without a window: the form with every rule, key
// filter, the reset and the links installed. The window binds to its form.
#pragma once

#include <string>

#include "calculator/field_notes.h"
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
  // Notes beside the fields, for whoever shows the form.
  [[nodiscard]] FieldNotes& notes() { return notes_; }
  [[nodiscard]] const FieldNotes& notes() const { return notes_; }
  // The hint on the identity number last read, empty when none.
  [[nodiscard]] const std::string& identity_hint() const;
  // How far the total is from the pass mark, empty while there is no verdict.
  [[nodiscard]] const std::string& points_gap() const;

 private:
  Form form_;
  FieldNotes notes_;
};

}  // namespace varostel
