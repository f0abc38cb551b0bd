#include "ui/qr_code_picture.h"

#include <qrencode.h>

#include <QColor>
#include <cmath>
#include <memory>

namespace varostel::ui {
namespace {

constexpr int kBoxPixels = 128;
constexpr int kQuietModules = 4;
// The banner's deep blue, as in the built-in picture.
constexpr QRgb kDark = 0xff0b2a5b;

struct QrCodeFree {
  void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QImage qr_code_image(const QString& text, qreal device_pixel_ratio) {
  const QByteArray utf8 = text.toUtf8();
  const std::unique_ptr<QRcode, QrCodeFree> code(
      QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1));
  if (!code) return {};
  const int modules = code->width;
  const int box = static_cast<int>(std::lround(kBoxPixels * device_pixel_ratio));
  const int module_pixels = box / (modules + 2 * kQuietModules);
  if (module_pixels < 1) return {};

  QImage image(box, box, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int offset = (box - modules * module_pixels) / 2;
  for (int y = 0; y < modules; ++y) {
    for (int x = 0; x < modules; ++x) {
      // Bit 0 of each byte is the module's colour: 1 is dark.
      if ((code->data[y * modules + x] & 1) == 0) continue;
      for (int py = 0; py < module_pixels; ++py) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(offset + y * module_pixels + py));
        std::fill_n(row + offset + x * module_pixels, module_pixels, kDark);
      }
    }
  }
  image.setDevicePixelRatio(device_pixel_ratio);
  return image;
}

}  // namespace varostel::ui
