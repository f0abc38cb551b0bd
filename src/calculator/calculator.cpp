#include "calculator/calculator.h"

#include "calculator/field_notes.h"
#include "calculator/key_filters.h"
#include "calculator/links.h"
#include "calculator/reset.h"
#include "identity/identity_reading.h"
#include "model/fields.h"
#include "scoring/age.h"
#include "scoring/education.h"
#include "scoring/insurance.h"
#include "scoring/personal_items.h"
#include "scoring/totals.h"

namespace varostel {

Calculator::Calculator(PageOpener& opener, const Clock& clock) {
  install_totals(form_, opener);
  install_insurance(form_);
  install_age(form_);
  install_education(form_);
  install_personal_items(form_);
  install_identity_reading(form_, clock);
  install_key_filters(form_);
  install_reset(form_);
  install_links(form_, opener);
  install_field_notes(form_, notes_, clock);
}

const std::string& Calculator::identity_hint() const { return notes_.note(kIdentityNumber); }

const std::string& Calculator::points_gap() const { return notes_.note(kTotal); }

}  // namespace varostel
