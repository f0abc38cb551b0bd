// The window's fonts: every caption asks for the Song face "宋体", which
// Linux systems do not have under that name; a free Song face stands in.
#pragma once

#include <QFont>

#include "view/control_table.h"

namespace varostel::ui {

// Maps "宋体" to the free Song faces the set-up installs, inside this
// program only. A machine that has the real face still uses it.
void install_song_face_substitutes();

// Whether any installed font has a glyph for "宋", the first character of
// the face every caption asks for: without one, every caption is a row of
// empty boxes. Needs the QApplication.
[[nodiscard]] bool has_cjk_face();

// The font of a control's font code; Default is the window's own font.
[[nodiscard]] QFont control_font(FontCode code);

}  // namespace varostel::ui
