// The result sheet from the window: the context menu (a text box keeps its
// own), both clipboard formats, a print dialog turned down, the printout.
#include "ui/result_sheet_actions.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "model/fields.h"
#include "support/window_session.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "version.h"

using namespace varostel;
using ui::qstring;

class ResultSheetActionsTest : public QObject {
  Q_OBJECT

  WindowSession* s_ = nullptr;
  ui::ResultSheetActions* actions_ = nullptr;
  QLineEdit* id_ = nullptr;

 private slots:
  void init() {
    ui::install_song_face_substitutes();
    s_ = new WindowSession;
    s_->clock.fix_year(2026);
    actions_ = ui::result_sheet_actions(s_->window);
    QVERIFY(actions_ != nullptr);
    actions_->use_clock(s_->clock);
    QVERIFY(s_->show());
    QVERIFY(s_->calculator.form().choose(kEducation, "全日制本科"));
    s_->calculator.form().edit(kIdentityNumber, "676767198304257666");
    s_->calculator.form().click(kReadButton);
    s_->calculator.form().click(kEmployerApplies);
    id_ = static_cast<QLineEdit*>(s_->window.widget(kIdentityNumber));
    id_->setFocus();
    QGuiApplication::clipboard()->clear();
  }
  void cleanup() { delete s_; }

  // By a right click through the window, or the menu key as X11 delivers it.
  void context_menu() {
    for (const auto& [name, by_key, sheet_menu] : {std::tuple(u"合计得分"_qs, false, true),
                                                  {u"ID"_qs, false, false},
                                                  {u"生育状况"_qs, true, true},
                                                  {u"失业月数"_qs, true, false}}) {
      QWidget* control = s_->window.findChild<QWidget*>(name);
      control->setFocus();
      QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
      if (by_key) QCoreApplication::sendEvent(s_->window.windowHandle(), &key);
      else QTest::mouseClick(s_->window.windowHandle(), Qt::RightButton, {},
                             control->mapTo(&s_->window, QPoint(4, control->height() / 2)));
      QCoreApplication::processEvents();
      QWidget* popup = QApplication::activePopupWidget();
      QVERIFY(popup != nullptr);
      QCOMPARE(popup == actions_->menu(), sheet_menu);
      QCOMPARE(popup->actions().first()->text() == QString::fromUtf16(ui::kCopySheetText), sheet_menu);
      popup->close();
    }
  }

  // Ctrl+Shift+C from a text box copies the sheet and types nothing.
  void copy_shortcut_puts_text_and_html() {
    QTest::keyClick(id_, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    QCOMPARE(data->text(), qstring(sheet_text(actions_->sheet())));
    QCOMPARE(data->html(), qstring(sheet_html(actions_->sheet())));
    QCOMPARE(id_->text(), "676767198304257666");
  }

  // Turning the dialog down prints and copies nothing.
  void print_dialog_turned_down() {
    const QString pdf = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/cancelled-sheet.pdf");
    QFile::remove(pdf);
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      dialog->printer()->setOutputFileName(pdf);  // what a careless accept would write
      dialog->reject();
    });
    QTest::keyClick(id_, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  }

  // Accepted, on a PDF printer: one page, the icon, every row, date, version.
  void printed_page_holds_every_row() {
    const QString pdf = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/result-sheet.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    QVERIFY(actions_->print_to(printer));
    QString out;
    for (const QStringList& command : {QStringList{"pdfinfo", pdf}, {"pdfimages", "-list", pdf},
                                       {"pdftotext", "-raw", pdf, "-"}}) {
      QProcess p;
      p.start(command[0], command.mid(1));
      QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);
      out += QString::fromUtf8(p.readAllStandardOutput());
    }
    QVERIFY2(out.contains(QRegularExpression(u"Pages:\\s+1\\n"_qs)), qPrintable(out));
    QCOMPARE(out.count(QRegularExpression(u"\\n\\s*1\\s+\\d+\\s+image\\s+128\\s+128 "_qs)), 1);
    const auto in = [](const std::string& t) { return QRegularExpression::escape(qstring(t)); };
    for (const SheetSection& section : actions_->sheet().sections) {
      for (const SheetRow& row : section.rows) {  // label, value and note on one line
        const QString line = "(^|\\n)" + in(row.label) + ".*" + in(row.value) + ".*" + in(row.note);
        QVERIFY2(out.contains(QRegularExpression(line)), qPrintable(line + '\n' + out));
      }
    }
    QVERIFY(out.contains(u"试算日期：2026年12月31日"_qs));
    QVERIFY(out.contains(QStringLiteral("Varostel " VAROSTEL_VERSION " ")));
  }
};

QTEST_MAIN(ResultSheetActionsTest)
#include "result_sheet_actions_test.moc"
