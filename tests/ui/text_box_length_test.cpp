// Text boxes keep at most 1000 characters whatever the edit: megabyte pastes,
// insertions mid-text, input-method commits, characters of two UTF-16 units.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "support/window_session.h"

const QString kSmile = QString::fromUcs4(U"😀");  // two UTF-16 units
const QString a999 = u"a"_qs.repeated(999);

struct Edit {
  const char* box;
  QString start;
  int cursor;      // -1: the whole text selected
  bool committed;  // by an input method, not pasted
  QString inserted, expected;
};

Q_DECLARE_METATYPE(Edit)

class TextBoxLengthTest : public QObject {
  Q_OBJECT

 private slots:
  // The scenario files play whole-box pastes; these insert mid-text or at megabyte size.
  void an_edit_is_cut_as_the_form_cuts_data() {
    QTest::addColumn<Edit>("edit");
    const qsizetype five_mb = 5'000'000;
    QTest::newRow("5 MB of digits over a months box keep their first 1000")
        << Edit{"养老月数", "0", -1, false, u"9"_qs.repeated(five_mb), u"9"_qs.repeated(1000)};
    QTest::newRow("5 MB in the middle: the text after the cursor stays") << Edit{
        "ID", "abcd", 2, false, u"x"_qs.repeated(five_mb), "ab" + u"x"_qs.repeated(996) + "cd"};
    QTest::newRow("a pair the box's unit limit would split is dropped whole")
        << Edit{"ID", "a", 1, false, kSmile.repeated(1500), "a" + kSmile.repeated(999)};
    QTest::newRow("a four-byte 1000th goes in whole in the middle, the next not")
        << Edit{"ID",
                a999,
                500,
                false,
                kSmile + kSmile,
                u"a"_qs.repeated(500) + kSmile + u"a"_qs.repeated(499)};
    QTest::newRow("a full box takes nothing from a paste")
        << Edit{"ID", a999 + "b", 3, false, "7", a999 + "b"};
    QTest::newRow("an input method's commit at 999 keeps its first character")
        << Edit{"统一年数", a999, 999, true, "bc", a999 + "b"};
  }

  void an_edit_is_cut_as_the_form_cuts() {
    QFETCH(Edit, edit);
    varostel::WindowSession s;
    QVERIFY(s.show());
    const varostel::FieldId field = *varostel::find_field(edit.box);
    s.calculator.form().write(field, edit.start.toStdString());
    auto* box = s.window.findChild<QLineEdit*>(QString::fromUtf8(edit.box));
    box->setFocus(Qt::MouseFocusReason);
    if (edit.cursor < 0)
      box->selectAll();
    else
      box->setCursorPosition(edit.cursor);
    if (edit.committed) {
      QInputMethodEvent commit;
      commit.setCommitString(edit.inserted);
      QCoreApplication::sendEvent(box, &commit);
    } else {
      QGuiApplication::clipboard()->setText(edit.inserted);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(box->text(), edit.expected);
    QCOMPARE(QString::fromStdString(s.calculator.form().text(field)), edit.expected);
  }
};

QTEST_MAIN(TextBoxLengthTest)
#include "text_box_length_test.moc"
