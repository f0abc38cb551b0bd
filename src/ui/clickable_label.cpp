#include "ui/clickable_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace varostel::ui {
namespace {

// The label's text laid out as the label draws it, in the label's own
// coordinates: where each character lies, for screen readers that follow
// the text with a magnifier or a pointer.
class LaidOutText {
 public:
  explicit LaidOutText(const QLabel& label) : layout_(label.text(), label.font()) {
    QTextOption option(label.alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout_.setTextOption(option);
    box_ = label.contentsRect();
    layout_.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(box_.width());
      line.setPosition({0, y});
      y += line.height();
    }
    layout_.endLayout();
  }

  [[nodiscard]] QRect character(int offset) const {
    const QTextLine line = layout_.lineForTextPosition(offset);
    if (!line.isValid()) return {};
    const qreal from = line.cursorToX(offset);
    const qreal to = line.cursorToX(offset + 1);
    return QRectF(box_.left() + std::min(from, to), box_.top() + line.y(), std::abs(to - from),
                  line.height())
        .toAlignedRect();
  }

  // The offset of the character under `point`, or -1 off the text.
  [[nodiscard]] int offset_at(QPointF point) const {
    point -= box_.topLeft();
    for (int i = 0; i < layout_.lineCount(); ++i) {
      const QTextLine line = layout_.lineAt(i);
      if (point.y() < line.y() || point.y() >= line.y() + line.height()) continue;
      if (point.x() < line.cursorToX(line.textStart()) ||
          point.x() >= line.cursorToX(line.textStart() + line.textLength())) {
        return -1;
      }
      return line.xToCursor(point.x(), QTextLine::CursorOnCharacter);
    }
    return -1;
  }

 private:
  QTextLayout layout_;
  QRect box_;
};

// How screen readers see a clickable label. Qt's own description of a
// label gives a screen reader its text as its name only; this one also gives
// it as text, so that a label named after its field ("养老得分") still has
// its value ("0") read, and makes a keyboard link a link that can be pressed.
class LabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LabelAccessible(ClickableLabel* label) : QAccessibleWidget(label) {}

  QAccessible::Role role() const override {
    if (label()->is_keyboard_link()) return QAccessible::Link;
    if (shows_picture()) return QAccessible::Graphic;
    return QAccessible::StaticText;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return label()->text();
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.linked = label()->is_keyboard_link();
    return state;
  }

  // A caption label is the label of the control it titles; the other way
  // round, Qt's own relations find the caption of a titled control.
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto relations = QAccessibleWidget::relations(match);
    if ((match & QAccessible::Labelled) && label()->buddy() != nullptr) {
      if (QAccessibleInterface* titled = QAccessible::queryAccessibleInterface(label()->buddy())) {
        relations.append({titled, QAccessible::Labelled});
      }
    }
    return relations;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface && !shows_picture()) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (label()->is_keyboard_link() && label()->isEnabled()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& name) override {
    if (name == pressAction() && label()->is_keyboard_link()) {
      label()->activate();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

  // The text is read-only and shows no cursor or selection.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void scrollToSubstring(int, int) override {}

  QString text(int start, int end) const override {
    const QString all = label()->text();
    const int count = static_cast<int>(all.size());
    if (end < 0 || end > count) end = count;  // -1 asks for the rest
    start = std::clamp(start, 0, end);
    return all.mid(start, end - start);
  }

  int characterCount() const override { return static_cast<int>(label()->text().size()); }

  QRect characterRect(int offset) const override {
    if (offset < 0 || offset >= characterCount()) return {};
    // Of a face whose line is taller than the label, the cut-off part is not
    // on the screen.
    const QRect local = LaidOutText(*label()).character(offset) & label()->rect();
    return {label()->mapToGlobal(local.topLeft()), local.size()};
  }

  int offsetAtPoint(const QPoint& point) const override {
    return LaidOutText(*label()).offset_at(label()->mapFromGlobal(point));
  }

  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  [[nodiscard]] ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
  [[nodiscard]] bool shows_picture() const { return !label()->pixmap().isNull(); }
};

QAccessibleInterface* describe_label(const QString&, QObject* object) {
  // No meta-object of its own: asked by the name of a base class.
  if (auto* label = dynamic_cast<ClickableLabel*>(object)) return new LabelAccessible(label);
  return nullptr;
}

// Before the first label is described: Qt keeps a description once made.
void describe_labels_for_screen_readers() {
  static const bool installed = [] {
    QAccessible::installFactory(describe_label);
    return true;
  }();
  (void)installed;
}

bool is_activation_key(const QKeyEvent& event) {
  if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
         event.key() == Qt::Key_Space;
}

}  // namespace

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
  describe_labels_for_screen_readers();
}

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(parent) {
  describe_labels_for_screen_readers();
  // Not through QLabel's constructor: setting a text has the label described
  // at once, and while QLabel's constructor runs it would be described as a
  // plain label, for good.
  setText(text);
}

void ClickableLabel::make_keyboard_link() { setFocusPolicy(Qt::TabFocus); }

void ClickableLabel::show_text(const QString& text) {
  const QString old = this->text();
  if (text == old) return;
  setText(text);
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, old, text);
    QAccessible::updateAccessibility(&event);
  }
}

void ClickableLabel::activate() {
  if (on_click_ && isEnabled()) on_click_();
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) activate();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  if (!is_keyboard_link() || !is_activation_key(*event)) {
    QLabel::keyPressEvent(event);
    return;
  }
  event->accept();
  // Holding the key down opens the page once, not once per repeat.
  if (!event->isAutoRepeat()) activate();
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // A dotted frame of black and white dots, seen on the dark banner as on
  // the light window; the styles' own focus frames (Fusion's is a faint
  // tint) are lost on the banner. It goes round the part that shows: the
  // banner starts left of the window and the site link runs below it.
  const QRect frame = visibleRegion().boundingRect().adjusted(0, 0, -1, -1);
  QPainter painter(this);
  painter.setPen(Qt::white);
  painter.drawRect(frame);
  QPen dots(Qt::black);
  dots.setDashPattern({1, 1});
  painter.setPen(dots);
  painter.drawRect(frame);
}

}  // namespace varostel::ui
