// Work that the window's first frame does not need, run once that frame is
// on the screen, so that a start shows the window as soon as a bare one.
#pragma once

#include <QWidget>
#include <functional>

namespace varostel::ui {

// Runs `work` once, from the event loop, after `window` has painted for the
// first time.
void after_first_paint(QWidget& window, std::function<void()> work);

}  // namespace varostel::ui
