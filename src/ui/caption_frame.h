// A frame drawn as an etched rectangle whose caption sits on its top edge,
// breaking the line. Without a caption the edge runs unbroken at the same
// height, so a control placed there reads as the frame's title.
#pragma once

#include <QWidget>

namespace varostel::ui {

class CaptionFrame final : public QWidget {
 public:
  explicit CaptionFrame(QString caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

}  // namespace varostel::ui
