#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "ui/accessibility.h"
#include "ui/caption_frame.h"
#include "ui/clickable_label.h"
#include "view/control_table.h"
#include "ui/field_line_edit.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/result_sheet_actions.h"
#include "ui/text.h"
#include "ui/text_fit.h"

namespace varostel::ui {
namespace {

QRect pixel_rect(const ControlRow& control) {
  return {twips_to_pixels(control.left), twips_to_pixels(control.top),
          twips_to_pixels(control.width), twips_to_pixels(control.height)};
}

void apply_look(QLabel& label, Look look) {
  QPalette palette = label.palette();
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
  switch (look) {
    case Look::Plain:
      break;
    case Look::RedCentred:
      palette.setColor(QPalette::WindowText, Qt::red);
      alignment = Qt::AlignHCenter | Qt::AlignTop;
      break;
    case Look::Red:
      palette.setColor(QPalette::WindowText, Qt::red);
      break;
    case Look::Right:
      alignment = Qt::AlignRight | Qt::AlignTop;
      break;
    case Look::Link:
      palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
      label.setCursor(Qt::PointingHandCursor);
      break;
    case Look::Wrapped:
      label.setWordWrap(true);
      break;
  }
  label.setPalette(palette);
  label.setAlignment(alignment);
}

QWidget* make_control(const ControlRow& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::Label: {
      auto* label = new ClickableLabel(qstring(control.caption), parent);
      label->setTextFormat(Qt::PlainText);
      apply_look(*label, control.look);
      return label;
    }
    case ControlKind::Picture: {
      auto* picture = new ClickableLabel(parent);
      // Unscaled from the top-left corner; whatever runs past the box is cut.
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      show_picture(*picture, control.picture);
      return picture;
    }
    case ControlKind::TextBox:
      return new FieldLineEdit(parent);
    case ControlKind::DropDown:
      return new QComboBox(parent);  // pick-only: not editable
    case ControlKind::Button:
      return new QPushButton(qstring(control.caption), parent);
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(qstring(control.caption), parent);
      box->setAutoFillBackground(true);  // covers the frame edge it titles
      return box;
    }
    case ControlKind::Frame:
      return new CaptionFrame(qstring(control.caption), parent);
  }
  return nullptr;
}

}  // namespace

MainWindow::MainWindow(Form& form, QWidget* parent) : QWidget(parent, Qt::Window), form_(form) {
  setObjectName(QStringLiteral("Kelvane"));
  setWindowTitle(QStringLiteral("Varostel"));
  // A fixed dialog frame: a title bar with the system menu and the close box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(twips_to_pixels(kWindowWidthTwips), twips_to_pixels(kWindowHeightTwips));
  move(twips_to_pixels(kWindowLeftTwips), twips_to_pixels(kWindowTopTwips));
  setFont(control_font(FontCode::Default));

  build_controls();
  for (std::size_t i = 0; i < kFieldCount; ++i) bind_field(FieldId{static_cast<std::uint8_t>(i)});
  keep_label_texts_whole(*this);
  keep_button_texts_whole(*this);
  make_accessible(*this);
  order_tabs();
  install_result_sheet_actions(*this, form_);
  // Ctrl+Q and Ctrl+W close the window as its close box does. As window
  // shortcuts they reach no text box as characters, and a modal dialog,
  // being the active window, keeps them to itself.
  auto* close_action = new QAction(this);
  close_action->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_W)});
  close_action->setShortcutContext(Qt::WindowShortcut);
  connect(close_action, &QAction::triggered, this, &QWidget::close);
  addAction(close_action);
  form_.set_observer(
      [this](FieldId field, FieldProperty property) { show_field(field, property); });
}

MainWindow::~MainWindow() { form_.set_observer(nullptr); }

void MainWindow::build_controls() {
  for (const ControlRow& control : kControlTable) {
    QWidget* container =
        control.container.empty() ? this : findChild<QWidget*>(qstring(control.container));
    QWidget* widget = make_control(control, container);
    widget->setObjectName(qstring(control.name));
    // Every control sets its font, so none inherits a frame's large one.
    widget->setFont(control_font(control.font));
    widget->setGeometry(pixel_rect(control));
    widget->setEnabled(control.enabled);
    widget->setProperty("tabIndex", control.tab);
  }
}

void MainWindow::bind_field(FieldId field) {
  const FieldRow& entry = field_row(field);  // the field's row of the field table
  QWidget* widget = findChild<QWidget*>(qstring(entry.name));
  widgets_[field.index] = widget;
  widget->setEnabled(form_.enabled(field));
  const QString text = qstring(form_.text(field));

  switch (entry.kind) {
    case FieldKind::TextBox: {
      auto* box = static_cast<FieldLineEdit*>(widget);
      box->setText(text);
      box->set_key_filter(
          [this, field](std::int16_t code) { return form_.key_press(field, code); });
      // Every change of the text but the window's own showing of a write
      // (which blocks signals) is the user's: a screen reader or a voice tool
      // sets the text through the accessibility interface, which is no edit
      // to Qt.
      QObject::connect(box, &QLineEdit::textChanged, this, [this, field](const QString& edited) {
        form_.edit(field, edited.toStdString());
      });
      break;
    }
    case FieldKind::DropDown: {
      auto* list = static_cast<QComboBox*>(widget);
      for (const std::string_view item : entry.items) list->addItem(qstring(item));
      list->setCurrentIndex(list->findText(text));  // -1, no item, at start
      QObject::connect(list, &QComboBox::activated, this, [this, field, list](int index) {
        [[maybe_unused]] const bool chosen =
            form_.choose(field, list->itemText(index).toStdString());
      });
      break;
    }
    case FieldKind::CheckBox: {
      auto* box = static_cast<QCheckBox*>(widget);
      box->setText(text);
      box->setChecked(form_.value(field) == 1);
      QObject::connect(box, &QCheckBox::clicked, this, [this, field] { click(field); });
      break;
    }
    case FieldKind::Button: {
      auto* button = static_cast<QPushButton*>(widget);
      button->setText(text);
      QObject::connect(button, &QPushButton::clicked, this, [this, field] { click(field); });
      break;
    }
    case FieldKind::Label:
    case FieldKind::Picture: {
      auto* label = static_cast<ClickableLabel*>(widget);
      if (entry.kind == FieldKind::Label) label->setText(text);
      label->set_on_click([this, field] { click(field); });
      break;
    }
  }
}

void MainWindow::order_tabs() {
  std::vector<QWidget*> chain;
  for (QWidget* widget : findChildren<QWidget*>()) {
    // Only the table's controls: a list's popup is a window of its own.
    const bool control = widget->property("tabIndex").isValid();
    if (control && (widget->focusPolicy() & Qt::TabFocus)) chain.push_back(widget);
  }
  std::sort(chain.begin(), chain.end(), [](const QWidget* a, const QWidget* b) {
    return a->property("tabIndex").toInt() < b->property("tabIndex").toInt();
  });
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
  // The focus starts on the first control in tab order that can take it.
  const auto first = std::find_if(chain.begin(), chain.end(),
                                  [](const QWidget* widget) { return widget->isEnabled(); });
  if (first != chain.end()) (*first)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::show_field(FieldId field, FieldProperty property) {
  QWidget* widget = widgets_[field.index];
  const QSignalBlocker quiet(widget);  // showing a write must not raise it again
  if (property == FieldProperty::Enabled) {
    widget->setEnabled(form_.enabled(field));
    return;
  }
  const QString text = qstring(form_.text(field));
  switch (form_.kind(field)) {
    case FieldKind::TextBox: {
      auto* box = static_cast<QLineEdit*>(widget);
      // The same text: keep the cursor and the undo history of the edit.
      if (box->text() != text) box->setText(text);
      break;
    }
    case FieldKind::DropDown: {
      auto* list = static_cast<QComboBox*>(widget);
      list->setCurrentIndex(list->findText(text));
      break;
    }
    case FieldKind::CheckBox:
      static_cast<QCheckBox*>(widget)->setChecked(form_.value(field) == 1);
      break;
    case FieldKind::Button:
      static_cast<QPushButton*>(widget)->setText(text);
      break;
    case FieldKind::Label:
      static_cast<ClickableLabel*>(widget)->show_text(text);
      break;
    case FieldKind::Picture:
      break;
  }
}

void MainWindow::click(FieldId field) {
  QWidget* const outer = clicking_;
  clicking_ = widgets_[field.index];
  form_.click(field);
  clicking_ = outer;
}

void MainWindow::show_unopened_address(const std::string& address) {
  QWidget* anchor = clicking_ != nullptr ? clicking_ : this;
  const QString text = qstring(address);
  anchor->setToolTip(text);
  QToolTip::showText(anchor->mapToGlobal(QPoint(0, anchor->height())), text, anchor);
}

}  // namespace varostel::ui
