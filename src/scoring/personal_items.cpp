#include "scoring/personal_items.h"

#include <algorithm>

#include "model/fields.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "scoring/age.h"
#include "scoring/insurance.h"

namespace varostel {
namespace {

constexpr std::string_view kNoDays = "0";

void on_housing_click(Form& form) {
  if (const auto row = find_housing(form.text(kHousing))) {
    form.write(kHousingScore, number_text(row->points));
    form.set_enabled(kResidenceDays, row->residence_days_enabled);
  }
  personal_subtotal_refresh(form);
}

void on_residence_days_change(Form& form) {
  // The days score the housing item whatever the housing choice is. An empty
  // or unreadable box is refilled; the refill's own Change scores 0 days.
  if (const auto days = read_strict(form.text(kResidenceDays))) {
    form.write(kHousingScore, number_text(residence_points(*days)));
  } else {
    form.write(kResidenceDays, kNoDays);
  }
  personal_subtotal_refresh(form);
}

void on_childbirth_click(Form& form) {
  form.write(kChildbirthScore, number_text(childbirth_points(form.text(kChildbirth))));
  personal_subtotal_refresh(form);
}

}  // namespace

std::optional<HousingRow> find_housing(std::string_view housing) {
  for (const HousingRow& row : kHousingRows) {
    if (row.housing == housing) return row;
  }
  return std::nullopt;
}

int childbirth_points(std::string_view childbirth) {
  for (const ChildbirthPoints& row : kChildbirthPoints) {
    if (row.childbirth == childbirth) return row.points;
  }
  return 0;
}

int residence_points(double days) {
  if (!(days > 0)) return 0;
  return std::min(round_to_int32(days) / kDaysPerResidencePoint, kMaxResidencePoints);
}

void install_personal_items(Form& form) {
  form.on(kHousing, Event::Click, [&form] { on_housing_click(form); });
  form.on(kResidenceDays, Event::Change, [&form] { on_residence_days_change(form); });
  form.on(kChildbirth, Event::Click, [&form] { on_childbirth_click(form); });
  form.on(kEmployerApplies, Event::Click, [&form] { insurance_subtotal_step(form); });
}

}  // namespace varostel
