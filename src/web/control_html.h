// The page's controls as HTML, made when the page is built: one element per
// row of the window's control table, at the window's places and sizes, with
// a fresh calculator's texts, so the page paints the whole form before its
// module has loaded. The module then binds to the elements by their ids.
#pragma once

#include <string>
#include <string_view>

#include "calculator/field_notes.h"
#include "model/form.h"
#include "view/control_table.h"

namespace varostel::web {

// The name by which the page builder knows a picture. The banner is an
// <img> in a <picture> element; the builder replaces the mark
// {{sources:NAME}} with the <source> elements for dense screens and
// {{picture:NAME}} in the <img> tag with its src attribute. The QR code is
// an inline <svg> whose drawing the builder puts for {{drawing:NAME}}.
[[nodiscard]] std::string_view picture_name(ui::Picture picture);

// The form element of the window's client size holding every control of
// the table, containers holding what they contain, showing `form` and its
// notes.
[[nodiscard]] std::string controls_html(const Form& form, const FieldNotes& notes);

}  // namespace varostel::web
