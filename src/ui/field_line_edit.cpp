#include "ui/field_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <limits>

#include "model/key_filter.h"

namespace varostel::ui {
namespace {

// A key whose text inserts characters: anything but control characters
// (C0, DEL and C1, as the form has it), or Backspace, which the filters see
// as code 8. Delete (U+007F), Return and Escape type nothing. Invisible
// characters such as U+200B count as typed, so they meet the filter too.
bool types_characters(const QString& text) {
  if (text.isEmpty()) return false;
  if (text == QChar(kBackspaceCode)) return true;
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) return false;
  }
  return true;
}

}  // namespace

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent) {
  // A pasted count may be long; the box must hold all of it.
  setMaxLength(std::numeric_limits<int>::max());
}

QString FieldLineEdit::filtered(const QString& typed) const {
  if (!filter_) return typed;
  QString kept;
  for (const char32_t character : typed.toUcs4()) {
    const std::int16_t code = key_code(character);
    const std::int16_t result = filter_(code);
    if (result == 0) continue;
    if (result == code) {
      kept.append(QString::fromUcs4(&character, 1));
    } else {
      kept.append(QChar(static_cast<char16_t>(result)));
    }
  }
  return kept;
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (shortcut || !types_characters(event->text())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString kept = filtered(event->text());
  if (kept == event->text()) {
    QLineEdit::keyPressEvent(event);
  } else if (kept.isEmpty()) {
    event->accept();  // discarded: nothing is inserted
  } else {
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                       event->count());
    QLineEdit::keyPressEvent(&replaced);
  }
}

void FieldLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  // An input method commits text without key presses; it is typed all the
  // same, so it goes through the filter.
  const QString kept = filtered(event->commitString());
  if (kept == event->commitString()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent replaced(event->preeditString(), event->attributes());
  replaced.setCommitString(kept, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&replaced);
}

}  // namespace varostel::ui
