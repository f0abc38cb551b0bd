// Plays scenarios against a calculator and reports every mismatch. A step
// that cannot be carried out (unknown verb or field, an item not in the
// list, a malformed line or table, a driver's fault) fails its scenario and
// ends it; the other scenarios still run.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scenario-player/scenario_driver.h"
#include "scenario-player/scenario_file.h"

namespace varostel {

struct ScenarioFailure {
  int line;
  int row;  // in its table, 0 for a step of its own
  std::string message;
};

// Every failure of one scenario, in step order; empty when it passed.
[[nodiscard]] std::vector<ScenarioFailure> play_scenario(const Scenario& scenario,
                                                         ScenarioDriver& driver);

struct RunTally {
  int passed = 0;
  int failed = 0;
};

// Plays every scenario of a file's content, each against a fresh driver,
// printing "NAME:LINE: [TITLE] message" for each failure, with "row N: "
// before the message of a table row's step.
RunTally play_scenario_text(std::string_view content, const std::string& name,
                            const DriverFactory& make_driver, std::ostream& report);

// The scenario files named on a command line: a file stands for itself, a
// directory for its *.scn files sorted by name. nullopt, with the reason on
// `errors`, when a path does not exist or a directory holds no scenario file.
[[nodiscard]] std::optional<std::vector<std::filesystem::path>> collect_scenario_files(
    const std::vector<std::string>& arguments, std::ostream& errors);

}  // namespace varostel
