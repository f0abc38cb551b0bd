// The calculator in its start-up state in a real main window, with a page
// opener that records and the clock fixed in 2026, for the window's tests.
#pragma once

#include <QTest>

#include "calculator/calculator.h"
#include "scenario/stand_ins.h"
#include "ui/main_window.h"

struct WindowSession {
  varostel::RecordingOpener opener;
  varostel::SettableClock clock{2026};
  varostel::Calculator calculator{opener, clock};
  varostel::ui::MainWindow window{calculator.form()};

  // Shows the window; false when it never becomes the active one.
  [[nodiscard]] bool show() {
    window.show();
    return QTest::qWaitForWindowActive(&window);
  }
};
