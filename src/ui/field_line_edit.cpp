#include "ui/field_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <string>

#include "model/form.h"
#include "model/key_filter.h"
#include "ui/text.h"

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

// Counts in characters, as the form does, where QLineEdit's own maximum
// length counts UTF-16 units. Every edit passes through it with the cursor
// at the end of what it inserted, so the form's cut of an insertion applies.
class LengthCap final : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    // Each character is at least one unit: a short text needs no count.
    if (input.size() <= static_cast<qsizetype>(kTextBoxMaxLength)) return Acceptable;
    const std::string before = input.left(pos).toStdString();
    const std::string after = input.mid(pos).toStdString();
    const TextAroundCursor kept = fit_text_box(before, after);
    if (kept.before_cursor.size() == before.size() && kept.after_cursor.size() == after.size()) {
      return Acceptable;
    }
    const QString head = qstring(kept.before_cursor);
    input = head + qstring(kept.after_cursor);
    pos = static_cast<int>(head.size());
    return Acceptable;
  }
};

}  // namespace

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent) {
  // A first, cheap cut in units, so that a paste of megabytes never reaches
  // the text at all: the most characters take at most two units each.
  setMaxLength(static_cast<int>(2 * kTextBoxMaxLength));
  setValidator(new LengthCap(this));
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
