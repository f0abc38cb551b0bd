// Typed characters pass a text box's key filter; shortcuts, pasted and undone
// text and cursor keys do not.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "support/window_session.h"

struct Typing {
  const char* box;
  QString start, clipboard;
  QString keys;  // up to four keys ("Ctrl+A, 7"), or the text an input method commits
  bool committed;
  QString expected, copied;
};

Q_DECLARE_METATYPE(Typing)

class KeyFilterUiTest : public QObject {
  Q_OBJECT

 private slots:
  // The scenario files type key by key into the boxes the user can reach; these
  // are commits, the filters of boxes the program keeps disabled, and shortcuts.
  void typing_data() {
    QTest::addColumn<Typing>("t");
    const bool C = true, S = false;
    const std::pair<const char*, Typing> rows[] = {
        {"ID: a commit keeps digits and X", {"ID", "", "", "a1X", C, "1X", ""}},
        {"months: a commit keeps digits", {"养老月数", "0", "", "a1X", C, "01", ""}},
        {"residence: a commit keeps digits", {"居住时长", "0", "", "a1X", C, "01", ""}},
        {"uniform: a commit keeps it all", {"统一年数", "0", "", "a1X", C, "0a1X", ""}},
        {"age: keys keep digits", {"年龄", "18", "", "A, 3, Backspace, 7", S, "187", ""}},
        {"age: a commit keeps digits", {"年龄", "18", "", "a1X", C, "181", ""}},
        {"Ctrl+C copies", {"ID", "110X", "", "Ctrl+A, Ctrl+C", S, "110X", "110X"}},
        {"Ctrl+X of a count refills 0", {"养老月数", "36", "", "Ctrl+A, Ctrl+X", S, "0", "36"}},
        {"Ctrl+V pastes a decimal point",
         {"养老月数", "0", "12.5", "Ctrl+A, Ctrl+V", S, "12.5", "12.5"}},
        {"Ctrl+Z takes back a typed digit", {"养老月数", "0", "", "5, Ctrl+Z", S, "0", ""}},
        {"Home, Delete", {"ID", "123", "", "Home, Delete", S, "23", ""}},
        {"Left, Backspace", {"ID", "123", "", "Left, Backspace", S, "13", ""}},
        {"digits typed at the start stay in order",
         {"ID", "123", "", "Home, 4, 5", S, "45123", ""}},
        {"a discarded letter keeps the selection", {"ID", "12", "", "Ctrl+A, A", S, "12", ""}},
        {"a digit replaces the selection", {"养老月数", "36", "", "Ctrl+A, 7", S, "7", ""}},
    };
    for (const auto& [name, t] : rows) QTest::newRow(name) << t;
  }

  void typing() {
    QFETCH(Typing, t);
    varostel::WindowSession s;
    QVERIFY(s.show());
    const varostel::FieldId field = *varostel::find_field(t.box);
    // The age box is never enabled, nor the residence box before a permit; their filters still
    // work.
    s.calculator.form().set_enabled(field, true);
    s.calculator.form().write(field, t.start.toStdString());
    QGuiApplication::clipboard()->setText(t.clipboard);
    auto* edit = s.window.findChild<QLineEdit*>(QString::fromUtf8(t.box));
    edit->setFocus(Qt::MouseFocusReason);
    edit->end(false);
    if (t.committed) {
      QInputMethodEvent event;
      event.setCommitString(t.keys);
      QCoreApplication::sendEvent(edit, &event);
    } else {
      QTest::keySequence(edit, QKeySequence(t.keys));
    }
    QCOMPARE(edit->text(), t.expected);
    QCOMPARE(QString::fromStdString(s.calculator.form().text(field)), t.expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), t.copied);
  }
};

QTEST_MAIN(KeyFilterUiTest)
#include "key_filter_ui_test.moc"
