// The calculator page's QR code drawn from its modules, for screens with
// more pixels than the built-in 128 x 128 picture: every module a whole
// number of the screen's own pixels, so it stays sharp at any scale.
#pragma once

#include <QImage>
#include <QString>

namespace varostel::ui {

// The QR code of `text` (error correction M, as the built-in picture) for a
// box of 128 x 128 logical pixels at the given device pixel ratio: as many
// device pixels a module as fit with a quiet zone of four modules, centred
// on white, the image's device pixel ratio set. Null if it cannot encode.
[[nodiscard]] QImage qr_code_image(const QString& text, qreal device_pixel_ratio);

}  // namespace varostel::ui
