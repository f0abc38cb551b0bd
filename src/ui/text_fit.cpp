#include "ui/text_fit.h"

#include <QEvent>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <optional>

namespace varostel::ui {
namespace {

// A pixel is ink where a glyph covers more than an eighth of it; fainter is
// the anti-aliased fringe at a stroke's end, whose loss no reader sees.
constexpr int kInkAlpha = 255 / 8;

// Han glyphs that fill the em box from its top to its bottom, "月" and "伤"
// reaching below the baseline: where a face puts its Han glyphs in a line.
const QString kHanSample = QStringLiteral("国宋月伤");

// A text taller than its label shrinks to no less than this share of its
// own size; a face that needs more is drawn as Qt places it.
constexpr double kSmallestShare = 0.6;

// Rows of pixels, counted from the top of the box a text is drawn in.
struct Rows {
  int top = 0;
  int bottom = -1;
  [[nodiscard]] bool empty() const { return bottom < top; }
  [[nodiscard]] int count() const { return bottom - top + 1; }
};

[[nodiscard]] Rows united(const Rows& a, const Rows& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.top, b.top), std::max(a.bottom, b.bottom)};
}

// The rows of device pixels the ink of `text` takes when drawn in `font`
// with `flags` in `box`, on a canvas of `size` device pixels whose first
// column is the box's left edge and whose row `offset` is where the box's
// coordinates start, on a screen of `ratio` device pixels to the pixel.
[[nodiscard]] Rows ink_rows(const QFont& font, const QString& text, int flags, const QRect& box,
                            QSize size, int offset, qreal ratio) {
  QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
  canvas.setDevicePixelRatio(ratio);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    painter.translate(-box.left(), offset / ratio);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box, flags, text);
  }
  Rows rows;
  for (int y = 0; y < canvas.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    const bool inked = std::any_of(line, line + canvas.width(),
                                   [](QRgb pixel) { return qAlpha(pixel) > kInkAlpha; });
    if (!inked) continue;
    if (rows.empty()) rows.top = y;
    rows.bottom = y;
  }
  return rows;
}

// The same from the top of a box `width` pixels wide and of any height.
[[nodiscard]] Rows ink_rows(const QFont& font, const QString& text, int flags, int width,
                            qreal ratio) {
  const QFontMetrics metrics(font);
  const QRect laid_out = metrics.boundingRect(QRect(0, 0, width, 1 << 20), flags, text);
  // One line more than the text's own lines, for ink below the last one.
  const QRect box(0, 0, width, laid_out.height() + metrics.height());
  return ink_rows(font, text, flags, box, (QSizeF(box.size()) * ratio).toSize(), 0, ratio);
}

// Where `label` would draw `text` in `font`.
[[nodiscard]] Rows ink_rows(const QLabel& label, const QFont& font, const QString& text) {
  const int flags = static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
  return ink_rows(font, text, flags, std::max(1, label.contentsRect().width()),
                  label.devicePixelRatioF());
}

// Where a font puts its Han glyphs, the same for every label: kept, as each
// change of a value asks for it again.
[[nodiscard]] Rows han_rows(const QFont& font, qreal ratio) {
  static QHash<QString, Rows> known;
  const QString key = font.key() + QLatin1Char('@') + QString::number(ratio);
  const auto found = known.constFind(key);
  if (found != known.constEnd()) return *found;
  const int width = QFontMetrics(font).horizontalAdvance(kHanSample) * 2;
  return *known.insert(key, ink_rows(font, kHanSample, Qt::AlignLeft | Qt::AlignTop, width, ratio));
}

// How many device pixels `text` in `font` must move up to be drawn whole
// in `label`; nothing when no move makes it fit.
[[nodiscard]] std::optional<int> device_lift(const QLabel& label, const QFont& font,
                                             const QString& text) {
  const qreal ratio = label.devicePixelRatioF();
  const int height = static_cast<int>(std::floor(label.height() * ratio));
  if (!label.wordWrap()) {
    // A face draws its glyphs within its line, so a line that fits the label
    // cuts nothing: decided without drawing, as it is for AR PL UMing, which
    // keeps the window's start-up quick.
    const QFontMetricsF metrics(font);
    if (std::ceil((metrics.ascent() + metrics.descent()) * ratio) < height) return 0;
  }
  const Rows text_rows = ink_rows(label, font, text);
  if (text_rows.empty()) return 0;
  if (!label.wordWrap()) {
    // The line of Han glyphs decides, so that every label of a row moves as
    // far as the others of its size and their texts share a baseline.
    const Rows line = united(text_rows, han_rows(font, ratio));
    if (line.count() <= height) return std::max(0, line.bottom - (height - 1));
  }
  if (text_rows.bottom < height) return 0;
  if (text_rows.count() <= height) return text_rows.bottom - (height - 1);
  return std::nullopt;
}

// The same in the label's own pixels, rounded up; nothing when no move
// makes it fit.
[[nodiscard]] std::optional<int> lift_for(const QLabel& label, const QFont& font,
                                          const QString& text) {
  const std::optional<int> device = device_lift(label, font, text);
  if (!device) return std::nullopt;
  return static_cast<int>(std::ceil(*device / label.devicePixelRatioF()));
}

// Watches one label and places its text each time the text or the label's
// size has changed when it is drawn.
class LabelTextFit final : public QObject {
 public:
  explicit LabelTextFit(QLabel& label) : QObject(&label), label_(label), own_font_(label.font()) {
    // Else Qt counts a negative margin as none.
    label.setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    label.installEventFilter(this);
    place();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Before QLabel draws, which reads the font and the margins then.
    if (watched == &label_ && event->type() == QEvent::Paint) place();
    return false;
  }

 private:
  void place() {
    const QString text = label_.text();
    const qreal ratio = label_.devicePixelRatioF();
    if (text == placed_text_ && label_.size() == placed_size_ && ratio == placed_ratio_) return;
    placed_text_ = text;
    placed_size_ = label_.size();
    placed_ratio_ = ratio;

    QFont font = own_font_;
    std::optional<int> lift = lift_for(label_, font, text);
    const int own_pixels = QFontInfo(own_font_).pixelSize();
    const int smallest = static_cast<int>(std::ceil(own_pixels * kSmallestShare));
    for (int pixels = own_pixels - 1; !lift && pixels >= smallest; --pixels) {
      font.setPixelSize(pixels);
      lift = lift_for(label_, font, text);
    }
    if (!lift) {
      font = own_font_;
      lift = 0;
    }
    if (label_.font() != font) label_.setFont(font);
    QMargins margins = label_.contentsMargins();
    margins.setTop(-*lift);
    label_.setContentsMargins(margins);
  }

  QLabel& label_;
  const QFont own_font_;
  QString placed_text_;
  QSize placed_size_;
  qreal placed_ratio_ = 0;
};

// Watches one push button and gives its text the largest pixel size, up to
// its own, whose ink stays inside the button's contents rectangle, where the
// style draws it centred; checked again whenever the text, the button's size
// or the screen's ratio has changed by the time it is drawn.
class ButtonTextFit final : public QObject {
 public:
  explicit ButtonTextFit(QPushButton& button)
      : QObject(&button), button_(button), own_font_(button.font()) {
    button.installEventFilter(this);
    place();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Before the button draws, which reads its font then.
    if (watched == &button_ && event->type() == QEvent::Paint) place();
    return false;
  }

 private:
  void place() {
    const QString text = button_.text();
    const qreal ratio = button_.devicePixelRatioF();
    if (text == placed_text_ && button_.size() == placed_size_ && ratio == placed_ratio_) return;
    placed_text_ = text;
    placed_size_ = button_.size();
    placed_ratio_ = ratio;

    QStyleOptionButton option;
    option.initFrom(&button_);
    const QRect contents =
        button_.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button_);
    QFont font = own_font_;
    const QFontMetricsF metrics(font);
    const int height = static_cast<int>(std::floor(contents.height() * ratio));
    // A line that fits cuts nothing: decided without drawing.
    if (text.isEmpty() || std::ceil((metrics.ascent() + metrics.descent()) * ratio) <= height) {
      if (button_.font() != own_font_) button_.setFont(own_font_);
      return;
    }
    // Drawn unclipped, on a line's room above and below: the style clips a
    // text taller than the contents to them, and what it clips is lost ink.
    const int margin = static_cast<int>(std::ceil(metrics.height() * ratio));
    const int top = static_cast<int>(std::ceil(contents.top() * ratio)) + margin;
    const int bottom = static_cast<int>(std::floor((contents.bottom() + 1) * ratio)) + margin - 1;
    const QSize canvas(static_cast<int>(std::ceil(contents.width() * ratio)),
                       static_cast<int>(std::ceil((contents.bottom() + 1) * ratio)) + 2 * margin);
    const auto fits = [&](const QFont& candidate) {
      const Rows rows =
          ink_rows(candidate, text, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip,
                   contents, canvas, margin, ratio);
      return rows.empty() || (rows.top >= top && rows.bottom <= bottom);
    };
    const int own_pixels = QFontInfo(own_font_).pixelSize();
    const int smallest = static_cast<int>(std::ceil(own_pixels * kSmallestShare));
    bool fitted = fits(font);
    for (int pixels = own_pixels - 1; !fitted && pixels >= smallest; --pixels) {
      font.setPixelSize(pixels);
      fitted = fits(font);
    }
    if (!fitted) font = own_font_;
    if (button_.font() != font) button_.setFont(font);
  }

  QPushButton& button_;
  const QFont own_font_;
  QString placed_text_;
  QSize placed_size_;
  qreal placed_ratio_ = 0;
};

}  // namespace

void keep_button_texts_whole(QWidget& window) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) new ButtonTextFit(*button);
}

void keep_label_text_whole(QLabel& label) {
  // Only a text drawn from the label's top can move up out of the way.
  if ((label.alignment() & Qt::AlignVertical_Mask) != Qt::AlignTop) return;
  new LabelTextFit(label);
}

void keep_label_texts_whole(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) keep_label_text_whole(*label);
}

}  // namespace varostel::ui
