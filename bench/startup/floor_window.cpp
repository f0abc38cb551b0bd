// The floor under the program's start-up: the window's first frame and
// nothing else. The same 70 controls of the same widget classes, fonts,
// pictures and start-up texts, with no calculator bound to them, no
// accessibility names, no menus, no shortcuts and no deferred work. What the
// program costs beyond this is its own; what this costs beyond the bare
// window is what drawing the first frame takes.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calculator/calculator.h"
#include "model/field_table.h"
#include "support/stand_ins.h"
#include "ui/caption_frame.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/text.h"
#include "view/control_table.h"

namespace {

using namespace varostel;
using namespace varostel::ui;

// What the window shows at start: the form's text where the control is a
// field, else the table's caption.
QString start_text(const Form& form, const ControlRow& control) {
  const auto field = find_field(control.name);
  return qstring(field ? std::string_view(form.text(*field)) : control.caption);
}

QWidget* make_control(const Form& form, const ControlRow& control, QWidget* parent) {
  const QString text = start_text(form, control);
  switch (control.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(control.look == Look::Wrapped);
      QPalette palette = label->palette();
      if (control.look == Look::RedCentred || control.look == Look::Red) {
        palette.setColor(QPalette::WindowText, Qt::red);
      } else if (control.look == Look::Link) {
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
      }
      label->setPalette(palette);
      if (control.look == Look::RedCentred) label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      if (control.look == Look::Right) label->setAlignment(Qt::AlignRight | Qt::AlignTop);
      return label;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      show_picture(*picture, control.picture);
      return picture;
    }
    case ControlKind::TextBox:
      return new QLineEdit(text, parent);
    case ControlKind::DropDown:
      return new QComboBox(parent);
    case ControlKind::Button:
      return new QPushButton(text, parent);
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(text, parent);
      box->setAutoFillBackground(true);
      return box;
    }
    case ControlKind::Frame:
      return new CaptionFrame(text, parent);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  install_song_face_substitutes();
  RecordingOpener opener;
  const SettableClock clock;
  const Calculator calculator(opener, clock);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Varostel"));
  window.setFixedSize(twips_to_pixels(kWindowWidthTwips), twips_to_pixels(kWindowHeightTwips));
  window.move(twips_to_pixels(kWindowLeftTwips), twips_to_pixels(kWindowTopTwips));
  window.setFont(control_font(FontCode::Default));
  for (const ControlRow& control : kControlTable) {
    QWidget* container = control.container.empty()
                             ? &window
                             : window.findChild<QWidget*>(qstring(control.container));
    QWidget* widget = make_control(calculator.form(), control, container);
    widget->setObjectName(qstring(control.name));
    widget->setFont(control_font(control.font));
    widget->setGeometry(twips_to_pixels(control.left), twips_to_pixels(control.top),
                        twips_to_pixels(control.width), twips_to_pixels(control.height));
    widget->setEnabled(control.enabled);
  }
  window.show();
  return QApplication::exec();
}
