// Scenario files: plain-text sequences of user actions and expected field
// texts, one step a line, split into titled scenarios.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varostel {

// One line as written: the verb, the word after it (a field name, a year or
// a page path) and the rest of the line after one more space, spaces kept.
// In the keys of a `type` step the control pictures U+2400 to U+241F and
// U+2421 are replaced by the control characters NUL to US and DEL.
struct ScenarioStep {
  int line = 0;
  std::string verb;
  std::string subject;
  std::string text;
  bool has_subject = false;
  bool has_text = false;
};

struct Scenario {
  std::string title;  // empty for the steps before the first "== " line
  int line = 0;       // where the scenario starts
  std::vector<ScenarioStep> steps;
};

// Blank lines and lines starting with '#' are skipped; "== TITLE" starts a
// new scenario. A UTF-8 byte-order mark and CR line ends are tolerated.
[[nodiscard]] std::vector<Scenario> parse_scenarios(std::string_view content);

}  // namespace varostel
