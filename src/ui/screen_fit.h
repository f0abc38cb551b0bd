// Keeps the main window on the screen it opens on: where its frame does not
// fit there at the design position it moves just enough (on X11), and where
// even its size does not fit the form scrolls inside a smaller window.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <optional>

class QScrollArea;
class QWidget;

namespace varostel::ui {

class ScreenFit final : public QObject {
 public:
  // Call before the window is first shown, after it has been moved to its
  // design position; the fit belongs to the window.
  explicit ScreenFit(QWidget& window);

  // The scroll area that holds the form once the window is too small for
  // it; null while the form is the window's own client area.
  [[nodiscard]] QScrollArea* scroll_area() const { return scroll_area_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refit();
  void make_scrolling();
  void show_focused(QWidget* focused) const;

  QWidget& window_;
  QPoint design_position_;  // of the frame's top-left corner
  QSize form_size_;
  // The frame margins the last fit used: the window manager reports them
  // only once it has framed the window, which calls for a second fit.
  std::optional<QMargins> fitted_margins_;
  QScrollArea* scroll_area_ = nullptr;
};

// Fits the window to its screen from now on; the fit belongs to the window.
ScreenFit* fit_to_screen(QWidget& window);

}  // namespace varostel::ui
