// The main window under a real window manager, as VAROSTEL_PLACEMENT says: at
// its design place and size where it fits, moved just enough on a smaller
// screen, and where even its size does not fit, scrolling every control into view.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <memory>
#include <utility>

#include "support/window_session.h"
#include "view/control_table.h"
#include "ui/fonts.h"
#include "ui/screen_fit.h"
#include "ui/text.h"

namespace {

constexpr QPoint kDesignFrame(445, 140);
constexpr QSize kForm(359, 685);

// The frame in device pixels, as xwininfo and the window manager's extents have it.
QRect frame_from_x_server(WId window) {
  QProcess x;
  x.start(u"sh"_qs, {u"-c"_qs, u"xwininfo -id $0; xprop -id $0 _NET_FRAME_EXTENTS"_qs,
                     QString::number(window)});
  x.waitForFinished();
  const QRegularExpressionMatch m =
      QRegularExpression(
          uR"(upper-left X:\s*(-?\d+)\s+Absolute upper-left Y:\s*(-?\d+).*)"
          uR"(Width:\s*(\d+)\s+Height:\s*(\d+).*= (\d+), (\d+), (\d+), (\d+))"_qs,
          QRegularExpression::DotMatchesEverythingOption)
          .match(QString::fromLocal8Bit(x.readAllStandardOutput()));
  const auto n = [&m](int i) { return m.captured(i).toInt(); };
  if (!m.hasMatch()) return {};
  return {n(1) - n(5), n(2) - n(7), n(3) + n(5) + n(6), n(4) + n(7) + n(8)};
}

}  // namespace

class WindowPlacementTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;
  QString expected_;

  [[nodiscard]] QScrollArea* scroll_area() const {
    return s_->window.findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
  }
  [[nodiscard]] QRect available() const { return s_->window.screen()->availableGeometry(); }

  // Wholly in the view (as much of it as every container and the form can
  // show), and so on the screen.
  [[nodiscard]] bool shown(const QWidget* control) const {
    if (control == nullptr) return false;
    const QScrollArea* area = scroll_area();
    const QWidget* form = area != nullptr ? area->widget() : &s_->window;
    const QWidget* view = area != nullptr ? area->viewport() : &s_->window;
    QRect part = control->rect();
    for (const QWidget* w = control; w != form; w = w->parentWidget()) {
      part = part.translated(w->pos()).intersected(w->parentWidget()->rect());
    }
    part.moveTopLeft(form->mapTo(view, part.topLeft()));
    return view->rect().contains(part) &&
           available().contains(part.translated(view->mapToGlobal(QPoint())));
  }

 private slots:
  void initTestCase() {
    varostel::ui::install_song_face_substitutes();
    expected_ = qEnvironmentVariable("VAROSTEL_PLACEMENT");
    QVERIFY2(expected_ == "design" || expected_ == "moved" || expected_ == "scrolls",
             "VAROSTEL_PLACEMENT is design, moved or scrolls");
    QCOMPARE(QGuiApplication::platformName(), "xcb");
  }

  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    varostel::ui::fit_to_screen(s_->window);
    QVERIFY(s_->show());
    // Framed (the title bar is known and the second fit applied), then wait
    // until the window manager has left the frame alone for 300 ms.
    QTRY_VERIFY_WITH_TIMEOUT(s_->window.windowHandle()->frameMargins().top() > 0, 5000);
    QRect last;
    QElapsedTimer steady;
    steady.start();
    for (int wait = 0; wait < 100 && steady.elapsed() < 300; ++wait) {  // 5 s at most
      QTest::qWait(50);
      const QRect now = s_->window.frameGeometry();
      if (std::exchange(last, now) != now) steady.restart();
    }
  }
  void cleanup() { s_.reset(); }

  void frame_placed_and_sized_as_the_screen_calls_for() {
    const QRect frame = s_->window.frameGeometry();
    QCOMPARE(available().united(frame), available());
    // The same seen from outside the program, in device pixels.
    const qreal ratio = s_->window.devicePixelRatio();
    const QRect screen = s_->window.screen()->geometry();
    const QRect device_screen(screen.topLeft() * ratio, screen.size() * ratio);
    const QRect x_frame = frame_from_x_server(s_->window.winId());
    QVERIFY(!x_frame.isEmpty());
    QCOMPARE(device_screen.united(x_frame), device_screen);
    if (expected_ == "design") {
      QCOMPARE(frame.topLeft(), kDesignFrame);
      QCOMPARE(s_->window.size(), kForm);
      QCOMPARE(s_->window.minimumSize(), s_->window.maximumSize());  // fixed at kForm
      QVERIFY(scroll_area() == nullptr);
    } else if (expected_ == "moved") {
      // Just enough: the same column, the frame's bottom on the screen's.
      QCOMPARE(frame.x(), kDesignFrame.x());
      QCOMPARE(frame.bottom(), available().bottom());
      QCOMPARE(s_->window.size(), kForm);
      QVERIFY(scroll_area() == nullptr);
    } else {
      QVERIFY(scroll_area() != nullptr);
      QVERIFY(s_->window.height() < kForm.height());
      QCOMPARE(frame.bottom(), available().bottom());
      QVERIFY(scroll_area()->verticalScrollBar()->isVisible());
    }
  }

  // Each control can be brought wholly into view (as much as the form shows).
  void every_control_can_be_brought_into_view() {
    for (const varostel::ui::ControlRow& row : varostel::ui::kControlTable) {
      auto* control = s_->window.findChild<QWidget*>(varostel::ui::qstring(row.name));
      if (scroll_area() != nullptr) scroll_area()->ensureWidgetVisible(control, 0, 0);
      QCoreApplication::processEvents();
      QVERIFY2(shown(control), row.name.data());
    }
  }

  // Tab round every control that takes the focus, then focus each directly
  // (as a shortcut or a screen reader does) from the last up: each focused
  // control is in view.
  void the_focused_control_is_in_view() {
    QList<QWidget*> chain{QApplication::focusWidget()};
    QVERIFY(chain.first() != nullptr);
    while (chain.size() < 100) {
      QVERIFY2(shown(chain.last()), qPrintable(chain.last()->objectName()));
      QTest::keyClick(chain.last(), Qt::Key_Tab);
      QTRY_VERIFY(QApplication::focusWidget() != chain.last());
      if (QApplication::focusWidget() == chain.first()) break;
      chain.append(QApplication::focusWidget());
    }
    // The ten boxes, three lists, buttons and the check box, in one round.
    QVERIFY(chain.size() >= 20 && chain.size() < 100);
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
      (*it)->setFocus(Qt::ShortcutFocusReason);
      QCoreApplication::processEvents();
      QVERIFY2(shown(*it), qPrintable((*it)->objectName()));
    }
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
