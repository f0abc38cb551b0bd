// The pictures built into the program with Qt's resource system: the
// banner, the QR-code picture and the program's icon.
#pragma once

#include <QIcon>
#include <QString>

#include "ui/control_table.h"

namespace varostel::ui {

// The resource path of a picture; empty for Picture::None.
[[nodiscard]] QString picture_resource(Picture picture);

// The program's icon, all four of its images.
[[nodiscard]] QIcon program_icon();
[[nodiscard]] QString program_icon_resource();

}  // namespace varostel::ui
