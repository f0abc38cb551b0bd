// The print module: the print dialog and the sheet on a printer's pages (or
// a PDF file). Built apart from the window so that only printing loads Qt's
// print support.
#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>
#include <type_traits>

#include "ui/sheet_printing.h"

namespace varostel::ui {
namespace {

[[nodiscard]] bool print_to(QPrinter& printer, const SheetPrintJob& job) {
  QTextDocument document;
  // Laid out for the printer, so points and pixel sizes scale to paper.
  document.documentLayout()->setPaintDevice(&printer);
  document.setDefaultFont(job.font);
  document.addResource(QTextDocument::ImageResource, QUrl(job.icon_source), job.icon);
  document.setHtml(job.html);
  document.setDocumentMargin(0);  // the printer's page margins are the sheet's

  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  document.setPageSize(page.size());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  for (int i = 0; i < document.pageCount(); ++i) {
    if (i > 0 && !printer.newPage()) return false;
    painter.save();
    const qreal top = i * page.height();
    painter.translate(0, -top);
    document.drawContents(&painter, QRectF(0, top, page.width(), page.height()));
    painter.restore();
  }
  return painter.end();
}

}  // namespace
}  // namespace varostel::ui

extern "C" Q_DECL_EXPORT varostel::ui::SheetPrintOutcome varostel_print_sheet(
    const varostel::ui::SheetPrintJob& job) {
  using varostel::ui::SheetPrintOutcome;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
  printer.setDocName(job.document_name);
  printer.setCreator(job.creator);
  QPrintDialog dialog(&printer, job.parent);
  dialog.setWindowTitle(job.dialog_title);
  if (dialog.exec() != QDialog::Accepted) return SheetPrintOutcome::Cancelled;
  return varostel::ui::print_to(printer, job) ? SheetPrintOutcome::Printed : SheetPrintOutcome::Failed;
}

// The window calls the entry point through SheetPrintFunction: a signature
// out of step with it stops the build here rather than misbehave at run time.
static_assert(std::is_same_v<decltype(varostel_print_sheet), varostel::ui::SheetPrintFunction>);
