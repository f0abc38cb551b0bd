#include "ui/qr_code_window.h"

#include <QLabel>

#include "view/control_table.h"
#include "ui/images.h"

namespace varostel::ui {

QrCodeWindow::QrCodeWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("二维码"));
  setWindowTitle(QStringLiteral("二维码"));
  setWindowIcon(program_icon());
  setFixedSize(twips_to_pixels(kQrWindowWidthTwips), twips_to_pixels(kQrWindowHeightTwips));

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(twips_to_pixels(kQrImageLeftTwips), twips_to_pixels(kQrImageTopTwips),
                     twips_to_pixels(kQrImageSizeTwips), twips_to_pixels(kQrImageSizeTwips));
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  show_picture(*image, Picture::QrCode);
}

}  // namespace varostel::ui
