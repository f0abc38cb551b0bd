// What the window hands the print module, which alone links Qt's print
// support and is loaded the first time the user prints.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

class QWidget;

namespace varostel::ui {

// Everything the printed sheet needs, made by the window before the module
// is asked: the module lays out and prints, and decides nothing.
struct SheetPrintJob {
  QWidget* parent = nullptr;  // the print dialog's
  QString dialog_title;
  QString document_name;  // a PDF file's title
  QString creator;        // a PDF file's creator
  QString html;
  QFont font;
  QString icon_source;  // the name by which the HTML asks for the icon
  QImage icon;
};

enum class SheetPrintOutcome { Cancelled, Printed, Failed };

// The module's one entry point: asks with the print dialog and prints only
// when the user accepts it. The window and the module come from one build,
// so C++ types may cross.
using SheetPrintFunction = SheetPrintOutcome(const SheetPrintJob& job);
inline constexpr const char* kSheetPrintEntry = "varostel_print_sheet";

}  // namespace varostel::ui
