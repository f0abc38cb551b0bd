// The links on the window beyond what the scenario files play: the controls
// that lead nowhere, and the desktop opener's failure, which shows the
// address by the clicked control. (browser_launch_test opens a page for real.)
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
