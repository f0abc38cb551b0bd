// What a scenario needs of a calculator: program writes, user actions and
// readings by field. Steps are checked against the field table before they
// reach a driver, so a driver only acts.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/field.h"
#include "support/stand_ins.h"

namespace varostel {

class ScenarioDriver {
 public:
  virtual ~ScenarioDriver() = default;

  virtual void set_year(int year) = 0;
  // A program write by the field's kind; the text is known to fit the field.
  virtual void set(FieldId field, std::string_view text) = 0;
  // One typed character; U+0008 is Backspace.
  virtual void type(FieldId box, char32_t character) = 0;
  virtual void paste(FieldId box, std::string_view text) = 0;
  virtual void choose(FieldId list, std::string_view item) = 0;
  virtual void click(FieldId field) = 0;

  // Text, caption or displayed text; "0" or "1" for the check box.
  [[nodiscard]] virtual std::string read(FieldId field) const = 0;
  [[nodiscard]] virtual bool enabled(FieldId field) const = 0;
  // The calculator's note beside the field as shown, empty for none.
  [[nodiscard]] virtual std::string note(FieldId field) const = 0;
  // Every page opening so far, oldest first.
  [[nodiscard]] virtual const std::vector<PageOpening>& openings() const = 0;

  // Why the calculator could not be reached or a step not carried out, for
  // a driver that talks to another process; the scenario ends there.
  [[nodiscard]] virtual std::optional<std::string> fault() const { return std::nullopt; }
};

// Makes a calculator in its start-up state for each scenario.
using DriverFactory = std::function<std::unique_ptr<ScenarioDriver>()>;

}  // namespace varostel
