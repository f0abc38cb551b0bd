// Screen readers and the keyboard in the main window: names for the
// controls, each caption label bound to the control it titles, and keyboard
// reach for the links that are no buttons. All of it from the tables.
#pragma once

#include <QWidget>

namespace varostel::ui {

// Call once the controls are built and bound, before the tab order is set:
// the keyboard links join the tab order by their tab index.
void make_accessible(QWidget& window);

}  // namespace varostel::ui
