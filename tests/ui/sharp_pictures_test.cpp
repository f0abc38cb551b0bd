// The banner and the QR code at the test's scale factor (QT_SCALE_FACTOR 1,
// 1.5 or 2): the built-in 1x pictures at 1, above it pictures in the screen's
// own pixels; at each a QR code zbarimg reads as the calculator page.
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "model/page_opener.h"
#include "support/window_session.h"
#include "ui/fonts.h"
#include "ui/qr_code_window.h"
#include "ui/text.h"

namespace {

// What zbarimg reads in a picture of a widget; empty when it reads nothing.
QString read_qr_code(QWidget& widget, const QString& folder) {
  const QString file = folder + QStringLiteral("/code.png");
  if (!widget.grab().save(file)) return QStringLiteral("(cannot save %1)").arg(file);
  QProcess zbarimg;
  zbarimg.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), file});
  zbarimg.waitForFinished(20000);
  return QString::fromUtf8(zbarimg.readAllStandardOutput()).trimmed();
}

// A QR picture read module by module (the finder pattern's first row is 7
// modules dark): its colours, where the code lies, each module's centre.
struct QrModules {
  QSet<QRgb> colours;
  QRect code;
  int module = 0;
  QList<bool> dark;
};

QrModules read_modules(const QImage& picture) {
  const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
  auto dark = [&grey](int x, int y) { return grey.constScanLine(y)[x] < 128; };
  QrModules read;
  for (int y = 0; y < grey.height(); ++y) {
    for (int x = 0; x < grey.width(); ++x) {
      read.colours.insert(picture.pixel(x, y));
      if (dark(x, y)) read.code |= QRect(x, y, 1, 1);
    }
  }
  int run = 0;
  while (run < read.code.width() && dark(read.code.left() + run, read.code.top())) ++run;
  read.module = run / 7;
  const int count = read.module > 0 ? read.code.width() / read.module : 0;
  const int half = read.module / 2;
  for (int i = 0; i < count * count; ++i) {
    read.dark.append(dark(read.code.left() + i % count * read.module + half,
                          read.code.top() + i / count * read.module + half));
  }
  return read;
}

}  // namespace

class SharpPicturesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;
  qreal scale_ = 1;
  QTemporaryDir folder_;

  [[nodiscard]] QLabel* label(const char* name) const {
    return s_->window.findChild<QLabel*>(QString::fromUtf8(name));
  }

 private slots:
  void initTestCase() {
    varostel::ui::install_song_face_substitutes();
    scale_ = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QVERIFY(folder_.isValid());
    s_ = std::make_unique<varostel::WindowSession>();  // only looked at, so shown once
    QVERIFY(s_->show());
  }

  void pictures_have_the_screens_pixel_ratio_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QSize>("logical");
    QTest::newRow("banner") << u"logo"_qs << QSize(380, 88);
    QTest::newRow("qr_code") << u"Picture1"_qs << QSize(128, 128);
  }
  void pictures_have_the_screens_pixel_ratio() {
    QFETCH(QString, control);
    QFETCH(QSize, logical);
    const QPixmap pixmap = s_->window.findChild<QLabel*>(control)->pixmap();
    QCOMPARE(s_->window.devicePixelRatioF(), scale_);
    QCOMPARE(pixmap.devicePixelRatio(), scale_);
    QCOMPARE(pixmap.size(),
             QSize(qRound(logical.width() * scale_), qRound(logical.height() * scale_)));
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), logical);
  }

  // At 1 the committed JPEGs themselves. Above, no enlarged 1x picture: the
  // QR code has the built-in modules in its two colours only (no smoothing),
  // whole pixels each, with the standard quiet zone of four modules around.
  void pictures_drawn_for_the_scale() {
    const QImage banner = label("logo")->pixmap().toImage();
    const QImage drawn = label("Picture1")->pixmap().toImage();
    const QImage built_in(u":/images/qr-code.jpg"_qs);
    if (scale_ == 1) {
      QCOMPARE(banner, QImage(u":/images/banner.jpg"_qs));
      QCOMPARE(drawn, built_in);
      return;
    }
    if (scale_ == 2) {  // Qt reads the @2x in the name as the image's pixel ratio.
      QCOMPARE(banner.convertToFormat(QImage::Format_RGB32),
               QImage(u":/images/banner@2x.png"_qs).convertToFormat(QImage::Format_RGB32));
    }
    const QrModules want = read_modules(built_in), read = read_modules(drawn);
    QCOMPARE(read.colours.size(), 2);
    QCOMPARE(want.module, 3);
    QVERIFY(read.module >= static_cast<int>(3 * scale_));
    QCOMPARE(read.code.width() % read.module, 0);
    QCOMPARE(read.dark, want.dark);
    const int quiet = 4 * read.module;
    QVERIFY(drawn.rect().marginsRemoved({quiet, quiet, quiet, quiet}).contains(read.code));
  }

  void qr_code_reads_the_calculator_page() {
    const QString page = varostel::ui::qstring(varostel::page_address(varostel::Page::Calculator));
    QCOMPARE(read_qr_code(*label("Picture1"), folder_.path()), page);
    varostel::ui::QrCodeWindow qr(&s_->window);
    qr.show();
    QVERIFY(QTest::qWaitForWindowExposed(&qr));
    QCOMPARE(qr.findChild<QLabel*>(u"Image1"_qs)->pixmap().devicePixelRatio(), scale_);
    QCOMPARE(read_qr_code(qr, folder_.path()), page);
  }
};

QTEST_MAIN(SharpPicturesTest)
#include "sharp_pictures_test.moc"
