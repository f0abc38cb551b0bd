// Plays scenarios against the calculator core, with no window.
#pragma once

#include <memory>

#include "scenario-player/scenario_driver.h"

namespace varostel {

[[nodiscard]] std::unique_ptr<ScenarioDriver> make_model_driver();

}  // namespace varostel
