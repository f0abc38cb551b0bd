#include "scoring/insurance.h"

#include <cmath>
#include <optional>
#include <string>

#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"

namespace varostel {
namespace {

constexpr std::string_view kEmptyCount = "0";

void on_months_change(Form& form, const Fund& fund) {
  // An empty box, or one whose pasted text is not a number, is refilled;
  // the refill's own Change scores the fund as 0.
  if (const auto months = read_strict(form.text(fund.months))) {
    form.write(fund.score,
               number_text(static_cast<double>(fund_points(*months, fund.points_per_year))));
  } else {
    form.write(fund.months, kEmptyCount);
  }
  insurance_subtotal_step(form);
}

void fill_months(Form& form, std::string_view text) {
  for (const Fund& fund : kFunds) form.write(fund.months, text);
}

// Reads a uniform box; an empty or unreadable one is answered with "0" and
// leaves the months boxes alone.
std::optional<double> read_uniform(Form& form, FieldId box) {
  const auto count = read_strict(form.text(box));
  if (!count) form.write(box, kEmptyCount);
  return count;
}

void fill_by_months(Form& form) {
  const auto months = read_uniform(form, kUniformMonths);
  if (!months) return;
  // Copy the text itself, as typed, rather than a rewritten number.
  const std::string text = *months > 0 ? form.text(kUniformMonths) : std::string(kEmptyCount);
  fill_months(form, text);
}

void fill_by_years(Form& form) {
  const auto years = read_uniform(form, kUniformYears);
  if (!years) return;
  const double months = *years * kMonthsPerYear;
  if (!std::isfinite(months)) {
    form.write(kUniformYears, kEmptyCount);
    return;
  }
  fill_months(form, *years > 0 ? number_text(months) : std::string(kEmptyCount));
}

}  // namespace

std::int64_t fund_points(double months, int points_per_year) {
  if (!(months > 0)) return 0;
  const std::int32_t whole_months = round_to_int32(months);
  return static_cast<std::int64_t>(whole_months / kMonthsPerYear) * points_per_year;
}

void insurance_subtotal_step(Form& form) {
  double sum = 0.0;
  for (const Fund& fund : kFunds) sum += read_lenient(form.text(fund.score));
  if (form.value(kEmployerApplies) == 1) sum += kEmployerBonus;
  form.write(kInsuranceScore, number_text(sum));
}

void install_insurance(Form& form) {
  for (const Fund& fund : kFunds) {
    form.on(fund.months, Event::Change, [&form, &fund] { on_months_change(form, fund); });
  }
  form.on(kFillByMonths, Event::Click, [&form] { fill_by_months(form); });
  form.on(kFillByYears, Event::Click, [&form] { fill_by_years(form); });
}

}  // namespace varostel
