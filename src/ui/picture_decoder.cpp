// A build step: decodes the window's JPEG pictures into raw pixels (raw_image.h), which the program shows without decoding.
// At run time the window then loads no image-format plugin and no JPEG
// library before its first frame, and the pixels are Qt's own decoding.
// Usage: varostel_picture_decoder IN OUT_PREFIX [IN OUT_PREFIX]...
// writes OUT_PREFIX.raw, or OUT_PREFIX-N.raw for each image of a file
// that holds several (an ICO), in the file's order.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdio>

#include "ui/raw_image.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);  // finds the image-format plugins
  if (argc < 3 || argc % 2 == 0) {
    std::fputs("usage: varostel_picture_decoder IN OUT_PREFIX [IN OUT_PREFIX]...\n", stderr);
    return 2;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    QImageReader reader(QString::fromLocal8Bit(argv[i]));
    const QString prefix = QString::fromLocal8Bit(argv[i + 1]);
    // A JPEG reader reads its one image again and again: the count decides.
    const int count = std::max(1, reader.imageCount());
    for (int n = 0; n < count; ++n) {
      QImage image;
      if ((count > 1 && !reader.jumpToImage(n)) || !reader.read(&image)) {
        std::fprintf(stderr, "%s: %s\n", argv[i], qPrintable(reader.errorString()));
        return 1;
      }
      const QString out = count > 1 ? QStringLiteral("%1-%2.raw").arg(prefix).arg(n)
                                    : prefix + QStringLiteral(".raw");
      QFile file(out);
      if (!file.open(QIODevice::WriteOnly) || !varostel::ui::write_raw_image(file, image)) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(out));
        return 1;
      }
    }
  }
  return 0;
}
