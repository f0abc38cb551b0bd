// The main window as built: layout, fonts and colours, the start state read
// from the widgets, the focus order, program writes, the reset button, the
// QR-code window and a screenshot.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "ui/fonts.h"
#include "ui/qr_code_window.h"
#include "window_session.h"

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowSession> s_;

  template <class T = QWidget>
  T* find(const QString& name) {
    T* widget = s_->window.findChild<T*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }
  // What a control shows, as the user reads it; a check box shows 1 or 0.
  QString shown(const QString& name) {
    QWidget* widget = find(name);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
    if (auto* check = qobject_cast<QCheckBox*>(widget)) return check->isChecked() ? "1" : "0";
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    return qobject_cast<QLabel*>(widget)->text();
  }
  void type(const QString& name, const QString& digits) {
    auto* box = find<QLineEdit>(name);
    box->setFocus(Qt::MouseFocusReason);
    box->end(false);
    QTest::keyClicks(box, digits);
  }
  void click(const QString& name) {
    QTest::mouseClick(find(name), Qt::LeftButton, {}, find(name)->rect().center());
  }
  // A list opened by a click ignores a release that follows too soon, so
  // the list is focused and opened directly before its item is clicked.
  void choose(const QString& name, const QString& item) {
    auto* list = find<QComboBox>(name);
    list->setFocus(Qt::MouseFocusReason);
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex index = view->model()->index(list->findText(item), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  }

 private slots:
  void initTestCase() { varostel::ui::install_song_face_substitutes(); }
  void init() {
    s_ = std::make_unique<WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  void layout() {
    QCOMPARE(s_->window.objectName(), "Kelvane");
    QCOMPARE(s_->window.windowTitle(), "Varostel");
    QCOMPARE(s_->window.minimumSize(), QSize(359, 685));
    QCOMPARE(s_->window.maximumSize(), QSize(359, 685));
    QCOMPARE(find("logo")->geometry(), QRect(-8, 5, 353, 86));  // runs past the left edge
    QCOMPARE(find("ID")->parentWidget()->objectName(), u"个人"_qs);
    QCOMPARE(find("ID")->geometry(), QRect(112, 24, 217, 18));
    QCOMPARE(find("Frame1")->geometry(), QRect(8, 488, 345, 177));
    QCOMPARE(find(u"在线咨询"_qs)->height(), 25);
    QVERIFY(find<QLabel>("Label23")->wordWrap());
    const QString family = find("Label1")->fontInfo().family();
    QVERIFY2(family.contains("UMing") || family.contains("Song") || family.contains("Sun") ||
                 family.contains("Serif CJK"),
             qPrintable(family));
    const QPalette link = find("Morvith")->palette();
    QCOMPARE(link.color(QPalette::WindowText), link.color(QPalette::Highlight));
    QVERIFY(link.color(QPalette::WindowText) != QApplication::palette().color(QPalette::WindowText));
  }

  void fonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("underlined");
    QTest::newRow("large caption") << "Label1" << 14.25 << false;
    QTest::newRow("check box") << u"公司申办"_qs << 10.5 << false;
    QTest::newRow("version") << "ver" << 7.5 << false;
    QTest::newRow("site link") << "Morvith" << 7.5 << true;
  }
  void fonts() {
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(bool, underlined);
    QCOMPARE(find(name)->font().pointSizeF(), points);
    QCOMPARE(find(name)->font().underline(), underlined);
  }

  // Every caption is drawn whole inside its control in the chosen faces:
  // a wider font or a bigger size would clip one of them.
  void captions_fit() {
    for (QLabel* label : s_->window.findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const QFontMetrics metrics = label->fontMetrics();
      if (label->wordWrap()) {
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(label->objectName()));
      } else {
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName()));
      }
    }
    for (QAbstractButton* button : s_->window.findChildren<QAbstractButton*>()) {
      QVERIFY2(button->sizeHint().width() <= button->width() + 2 * 6,  // the style's bevel margin
               qPrintable(button->objectName()));
      QVERIFY2(button->fontMetrics().height() <= button->height(), qPrintable(button->objectName()));
    }
  }

  void looks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("red");
    QTest::addColumn<int>("alignment");  // horizontal
    QTest::newRow("education score") << u"学历得分"_qs << true << int(Qt::AlignHCenter);
    QTest::newRow("sex") << u"性别"_qs << true << int(Qt::AlignHCenter);
    QTest::newRow("birth date") << u"出生日期"_qs << true << int(Qt::AlignHCenter);
    QTest::newRow("contact number") << "Label28" << true << int(Qt::AlignLeft);
    QTest::newRow("contact phone") << "Label25" << true << int(Qt::AlignLeft);
    QTest::newRow("plain caption") << "Label1" << false << int(Qt::AlignLeft);
    QTest::newRow("contact caption") << "Label27" << false << int(Qt::AlignRight);
  }
  void looks() {
    QFETCH(QString, name);
    QFETCH(bool, red);
    QFETCH(int, alignment);
    auto* label = find<QLabel>(name);
    QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(255, 0, 0), red);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
  }

  void start_state_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("items");  // of a list, which starts with none chosen
    QTest::newRow("education list") << u"选择学历"_qs << "" << true << 6;
    QTest::newRow("housing list") << u"房产状况"_qs << "" << true << 4;
    QTest::newRow("childbirth list") << u"生育状况"_qs << "" << true << 3;
    QTest::newRow("age") << u"年龄"_qs << "18" << false << 0;
    QTest::newRow("residence days") << u"居住时长"_qs << "0" << false << 0;
    QTest::newRow("verdict") << u"评分结果"_qs << u"综合计算中..."_qs << true << 0;
    QTest::newRow("employer tick") << u"公司申办"_qs << "0" << true << 0;
  }
  void start_state() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(int, items);
    QCOMPARE(shown(name), text);
    QCOMPARE(find(name)->isEnabled(), enabled);
    if (auto* list = qobject_cast<QComboBox*>(find(name))) {
      QCOMPARE(list->currentIndex(), -1);
      QVERIFY(!list->isEditable());
      QCOMPARE(list->count(), items);
    }
  }

  void tab_order() {
    const QStringList expected = QString(
        u"选择学历 工伤月数 医疗月数 养老月数 生育险月数 失业月数 统一月数 统一月 统一年数 "
        u"统一年 生育状况 房产状况 ID 身份证解读 公司申办 在线咨询 重置 评分结果 选择学历"_qs)
                                     .split(' ');
    QVERIFY(QApplication::focusWidget() != nullptr);
    QStringList reached = {QApplication::focusWidget()->objectName()};
    while (reached.size() < expected.size()) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, expected);

    choose(u"房产状况"_qs, u"居住证"_qs);  // opens the residence box
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"居住时长"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), "ID");
  }

  void program_write_shows_once_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("edited");  // the signal that hands a user's edit to the form
    QTest::addColumn<QString>("follower");  // a field the write's handlers update
    QTest::addColumn<QString>("followerText");
    QTest::newRow("24 months and the pension score")
        << u"养老月数"_qs << "24" << QByteArray(SIGNAL(textEdited(QString))) << u"养老得分"_qs
        << "6";
    QTest::newRow("an education item and its score")
        << u"选择学历"_qs << u"全日制本科"_qs << QByteArray(SIGNAL(activated(int)))
        << u"学历得分"_qs << "90";
    QTest::newRow("the employer tick and its bonus")
        << u"公司申办"_qs << "1" << QByteArray(SIGNAL(clicked(bool))) << u"社保得分"_qs << "10";
  }
  void program_write_shows_once() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QByteArray, edited);
    QFETCH(QString, follower);
    QFETCH(QString, followerText);
    // Were the edit signal raised, the form would get the write a second time.
    QSignalSpy edits(find(name), edited.constData());
    QVERIFY(edits.isValid());
    const auto field = *varostel::find_field(name.toStdString());
    QVERIFY(s_->calculator.form().write_as_text(field, text.toStdString()));
    QCOMPARE(shown(name), text);
    QCOMPARE(shown(follower), followerText);
    QCOMPARE(edits.count(), 0);
    QVERIFY(s_->opener.openings().empty());
  }

  void qr_code_window() {
    varostel::ui::QrCodeWindow qr(&s_->window);
    QCoreApplication::processEvents();
    QVERIFY(!qr.isVisible());
    QCOMPARE(qr.objectName(), u"二维码"_qs);
    QCOMPARE(qr.windowTitle(), u"二维码"_qs);
    QCOMPARE(qr.minimumSize(), QSize(274, 273));
    QCOMPARE(qr.maximumSize(), QSize(274, 273));
    // Qt reads the icon file's images: 24, 128 and 48 pixels (24 twice).
    QCOMPARE(qr.windowIcon().availableSizes(),
             (QList<QSize>{QSize(24, 24), QSize(128, 128), QSize(48, 48)}));
    auto* image = qr.findChild<QLabel*>("Image1");
    QVERIFY(image != nullptr);
    QCOMPARE(image->geometry(), QRect(72, 64, 128, 128));
    QCOMPARE(image->pixmap().size(), QSize(128, 128));
  }

  void screenshot() {
    const QImage shot = s_->window.grab().toImage();
    QCOMPARE(shot.devicePixelRatio(), 1.0);
    QCOMPARE(shot.size(), QSize(359, 685));
    QVERIFY(shot.save(VAROSTEL_TEST_OUTPUT_DIR "/main-window.png", "PNG"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
