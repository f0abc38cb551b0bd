// The result sheet from the window: its context menu (not over a text box),
// both shortcuts from any control, both clipboard formats, and the printout.
#include "ui/result_sheet_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>

#include "model/fields.h"
#include "support/window_session.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "version.h"

using varostel::ui::qstring;

namespace {

const QStringList kMenuTexts = {QString::fromUtf16(varostel::ui::kCopySheetText),
                                QString::fromUtf16(varostel::ui::kPrintSheetText)};

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
  if (!ran) qWarning("%s: %s", qPrintable(program), process.readAllStandardError().constData());
  return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

}  // namespace

class ResultSheetActionsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;
  varostel::ui::ResultSheetActions* actions_ = nullptr;

  QWidget* control(const QString& name) {
    auto* widget = s_->window.findChild<QWidget*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }

  // Through the window, at the control's left edge, or where no control is.
  void right_click(const QString& name) {
    QPoint at = name.isEmpty()
                    ? QPoint(-1, -1)
                    : control(name)->mapTo(&s_->window, QPoint(4, control(name)->height() / 2));
    const int width = s_->window.width();
    for (int i = 0; at.x() < 0 && i < width * s_->window.height(); ++i) {
      if (s_->window.childAt(i % width, i / width) == nullptr) at = {i % width, i / width};
    }
    QTest::mouseClick(s_->window.windowHandle(), Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
  }

  void full_entry() {
    varostel::Form& form = s_->calculator.form();
    QVERIFY(form.choose(varostel::kEducation, "全日制本科"));
    form.edit(varostel::kIdentityNumber, "676767198304257666");
    form.click(varostel::kReadButton);
    QVERIFY(form.choose(varostel::kHousing, "居住证"));
    form.edit(varostel::kResidenceDays, "1000");
    QVERIFY(form.choose(varostel::kChildbirth, "政策内生育"));
    const char* months[] = {"养老月数", "医疗月数", "工伤月数", "生育险月数", "失业月数"};
    const char* counts[] = {"240", "37", "49", "61", "73"};
    for (int i = 0; i < 5; ++i) form.edit(*varostel::find_field(months[i]), counts[i]);
    form.click(varostel::kEmployerApplies);
  }

 private slots:
  void initTestCase() { varostel::ui::install_song_face_substitutes(); }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    s_->clock.fix_year(2026);
    actions_ = varostel::ui::result_sheet_actions(s_->window);
    QVERIFY(actions_ != nullptr);
    actions_->use_clock(s_->clock);
    QVERIFY(s_->show());
    QGuiApplication::clipboard()->clear();
  }
  void cleanup() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QCoreApplication::processEvents();
    s_.reset();
  }

  void context_menu_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("by_key");
    QTest::addColumn<bool>("sheet_menu");
    QTest::newRow("click: bare window") << QString() << false << true;
    QTest::newRow("click: verdict button") << u"评分结果"_qs << false << true;
    QTest::newRow("click: drop-down list") << u"选择学历"_qs << false << true;
    QTest::newRow("click: score label") << u"合计得分"_qs << false << true;
    QTest::newRow("click: check box") << u"公司申办"_qs << false << true;
    QTest::newRow("click: frame") << u"Frame1"_qs << false << true;
    QTest::newRow("click: disabled age box, no menu of its own") << u"年龄"_qs << false << true;
    QTest::newRow("click: identity box keeps its edit menu") << u"ID"_qs << false << false;
    QTest::newRow("key: on a button") << u"重置"_qs << true << true;
    QTest::newRow("key: on a drop-down list") << u"生育状况"_qs << true << true;
    QTest::newRow("key: in a text box, its edit menu") << u"失业月数"_qs << true << false;
  }
  void context_menu() {
    QFETCH(QString, name);
    QFETCH(bool, by_key);
    QFETCH(bool, sheet_menu);
    if (by_key) {
      control(name)->setFocus();
      QCOMPARE(QApplication::focusWidget(), control(name));
      // As the X11 platform delivers the menu key: to the window, which hands it on.
      QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
      QCoreApplication::sendEvent(s_->window.windowHandle(), &event);
      QCoreApplication::processEvents();
    } else {
      right_click(name);
    }
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY2(popup != nullptr, "a menu opens");
    QCOMPARE(popup == actions_->menu(), sheet_menu);
    QStringList texts;
    for (const QAction* action : popup->actions()) texts << action->text();
    QCOMPARE(texts.contains(kMenuTexts[0]), sheet_menu);
    if (sheet_menu) QCOMPARE(texts, kMenuTexts);
  }

  // The form as it stands, in both formats: by the menu item, or Ctrl+Shift+C.
  void copy_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("menu item") << QString();
    QTest::newRow("shortcut from a text box") << u"ID"_qs;
    QTest::newRow("shortcut from a drop-down list") << u"选择学历"_qs;
  }
  void copy() {
    QFETCH(QString, focus);
    full_entry();
    if (focus.isEmpty()) {
      actions_->menu()->actions().at(0)->trigger();
    } else {
      control(focus)->setFocus();
      QTest::keyClick(control(focus), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
      if (auto* box = qobject_cast<QLineEdit*>(control(focus))) {  // nothing typed into it
        QVERIFY(!box->text().contains('C', Qt::CaseInsensitive));
      }
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr && data->hasText() && data->hasHtml());
    const varostel::ResultSheet sheet = actions_->sheet();
    QCOMPARE(data->text(), qstring(varostel::sheet_text(sheet)));
    QCOMPARE(data->html(), qstring(varostel::sheet_html(sheet)));
    QVERIFY(data->text().contains(u"积分通过，马上入户"_qs));
  }

  // Ctrl+P from a text box asks first; turning it down prints and copies nothing.
  void print_shortcut_cancelled() {
    const QString pdf = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/cancelled-sheet.pdf");
    QFile::remove(pdf);
    QString dialog_title;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      dialog_title = dialog->windowTitle();
      dialog->printer()->setOutputFileName(pdf);  // what a careless accept would write
      dialog->reject();
    });
    control(u"ID"_qs)->setFocus();
    QTest::keyClick(control(u"ID"_qs), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialog_title, kMenuTexts[1]);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  }

  // What accepting the dialog does, on a PDF printer: one page, icon, every row.
  void printed_page_holds_every_row() {
    full_entry();
    const QString pdf = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/result-sheet.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    QVERIFY(actions_->print_to(printer));

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+1\\n"_qs)), qPrintable(info));
    const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QCOMPARE(images.count(QRegularExpression(u"\\n\\s*1\\s+\\d+\\s+image\\s+128\\s+128 "_qs)), 1);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, "-"});
    const auto in = [](const std::string& t) { return QRegularExpression::escape(qstring(t)); };
    for (const varostel::SheetSection& section : actions_->sheet().sections) {
      for (const varostel::SheetRow& row : section.rows) {  // label, value and note on one line
        const QString line = "(^|\\n)" + in(row.label) + ".*" + in(row.value) + ".*" + in(row.note);
        QVERIFY2(text.contains(QRegularExpression(line)), qPrintable(line + '\n' + text));
      }
    }
    QVERIFY(text.contains(u"试算日期：2026年12月31日"_qs));
    QVERIFY(text.contains(QStringLiteral("Varostel " VAROSTEL_VERSION " ")));
  }
};

QTEST_MAIN(ResultSheetActionsTest)
#include "result_sheet_actions_test.moc"
