// Notes the calculator keeps beside fields without writing into them: the
// hint on a mistyped identity number, and the points gap on the total and
// the verdict. Whoever shows the form learns of each change by one observer.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "model/clock.h"
#include "model/field_table.h"
#include "model/form.h"

namespace varostel {

class FieldNotes {
 public:
  using Observer = std::function<void(FieldId)>;

  // Empty when the field has no note.
  [[nodiscard]] const std::string& note(FieldId field) const { return notes_[field.index]; }
  // Called after a field's note has changed, with that field.
  void set_observer(Observer observer) { observer_ = std::move(observer); }
  void set(FieldId field, std::string note);

 private:
  std::array<std::string, kFieldCount> notes_;
  Observer observer_;
};

// Keeps the notes up to date: `ID` gets its hint when the identity-number
// button has read the number and loses it when its text changes; `合计得分`
// and `评分结果` get the points gap whenever the total or the verdict changes.
// Install after every rule, so the notes follow what the rules wrote.
void install_field_notes(Form& form, FieldNotes& notes, const Clock& clock);

}  // namespace varostel
