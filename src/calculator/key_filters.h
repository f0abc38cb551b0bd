// Which text boxes filter typed characters, and how. The uniform boxes have
// no filter: anything can be typed there.
#pragma once

#include <array>

#include "model/field_table.h"
#include "model/form.h"
#include "model/key_filter.h"

namespace varostel {

struct FilteredBox {
  FieldId box;
  KeyFilter filter;
};

inline constexpr std::array<FilteredBox, 8> kFilteredBoxes = {{
    {field_id("ID"), KeyFilter::IdentityNumber},
    {field_id("年龄"), KeyFilter::Digits},
    {field_id("居住时长"), KeyFilter::Digits},
    {field_id("养老月数"), KeyFilter::Digits},
    {field_id("医疗月数"), KeyFilter::Digits},
    {field_id("工伤月数"), KeyFilter::Digits},
    {field_id("生育险月数"), KeyFilter::Digits},
    {field_id("失业月数"), KeyFilter::Digits},
}};

// Installs the KeyPress handlers of the filtered boxes.
void install_key_filters(Form& form);

}  // namespace varostel
