// A single-line text box whose typed characters pass through a key filter
// first. Only typed characters are filtered: pasted, dropped and undone text
// is not, and keys that type nothing (arrows, Delete, Home, End) and
// shortcuts with Control or Meta are left alone. Whatever the edit, the box
// holds at most as many characters as the form's text boxes, cut as the
// form cuts.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace varostel::ui {

class FieldLineEdit final : public QLineEdit {
 public:
  // Receives a typed character's code and returns the code to insert, or 0
  // to discard the character.
  using KeyFilter = std::function<std::int16_t(std::int16_t)>;

  explicit FieldLineEdit(QWidget* parent = nullptr);
  void set_key_filter(KeyFilter filter) { filter_ = std::move(filter); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // The characters of `typed` that the filter lets through, each possibly
  // replaced by the filter.
  [[nodiscard]] QString filtered(const QString& typed) const;

  KeyFilter filter_;
};

}  // namespace varostel::ui
