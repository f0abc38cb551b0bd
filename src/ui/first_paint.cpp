#include "ui/first_paint.h"

#include <QEvent>
#include <QTimer>

namespace varostel::ui {
namespace {

class FirstPaintWatcher final : public QObject {
 public:
  FirstPaintWatcher(QWidget& window, std::function<void()> work)
      : QObject(&window), work_(std::move(work)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Queued: the paint event's frame is flushed to the screen when its
      // handling returns.
      QTimer::singleShot(0, this, [this] {
        work_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> work_;
};

}  // namespace

void after_first_paint(QWidget& window, std::function<void()> work) {
  new FirstPaintWatcher(window, std::move(work));  // owned by the window
}

}  // namespace varostel::ui
