// A label or picture that reports a click of the left mouse button, pressed
// and released over it, as a button would. Made a keyboard link, it also
// takes the focus from the Tab key and reports Enter or Space as that click.
// Screen readers read its text as text, beside the name it is given.
#pragma once

#include <QLabel>
#include <functional>

namespace varostel::ui {

class ClickableLabel final : public QLabel {
 public:
  explicit ClickableLabel(QWidget* parent = nullptr);
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  void set_on_click(std::function<void()> on_click) { on_click_ = std::move(on_click); }

  // Lets the Tab key reach the label and Enter or Space click it. The mouse
  // still leaves the focus where it is, so a click looks as it always has.
  void make_keyboard_link();
  [[nodiscard]] bool is_keyboard_link() const { return focusPolicy() != Qt::NoFocus; }

  // Shows a new text and tells screen readers that the text changed: a label
  // named by its field keeps its name, so they would not learn it otherwise.
  void show_text(const QString& text);

  // What a click does, if the label is enabled: also the screen reader's
  // press action.
  void activate();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void()> on_click_;
  bool pressed_ = false;
};

}  // namespace varostel::ui
