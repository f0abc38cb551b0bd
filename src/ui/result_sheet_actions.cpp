#include "ui/result_sheet_actions.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/text.h"
#include "version.h"

namespace varostel::ui {
namespace {

// The name by which the printed page's HTML asks for the program's icon.
constexpr std::string_view kIconSource = "varostel-icon";
constexpr int kIconPixels = 128;  // drawn at 40 px, sharp on paper
constexpr qreal kSheetPointSize = 11.0;

QAction* make_action(QWidget& window, const char16_t* text, const QKeySequence& keys) {
  auto* action = new QAction(QString::fromUtf16(text), &window);
  action->setShortcut(keys);
  // Works from every control, the text boxes included.
  action->setShortcutContext(Qt::WindowShortcut);
  window.addAction(action);
  return action;
}

}  // namespace

ResultSheetActions::ResultSheetActions(QWidget& window, const Form& form)
    : QObject(&window), window_(window), form_(form) {
  copy_ = make_action(window, kCopySheetText, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  print_ = make_action(window, kPrintSheetText, QKeySequence(Qt::CTRL | Qt::Key_P));
  QObject::connect(copy_, &QAction::triggered, this, [this] { copy(); });
  QObject::connect(print_, &QAction::triggered, this, [this] { print(); });

  menu_ = new QMenu(&window);
  menu_->addAction(copy_);
  menu_->addAction(print_);
  // Text boxes show their own edit menu and keep the event; every other
  // control passes a right click or the menu key up to the window.
  window.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&window, &QWidget::customContextMenuRequested, this,
                   [this](const QPoint& position) { show_menu(position); });
  for (QComboBox* list : window.findChildren<QComboBox*>()) list->installEventFilter(this);
}

bool ResultSheetActions::eventFilter(QObject* watched, QEvent* event) {
  auto* list = qobject_cast<QComboBox*>(watched);
  if (event->type() != QEvent::ContextMenu || list == nullptr || list->isEditable()) return false;
  show_menu(list->mapTo(&window_, static_cast<QContextMenuEvent*>(event)->pos()));
  return true;
}

ResultSheet ResultSheetActions::sheet() const { return make_result_sheet(form_, clock_->today()); }

void ResultSheetActions::copy() const {
  const ResultSheet current = sheet();
  auto* data = new QMimeData;
  data->setText(qstring(sheet_text(current)));
  data->setHtml(qstring(sheet_html(current)));
  QGuiApplication::clipboard()->setMimeData(data);  // takes ownership
}

void ResultSheetActions::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
  // A PDF file names its title and the program that made it.
  printer.setDocName(qstring(kSheetTitle));
  printer.setCreator(QStringLiteral("Varostel " VAROSTEL_VERSION));
  QPrintDialog dialog(&printer, &window_);
  dialog.setWindowTitle(QString::fromUtf16(kPrintSheetText));
  if (dialog.exec() != QDialog::Accepted) return;
  [[maybe_unused]] const bool printed = print_to(printer);
}

bool ResultSheetActions::print_to(QPrinter& printer) const {
  QTextDocument document;
  // Laid out for the printer, so points and pixel sizes scale to paper.
  document.documentLayout()->setPaintDevice(&printer);
  QFont font = control_font(FontCode::Default);
  font.setPointSizeF(kSheetPointSize);
  document.setDefaultFont(font);
  document.addResource(QTextDocument::ImageResource, QUrl(qstring(kIconSource)),
                       program_icon().pixmap(kIconPixels).toImage());
  document.setHtml(qstring(sheet_html(sheet(), kIconSource)));
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

void ResultSheetActions::show_menu(QPoint window_position) {
  menu_->popup(window_.mapToGlobal(window_position));
}

void install_result_sheet_actions(QWidget& window, const Form& form) {
  new ResultSheetActions(window, form);  // owned by the window
}

ResultSheetActions* result_sheet_actions(const QWidget& window) {
  for (QObject* child : window.children()) {
    if (auto* actions = dynamic_cast<ResultSheetActions*>(child)) return actions;
  }
  return nullptr;
}

}  // namespace varostel::ui
