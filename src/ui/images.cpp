#include "ui/images.h"

namespace varostel::ui {

QString picture_resource(Picture picture) {
  switch (picture) {
    case Picture::Banner:
      return QStringLiteral(":/images/banner.jpg");
    case Picture::QrCode:
      return QStringLiteral(":/images/qr-code.jpg");
    case Picture::None:
      break;
  }
  return {};
}

QString program_icon_resource() { return QStringLiteral(":/images/varostel.ico"); }

QIcon program_icon() { return QIcon(program_icon_resource()); }

}  // namespace varostel::ui
