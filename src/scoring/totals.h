// The grand total and the verdict: the social-insurance subtotal is capped,
// the three subtotals are added, and the total picks the verdict caption.
#pragma once

#include <array>
#include <string_view>

#include "model/field_table.h"
#include "model/form.h"
#include "model/page_opener.h"
#include "scoring/insurance.h"

namespace varostel {

// The verdict button's start caption, put back by the reset.
inline constexpr std::string_view kVerdictPlaceholder = field_row(field_id("评分结果")).start_text;
inline constexpr std::string_view kVerdictPass = "积分通过，马上入户";
inline constexpr std::string_view kVerdictShort = "差一点，考证入户";
inline constexpr std::string_view kVerdictNeedMore = "需要补充一点分数…";

// Verdicts by grand total, highest bound first; the first row whose bound
// the total exceeds (exclusive) decides, the last row takes the rest.
struct VerdictBand {
  double above;
  std::string_view caption;
};
inline constexpr std::array<VerdictBand, 2> kVerdictBands = {{
    {99.0, kVerdictPass},  // 100 passes, 99 does not
    {0.0, kVerdictShort},  // 1 is short, 0 is not
}};

// Highest social-insurance subtotal counted; anything above it (exclusive)
// is lowered to it. The employer's application lifts it by its own bonus.
inline constexpr double kInsuranceCap = 60.0;
inline constexpr double kInsuranceCapWithEmployer = kInsuranceCap + kEmployerBonus;

[[nodiscard]] std::string_view verdict_for(double total);
[[nodiscard]] double insurance_cap(bool employer_applies);

// Adds education, personal and social-insurance subtotals into the total.
void grand_total_step(Form& form);

// Installs the Change handlers of the three subtotals and the total, and the
// Click of the verdict button, which opens the consultation page while the
// verdict is one of the two for a total above 0.
void install_totals(Form& form, PageOpener& opener);

}  // namespace varostel
