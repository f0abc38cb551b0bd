#include "scoring/totals.h"

#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"

namespace varostel {
namespace {

// The subtotal and the total are labels only the program writes, so they
// hold number text; reading them leniently gives the same value and keeps a
// stray text from stopping the chain.
void on_insurance_score_change(Form& form) {
  const double cap = insurance_cap(form.value(kEmployerApplies) == 1);
  if (read_lenient(form.text(kInsuranceScore)) > cap) {
    form.write(kInsuranceScore, number_text(cap));  // re-enters this handler once
  }
  grand_total_step(form);
}

void on_total_change(Form& form) {
  form.write(kVerdict, verdict_for(read_lenient(form.text(kTotal))));
}

void on_verdict_click(Form& form, PageOpener& opener) {
  const std::string& caption = form.text(kVerdict);
  if (caption == kVerdictPlaceholder || caption == kVerdictNeedMore) return;
  opener.open_page(page_address(Page::Consultation), WindowMode::Normal);
}

}  // namespace

std::string_view verdict_for(double total) {
  for (const VerdictBand& band : kVerdictBands) {
    if (total > band.above) return band.caption;
  }
  return kVerdictNeedMore;
}

double insurance_cap(bool employer_applies) {
  return employer_applies ? kInsuranceCapWithEmployer : kInsuranceCap;
}

void grand_total_step(Form& form) {
  const double total = read_lenient(form.text(kEducationScore)) +
                       read_lenient(form.text(kPersonalScore)) +
                       read_lenient(form.text(kInsuranceScore));
  form.write(kTotal, number_text(total));
}

void install_totals(Form& form, PageOpener& opener) {
  form.on(kInsuranceScore, Event::Change, [&form] { on_insurance_score_change(form); });
  form.on(kPersonalScore, Event::Change, [&form] { grand_total_step(form); });
  form.on(kEducationScore, Event::Change, [&form] { grand_total_step(form); });
  form.on(kTotal, Event::Change, [&form] { on_total_change(form); });
  form.on(kVerdict, Event::Click, [&form, &opener] { on_verdict_click(form, opener); });
}

}  // namespace varostel
