#include "scenario-player/ui_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/window_session.h"
#include "ui/text.h"

namespace varostel {
namespace {

std::string in_quotes(const QString& text) { return '"' + text.toStdString() + '"'; }

class UiDriver final : public ScenarioDriver {
 public:
  UiDriver() { static_cast<void>(session_.show()); }

  void set_year(int year) override { session_.clock.fix_year(year); }

  void set(FieldId field, std::string_view text) override {
    [[maybe_unused]] const bool written = session_.calculator.form().write_as_text(field, text);
  }

  void type(FieldId box, char32_t character) override {
    auto* edit = line_edit(box);
    edit->setFocus(Qt::MouseFocusReason);
    edit->end(false);
    if (character == U'\b') {
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
      // keyClicks() aborts on text outside Latin-1, so every character goes
      // as the text of an otherwise unknown key.
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUcs4(&character, 1),
                          Qt::NoModifier);
    }
  }

  void paste(FieldId box, std::string_view text) override {
    QGuiApplication::clipboard()->setText(ui::qstring(text));
    auto* edit = line_edit(box);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  }

  void choose(FieldId list, std::string_view item) override {
    auto* combo = static_cast<QComboBox*>(window_.widget(list));
    if (!combo->isEnabled()) return;
    const int index = combo->findText(ui::qstring(item));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex model_index = view->model()->index(index, combo->modelColumn());
    view->scrollTo(model_index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model_index).center());
  }

  void click(FieldId field) override {
    QWidget* widget = window_.widget(field);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }

  [[nodiscard]] std::string read(FieldId field) const override {
    QWidget* widget = window_.widget(field);
    switch (field_row(field).kind) {
      case FieldKind::TextBox:
        return static_cast<QLineEdit*>(widget)->text().toStdString();
      case FieldKind::Label:
        return static_cast<QLabel*>(widget)->text().toStdString();
      case FieldKind::Button:
        return static_cast<QAbstractButton*>(widget)->text().toStdString();
      case FieldKind::DropDown:
        return static_cast<QComboBox*>(widget)->currentText().toStdString();
      case FieldKind::CheckBox:
        return static_cast<QCheckBox*>(widget)->isChecked() ? "1" : "0";
      case FieldKind::Picture:
        break;
    }
    return {};
  }

  [[nodiscard]] bool enabled(FieldId field) const override {
    return window_.widget(field)->isEnabled();
  }

  // The accessible description; a tooltip other than the verdict's (kept
  // for unopened addresses) must say the same, and a text box is outlined
  // exactly while it has a note.
  [[nodiscard]] std::string note(FieldId field) const override {
    const QWidget* widget = window_.widget(field);
    const QString note = widget->accessibleDescription();
    if (field != field_id("评分结果") && widget->toolTip() != note) {
      return "description " + in_quotes(note) + " but tooltip " + in_quotes(widget->toolTip());
    }
    if (field_row(field).kind == FieldKind::TextBox &&
        widget->styleSheet().isEmpty() != note.isEmpty()) {
      return "description " + in_quotes(note) + " but style sheet " +
             in_quotes(widget->styleSheet());
    }
    return note.toStdString();
  }

  [[nodiscard]] const std::vector<PageOpening>& openings() const override {
    return session_.opener.openings();
  }

 private:
  QLineEdit* line_edit(FieldId box) { return static_cast<QLineEdit*>(window_.widget(box)); }

  WindowSession session_;
  ui::MainWindow& window_ = session_.window;
};

}  // namespace

std::unique_ptr<ScenarioDriver> make_ui_driver() { return std::make_unique<UiDriver>(); }

}  // namespace varostel
