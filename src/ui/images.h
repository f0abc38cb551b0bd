// The pictures built into the program with Qt's resource system: the
// banner, the QR-code picture and the program's icon, each sharp on screens
// scaled beyond 100 %.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include "view/control_table.h"

class QLabel;

namespace varostel::ui {

// The resource path of a picture's 1x image, decoded into PNG when
// building; empty for Picture::None.
[[nodiscard]] QString picture_resource(Picture picture);

// The picture for a screen of the given device pixel ratio. At 1 (or less)
// it is exactly the built-in 1x image. Above, the banner comes from its 2x
// or 3x image and the QR code is drawn from its modules, both in the
// screen's own pixels with that device pixel ratio.
[[nodiscard]] QPixmap picture_pixmap(Picture picture, qreal device_pixel_ratio);

// Shows the picture in the label at its screen's pixel ratio, and again
// whenever the label moves to a screen of another ratio.
void show_picture(QLabel& label, Picture picture);

// The program's icon, all four of its images, decoded from its ICO when
// building: setting it on a window loads no image plugin and converts
// nothing, and a printed sheet's PDF carries none of the ICO reader's tags
// (Qt's JPEG writer would keep its "_q_icoOrigDepth" as a comment).
[[nodiscard]] QIcon program_icon();

}  // namespace varostel::ui
