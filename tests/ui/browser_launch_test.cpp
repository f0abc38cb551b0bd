// The page opener on a real X server: the address reaches the desktop's
// xdg-open (a stand-in first on PATH) as one argument, without a shell.
// Run under xvfb-run with QT_QPA_PLATFORM=xcb and VAROSTEL_FAKE_BROWSER_LOG.
#include <QApplication>
#include <QFile>
#include <QTest>

#include "ui/desktop_page_opener.h"

class BrowserLaunchTest : public QObject {
  Q_OBJECT

 private slots:
  void opens_each_page_through_xdg_open_and_reports_no_failure() {
    const QString log_path = qEnvironmentVariable("VAROSTEL_FAKE_BROWSER_LOG");
    QVERIFY2(!log_path.isEmpty(), "VAROSTEL_FAKE_BROWSER_LOG is not set");
    QFile::remove(log_path);

    varostel::ui::DesktopPageOpener opener;
    int failures = 0;
    opener.set_failure_report([&failures](const std::string&) { ++failures; });
    // An address with a query and a quote would break a shell command line.
    const std::string consultation = "http://chat.morvith.example/leyu.html?a=1&b='2'";
    const std::string calculator = "http://www.morvith.example/jsq/index.html";
    opener.open_page(consultation, varostel::WindowMode::Normal);
    opener.open_page(calculator, varostel::WindowMode::Hidden);
    QCOMPARE(failures, 0);

    QTRY_COMPARE_WITH_TIMEOUT(log_lines(log_path).size(), 2, 10000);
    QStringList lines = log_lines(log_path);
    lines.sort();  // the two stand-ins run concurrently
    QCOMPARE(lines, QStringList({QString::fromStdString(consultation),
                                 QString::fromStdString(calculator)}));
  }

 private:
  static QStringList log_lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  }
};

QTEST_MAIN(BrowserLaunchTest)
#include "browser_launch_test.moc"
