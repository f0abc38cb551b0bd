#include "scenario-player/scenario_runner.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "model/field_table.h"
#include "model/utf8.h"

namespace varostel {
namespace {

constexpr char32_t kBackspaceKey = U'\u232B';  // stands for Backspace in `type`

std::string in_quotes(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

std::string_view kind_name(FieldKind kind) {
  switch (kind) {
    case FieldKind::Label:
      return "a label";
    case FieldKind::TextBox:
      return "a text box";
    case FieldKind::DropDown:
      return "a drop-down list";
    case FieldKind::CheckBox:
      return "a check box";
    case FieldKind::Button:
      return "a button";
    case FieldKind::Picture:
      return "a picture";
  }
  return "a field";
}

std::string_view mode_name(WindowMode mode) {
  return mode == WindowMode::Hidden ? "hidden" : "normal";
}

bool is_item(FieldId list, std::string_view text) {
  const auto& items = field_row(list).items;
  return std::find(items.begin(), items.end(), text) != items.end();
}

// Plays one scenario; a step error ends it, an expectation mismatch does not.
class Player {
 public:
  explicit Player(ScenarioDriver& driver) : driver_(driver) {}

  std::vector<ScenarioFailure> play(const Scenario& scenario) {
    if (const auto fault = driver_.fault()) {
      failures_.push_back({scenario.line, 0, *fault});
      return std::move(failures_);
    }
    for (const ScenarioStep& step : scenario.steps) {
      auto error = step.error.empty() ? perform(step) : step.error;
      if (!error) error = driver_.fault();
      if (error) {
        mismatch(step, *error);
        break;
      }
    }
    return std::move(failures_);
  }

 private:
  using Error = std::optional<std::string>;

  Error perform(const ScenarioStep& step) {
    const std::string& verb = step.verb;
    if (verb == "expect-no-open") return expect_no_open(step);
    if (verb == "year") return year(step);
    if (verb == "expect-open") return expect_open(step);
    if (verb != "set" && verb != "type" && verb != "paste" && verb != "choose" && verb != "click" &&
        verb != "expect" && verb != "expect-enabled" && verb != "expect-note") {
      return "unknown step " + in_quotes(verb);
    }
    if (!step.has_subject || step.subject.empty()) return verb + " needs a field name";
    const auto field = find_field(step.subject);
    if (!field) return "unknown field " + in_quotes(step.subject);
    const FieldKind kind = field_row(*field).kind;
    const auto wrong_kind = [&] {
      return verb + " cannot act on " + step.subject + ", " + std::string(kind_name(kind));
    };

    if (verb == "set") {
      if (kind == FieldKind::Picture) return wrong_kind();
      if (kind == FieldKind::DropDown && !is_item(*field, step.text)) return not_an_item(step);
      if (kind == FieldKind::CheckBox && step.text != "0" && step.text != "1") {
        return "the check box " + step.subject + " takes 0 or 1, not " + in_quotes(step.text);
      }
      driver_.set(*field, step.text);
    } else if (verb == "type" || verb == "paste") {
      if (kind != FieldKind::TextBox) return wrong_kind();
      if (verb == "paste") {
        driver_.paste(*field, step.text);
      } else {
        for (char32_t key : utf8::decode(step.text))
          driver_.type(*field, key == kBackspaceKey ? U'\b' : key);
      }
    } else if (verb == "choose") {
      if (kind != FieldKind::DropDown) return wrong_kind();
      if (!is_item(*field, step.text)) return not_an_item(step);
      driver_.choose(*field, step.text);
    } else if (verb == "click") {
      if (kind == FieldKind::TextBox || kind == FieldKind::DropDown) return wrong_kind();
      if (!step.text.empty()) return "click takes nothing after the field name";
      driver_.click(*field);
    } else if (verb == "expect") {
      if (kind == FieldKind::Picture) return wrong_kind();
      const std::string found = driver_.read(*field);
      if (found != step.text) {
        mismatch(step, "expected " + step.subject + " " + in_quotes(step.text) + ", found " +
                           in_quotes(found));
      }
    } else if (verb == "expect-note") {
      const std::string found = driver_.note(*field);
      if (found != step.text) {
        mismatch(step, "expected the note on " + step.subject + " " + in_quotes(step.text) +
                           ", found " + in_quotes(found));
      }
    } else {  // expect-enabled
      if (step.text != "yes" && step.text != "no") return "expect-enabled takes yes or no";
      const bool want = step.text == "yes";
      if (driver_.enabled(*field) != want) {
        mismatch(step, "expected " + step.subject + (want ? " enabled" : " disabled") + ", it is " +
                           (want ? "disabled" : "enabled"));
      }
    }
    return std::nullopt;
  }

  Error year(const ScenarioStep& step) {
    int year = 0;
    const std::string& text = step.subject;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (!step.text.empty() || text.empty() || error != std::errc{} ||
        end != text.data() + text.size()) {
      return "year needs a whole number, found " +
             in_quotes(text + (step.text.empty() ? "" : " " + step.text));
    }
    driver_.set_year(year);
    return std::nullopt;
  }

  Error expect_open(const ScenarioStep& step) {
    if (!step.has_subject || step.subject.empty() ||
        (step.text != "normal" && step.text != "hidden")) {
      return "expect-open needs a page path and a window mode, normal or hidden";
    }
    const auto& openings = driver_.openings();
    if (expected_openings_ >= openings.size()) {
      mismatch(step, "expected a page opening ending in " + in_quotes(step.subject) + " (" +
                         step.text + "), there was none");
      return std::nullopt;
    }
    const PageOpening& opening = openings[expected_openings_++];
    if (!std::string_view(opening.address).ends_with(step.subject) ||
        mode_name(opening.mode) != step.text) {
      mismatch(step, "expected a page opening ending in " + in_quotes(step.subject) + " (" +
                         step.text + "), found " + in_quotes(opening.address) + " (" +
                         std::string(mode_name(opening.mode)) + ")");
    }
    return std::nullopt;
  }

  Error expect_no_open(const ScenarioStep& step) {
    if (!step.subject.empty() || !step.text.empty()) return "expect-no-open takes nothing after it";
    const auto& openings = driver_.openings();
    if (expected_openings_ < openings.size()) {
      const PageOpening& opening = openings[expected_openings_];
      mismatch(step, "expected no page opening, found " + in_quotes(opening.address) + " (" +
                         std::string(mode_name(opening.mode)) + ")" +
                         (openings.size() - expected_openings_ > 1
                              ? " and " + std::to_string(openings.size() - expected_openings_ - 1) +
                                    " more"
                              : ""));
    }
    return std::nullopt;
  }

  Error not_an_item(const ScenarioStep& step) {
    return in_quotes(step.text) + " is not an item of " + step.subject;
  }

  void mismatch(const ScenarioStep& step, std::string message) {
    failures_.push_back({step.line, step.row, std::move(message)});
  }

  ScenarioDriver& driver_;
  std::size_t expected_openings_ = 0;
  std::vector<ScenarioFailure> failures_;
};

}  // namespace

std::vector<ScenarioFailure> play_scenario(const Scenario& scenario, ScenarioDriver& driver) {
  return Player(driver).play(scenario);
}

RunTally play_scenario_text(std::string_view content, const std::string& name,
                            const DriverFactory& make_driver, std::ostream& report) {
  RunTally tally;
  for (const Scenario& scenario : parse_scenarios(content)) {
    const auto driver = make_driver();
    const auto failures = play_scenario(scenario, *driver);
    if (failures.empty()) {
      ++tally.passed;
      continue;
    }
    ++tally.failed;
    const std::string title = scenario.title.empty() ? "(untitled)" : scenario.title;
    for (const ScenarioFailure& failure : failures) {
      report << name << ':' << failure.line << ": [" << title << "] ";
      if (failure.row > 0) report << "row " << failure.row << ": ";
      report << failure.message << '\n';
    }
  }
  return tally;
}

std::optional<std::vector<std::filesystem::path>> collect_scenario_files(
    const std::vector<std::string>& arguments, std::ostream& errors) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  bool usable = true;
  for (const std::string& argument : arguments) {
    const fs::path path(argument);
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<fs::path> found;
      for (const auto& entry : fs::directory_iterator(path, error)) {
        if (entry.path().extension() == ".scn" && !entry.is_directory(error))
          found.push_back(entry.path());
      }
      if (error || found.empty()) {
        errors << argument << ": " << (error ? error.message() : "no *.scn file in this directory")
               << '\n';
        usable = false;
      }
      std::sort(found.begin(), found.end());
      files.insert(files.end(), found.begin(), found.end());
    } else if (fs::is_regular_file(path, error)) {
      files.push_back(path);
    } else {
      errors << argument << ": no such scenario file or directory\n";
      usable = false;
    }
  }
  if (!usable) return std::nullopt;
  return files;
}

}  // namespace varostel
