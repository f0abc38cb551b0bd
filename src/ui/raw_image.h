// Pictures kept as raw pixels in the program's resources: decoded when
// building, shown at run time straight from the resource's memory.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

namespace varostel::ui {

// Writes `image` as a small header (width, height, bytes a line, pixel
// format) followed by its pixels; false when it cannot be written.
[[nodiscard]] bool write_raw_image(QIODevice& out, const QImage& image);

// The raw image at `resource`, its pixels read in place; a null image when
// the resource is missing or no raw image.
[[nodiscard]] QImage raw_image(const QString& resource);

}  // namespace varostel::ui
