// Shows the calculator's field notes on the main window: the identity hint
// as a red outline, tooltip and accessible description of `ID`; the points
// gap as tooltip and description of `合计得分` and description of `评分结果`
// (whose tooltip is kept for an address the browser could not open).
#pragma once

#include "calculator/field_notes.h"
#include "ui/main_window.h"

namespace varostel::ui {

class FieldNotesView {
 public:
  // The window and the notes must outlive the view.
  FieldNotesView(MainWindow& window, FieldNotes& notes);
  ~FieldNotesView();
  FieldNotesView(const FieldNotesView&) = delete;
  FieldNotesView& operator=(const FieldNotesView&) = delete;

 private:
  void show(FieldId field);

  MainWindow& window_;
  FieldNotes& notes_;
};

}  // namespace varostel::ui
