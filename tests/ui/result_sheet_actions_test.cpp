// The result sheet from the window: the context menu where a right click or
// the menu key asks for it (and not over a text box, which keeps its edit
// menu), both shortcuts from any control, both clipboard formats, the print
// dialog that prints nothing unless accepted, and a printed PDF page that
// holds every value the window shows.
#include "ui/result_sheet_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "calculator/result_sheet.h"
#include "model/fields.h"
#include "scenario-player/window_session.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/version.h"

using varostel::ui::qstring;

namespace {

const QStringList kMenuTexts = {QString::fromUtf16(varostel::ui::kCopySheetText),
                                QString::fromUtf16(varostel::ui::kPrintSheetText)};

QStringList action_texts(const QWidget* popup) {
  QStringList texts;
  if (popup == nullptr) return texts;
  for (const QAction* action : popup->actions()) texts << action->text();
  return texts;
}

// Closes whatever menu is open, so the next case starts with none.
void close_popups() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  QCoreApplication::processEvents();
}

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
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

  // A right click as the window system delivers it, through the window.
  void right_click(const QPoint& in_window) {
    QTest::mouseClick(s_->window.windowHandle(), Qt::RightButton, {}, in_window);
    QCoreApplication::processEvents();
  }

  // The menu key as the X11 platform delivers it: a keyboard context-menu
  // event to the window, which hands it to the focus control.
  void press_menu_key() {
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
    QCoreApplication::sendEvent(s_->window.windowHandle(), &event);
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
    close_popups();
    s_.reset();
  }

  void right_click_shows_the_menu_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sheet_menu");
    QTest::newRow("verdict button") << u"评分结果"_qs << true;
    QTest::newRow("drop-down list") << u"选择学历"_qs << true;
    QTest::newRow("score label") << u"合计得分"_qs << true;
    QTest::newRow("caption label") << u"Label19"_qs << true;
    QTest::newRow("check box") << u"公司申办"_qs << true;
    QTest::newRow("frame") << u"Frame1"_qs << true;
    QTest::newRow("picture") << u"Picture1"_qs << true;
    QTest::newRow("disabled age box, no menu of its own") << u"年龄"_qs << true;
    QTest::newRow("identity box keeps its edit menu") << u"ID"_qs << false;
    QTest::newRow("months box keeps its edit menu") << u"养老月数"_qs << false;
    QTest::newRow("fill box keeps its edit menu") << u"统一年数"_qs << false;
  }
  void right_click_shows_the_menu() {
    QFETCH(QString, name);
    QFETCH(bool, sheet_menu);
    QWidget* target = control(name);
    right_click(target->mapTo(&s_->window, QPoint(4, target->height() / 2)));
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY2(popup != nullptr, "a right click opens a menu");
    if (sheet_menu) {
      QCOMPARE(popup, actions_->menu());
      QCOMPARE(action_texts(popup), kMenuTexts);
    } else {
      QVERIFY(popup != actions_->menu());
      QVERIFY(!action_texts(popup).contains(kMenuTexts[0]));
    }
  }

  void right_click_on_the_bare_window() {
    QPoint bare(-1, -1);
    for (int y = 0; y < s_->window.height() && bare.x() < 0; ++y) {
      for (int x = 0; x < s_->window.width(); ++x) {
        if (s_->window.childAt(x, y) == nullptr) {
          bare = {x, y};
          break;
        }
      }
    }
    QVERIFY(bare.x() >= 0);
    right_click(bare);
    QCOMPARE(QApplication::activePopupWidget(), actions_->menu());
  }

  void menu_key_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("sheet_menu");
    QTest::newRow("on a button") << u"重置"_qs << true;
    QTest::newRow("on a drop-down list") << u"生育状况"_qs << true;
    QTest::newRow("on the check box") << u"公司申办"_qs << true;
    QTest::newRow("in a text box, its edit menu") << u"失业月数"_qs << false;
  }
  void menu_key() {
    QFETCH(QString, focus);
    QFETCH(bool, sheet_menu);
    control(focus)->setFocus();
    QCOMPARE(QApplication::focusWidget(), control(focus));
    press_menu_key();
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup != nullptr);
    QCOMPARE(popup == actions_->menu(), sheet_menu);
    if (sheet_menu) QCOMPARE(action_texts(popup), kMenuTexts);
  }

  void menu_copy_item_copies() {
    right_click(control(u"评分结果"_qs)->mapTo(&s_->window, QPoint(4, 4)));
    QVERIFY(QApplication::activePopupWidget() == actions_->menu());
    actions_->menu()->actions().at(0)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             qstring(varostel::sheet_text(actions_->sheet())));
  }

  void copy_shortcut_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("from a text box") << u"ID"_qs;
    QTest::newRow("from a months box") << u"医疗月数"_qs;
    QTest::newRow("from a button") << u"评分结果"_qs;
    QTest::newRow("from a drop-down list") << u"选择学历"_qs;
  }
  void copy_shortcut() {
    QFETCH(QString, focus);
    control(focus)->setFocus();
    QTest::keyClick(control(focus), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             qstring(varostel::sheet_text(actions_->sheet())));
    // The shortcut copies; it types nothing into the box it was pressed in.
    if (auto* box = qobject_cast<QLineEdit*>(control(focus))) {
      QVERIFY(!box->text().contains('C', Qt::CaseInsensitive));
    }
  }

  void clipboard_holds_plain_text_and_html() {
    full_entry();
    actions_->copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    QVERIFY(data->hasText());
    QVERIFY(data->hasHtml());
    const varostel::ResultSheet sheet = actions_->sheet();
    QCOMPARE(data->text(), qstring(varostel::sheet_text(sheet)));
    QCOMPARE(data->html(), qstring(varostel::sheet_html(sheet)));
    // The copy is of the form as it stands, not as it was at start-up.
    QVERIFY(data->text().contains(u"676767198304257666"_qs));
    QVERIFY(data->text().contains(u"积分通过，马上入户"_qs));
    QVERIFY(data->text().contains(u"试算日期：2026年12月31日"_qs));
  }

  // Ctrl+P asks first; turning the dialog down prints and copies nothing.
  void print_shortcut_opens_the_dialog_and_cancel_prints_nothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("from a text box") << u"ID"_qs;
    QTest::newRow("from a button") << u"重置"_qs;
  }
  void print_shortcut_opens_the_dialog_and_cancel_prints_nothing() {
    QFETCH(QString, focus);
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
    control(focus)->setFocus();
    QTest::keyClick(control(focus), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialog_title, kMenuTexts[1]);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  }

  // The function the dialog's accept calls, on a PDF printer: an A4 page
  // that holds every value the window's controls show.
  void printed_page_holds_every_value() {
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
    QVERIFY2(info.contains(u"(A4)"_qs), qPrintable(info));
    // The program's icon, once, at its full 128 pixels.
    const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QCOMPARE(images.count(QRegularExpression(u"\\n\\s*1\\s+\\d+\\s+image\\s+128\\s+128 "_qs)), 1);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, "-"});
    QVERIFY(!text.isEmpty());

    QStringList shown;  // every value as its control shows it
    for (const char* name : {"ID", "出生日期", "性别", "年龄", "居住时长", "养老月数", "医疗月数",
                             "工伤月数", "生育险月数", "失业月数"}) {
      auto* widget = control(QString::fromUtf8(name));
      if (auto* box = qobject_cast<QLineEdit*>(widget)) shown << box->text();
      if (auto* label = qobject_cast<QLabel*>(widget)) shown << label->text();
    }
    for (const char* name : {"选择学历", "房产状况", "生育状况"}) {
      shown << qobject_cast<QComboBox*>(control(QString::fromUtf8(name)))->currentText();
    }
    for (const char* name :
         {"学历得分", "年龄得分", "房产得分", "生育得分", "个人得分", "养老得分", "医疗得分",
          "工伤得分", "生育险得分", "失业得分", "社保得分", "合计得分"}) {
      shown << qobject_cast<QLabel*>(control(QString::fromUtf8(name)))->text();
    }
    shown << qobject_cast<QPushButton*>(control(u"评分结果"_qs))->text();
    for (const QString& value : shown) QVERIFY(!value.isEmpty());

    // Each row's label and value on one line of the page.
    const varostel::ResultSheet sheet = actions_->sheet();
    QStringList lines = text.split('\n');
    int rows = 0;
    for (const varostel::SheetSection& section : sheet.sections) {
      for (const varostel::SheetRow& row : section.rows) {
        const QString label = qstring(row.label);
        const QString value = qstring(row.value);
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
          return line.startsWith(label) && line.contains(value) && line.contains(qstring(row.note));
        });
        QVERIFY2(found, qPrintable(label + " " + value + "\n" + text));
        shown.removeAll(value);
        ++rows;
      }
    }
    QCOMPARE(rows, 28);
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(' ')));  // no control's value left out
    QVERIFY(text.contains(u"已封顶（封顶前为 88）"_qs));
    QVERIFY(text.contains(u"试算日期：2026年12月31日"_qs));
    QVERIFY(text.contains(QStringLiteral("Varostel " VAROSTEL_VERSION " ")));
  }
};

QTEST_MAIN(ResultSheetActionsTest)
#include "result_sheet_actions_test.moc"
