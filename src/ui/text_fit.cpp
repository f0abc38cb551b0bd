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
#include <utility>

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

// Tries `own`, then ever smaller pixel sizes down to kSmallestShare of its
// own, and returns the first font that `attempt` accepts, with its answer.
template <typename Attempt>
[[nodiscard]] auto first_accepted(const QFont& own, Attempt attempt)
    -> std::optional<std::pair<QFont, typename decltype(attempt(own))::value_type>> {
  QFont font = own;
  const int own_pixels = QFontInfo(own).pixelSize();
  const int smallest = static_cast<int>(std::ceil(own_pixels * kSmallestShare));
  for (int pixels = own_pixels; pixels >= smallest; --pixels) {
    if (pixels != own_pixels) font.setPixelSize(pixels);
    if (auto answer = attempt(font)) return std::pair{font, *answer};
  }
  return std::nullopt;
}

// Watches one widget and fits its text again each time the text, the
// widget's size or the screen's ratio has changed by the time it is drawn
// (the widget reads its font and margins as it draws).
class TextFit : public QObject {
 public:
  explicit TextFit(QWidget& widget) : QObject(&widget), widget_(widget), own_font_(widget.font()) {
    widget.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &widget_ && event->type() == QEvent::Paint) place();
    return false;
  }

  void place() {
    const QString text = shown_text();
    const qreal ratio = widget_.devicePixelRatioF();
    if (text == placed_text_ && widget_.size() == placed_size_ && ratio == placed_ratio_) return;
    placed_text_ = text;
    placed_size_ = widget_.size();
    placed_ratio_ = ratio;
    fit(text, ratio);
  }

  void use_font(const QFont& font) {
    if (widget_.font() != font) widget_.setFont(font);
  }

  [[nodiscard]] virtual QString shown_text() const = 0;
  virtual void fit(const QString& text, qreal ratio) = 0;

  const QFont& own_font() const { return own_font_; }

 private:
  QWidget& widget_;
  const QFont own_font_;
  QString placed_text_;
  QSize placed_size_;
  qreal placed_ratio_ = 0;
};

// A label's text moves up, or failing that shrinks, until no ink is cut.
class LabelTextFit final : public TextFit {
 public:
  explicit LabelTextFit(QLabel& label) : TextFit(label), label_(label) {
    // Else Qt counts a negative margin as none.
    label.setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    place();
  }

 private:
  [[nodiscard]] QString shown_text() const override { return label_.text(); }

  void fit(const QString& text, qreal /*ratio*/) override {
    const auto fitted =
        first_accepted(own_font(), [&](const QFont& font) { return lift_for(label_, font, text); });
    use_font(fitted ? fitted->first : own_font());
    QMargins margins = label_.contentsMargins();
    margins.setTop(fitted ? -fitted->second : 0);
    label_.setContentsMargins(margins);
  }

  QLabel& label_;
};

// A push button's text gets the largest pixel size, up to its own, whose ink
// stays inside the contents rectangle where the style draws it centred.
class ButtonTextFit final : public TextFit {
 public:
  explicit ButtonTextFit(QPushButton& button) : TextFit(button), button_(button) { place(); }

 private:
  [[nodiscard]] QString shown_text() const override { return button_.text(); }

  void fit(const QString& text, qreal ratio) override {
    QStyleOptionButton option;
    option.initFrom(&button_);
    const QRect contents =
        button_.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button_);
    const QFontMetricsF metrics(own_font());
    const int height = static_cast<int>(std::floor(contents.height() * ratio));
    // A line that fits cuts nothing: decided without drawing.
    if (text.isEmpty() || std::ceil((metrics.ascent() + metrics.descent()) * ratio) <= height) {
      use_font(own_font());
      return;
    }
    // Drawn unclipped, on a line's room above and below: the style clips a
    // text taller than the contents to them, and what it clips is lost ink.
    const int margin = static_cast<int>(std::ceil(metrics.height() * ratio));
    const int top = static_cast<int>(std::ceil(contents.top() * ratio)) + margin;
    const int bottom = static_cast<int>(std::floor((contents.bottom() + 1) * ratio)) + margin - 1;
    const QSize canvas(static_cast<int>(std::ceil(contents.width() * ratio)),
                       static_cast<int>(std::ceil((contents.bottom() + 1) * ratio)) + 2 * margin);
    const auto fitted = first_accepted(own_font(), [&](const QFont& font) -> std::optional<bool> {
      const Rows rows =
          ink_rows(font, text, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip, contents,
                   canvas, margin, ratio);
      if (rows.empty() || (rows.top >= top && rows.bottom <= bottom)) return true;
      return std::nullopt;
    });
    use_font(fitted ? fitted->first : own_font());
  }

  QPushButton& button_;
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
