#include "ui/raw_image.h"

#include <QResource>
#include <array>
#include <cstdint>
#include <cstring>

namespace varostel::ui {
namespace {

constexpr std::array<char, 4> kMagic = {'V', 'R', 'A', 'W'};

struct Header {
  std::array<char, 4> magic = kMagic;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bytes_per_line = 0;
  std::int32_t format = 0;
};

}  // namespace

bool write_raw_image(QIODevice& out, const QImage& image) {
  Header header;
  header.width = image.width();
  header.height = image.height();
  header.bytes_per_line = static_cast<std::int32_t>(image.bytesPerLine());
  header.format = static_cast<std::int32_t>(image.format());
  const auto size = static_cast<qint64>(image.sizeInBytes());
  return out.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header &&
         out.write(reinterpret_cast<const char*>(image.constBits()), size) == size;
}

QImage raw_image(const QString& resource) {
  const QResource file(resource);
  // Resources are stored uncompressed, so their bytes are the program's own.
  if (!file.isValid() || file.compressionAlgorithm() != QResource::NoCompression ||
      file.size() < static_cast<qint64>(sizeof(Header))) {
    return {};
  }
  Header header;
  std::memcpy(&header, file.data(), sizeof header);
  const qint64 pixels = static_cast<qint64>(header.bytes_per_line) * header.height;
  if (header.magic != kMagic || header.width <= 0 || header.height <= 0 || header.format <= 0 ||
      header.format >= QImage::NImageFormats ||
      file.size() != static_cast<qint64>(sizeof header) + pixels) {
    return {};
  }
  return QImage(file.data() + sizeof header, header.width, header.height, header.bytes_per_line,
                static_cast<QImage::Format>(header.format));
}

}  // namespace varostel::ui
