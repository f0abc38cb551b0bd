// What the desktop matrix's pictures cannot show: the QR-code window's title,
// pick-only lists with their items, the focus order, program writes not
// raised again, Qt's own texts in Chinese and the keys that close the window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "support/window_session.h"
#include "ui/qr_code_window.h"
#include "ui/qt_texts.h"

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;

  template <class T = QWidget>
  T* find(const QString& name) {
    return s_->window.findChild<T*>(name);
  }

 private slots:
  void initTestCase() { QVERIFY(varostel::ui::load_qt_chinese_texts()); }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  void qr_window_and_lists() {
    for (const auto& [name, items] :
         {std::pair{u"选择学历"_qs, 6}, {u"房产状况"_qs, 4}, {u"生育状况"_qs, 3}}) {
      auto* list = find<QComboBox>(name);
      QVERIFY(!list->isEditable());
      QCOMPARE(list->count(), items);
    }
    varostel::ui::QrCodeWindow qr(&s_->window);
    QCoreApplication::processEvents();
    QVERIFY(!qr.isVisible());
    QCOMPARE(qr.windowTitle(), u"二维码"_qs);
    QCOMPARE(qr.minimumSize(), qr.maximumSize());  // not resizable
  }

  void tab_order() {
    const QStringList expected =
        u"选择学历 工伤月数 医疗月数 养老月数 生育险月数 失业月数 统一月数 统一月 统一年数 统一年 "
        u"logo 生育状况 房产状况 ID 身份证解读 公司申办 在线咨询 重置 评分结果 Morvith 选择学历"_qs
            .split(' ');
    QVERIFY(QApplication::focusWidget() != nullptr);
    QStringList reached = {QApplication::focusWidget()->objectName()};
    while (reached.size() < expected.size()) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, expected);
    // A residence permit opens the residence box, which then takes its turn.
    QVERIFY(s_->calculator.form().choose(varostel::field_id("房产状况"), "居住证"));
    find(u"房产状况"_qs)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"居住时长"_qs);
  }

  // The test runs under LANG=en_US.UTF-8; a text box's edit menu is Qt's
  // own, in Chinese. Ctrl+Q and Ctrl+W, in a text box, close the window.
  void chinese_edit_menu_and_closing_keys() {
    const QMenu* menu = find<QLineEdit>(u"ID"_qs)->createStandardContextMenu();  // the box's child
    QCOMPARE(menu->actions().first()->text(), u"撤消(&U)\tCtrl+Z"_qs);
    for (const char* keys : {"Ctrl+Q", "Ctrl+W"}) {
      init();
      QTest::keySequence(find(u"养老月数"_qs), QKeySequence(QString::fromLatin1(keys)));
      QVERIFY2(!s_->window.isVisible(), keys);
    }
  }

  // A program write must never come back through the signal that hands it to the form.
  void program_write_shows_once() {
    QSignalSpy typed(find(u"养老月数"_qs), SIGNAL(textEdited(QString)));
    QSignalSpy chosen(find(u"选择学历"_qs), SIGNAL(activated(int)));
    QSignalSpy ticked(find(u"公司申办"_qs), SIGNAL(clicked(bool)));
    varostel::Form& form = s_->calculator.form();
    form.write(varostel::field_id("养老月数"), "24");
    QVERIFY(form.select(varostel::field_id("选择学历"), "全日制本科"));
    form.write_value(varostel::field_id("公司申办"), 1);
    QCOMPARE(find<QLineEdit>(u"养老月数"_qs)->text(), "24");
    QCOMPARE(find<QComboBox>(u"选择学历"_qs)->currentText(), u"全日制本科"_qs);
    QVERIFY(find<QCheckBox>(u"公司申办"_qs)->isChecked());
    QCOMPARE(find<QLabel>(u"社保得分"_qs)->text(), "16");  // 6 for the pension, 10 for the tick
    QCOMPARE(typed.count() + chosen.count() + ticked.count(), 0);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
