// Typing into the window's text boxes: typed characters pass the box's key
// filter; shortcuts, pasted and undone text and cursor keys do not.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "scenario-player/window_session.h"

class KeyFilterUiTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;

  varostel::FieldId field(const QString& name) { return *varostel::find_field(name.toStdString()); }
  QString model_text(const QString& name) {
    return QString::fromStdString(s_->calculator.form().text(field(name)));
  }
  QLineEdit* focused_at_end(const QString& name) {
    auto* box = s_->window.findChild<QLineEdit*>(name);
    box->setFocus(Qt::MouseFocusReason);
    box->end(false);
    return box;
  }

 private slots:
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  // Key by key, the scenario files type into every box the user can reach.
  // These are what they cannot say: an input method's commit, and the
  // filters of the boxes the program keeps disabled.
  void typed_characters_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys");    // '\b' is Backspace
    QTest::addColumn<bool>("committed");  // by an input method, not key by key
    QTest::addColumn<QString>("expected");
    QTest::newRow("ID: a commit keeps digits and X") << "ID"
                                                     << "a1X" << true << "1X";
    QTest::newRow("months: a commit keeps digits") << u"养老月数"_qs << "a1X" << true << "01";
    QTest::newRow("residence: a commit keeps digits") << u"居住时长"_qs << "a1X" << true << "01";
    QTest::newRow("uniform: a commit keeps it all") << u"统一年数"_qs << "a1X" << true << "0a1X";
    QTest::newRow("age: keys keep digits") << u"年龄"_qs << "a3X\b7" << false << "187";
    QTest::newRow("age: a commit keeps digits") << u"年龄"_qs << "a1X" << true << "181";
  }

  void typed_characters() {
    QFETCH(QString, box);
    QFETCH(QString, keys);
    QFETCH(bool, committed);
    QFETCH(QString, expected);
    // The age box is never enabled by the program, nor the residence box
    // before a residence permit is chosen; their filters work all the same.
    s_->calculator.form().set_enabled(field(box), true);
    QLineEdit* edit = focused_at_end(box);
    if (committed) {
      QInputMethodEvent event;
      event.setCommitString(keys);
      QCoreApplication::sendEvent(edit, &event);
    }
    for (const QChar key : committed ? QString() : keys) {
      // keyClicks() aborts on text outside Latin-1: each key goes as text.
      if (key == u'\b')
        QTest::keyClick(edit, Qt::Key_Backspace);
      else
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(key), Qt::NoModifier);
    }
    QCOMPARE(edit->text(), expected);
    QCOMPARE(model_text(box), expected);
  }

  void edits_bypass_the_filter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("keys");  // up to four, as a key sequence
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("copied");
    const struct {
      const char* name;
      const char* box;
      const char* start;
      const char* clipboard;
      const char* keys;
      const char* expected;
      const char* copied;
    } rows[] = {
        {"Ctrl+C copies", "ID", "110X", "", "Ctrl+A, Ctrl+C", "110X", "110X"},
        {"Ctrl+X of a count refills 0", "养老月数", "36", "", "Ctrl+A, Ctrl+X", "0", "36"},
        {"Ctrl+V pastes a decimal point", "养老月数", "0", "12.5", "Ctrl+A, Ctrl+V", "12.5",
         "12.5"},
        {"Ctrl+Z takes back a typed digit", "养老月数", "0", "", "5, Ctrl+Z", "0", ""},
        {"Home, Delete", "ID", "123", "", "Home, Delete", "23", ""},
        {"Left, Backspace", "ID", "123", "", "Left, Backspace", "13", ""},
        {"digits typed at the start stay in order", "ID", "123", "", "Home, 4, 5", "45123", ""},
        {"a discarded letter keeps the selection", "ID", "12", "", "Ctrl+A, A", "12", ""},
        {"a digit replaces the selection", "养老月数", "36", "", "Ctrl+A, 7", "7", ""},
    };
    for (const auto& row : rows) {
      QTest::newRow(row.name) << QString::fromUtf8(row.box) << QString(row.start)
                              << QString(row.clipboard) << QString(row.keys)
                              << QString(row.expected) << QString(row.copied);
    }
  }

  void edits_bypass_the_filter() {
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(QString, clipboard);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(QString, copied);
    QGuiApplication::clipboard()->setText(clipboard);
    s_->calculator.form().write(field(box), start.toStdString());
    QTest::keySequence(focused_at_end(box), QKeySequence(keys));
    QCOMPARE(s_->window.findChild<QLineEdit*>(box)->text(), expected);
    QCOMPARE(model_text(box), expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
  }
};

QTEST_MAIN(KeyFilterUiTest)
#include "key_filter_ui_test.moc"
