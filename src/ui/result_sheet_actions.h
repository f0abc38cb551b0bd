// Copying and printing the result sheet from the window: a context menu
// (right click outside a text box, the menu key) and window-wide shortcuts.
// The sheet itself comes from the core; this only hands it on.
#pragma once

#include <QLibrary>
#include <QObject>
#include <QPoint>
#include <QString>
#include <optional>

#include "view/result_sheet.h"
#include "view/result_sheet_menu.h"
#include "model/clock.h"
#include "model/form.h"
#include "ui/sheet_printing.h"

class QAction;
class QMenu;
class QWidget;

namespace varostel::ui {

// When the print module cannot be loaded: this title, and this text followed by the reason.
inline constexpr const char16_t* kPrintFailedTitle = u"无法打印";
inline constexpr const char16_t* kPrintModuleMissingText = u"无法加载打印组件：";

class ResultSheetActions final : public QObject {
 public:
  // A child of `window`; the form must outlive it. Dates come from the
  // system clock until use_clock() names another.
  ResultSheetActions(QWidget& window, const Form& form);

  [[nodiscard]] QAction* copy_action() const { return copy_; }
  [[nodiscard]] QAction* print_action() const { return print_; }
  [[nodiscard]] QMenu* menu() const { return menu_; }

  // The clock must outlive this object.
  void use_clock(const Clock& clock) { clock_ = &clock; }

  [[nodiscard]] ResultSheet sheet() const;
  // Puts the sheet on the clipboard as plain text and as HTML.
  void copy() const;
  // Asks with the print dialog, and prints only when the user accepts it.
  // The dialog and the printing live in the print module, loaded the first
  // time; if it cannot be loaded, a message says why.
  void print();
  // The print module's file, for programs not installed beside it (the
  // tests). A module once loaded stays loaded.
  void use_print_module(const QString& file) { print_module_.setFileName(file); }

 protected:
  // A drop-down list keeps a right click or the menu key to itself, though
  // it has no menu of its own: the window's menu is shown for it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void show_menu(QPoint window_position);
  [[nodiscard]] std::optional<SheetPrintFunction*> load_print_module();

  QWidget& window_;
  const Form& form_;
  SystemClock system_clock_;
  const Clock* clock_ = &system_clock_;
  QAction* copy_ = nullptr;
  QAction* print_ = nullptr;
  QMenu* menu_ = nullptr;
  QLibrary print_module_;
};

// Gives `window` the menu and the shortcuts, as a child of the window.
void install_result_sheet_actions(QWidget& window, const Form& form);
// The window's actions object; null when none was installed.
[[nodiscard]] ResultSheetActions* result_sheet_actions(const QWidget& window);

}  // namespace varostel::ui
