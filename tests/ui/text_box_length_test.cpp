// The window's text boxes keep what the form keeps: at most 1000 characters,
// whatever the edit (a paste of megabytes, an insertion in the middle, an
// input method's commit) and however many UTF-16 units the characters take.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "scenario-player/window_session.h"
#include "scoring/insurance.h"
#include "ui/text.h"

namespace {

QString repeated(const QString& piece, qsizetype count) { return piece.repeated(count); }
constexpr qsizetype kFiveMegabytes = 5'000'000;  // ASCII characters: bytes of UTF-8
const QString kSmile = QString::fromUcs4(U"😀");  // four bytes in UTF-8, two UTF-16 units

}  // namespace

class TextBoxLengthTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;

  varostel::FieldId field(const QString& name) { return *varostel::find_field(name.toStdString()); }
  QString model_text(const QString& name) {
    return QString::fromStdString(s_->calculator.form().text(field(name)));
  }
  QLineEdit* box(const QString& name) { return s_->window.findChild<QLineEdit*>(name); }

  // As a user would: the text goes to the clipboard, then Ctrl+V.
  void paste(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  }

 private slots:
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  void an_edit_is_cut_as_the_form_cuts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");      // -1: the whole text selected
    QTest::addColumn<bool>("committed");  // by an input method, not pasted
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expected");
    const QString a999 = repeated(u"a"_qs, 999);
    QTest::newRow("5 MB of digits over a months box keep their first 1000")
        << u"养老月数"_qs << u"0"_qs << -1 << false << repeated(u"9"_qs, kFiveMegabytes)
        << repeated(u"9"_qs, 1000);
    QTest::newRow("5 MB in the middle: the text after the cursor stays")
        << u"ID"_qs << u"abcd"_qs << 2 << false << repeated(u"x"_qs, kFiveMegabytes)
        << u"ab"_qs + repeated(u"x"_qs, 996) + u"cd"_qs;
    QTest::newRow("5 MB of four-byte characters keep 1000 of them, 2000 units")
        << u"ID"_qs << u""_qs << -1 << false << repeated(kSmile, kFiveMegabytes / 4)
        << repeated(kSmile, 1000);
    QTest::newRow("a pair the box's unit limit would split is dropped whole")
        << u"ID"_qs << u"a"_qs << 1 << false << repeated(kSmile, 1500)
        << u"a"_qs + repeated(kSmile, 999);
    QTest::newRow("a four-byte 1000th goes in whole in the middle, the next not")
        << u"ID"_qs << a999 << 500 << false << kSmile + kSmile
        << repeated(u"a"_qs, 500) + kSmile + repeated(u"a"_qs, 499);
    QTest::newRow("a full box takes nothing from a paste")
        << u"ID"_qs << a999 + u"b"_qs << 3 << false << u"7"_qs << a999 + u"b"_qs;
    QTest::newRow("999 plus a 1-character paste is exactly full")
        << u"ID"_qs << a999 << 999 << false << u"7"_qs << a999 + u"7"_qs;
    QTest::newRow("an input method's commit at 999 keeps its first character")
        << u"统一年数"_qs << a999 << 999 << true << u"bc"_qs << a999 + u"b"_qs;
  }

  void an_edit_is_cut_as_the_form_cuts() {
    QFETCH(QString, name);
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(bool, committed);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);
    s_->calculator.form().write(field(name), start.toStdString());
    QLineEdit* edit = box(name);
    QCOMPARE(edit->text(), start);
    edit->setFocus(Qt::MouseFocusReason);
    if (cursor < 0) {
      edit->selectAll();
    } else {
      edit->setCursorPosition(cursor);
    }
    if (committed) {
      QInputMethodEvent commit;
      commit.setCommitString(inserted);
      QCoreApplication::sendEvent(edit, &commit);
    } else {
      paste(edit, inserted);
    }
    QCOMPARE(edit->text().size(), expected.size());
    QCOMPARE(edit->text(), expected);
    QCOMPARE(model_text(name), expected);
  }

  // The fill button copies the uniform box's text, which a paste has cut.
  void the_fill_button_copies_the_cut_text() {
    QLineEdit* uniform = box(u"统一月数"_qs);
    uniform->setFocus(Qt::MouseFocusReason);
    uniform->selectAll();
    paste(uniform, repeated(u"1"_qs, kFiveMegabytes));
    const QString kept = repeated(u"1"_qs, 1000);
    QCOMPARE(uniform->text(), kept);
    QTest::mouseClick(s_->window.findChild<QWidget*>(u"统一月"_qs), Qt::LeftButton);
    for (const varostel::Fund& fund : varostel::kFunds) {
      const QString name = varostel::ui::qstring(varostel::field_row(fund.months).name);
      QCOMPARE(box(name)->text(), kept);
      QCOMPARE(model_text(name), kept);
    }
  }
};

QTEST_MAIN(TextBoxLengthTest)
#include "text_box_length_test.moc"
