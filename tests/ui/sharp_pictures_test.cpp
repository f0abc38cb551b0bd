// The banner and the QR code at the scale factor the test runs with
// (QT_SCALE_FACTOR 1, 1.5 or 2): exactly the built-in 1x pictures at 1;
// above, pictures in the screen's own pixels, and a QR code that zbarimg
// still reads as the calculator page, in the QR-code window and in the
// main window.
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>
#include <memory>

#include "model/page_opener.h"
#include "scenario-player/window_session.h"
#include "ui/fonts.h"
#include "ui/images.h"
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

int colour_count(const QImage& image) {
  QSet<QRgb> colours;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) colours.insert(row[x]);
  }
  return static_cast<int>(colours.size());
}

// A QR picture read module by module: where its dark pixels lie, the size
// of a module (the top-left finder pattern's first row is 7 modules dark),
// and each module's colour at its centre.
struct QrModules {
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
      if (dark(x, y)) read.code |= QRect(x, y, 1, 1);
    }
  }
  if (read.code.isEmpty()) return read;
  int run = 0;
  while (run < read.code.width() && dark(read.code.left() + run, read.code.top())) ++run;
  read.module = run / 7;
  if (read.module == 0) return read;
  const int count = read.code.width() / read.module;
  const int half = read.module / 2;
  for (int y = 0; y < count; ++y) {
    for (int x = 0; x < count; ++x) {
      read.dark.append(dark(read.code.left() + x * read.module + half,
                            read.code.top() + y * read.module + half));
    }
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
  }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

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

  // At 1 the window shows the committed JPEGs themselves.
  void at_one_the_built_in_pictures() {
    if (scale_ != 1) QSKIP("scale factor 1 only");
    QCOMPARE(label("logo")->pixmap().toImage(), QImage(u":/images/banner.jpg"_qs));
    QCOMPARE(label("Picture1")->pixmap().toImage(), QImage(u":/images/qr-code.jpg"_qs));
  }

  // Above 1 no picture is an enlarged 1x image: the QR code has only its two
  // colours (no smoothing), the banner at 2 is the 2x image itself.
  void above_one_pictures_drawn_for_the_screen() {
    if (scale_ == 1) QSKIP("scaled screens only");
    QCOMPARE(colour_count(label("Picture1")->pixmap().toImage()), 2);
    if (scale_ == 2) {
      // Qt reads the @2x in the name as the image's pixel ratio.
      QCOMPARE(label("logo")->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
               QImage(u":/images/banner@2x.png"_qs).convertToFormat(QImage::Format_RGB32));
    }
  }

  // The drawn code has the built-in picture's modules, whole pixels each,
  // and at least the standard quiet zone of four modules on every side.
  void above_one_the_built_in_qr_code_in_more_pixels() {
    if (scale_ == 1) QSKIP("scaled screens only");
    const QImage drawn = label("Picture1")->pixmap().toImage();
    const QrModules built_in = read_modules(QImage(u":/images/qr-code.jpg"_qs));
    const QrModules read = read_modules(drawn);
    QCOMPARE(built_in.module, 3);
    QVERIFY(read.module >= qFloor(3 * scale_));
    QCOMPARE(read.code.width() % read.module, 0);
    QCOMPARE(read.dark, built_in.dark);
    const int quiet = 4 * read.module;
    QVERIFY(read.code.left() >= quiet && read.code.top() >= quiet);
    QVERIFY(drawn.width() - 1 - read.code.right() >= quiet);
    QVERIFY(drawn.height() - 1 - read.code.bottom() >= quiet);
  }

  void qr_code_reads_the_calculator_page() {
    const QString page = varostel::ui::qstring(varostel::page_address(varostel::Page::Calculator));
    QCOMPARE(read_qr_code(*label("Picture1"), folder_.path()), page);
    varostel::ui::QrCodeWindow qr(&s_->window);
    qr.show();
    QVERIFY(QTest::qWaitForWindowExposed(&qr));
    auto* image = qr.findChild<QLabel*>(u"Image1"_qs);
    QCOMPARE(image->pixmap().devicePixelRatio(), scale_);
    QCOMPARE(read_qr_code(qr, folder_.path()), page);
  }
};

QTEST_MAIN(SharpPicturesTest)
#include "sharp_pictures_test.moc"
