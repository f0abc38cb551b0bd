// Links beyond the scenario files: what makes a press and release on a link label
// a click, controls that lead nowhere, and the opener's failure shown by its control.
#include <QTest>
#include <QToolTip>

#include "calculator/calculator.h"
#include "support/window_session.h"
#include "ui/desktop_page_opener.h"
#include "ui/main_window.h"

struct Click {
  bool pressed_over_it;
  Qt::MouseButton press;
  QPointF at;    // of the control's size
  QPoint nudge;  // pixels added: -1 and the size itself are just outside
  Qt::MouseButton release;
  int releases, openings;
};

Q_DECLARE_METATYPE(Click)

class LinksTest : public QObject {
  Q_OBJECT

 private slots:
  // No fields, so no scenario covers them; the banner, clicked last, shows clicks arrive.
  void qr_code_picture_and_frame_open_nothing() {
    varostel::WindowSession s;
    QVERIFY(s.show());
    for (const char* name : {"Picture1", "扫一扫", "logo"})
      QTest::mouseClick(s.window.findChild<QWidget*>(QString::fromUtf8(name)), Qt::LeftButton);
    QCOMPARE(s.opener.openings().size(), 1u);
    QCOMPARE(s.opener.openings()[0].address, page_address(varostel::Page::Calculator));
  }

  // A click is a left press and left release both over the label, as on a button.
  void press_and_release_on_a_link_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<Click>("click");
    constexpr auto L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;
    const std::pair<const char*, Click> rows[] = {
        {"released on its last pixel", {true, L, {1, 1}, {-1, -1}, L, 1, 1}},
        {"released on its first pixel", {true, L, {0, 0}, {}, L, 1, 1}},
        {"released one pixel right of it", {true, L, {1, .5}, {}, L, 1, 0}},
        {"released one pixel below it", {true, L, {.5, 1}, {}, L, 1, 0}},
        {"released one pixel above it", {true, L, {.5, 0}, {0, -1}, L, 1, 0}},
        {"released one pixel left of it", {true, L, {0, .5}, {-1, 0}, L, 1, 0}},
        {"pressed elsewhere, released over it", {false, L, {.5, .5}, {}, L, 1, 0}},
        {"released twice after one press", {true, L, {.5, .5}, {}, L, 2, 1}},
        {"right button", {true, R, {.5, .5}, {}, R, 1, 0}},
        {"middle button", {true, M, {.5, .5}, {}, M, 1, 0}},
        {"left press, right release", {true, L, {.5, .5}, {}, R, 1, 0}},
        {"right press, left release", {true, R, {.5, .5}, {}, L, 1, 0}}};
    for (const char* control : {"Morvith", "logo"})
      for (const auto& [name, click] : rows)
        QTest::addRow("%s: %s", control, name) << QString::fromUtf8(control) << click;
  }

  void press_and_release_on_a_link() {
    QFETCH(QString, control);
    QFETCH(Click, click);
    varostel::WindowSession s;
    QVERIFY(s.show());
    auto* label = s.window.findChild<QWidget*>(control);
    // The window's corner lies outside both links.
    if (click.pressed_over_it)
      QTest::mousePress(label, click.press, {}, label->rect().center());
    else
      QTest::mousePress(&s.window, click.press, {}, {1, 1});
    for (int i = 0; i < click.releases; ++i)
      QTest::mouseRelease(
          label, click.release, {},
          QPointF(click.at.x() * label->width(), click.at.y() * label->height()).toPoint() +
              click.nudge);
    QCOMPARE(static_cast<int>(s.opener.openings().size()), click.openings);
  }

  void unopened_address_shows_by_the_button() {
    varostel::ui::DesktopPageOpener opener;
    varostel::SettableClock clock{2026};
    varostel::Calculator calculator(opener, clock);
    varostel::ui::MainWindow window(calculator.form());
    opener.set_failure_report([&](const std::string& a) { window.show_unopened_address(a); });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QString address = QString::fromStdString(page_address(varostel::Page::Consultation));

    QWidget* button = window.findChild<QWidget*>(u"在线咨询"_qs);
    QCOMPARE(button->toolTip(), "");
    QTest::mouseClick(button, Qt::LeftButton);  // at its centre
    QCOMPARE(button->toolTip(), address);
    QCOMPARE(window.toolTip(), "");
    QVERIFY(QToolTip::isVisible());  // the offscreen platform shows it too
    QCOMPARE(QToolTip::text(), address);
  }
};

QTEST_MAIN(LinksTest)
#include "links_test.moc"
