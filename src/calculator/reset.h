// The reset button: every input back to its start value, in a fixed order
// whose writes let the scoring handlers recompute along the way, ending with
// the verdict placeholder.
#pragma once

#include <array>
#include <string_view>

#include "model/field_table.h"
#include "model/form.h"
#include "scoring/totals.h"

namespace varostel {

struct ResetWrite {
  FieldId field;
  std::string_view value;  // as a program write by the field's kind
};

// The order matters: each write's handler sees the fields as the earlier
// writes left them (the age is scored with the education already reset,
// and the age score is then cleared without a recomputation).
inline constexpr std::array<ResetWrite, 18> kResetWrites = {{
    {field_id("选择学历"), kEducationItems[0]},
    {field_id("ID"), ""},
    {field_id("年龄"), "18"},
    {field_id("性别"), ""},
    {field_id("出生日期"), ""},
    {field_id("年龄得分"), "0"},
    {field_id("房产状况"), kHousingItems[0]},
    {field_id("生育状况"), kChildbirthItems[0]},
    {field_id("居住时长"), "0"},
    {field_id("养老月数"), "0"},
    {field_id("医疗月数"), "0"},
    {field_id("工伤月数"), "0"},
    {field_id("生育险月数"), "0"},
    {field_id("失业月数"), "0"},
    {field_id("统一月数"), "0"},
    {field_id("统一年数"), "0"},
    {field_id("公司申办"), "0"},
    {field_id("评分结果"), kVerdictPlaceholder},
}};

// Installs the Click handler of the reset button.
void install_reset(Form& form);

}  // namespace varostel
