#include "scoring/age.h"

#include <algorithm>

#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"

namespace varostel {
namespace {

void on_age_change(Form& form) {
  // An empty or unreadable age is replaced by 18; the nested Change scores it.
  if (read_strict(form.text(kAge))) {
    score_age(form);
  } else {
    form.write(kAge, kDefaultAge);
  }
  personal_subtotal_refresh(form);
}

}  // namespace

bool is_full_time_bachelor(std::string_view education) {
  return std::find(kFullTimeBachelor.begin(), kFullTimeBachelor.end(), education) !=
         kFullTimeBachelor.end();
}

double age_points(double age, std::string_view education) {
  for (const AgeBand& band : kAgeBands) {
    if (!(age < band.below)) continue;
    if (band.slope == 0.0) return band.base;
    if (is_full_time_bachelor(education)) return 0.0;
    return band.base - band.slope * (age - band.pivot);
  }
  return 0.0;  // NaN falls through every band
}

void score_age(Form& form) {
  // The age box is kept numeric by its own handler; should it still not
  // read, it counts as the default age rather than stopping the chain.
  const double age = read_strict(form.text(kAge)).value_or(read_lenient(kDefaultAge));
  form.write(kAgeScore, number_text(age_points(age, form.text(kEducation))));
}

void personal_subtotal_refresh(Form& form) {
  const double sum = read_lenient(form.text(kAgeScore)) + read_lenient(form.text(kHousingScore)) +
                     read_lenient(form.text(kChildbirthScore));
  form.write(kPersonalScore, number_text(sum));
}

void install_age(Form& form) {
  form.on(kAge, Event::Change, [&form] { on_age_change(form); });
}

}  // namespace varostel
