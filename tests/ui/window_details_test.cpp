// What the window draws and does that neither the scenario files nor a
// screen reader see: the links' focus frame, the outline on ID, input-method
// commits and pastes inside a text, the context menu and the clipboard.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QTest>

#include "model/fields.h"
#include "support/window_session.h"
#include "ui/result_sheet_actions.h"
#include "ui/text.h"

using namespace varostel;

// The pixels within `area` that two pictures differ in, as one rectangle.
static QRect differing(const QImage& a, const QImage& b, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

class WindowDetailsTest : public QObject {
  Q_OBJECT

 private slots:
  // Tab frames the part of a link that shows (the banner starts left of the
  // window, the site link runs below it), and Backtab takes the frame away.
  // Held down, Enter opens one page (through AT-SPI, XTest's repeats vary).
  void focus_frame_around_the_shown_part_of_a_link() {
    WindowSession s;
    QVERIFY(s.show());
    for (const auto& [before, link] : {std::pair(u"统一年"_qs, u"logo"_qs), {u"评分结果"_qs, u"Morvith"_qs}}) {
      QWidget* label = s.window.findChild<QWidget*>(link);
      const QImage unfocused = s.window.grab().toImage();
      s.window.findChild<QWidget*>(before)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), label);
      const QRect shown = QRect(label->mapTo(&s.window, QPoint()), label->size()) & s.window.rect();
      const QRect around = shown.adjusted(-8, -8, 8, 8) & s.window.rect();
      QCOMPARE(differing(unfocused, s.window.grab().toImage(), around), shown);
      for (const bool repeat : {false, true, true})  // Enter held down opens one page
        QTest::simulateEvent(label, true, Qt::Key_Return, {}, {}, repeat);
      QCOMPARE(s.opener.openings().size(), link == u"logo"_qs ? 1u : 2u);
      QTest::keyClick(label, Qt::Key_Backtab);
      QCOMPARE(differing(unfocused, s.window.grab().toImage(), around), QRect());
    }
  }

  // Red at both ends while ID has a hint; once it has gone, the box as before.
  void outline_on_id_only_while_there_is_a_hint() {
    WindowSession s;
    QVERIFY(s.show());
    QWidget* box = s.window.widget(kIdentityNumber);
    const auto red_at = [box](const QImage& image, int x) {
      const QRgb p = image.pixel(x, box->height() / 2);
      return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
    };
    s.calculator.form().edit(kIdentityNumber, "110105199003071230");
    const QImage without_hint = box->grab().toImage();
    s.calculator.form().click(kReadButton);
    const QImage with_hint = box->grab().toImage();
    QVERIFY(!red_at(without_hint, 0) && red_at(with_hint, 0) && red_at(with_hint, box->width() - 1));
    s.calculator.form().edit(kIdentityNumber, "110105199003071231");
    s.calculator.form().edit(kIdentityNumber, "110105199003071230");
    QCOMPARE(box->grab().toImage(), without_hint);
  }

  // An input method's commit meets the key filter; a paste inside a text
  // keeps what follows the cursor and cuts what it brings at 1000 characters.
  void commits_and_pastes_inside_a_text() {
    const QString x995 = u"x"_qs.repeated(995), smile = QString::fromUcs4(U"😀");
    const std::tuple<const char*, QString, int, bool, QString, QString> rows[] = {
        {"养老月数", "0", 1, true, "a1X", "01"},
        {"ID", "abcd", 2, false, x995 + smile + smile, "ab" + x995 + smile + "cd"}};
    for (const auto& [name, start, cursor, committed, inserted, expected] : rows) {
      WindowSession s;
      QVERIFY(s.show());
      s.calculator.form().write(*find_field(name), start.toStdString());
      auto* box = s.window.findChild<QLineEdit*>(QString::fromUtf8(name));
      box->setFocus();
      box->setCursorPosition(cursor);
      QInputMethodEvent commit;
      commit.setCommitString(inserted);
      QGuiApplication::clipboard()->setText(inserted);
      if (committed) QCoreApplication::sendEvent(box, &commit);
      else QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(QString::fromStdString(s.calculator.form().text(*find_field(name))), expected);
    }
  }

  // The sheet's menu by a right click through the window or the menu key as
  // X11 delivers it, but a text box's own; a print module that cannot be
  // loaded is named in a message, and copying still works: Ctrl+Shift+C in a
  // text box copies the sheet as text and HTML and types nothing; a print
  // dialog turned down prints nothing, not even to the file named in it.
  void result_sheet_menu_and_copy() {
    WindowSession s;
    QVERIFY(s.show());
    ui::ResultSheetActions* actions = ui::result_sheet_actions(s.window);
    for (const auto& [name, by_key, sheet_menu] : {std::tuple(u"合计得分"_qs, false, true),
                                                  {u"ID"_qs, false, false},
                                                  {u"生育状况"_qs, true, true},
                                                  {u"失业月数"_qs, true, false}}) {
      QWidget* control = s.window.findChild<QWidget*>(name);
      control->setFocus();
      QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
      if (by_key) QCoreApplication::sendEvent(s.window.windowHandle(), &key);
      else QTest::mouseClick(s.window.windowHandle(), Qt::RightButton, {},
                             control->mapTo(&s.window, QPoint(4, control->height() / 2)));
      QWidget* popup = QApplication::activePopupWidget();
      QCOMPARE(popup == actions->menu(), sheet_menu);
      QCOMPARE(popup->actions().first()->text() == ui::qstring(ui::kCopySheetText), sheet_menu);
      popup->close();
    }
    const QString missing = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/no-such-print-module.so");
    actions->use_print_module(missing);
    QString message;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) message = box->text();
      modal->close();
    });
    QTest::keyClick(s.window.widget(kIdentityNumber), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(message.startsWith(QString::fromUtf16(ui::kPrintModuleMissingText)) && message.contains(missing));
    QVERIFY(s.show());  // active again, for the window's shortcuts
    actions->use_print_module(QStringLiteral(VAROSTEL_PRINT_MODULE));
    s.calculator.form().edit(kIdentityNumber, "676767198304257666");
    QTest::keyClick(s.window.widget(kIdentityNumber), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), ui::qstring(sheet_text(actions->sheet())));
    QCOMPARE(data->html(), ui::qstring(sheet_html(actions->sheet())));
    QCOMPARE(s.calculator.form().text(kIdentityNumber), "676767198304257666");
    const QString pdf = QStringLiteral(VAROSTEL_TEST_OUTPUT_DIR "/cancelled-sheet.pdf");
    QFile::remove(pdf);
    QTimer::singleShot(0, [&] {
      auto* dialog = static_cast<QPrintDialog*>(QApplication::activeModalWidget());
      dialog->printer()->setOutputFileName(pdf);
      dialog->reject();
    });
    QTest::keyClick(s.window.widget(kIdentityNumber), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!QFile::exists(pdf));
  }
};

QTEST_MAIN(WindowDetailsTest)
#include "window_details_test.moc"
