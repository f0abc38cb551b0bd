#include "scoring/education.h"

#include "model/fields.h"
#include "model/number_text.h"
#include "scoring/age.h"

namespace varostel {
namespace {

void on_education_click(Form& form) {
  const int points = education_points(form.text(kEducation));
  form.write(kEducationScore, number_text(points));
  score_age(form);
  personal_subtotal_refresh(form);
}

}  // namespace

int education_points(std::string_view education) {
  for (const EducationPoints& row : kEducationPoints) {
    if (row.education == education) return row.points;
  }
  return 0;
}

void install_education(Form& form) {
  form.on(kEducation, Event::Click, [&form] { on_education_click(form); });
}

}  // namespace varostel
