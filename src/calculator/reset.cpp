#include "calculator/reset.h"

#include "model/fields.h"

namespace varostel {
namespace {

void on_reset_click(Form& form) {
  for (const ResetWrite& step : kResetWrites) {
    // Every value fits its field (a list's first item, a check box's 0), so
    // the write cannot be refused.
    [[maybe_unused]] const bool written = form.write_as_text(step.field, step.value);
  }
}

}  // namespace

void install_reset(Form& form) {
  form.on(kResetButton, Event::Click, [&form] { on_reset_click(form); });
}

}  // namespace varostel
