// Scenario files: plain-text sequences of user actions and expected field
// texts, one step a line or one table row a line, split into titled
// scenarios.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varostel {

// One step as written: the verb, the word after it (a field name, a year or
// a page path) and the rest of the line after one more space, spaces kept.
// In the keys of a `type` step the control pictures U+2400 to U+241F and
// U+2421 are replaced by the control characters NUL to US and DEL.
struct ScenarioStep {
  int line = 0;
  int row = 0;        // the step's row in its table, counted from 1; 0 outside tables
  std::string error;  // why a table line cannot be played; the step is nothing else
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
//
// "table HEAD | HEAD ..." starts a table: each HEAD is the start of a step,
// as a rule its verb and field ("set 年龄", "expect 年龄得分"), or a whole
// step when its verb takes nothing more (click, expect-no-open). Every
// following line up to a blank line, a "== " line or the next "table" line
// is a row of values split at '|', spaces and tabs around each trimmed, one
// per head that takes one. A row becomes its heads' steps, left to right,
// each with the row's value after one space and the row's line and number.
[[nodiscard]] std::vector<Scenario> parse_scenarios(std::string_view content);

}  // namespace varostel
