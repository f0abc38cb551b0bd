// Plays scenarios on the web page in headless Chromium, through the
// browser-side driver (tests/web/scenario-driver.mjs): real key presses,
// clipboard pastes, keyboard choices and mouse clicks; readings come from
// the page's elements. One browser serves a whole run, a fresh page each
// scenario.
#pragma once

#include <memory>

#include "scenario-player/scenario_driver.h"
#include "scenario-player/web_session.h"

namespace varostel {

// A driver on a freshly loaded page of the session's browser. The session
// must outlive it. A request the page cannot carry out becomes the
// driver's fault.
[[nodiscard]] std::unique_ptr<ScenarioDriver> make_web_driver(WebSession& session);

}  // namespace varostel
