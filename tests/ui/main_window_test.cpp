// The main window as built, checked against literal pixels, fonts and
// colours rather than the table it is built from; the lists, the focus
// order, program writes shown without re-raising, the QR-code window and a
// screenshot.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "scenario-player/window_session.h"
#include "ui/fonts.h"
#include "ui/qr_code_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;

  template <class T = QWidget>
  T* find(const QString& name) {
    T* widget = s_->window.findChild<T*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }

 private slots:
  void initTestCase() { varostel::ui::install_song_face_substitutes(); }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
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
    QVERIFY(link.color(QPalette::WindowText) !=
            QApplication::palette().color(QPalette::WindowText));
  }

  void looks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("underlined");
    QTest::addColumn<bool>("red");
    QTest::addColumn<int>("alignment");  // horizontal
    const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    QTest::newRow("large caption") << "Label1" << 14.25 << false << false << left;
    QTest::newRow("score, red centred") << u"学历得分"_qs << 14.25 << false << true << centre;
    QTest::newRow("birth date, red centred") << u"出生日期"_qs << 14.25 << false << true << centre;
    QTest::newRow("contact caption") << "Label27" << 10.5 << false << false << right;
    QTest::newRow("contact value") << "Label25" << 10.5 << false << true << left;
    QTest::newRow("version") << "ver" << 7.5 << false << false << left;
    QTest::newRow("site link") << "Morvith" << 7.5 << true << false << left;
  }
  void looks() {
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(bool, underlined);
    QFETCH(bool, red);
    QFETCH(int, alignment);
    auto* label = find<QLabel>(name);
    QCOMPARE(label->font().pointSizeF(), points);
    QCOMPARE(label->font().underline(), underlined);
    QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(255, 0, 0), red);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
  }

  // Every caption is drawn whole inside its control in the chosen faces:
  // a wider font or a bigger size would clip one of them.
  void captions_fit() {
    for (QLabel* label : s_->window.findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                          : label->fontMetrics().horizontalAdvance(label->text()) <=
                                                label->width();
      QVERIFY2(fits, qPrintable(label->objectName()));
    }
    for (QAbstractButton* button : s_->window.findChildren<QAbstractButton*>()) {
      QVERIFY2(button->sizeHint().width() <= button->width() + 2 * 6,  // the style's bevel margin
               qPrintable(button->objectName()));
      QVERIFY2(button->fontMetrics().height() <= button->height(),
               qPrintable(button->objectName()));
    }
  }

  void lists_are_pick_only_and_start_empty() {
    for (const auto& [name, items] :
         {std::pair{u"选择学历"_qs, 6}, {u"房产状况"_qs, 4}, {u"生育状况"_qs, 3}}) {
      auto* list = find<QComboBox>(name);
      QVERIFY(!list->isEditable());
      QCOMPARE(list->currentIndex(), -1);
      QCOMPARE(list->count(), items);
    }
  }

  void tab_order() {
    const QStringList expected =
        QString(
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

    // A residence permit opens the residence box, which then takes its turn.
    QVERIFY(s_->calculator.form().choose(varostel::field_id("房产状况"), "居住证"));
    find(u"房产状况"_qs)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"居住时长"_qs);
  }

  // A program write shows in its widget and in those its handlers update,
  // and never through the signal that would hand it to the form again.
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
    QCOMPARE(shot.size(), QSize(359, 685));
    QVERIFY(shot.save(VAROSTEL_TEST_OUTPUT_DIR "/main-window.png", "PNG"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
