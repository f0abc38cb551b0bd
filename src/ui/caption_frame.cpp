#include "ui/caption_frame.h"

#include <QPainter>

namespace varostel::ui {
namespace {

constexpr int kCaptionIndent = 8;   // pixels from the frame's left edge
constexpr int kCaptionPadding = 2;  // gap in the line either side of the caption

}  // namespace

CaptionFrame::CaptionFrame(QString caption, QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)) {}

void CaptionFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  // The top edge runs through the middle of the caption's line.
  const int edge = metrics.height() / 2;
  const QRect box(0, edge, width() - 2, height() - edge - 2);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(box);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(box.translated(1, 1));
  if (caption_.isEmpty()) return;

  const int caption_width = metrics.horizontalAdvance(caption_);
  const QRect gap(kCaptionIndent - kCaptionPadding, 0, caption_width + 2 * kCaptionPadding,
                  metrics.height());
  painter.fillRect(gap, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(kCaptionIndent, 0, caption_width, metrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

}  // namespace varostel::ui
