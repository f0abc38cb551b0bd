// Linked into a window program, reports the moment its first window has been
// painted and flushed to the display, then ends the program. The start-up
// bench links it, unchanged, to the calculator's own main() and to a bare
// window, so both are timed the same way and the program carries no switch
// for it.
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class FirstFrameProbe : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isVisible()) {
      seen_ = true;
      // A repaint paints the whole window and flushes it to the display in
      // one go; a zero timer fires once that has returned to the event loop.
      QTimer::singleShot(0, this, &FirstFrameProbe::report);
    }
    return false;
  }

 private:
  static void report() {
    // The bench reads the same clock: steady_clock is the monotonic clock.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf(
        "first-frame %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    // The time to tear the window down is no part of starting it.
    _exit(0);
  }

  bool seen_ = false;
};

// Runs at the end of the QApplication's constructor, before main() goes on.
void install_probe() { qApp->installEventFilter(new FirstFrameProbe(qApp)); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(install_probe)
