#include "ui/result_sheet_actions.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
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

QAction* make_action(QWidget& window, std::string_view text, const QKeySequence& keys) {
  auto* action = new QAction(qstring(text), &window);
  action->setShortcut(keys);
  // Works from every control, the text boxes included.
  action->setShortcutContext(Qt::WindowShortcut);
  window.addAction(action);
  return action;
}

// The print module beside the program (a build tree), or else where it is
// installed, relative to the program so that any installation prefix works.
QString default_print_module() {
  const QDir program_dir(QCoreApplication::applicationDirPath());
  const QString beside = program_dir.filePath(QStringLiteral(VAROSTEL_PRINT_MODULE_NAME));
  if (QFileInfo::exists(beside)) return beside;
  return QDir::cleanPath(program_dir.filePath(QStringLiteral(VAROSTEL_PRINT_MODULE_FROM_PROGRAM
                                                             "/" VAROSTEL_PRINT_MODULE_NAME)));
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
  const std::optional<SheetPrintFunction*> print_sheet = load_print_module();
  if (!print_sheet) {
    QMessageBox::warning(&window_, QString::fromUtf16(kPrintFailedTitle),
                         QString::fromUtf16(kPrintModuleMissingText) + print_module_.errorString());
    return;
  }
  SheetPrintJob job;
  job.parent = &window_;
  job.dialog_title = qstring(kPrintSheetText);
  // A PDF file names its title and the program that made it.
  job.document_name = qstring(kSheetTitle);
  job.creator = QStringLiteral("Varostel " VAROSTEL_VERSION);
  job.html = qstring(sheet_html(sheet(), kIconSource));
  job.font = control_font(FontCode::Default);
  job.font.setPointSizeF(kSheetPointSize);
  job.icon_source = qstring(kIconSource);
  job.icon = program_icon().pixmap(kIconPixels).toImage();
  [[maybe_unused]] const SheetPrintOutcome outcome = (**print_sheet)(job);
}

std::optional<SheetPrintFunction*> ResultSheetActions::load_print_module() {
  if (print_module_.fileName().isEmpty()) print_module_.setFileName(default_print_module());
  if (!print_module_.load()) return std::nullopt;
  // QFunctionPointer converts to any function pointer type without a warning.
  auto* entry = reinterpret_cast<SheetPrintFunction*>(print_module_.resolve(kSheetPrintEntry));
  if (entry == nullptr) return std::nullopt;
  return entry;
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
