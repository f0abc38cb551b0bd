// The main window: the controls of the layout table, bound to the form.
// The form is the only state. A user's edit becomes a write of its field,
// and every change of a field shows at once in its widget. Each field of
// the form is shown by the control of its name, which is of the field's kind.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "model/form.h"

namespace varostel::ui {

class MainWindow final : public QWidget {
 public:
  // The form must outlive the window.
  explicit MainWindow(Form& form, QWidget* parent = nullptr);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The widget that shows a field.
  [[nodiscard]] QWidget* widget(FieldId field) const { return widgets_[field.index]; }

  // For a page the browser could not open: shows the address in a tooltip by
  // the control whose click asked for it, so it can be opened by hand.
  void show_unopened_address(const std::string& address);

 private:
  void build_controls();
  void bind_field(FieldId field);
  void order_tabs();
  void show_field(FieldId field, FieldProperty property);
  void click(FieldId field);

  Form& form_;
  std::array<QWidget*, kFieldCount> widgets_{};
  // The control whose click is being handled, while it is; nested clicks
  // put back the one they found.
  QWidget* clicking_ = nullptr;
};

}  // namespace varostel::ui
