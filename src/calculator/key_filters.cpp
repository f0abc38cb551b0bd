#include "calculator/key_filters.h"

namespace varostel {

void install_key_filters(Form& form) {
  for (const FilteredBox& row : kFilteredBoxes) {
    const KeyFilter filter = row.filter;
    form.on_key_press(row.box, [filter](std::int16_t& code) { code = filter_key(filter, code); });
  }
}

}  // namespace varostel
