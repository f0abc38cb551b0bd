// The main window on a real X server under a real window manager (openbox):
// where its framed window fits the screen it stays exactly at its design
// place and size; on a smaller screen it moves just enough; where even its
// size does not fit (scale 2) every control can be scrolled into view, also
// by moving the focus. VAROSTEL_PLACEMENT names what the screen calls for:
// "design", "moved" or "scrolls".
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

#include "scenario-player/window_session.h"
#include "ui/control_table.h"
#include "ui/fonts.h"
#include "ui/screen_fit.h"
#include "ui/text.h"

namespace {

constexpr QPoint kDesignFrame(445, 140);
constexpr QSize kForm(359, 685);

// The window's frame as the X server and the window manager have it, in
// device pixels: the client's absolute place (xwininfo) widened by the
// frame extents the window manager published (xprop).
QRect frame_from_x_server(WId window) {
  const QString id = QString::number(window);
  QProcess info;
  info.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  info.waitForFinished();
  const QString geometry = QString::fromLocal8Bit(info.readAllStandardOutput());
  auto number = [&geometry](const QString& label) {
    const QRegularExpression pattern(label + QStringLiteral(":\\s*(-?\\d+)"));
    return pattern.match(geometry).captured(1).toInt();
  };
  QProcess extents;
  extents.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
  extents.waitForFinished();
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"))
          .match(QString::fromLocal8Bit(extents.readAllStandardOutput()));
  if (!m.hasMatch()) return {};
  const int left = m.captured(1).toInt(), right = m.captured(2).toInt();
  const int top = m.captured(3).toInt(), bottom = m.captured(4).toInt();
  return {number(QStringLiteral("Absolute upper-left X")) - left,
          number(QStringLiteral("Absolute upper-left Y")) - top,
          number(QStringLiteral("Width")) + left + right,
          number(QStringLiteral("Height")) + top + bottom};
}

// The part of a control the form can show: its rectangle cut by every
// container it lies in and by the form, in the form's coordinates.
QRect shown_part(const QWidget& control, const QWidget& form) {
  QRect part = control.rect();
  for (const QWidget* w = &control; w != &form; w = w->parentWidget()) {
    part = part.translated(w->pos()).intersected(w->parentWidget()->rect());
  }
  return part;
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
    // Framed: the window manager has reported the title bar, and the
    // second fit that follows has been applied.
    QTRY_VERIFY_WITH_TIMEOUT(s_->window.windowHandle()->frameMargins().top() > 0, 5000);
    // The window manager moves and sizes the window when it gets to it:
    // wait until the frame has stayed put for 300 ms (5 s at most).
    QRect last;
    QElapsedTimer steady;
    QElapsedTimer total;
    steady.start();
    total.start();
    while (total.elapsed() < 5000) {
      QTest::qWait(50);
      const QRect now = s_->window.frameGeometry();
      if (now != last) {
        last = now;
        steady.restart();
      } else if (steady.elapsed() >= 300) {
        break;
      }
    }
  }
  void cleanup() { s_.reset(); }

  void frame_lies_inside_the_screen() {
    const QRect frame = s_->window.frameGeometry();
    QVERIFY2(available().contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                         .arg(frame.x())
                                                         .arg(frame.y())
                                                         .arg(frame.width())
                                                         .arg(frame.height())));
    // The same seen from outside the program, in device pixels.
    const qreal ratio = s_->window.devicePixelRatio();
    const QRect screen = s_->window.screen()->geometry();
    const QRect device_screen(screen.topLeft() * ratio, screen.size() * ratio);
    const QRect x_frame = frame_from_x_server(s_->window.winId());
    QVERIFY(!x_frame.isEmpty());
    QVERIFY2(device_screen.contains(x_frame),
             qPrintable(QStringLiteral("X frame %1,%2 %3x%4 on a %5x%6 screen")
                            .arg(x_frame.x())
                            .arg(x_frame.y())
                            .arg(x_frame.width())
                            .arg(x_frame.height())
                            .arg(device_screen.width())
                            .arg(device_screen.height())));
  }

  void place_and_size_as_the_screen_calls_for() {
    const QRect frame = s_->window.frameGeometry();
    if (expected_ == "design") {
      QCOMPARE(frame.topLeft(), kDesignFrame);
      QCOMPARE(s_->window.size(), kForm);
      QCOMPARE(s_->window.minimumSize(), kForm);
      QCOMPARE(s_->window.maximumSize(), kForm);
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

  // Each of the controls can be brought wholly into view (as much of it as
  // the form itself shows), on the screen.
  void every_control_can_be_brought_into_view() {
    QScrollArea* area = scroll_area();
    QWidget* form = area != nullptr ? area->widget() : &s_->window;
    QWidget* view = area != nullptr ? area->viewport() : &s_->window;
    int checked = 0;
    for (const varostel::ui::ControlRow& row : varostel::ui::kControlTable) {
      auto* control = s_->window.findChild<QWidget*>(varostel::ui::qstring(row.name));
      QVERIFY2(control != nullptr, row.name.data());
      if (area != nullptr) area->ensureWidgetVisible(control, 0, 0);
      QCoreApplication::processEvents();
      const QRect part = shown_part(*control, *form);
      const QRect in_view(form->mapTo(view, part.topLeft()), part.size());
      QVERIFY2(view->rect().contains(in_view), row.name.data());
      const QRect on_screen(view->mapToGlobal(in_view.topLeft()), in_view.size());
      QVERIFY2(available().contains(on_screen), row.name.data());
      ++checked;
    }
    QCOMPARE(checked, 70);
  }

  // Tab through every control that takes the focus, then give each the
  // focus directly (as a caption's shortcut or a screen reader does), from
  // the last up: each one is in view once it has the focus.
  void the_focused_control_is_in_view() {
    QScrollArea* area = scroll_area();
    QWidget* form = area != nullptr ? area->widget() : &s_->window;
    QWidget* view = area != nullptr ? area->viewport() : &s_->window;
    auto in_view = [form, view](QWidget* focused) {
      const QRect part = shown_part(*focused, *form);
      return view->rect().contains(QRect(form->mapTo(view, part.topLeft()), part.size()));
    };
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first != nullptr);
    QList<QWidget*> chain;
    QWidget* focused = first;
    do {
      QVERIFY2(in_view(focused), qPrintable(focused->objectName()));
      chain.append(focused);
      QTest::keyClick(focused, Qt::Key_Tab);
      QTRY_VERIFY(QApplication::focusWidget() != focused);
      focused = QApplication::focusWidget();
    } while (focused != first && chain.size() < 100);
    QVERIFY(chain.size() >= 20);  // the ten boxes, three lists, buttons and the check box
    QVERIFY(chain.size() < 100);
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
      (*it)->setFocus(Qt::ShortcutFocusReason);
      QCoreApplication::processEvents();
      QVERIFY2(in_view(*it), qPrintable((*it)->objectName()));
    }
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
