// The second window: the service's QR-code picture on its own. It belongs to
// the program, but nothing in the program ever shows it.
#pragma once

#include <QWidget>

namespace varostel::ui {

class QrCodeWindow final : public QWidget {
 public:
  explicit QrCodeWindow(QWidget* parent = nullptr);
};

}  // namespace varostel::ui
