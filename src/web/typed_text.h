// What typing puts into a text box of the page: a key's character or an
// input method's commit, through the box's key filter, as the window's
// text boxes do it.
#pragma once

#include <string>
#include <string_view>

#include "model/form.h"

namespace varostel::web {

// The text that typing `typed` inserts into `box`. Each character's code
// goes through the box's KeyPress handler: a discarded character is dropped,
// a replaced one becomes the code the handler returned. A text holding a
// control character (C0, DEL or C1) inserts nothing, as such a key types
// nothing in the window.
[[nodiscard]] std::string typed_text(Form& form, FieldId box, std::string_view typed);

}  // namespace varostel::web
