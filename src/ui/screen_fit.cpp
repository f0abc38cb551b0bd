#include "ui/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "view/screen_fit.h"

namespace varostel::ui {
namespace {

// A Wayland compositor places windows itself; a position asked for is ignored.
bool window_system_places_windows() {
  return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace

ScreenFit::ScreenFit(QWidget& window)
    : QObject(&window), window_(window), design_position_(window.pos()), form_size_(window.size()) {
  window_.installEventFilter(this);
  QObject::connect(qApp, &QApplication::focusChanged, this,
                   [this](QWidget*, QWidget* now) { show_focused(now); });
  refit();
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Move:
      case QEvent::Resize: {
        // Only a new frame refits: a window the user moved, even to another
        // screen, stays where it was put.
        const QWindow* handle = window_.windowHandle();
        const QMargins margins = handle != nullptr ? handle->frameMargins() : QMargins();
        if (!fitted_margins_ || *fitted_margins_ != margins) refit();
        break;
      }
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScreenFit::refit() {
  const QWindow* handle = window_.windowHandle();
  const QMargins margins = handle != nullptr ? handle->frameMargins() : QMargins();
  fitted_margins_ = margins;
  QScreen* screen = QGuiApplication::screenAt(design_position_);
  if (screen == nullptr) screen = window_.screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();

  FitRequest request;
  request.frame_left = design_position_.x();
  request.frame_top = design_position_.y();
  request.form_width = form_size_.width();
  request.form_height = form_size_.height();
  request.margins = {margins.left(), margins.top(), margins.right(), margins.bottom()};
  request.available = {available.x(), available.y(), available.width(), available.height()};
  request.scroll_bar_extent = window_.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  request.may_move = !window_system_places_windows();
  const WindowFit fit = fit_window(request);

  if (fit.scrolls && scroll_area_ == nullptr) make_scrolling();
  if (scroll_area_ != nullptr) {
    const QSize client(fit.client_width, fit.client_height);
    // Resizable up to the form with its scroll bars, so a larger screen
    // shows more of it.
    window_.setMinimumSize(client.boundedTo(QSize(120, 120)));
    window_.setMaximumSize(form_size_ +
                           QSize(request.scroll_bar_extent, request.scroll_bar_extent));
    window_.resize(client);
  }
  const QPoint frame(fit.frame_left, fit.frame_top);
  if (request.may_move && window_.pos() != frame) window_.move(frame);
}

void ScreenFit::make_scrolling() {
  QWidget* const focused = window_.focusWidget();
  scroll_area_ = new QScrollArea(&window_);
  scroll_area_->setObjectName(QStringLiteral("form scroll area"));
  scroll_area_->setFrameShape(QFrame::NoFrame);
  // Tab moves between the controls alone, as before.
  scroll_area_->setFocusPolicy(Qt::NoFocus);
  auto* form = new QWidget;
  form->setFixedSize(form_size_);
  scroll_area_->setWidget(form);  // inside the window before the controls move
  for (QWidget* child : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    // The QR-code window is a child window, not part of the form.
    if (child == scroll_area_ || child->isWindow()) continue;
    const bool hidden = child->isHidden();
    child->setParent(form);  // keeps its geometry, its place in the tab chain
    child->setHidden(hidden);
  }
  auto* layout = new QVBoxLayout(&window_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_area_);
  scroll_area_->show();
  if (focused != nullptr) focused->setFocus(Qt::OtherFocusReason);
}

void ScreenFit::show_focused(QWidget* focused) const {
  if (scroll_area_ == nullptr || focused == nullptr) return;
  if (scroll_area_->widget()->isAncestorOf(focused)) scroll_area_->ensureWidgetVisible(focused);
}

ScreenFit* fit_to_screen(QWidget& window) { return new ScreenFit(window); }

}  // namespace varostel::ui
