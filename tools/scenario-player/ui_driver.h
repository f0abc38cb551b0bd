// Plays scenarios on the real main window through real input events: typed
// keys, pastes from the clipboard, choices from the opened list and mouse
// clicks. Readings come from the widgets, not from the form. A
// QApplication must exist while drivers are made and used.
#pragma once

#include <memory>

#include "scenario-player/scenario_driver.h"

namespace varostel {

[[nodiscard]] std::unique_ptr<ScenarioDriver> make_ui_driver();

}  // namespace varostel
