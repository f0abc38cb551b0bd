#include "identity/identity_reading.h"

#include "identity/identity_number.h"
#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "scoring/age.h"

namespace varostel {
namespace {

void on_read_click(Form& form, const Clock& clock) {
  const auto facts = read_identity_number(form.text(kIdentityNumber));
  if (!facts) {
    form.write(kBirthDate, kWrongNumber);
    form.write(kSex, "");
    return;
  }
  form.write(kBirthDate, facts->birth_date);
  form.write(kSex, sex_text(facts->sex));
  if (facts->birth_year == 0) return;

  // The age box's own Change scores the age before we look at it again.
  form.write(kAge, number_text(static_cast<double>(clock.current_year()) - facts->birth_year));
  if (read_lenient(form.text(kAge)) > kOldestAdmissibleAge) {
    form.write(kBirthDate, kOverAge);
    form.write(kAgeScore, kOverAgeScore);
    // Count the deduction at once, so the subtotal, total and verdict agree
    // with the age score the window shows.
    personal_subtotal_refresh(form);
  }
}

}  // namespace

void install_identity_reading(Form& form, const Clock& clock) {
  form.on(kReadButton, Event::Click, [&form, &clock] { on_read_click(form, clock); });
}

}  // namespace varostel
