// The calculator in its start-up state, shown in a real main window, with a
// page opener that records, a clock whose year can be fixed and this build's
// print module: what the window's scenario player, its tests and its
// benchmarks drive.
#pragma once

#include <QTest>

#include "calculator/calculator.h"
#include "support/stand_ins.h"
#include "ui/field_notes_view.h"
#include "ui/main_window.h"
#include "ui/result_sheet_actions.h"

namespace varostel {

struct WindowSession {
  RecordingOpener opener;
  SettableClock clock;
  Calculator calculator{opener, clock};
  ui::MainWindow window{calculator.form()};
  ui::FieldNotesView notes_view{window, calculator.notes()};

  WindowSession() {
    ui::result_sheet_actions(window)->use_print_module(QStringLiteral(VAROSTEL_PRINT_MODULE));
  }

  // Shows the window and makes it the active one; false if it never becomes
  // active.
  [[nodiscard]] bool show() {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }
};

}  // namespace varostel
