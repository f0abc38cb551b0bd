// The links on the window beyond what the scenario files play: what makes a
// press and a release on a link label a click, the controls that lead
// nowhere, and the desktop opener's failure, which shows the address by the
// clicked control. (browser_launch_test opens a page for real.)
#include <QTest>
#include <QToolTip>
#include <vector>

#include "calculator/calculator.h"
#include "scenario-player/window_session.h"
#include "ui/desktop_page_opener.h"
#include "ui/main_window.h"

using varostel::Page;

namespace {

std::vector<std::string> field_texts(const varostel::Form& form) {
  std::vector<std::string> texts;
  for (std::uint8_t i = 0; i < varostel::kFieldCount; ++i) texts.push_back(form.text({i}));
  return texts;
}

// Where a press-and-release test lets go of the button, in the control's own
// coordinates: over it, on its edges, or just beside it.
QPoint release_point(const QWidget* control, const QString& where) {
  const int w = control->width(), h = control->height();
  if (where == "last pixel") return {w - 1, h - 1};
  if (where == "first pixel") return {0, 0};
  if (where == "right of it") return {w, h / 2};
  if (where == "below it") return {w / 2, h};
  if (where == "above it") return {w / 2, -1};
  if (where == "left of it") return {-1, h / 2};
  return control->rect().center();
}

void click_centre(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QString address(Page page) { return QString::fromStdString(page_address(page)); }

}  // namespace

class LinksTest : public QObject {
  Q_OBJECT

 private slots:
  // The scenario files play the clicks on the fields; these two controls
  // are no fields, and a click on them must lead nowhere. The banner, clicked
  // last, shows that the clicks arrive.
  void qr_code_picture_and_frame_open_nothing() {
    varostel::WindowSession s;
    QVERIFY(s.show());
    for (const char* name : {"Picture1", "扫一扫", "logo"}) {
      click_centre(s.window.findChild<QWidget*>(QString::fromUtf8(name)));
    }
    QCOMPARE(s.opener.openings().size(), 1u);
    QCOMPARE(s.opener.openings()[0].address, page_address(Page::Calculator));
  }

  // A click on a link label is a left press and a left release, both over
  // it, as on a button: letting go beside it cancels, and a release that
  // follows no press over it (the press went to another control) is none.
  void press_and_release_on_a_link_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("pressed_over_it");
    QTest::addColumn<Qt::MouseButton>("press_button");
    QTest::addColumn<QString>("released_at");
    QTest::addColumn<Qt::MouseButton>("release_button");
    QTest::addColumn<int>("releases");
    QTest::addColumn<int>("openings");
    constexpr auto L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;
    const struct {
      const char* name;
      bool pressed_over_it;
      Qt::MouseButton press;
      const char* released_at;
      Qt::MouseButton release;
      int releases, openings;
    } rows[] = {{"released over it", true, L, "centre", L, 1, 1},
                {"released on its last pixel", true, L, "last pixel", L, 1, 1},
                {"released on its first pixel", true, L, "first pixel", L, 1, 1},
                {"released one pixel right of it", true, L, "right of it", L, 1, 0},
                {"released one pixel below it", true, L, "below it", L, 1, 0},
                {"released one pixel above it", true, L, "above it", L, 1, 0},
                {"released one pixel left of it", true, L, "left of it", L, 1, 0},
                {"pressed elsewhere, released over it", false, L, "centre", L, 1, 0},
                {"released twice after one press", true, L, "centre", L, 2, 1},
                {"right button", true, R, "centre", R, 1, 0},
                {"middle button", true, M, "centre", M, 1, 0},
                {"left press, right release", true, L, "centre", R, 1, 0},
                {"right press, left release", true, R, "centre", L, 1, 0}};
    for (const char* control : {"Morvith", "logo"}) {
      for (const auto& r : rows) {
        QTest::addRow("%s: %s", control, r.name)
            << QString::fromUtf8(control) << r.pressed_over_it << r.press
            << QString::fromUtf8(r.released_at) << r.release << r.releases << r.openings;
      }
    }
  }

  void press_and_release_on_a_link() {
    QFETCH(QString, control);
    QFETCH(bool, pressed_over_it);
    QFETCH(Qt::MouseButton, press_button);
    QFETCH(QString, released_at);
    QFETCH(Qt::MouseButton, release_button);
    QFETCH(int, releases);
    QFETCH(int, openings);
    varostel::WindowSession s;
    QVERIFY(s.show());
    auto* label = s.window.findChild<QWidget*>(control);
    QVERIFY(label);
    if (pressed_over_it) {
      QTest::mousePress(label, press_button, {}, label->rect().center());
    } else {
      // The window's corner lies outside both links.
      QTest::mousePress(&s.window, press_button, {}, {1, 1});
    }
    for (int i = 0; i < releases; ++i) {
      QTest::mouseRelease(label, release_button, {}, release_point(label, released_at));
    }
    QCOMPARE(static_cast<int>(s.opener.openings().size()), openings);
  }

  void unopened_address_shows_by_the_button() {
    varostel::ui::DesktopPageOpener opener;
    varostel::SettableClock clock{2026};
    varostel::Calculator calculator(opener, clock);
    varostel::ui::MainWindow window(calculator.form());
    opener.set_failure_report([&](const std::string& a) { window.show_unopened_address(a); });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto before = field_texts(calculator.form());

    QWidget* button = window.findChild<QWidget*>(u"在线咨询"_qs);
    QCOMPARE(button->toolTip(), "");
    click_centre(button);
    QCOMPARE(button->toolTip(), address(Page::Consultation));
    QCOMPARE(window.toolTip(), "");
    QVERIFY(QToolTip::isVisible());  // the offscreen platform shows it too
    QCOMPARE(QToolTip::text(), address(Page::Consultation));
    QVERIFY(field_texts(calculator.form()) == before);
  }
};

QTEST_MAIN(LinksTest)
#include "links_test.moc"
