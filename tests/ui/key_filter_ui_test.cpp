// Typing into the window's text boxes: typed characters pass the box's key
// filter; shortcuts, pasted and undone text and cursor keys do not.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "window_session.h"


class KeyFilterUiTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowSession> s_;

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
    s_ = std::make_unique<WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  // Every box with a filter, and the two without, against the same keys.
  void typed_characters_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys");  // '\b' is Backspace
    QTest::addColumn<bool>("committed");  // by an input method, not key by key
    QTest::addColumn<QString>("expected");
    struct Box {
      QString name, start;
      enum { Digits, DigitsAndX, Anything } takes;
    };
    const Box boxes[] = {
        {"ID", "", Box::DigitsAndX},          {u"年龄"_qs, "18", Box::Digits},
        {u"居住时长"_qs, "0", Box::Digits},   {u"养老月数"_qs, "0", Box::Digits},
        {u"医疗月数"_qs, "0", Box::Digits},   {u"工伤月数"_qs, "0", Box::Digits},
        {u"生育险月数"_qs, "0", Box::Digits}, {u"失业月数"_qs, "0", Box::Digits},
        {u"统一月数"_qs, "0", Box::Anything}, {u"统一年数"_qs, "0", Box::Anything}};
    for (const Box& box : boxes) {
      const auto row = [&](const char* what, const QString& keys, bool committed,
                           const QString& digits_keep, const QString& x_keeps) {
        const QString kept = box.takes == Box::Digits       ? digits_keep
                             : box.takes == Box::DigitsAndX ? x_keeps
                                                            : keys;
        QTest::addRow("%s: %s", qPrintable(box.name), what)
            << box.name << keys << committed << box.start + kept;
      };
      row("a letter", "a", false, "", "");
      row("a lowercase x", "x", false, "", "");
      row("a capital X", "X", false, "", "X");
      row("a full-width digit", u"１"_qs, false, "", "");
      row("a space", " ", false, "", "");
      row("a digit", "7", false, "7", "7");
      row("an input method's commit", "a1X", true, "1", "1X");
    }
    QTest::newRow("ID: Backspace deletes the digit before it") << "ID" << "12\b3" << false << "13";
    QTest::newRow("age: Backspace deletes") << u"年龄"_qs << "\b" << false << "1";
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
      if (key == u'\b') QTest::keyClick(edit, Qt::Key_Backspace);
      else QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(key), Qt::NoModifier);
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
    const QString pension = u"养老月数"_qs;
    QTest::newRow("Ctrl+C copies") << "ID" << "110X" << "" << "Ctrl+A, Ctrl+C" << "110X" << "110X";
    QTest::newRow("Ctrl+X of a count refills 0") << pension << "36" << "" << "Ctrl+A, Ctrl+X"
                                                 << "0" << "36";
    QTest::newRow("Ctrl+V pastes a decimal point") << pension << "0" << "12.5" << "Ctrl+A, Ctrl+V"
                                                   << "12.5" << "12.5";
    QTest::newRow("Ctrl+Z takes back a typed digit") << pension << "0" << "" << "5, Ctrl+Z" << "0"
                                                     << "";
    QTest::newRow("Home, Delete") << "ID" << "123" << "" << "Home, Delete" << "23" << "";
    QTest::newRow("Left, Backspace") << "ID" << "123" << "" << "Left, Backspace" << "13" << "";
    QTest::newRow("digits typed at the start stay in order")
        << "ID" << "123" << "" << "Home, 4, 5" << "45123" << "";
    QTest::newRow("a discarded letter keeps the selection") << "ID" << "12" << "" << "Ctrl+A, A"
                                                            << "12" << "";
    QTest::newRow("a digit replaces the selection") << pension << "36" << "" << "Ctrl+A, 7" << "7"
                                                    << "";
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
