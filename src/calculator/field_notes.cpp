#include "calculator/field_notes.h"

#include <memory>

#include "identity/identity_check.h"
#include "model/fields.h"
#include "scoring/points_gap.h"

namespace varostel {

void FieldNotes::set(FieldId field, std::string note) {
  std::string& current = notes_[field.index];
  if (current == note) return;
  current = std::move(note);
  if (observer_) observer_(field);
}

void install_field_notes(Form& form, FieldNotes& notes, const Clock& clock) {
  form.append(kReadButton, Event::Click, [&form, &notes, &clock] {
    notes.set(kIdentityNumber, identity_hint(form.text(kIdentityNumber), clock.today()));
  });
  form.append(kIdentityNumber, Event::Change, [&notes] { notes.set(kIdentityNumber, {}); });

  // The verdict is a caption, which raises nothing when written; its writers
  // are the total's Change and the reset, so the gap follows both. A total
  // settles after several writes of the same text, so the gap is only worked
  // out again when what it depends on has changed.
  struct Shown {
    std::string total;
    bool placeholder = true;
  };
  const auto refresh_gap = [&form, &notes, shown = std::make_shared<Shown>()] {
    const std::string& total = form.text(kTotal);
    const bool placeholder = form.text(kVerdict) == kVerdictPlaceholder;
    if (total == shown->total && placeholder == shown->placeholder) return;
    *shown = {total, placeholder};
    const std::string gap = points_gap(total, form.text(kVerdict));
    notes.set(kTotal, gap);
    notes.set(kVerdict, gap);
  };
  form.append(kTotal, Event::Change, refresh_gap);
  form.append(kResetButton, Event::Click, refresh_gap);
}

}  // namespace varostel
