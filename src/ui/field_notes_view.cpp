#include "ui/field_notes_view.h"

#include <QString>
#include <QWidget>
#include <array>

#include "model/fields.h"
#include "ui/text.h"

namespace varostel::ui {
namespace {

struct NoteShown {
  FieldId field;
  bool outline;  // a red frame while there is a note
  bool tooltip;
};

constexpr std::array<NoteShown, 3> kNotesShown = {{
    {kIdentityNumber, true, true},
    {kTotal, false, true},
    {kVerdict, false, false},
}};

// Only while there is a hint: without one the box keeps the style's own
// frame, pixel for pixel.
const QString kOutline = QStringLiteral("border: 1px solid red;");

}  // namespace

FieldNotesView::FieldNotesView(MainWindow& window, FieldNotes& notes)
    : window_(window), notes_(notes) {
  for (const NoteShown& shown : kNotesShown) show(shown.field);
  notes_.set_observer([this](FieldId field) { show(field); });
}

FieldNotesView::~FieldNotesView() { notes_.set_observer(nullptr); }

void FieldNotesView::show(FieldId field) {
  for (const NoteShown& shown : kNotesShown) {
    if (shown.field != field) continue;
    QWidget* widget = window_.widget(field);
    const QString note = qstring(notes_.note(field));
    widget->setAccessibleDescription(note);
    if (shown.tooltip) widget->setToolTip(note);
    if (shown.outline) widget->setStyleSheet(note.isEmpty() ? QString() : kOutline);
  }
}

}  // namespace varostel::ui
