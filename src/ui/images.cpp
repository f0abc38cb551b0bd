#include "ui/images.h"

#include <QEvent>
#include <QPixmapCache>
#include <QLabel>

#include "model/page_opener.h"
#include "ui/qr_code_picture.h"
#include "ui/raw_image.h"
#include "ui/text.h"

namespace varostel::ui {
namespace {

// The 2x and 3x banners are PNG, named so that Qt reads them with its own
// decoder.
constexpr const char* kPng = "PNG";

// The icon's images, decoded from its ICO when building, in the ICO's order.
constexpr int kIconImages = 4;

// The banner in as many pixels as the screen has: the smallest of the 2x
// and 3x images that is at least as large, shrunk to the screen's own
// pixels where the ratio lies between.
QPixmap banner_pixmap(qreal ratio) {
  const int factor = ratio <= 2 ? 2 : 3;
  QImage image(QStringLiteral(":/images/banner@%1x.png").arg(factor), kPng);
  const QSize logical = image.size() / factor;
  const QSize device(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
  if (image.size() != device)
    image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  image.setDevicePixelRatio(ratio);
  return QPixmap::fromImage(image);
}

// Keeps a label's picture at its screen's pixel ratio.
class PictureKeeper final : public QObject {
 public:
  PictureKeeper(QLabel& label, Picture picture)
      : QObject(&label), label_(label), picture_(picture) {
    label.installEventFilter(this);
    refresh();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &label_ && event->type() == QEvent::ScreenChangeInternal) refresh();
    return QObject::eventFilter(watched, event);
  }

 private:
  void refresh() {
    const qreal ratio = label_.devicePixelRatioF();
    if (ratio == shown_ratio_) return;
    shown_ratio_ = ratio;
    label_.setPixmap(picture_pixmap(picture_, ratio));
  }

  QLabel& label_;
  Picture picture_;
  qreal shown_ratio_ = 0;
};

}  // namespace

QString picture_resource(Picture picture) {
  switch (picture) {
    case Picture::Banner:
      return QStringLiteral(":/images/banner.raw");
    case Picture::QrCode:
      return QStringLiteral(":/images/qr-code.raw");
    case Picture::None:
      break;
  }
  return {};
}

namespace {

QPixmap decoded_pixmap(Picture picture, qreal device_pixel_ratio) {
  if (device_pixel_ratio > 1) {
    switch (picture) {
      case Picture::Banner:
        return banner_pixmap(device_pixel_ratio);
      case Picture::QrCode: {
        const QImage code =
            qr_code_image(qstring(page_address(Page::Calculator)), device_pixel_ratio);
        if (!code.isNull()) return QPixmap::fromImage(code);
        break;
      }
      case Picture::None:
        return {};
    }
  }
  return QPixmap::fromImage(raw_image(picture_resource(picture)));
}

}  // namespace

QPixmap picture_pixmap(Picture picture, qreal device_pixel_ratio) {
  // Each picture is decoded once for each pixel ratio it is shown at: the
  // window and the QR-code window share theirs.
  // Qt's own cache, emptied with the application.
  const QString key = QStringLiteral("varostel-picture-%1@%2")
                          .arg(static_cast<int>(picture))
                          .arg(device_pixel_ratio);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  pixmap = decoded_pixmap(picture, device_pixel_ratio);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

void show_picture(QLabel& label, Picture picture) { new PictureKeeper(label, picture); }

QIcon program_icon() {
  QIcon icon;
  for (int n = 0; n < kIconImages; ++n) {
    const QImage image = raw_image(QStringLiteral(":/images/varostel-%1.raw").arg(n));
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace varostel::ui
