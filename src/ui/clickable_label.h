// A label or picture that reports a click of the left mouse button, pressed
// and released over it, as a button would.
#pragma once

#include <QLabel>
#include <functional>

namespace varostel::ui {

class ClickableLabel final : public QLabel {
 public:
  using QLabel::QLabel;
  void set_on_click(std::function<void()> on_click) { on_click_ = std::move(on_click); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> on_click_;
  bool pressed_ = false;
};

}  // namespace varostel::ui
