// The links out to the service's pages: which click opens which page in
// which window mode, and the desktop opener, which reaches the browser or,
// failing that, shows the address by the clicked control.
#include <QDesktopServices>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <vector>

#include "calculator/calculator.h"
#include "ui/desktop_page_opener.h"
#include "ui/main_window.h"
#include "window_session.h"

using varostel::Page;
using varostel::WindowMode;

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

// Stands in for the desktop's browser.
class Browser : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class LinksTest : public QObject {
  Q_OBJECT

 private slots:
  void clicks_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("months");  // typed into 养老月数 first: 5 score 0, 60 score 15
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("openings");
    const QStringList none, calculator = {"/jsq/index.html hidden"};
    const QStringList consultation = {"/leyu.html normal"};
    QTest::newRow("banner") << "logo" << "" << 1 << calculator;
    QTest::newRow("verdict a little short") << u"评分结果"_qs << "60" << 1 << consultation;
    QTest::newRow("QR-code picture") << "Picture1" << "" << 1 << none;
    QTest::newRow("QR-code frame") << u"扫一扫"_qs << "" << 1 << none;
  }

  void clicks() {
    QFETCH(QString, target);
    QFETCH(QString, months);
    QFETCH(int, clicks);
    QFETCH(QStringList, openings);
    WindowSession s;
    QVERIFY(s.show());
    QTest::keyClicks(s.window.findChild<QLineEdit*>(u"养老月数"_qs), months);
    const auto before = field_texts(s.calculator.form());
    for (int i = 0; i < clicks; ++i) click_centre(s.window.findChild<QWidget*>(target));

    QStringList opened;  // by the path, after checking the host
    for (const varostel::PageOpening& opening : s.opener.openings()) {
      const Page page = opening.address == page_address(Page::Calculator) ? Page::Calculator
                                                                           : Page::Consultation;
      QCOMPARE(QString::fromStdString(opening.address), address(page));
      opened << QUrl(address(page)).path() +
                    (opening.mode == WindowMode::Hidden ? " hidden" : " normal");
    }
    QCOMPARE(opened, openings);
    QVERIFY(field_texts(s.calculator.form()) == before);
  }

  void desktop_opener_data() {
    QTest::addColumn<bool>("browser");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");  // else reported
    QTest::newRow("consultation page") << true << address(Page::Consultation) << true;
    QTest::newRow("calculator page") << true << address(Page::Calculator) << true;
    QTest::newRow("no browser") << false << address(Page::Consultation) << false;
    QTest::newRow("malformed address") << true << "http://bad host/a" << false;
  }

  void desktop_opener() {
    QFETCH(bool, browser);
    QFETCH(QString, address);
    QFETCH(bool, opened);
    Browser handler;
    if (browser) QDesktopServices::setUrlHandler("http", &handler, "open");
    QStringList reports;
    varostel::ui::DesktopPageOpener opener;
    opener.set_failure_report([&](const std::string& a) { reports << QString::fromStdString(a); });
    opener.open_page(address.toStdString(), WindowMode::Normal);
    QDesktopServices::unsetUrlHandler("http");

    const auto once = QStringList{address};
    QStringList seen;
    for (const QUrl& url : handler.urls) seen << url.toString();
    QCOMPARE(seen, opened ? once : QStringList());
    QCOMPARE(reports, opened ? QStringList() : once);
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
