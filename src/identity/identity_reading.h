// The identity-number button: fills in birth date, sex and age from the
// number in the ID box, and marks an applicant over the age limit.
#pragma once

#include <string_view>

#include "model/clock.h"
#include "model/form.h"

namespace varostel {

inline constexpr std::string_view kWrongNumber = "号码有误";
inline constexpr std::string_view kOverAge = "超龄无法入户";
// Ages above this (exclusive) cannot be admitted.
inline constexpr double kOldestAdmissibleAge = 47.0;
inline constexpr std::string_view kOverAgeScore = "-90";

// Installs the Click handler of the identity-number button.
void install_identity_reading(Form& form, const Clock& clock);

}  // namespace varostel
