// How the window shows the calculator's notes beyond what the scenario
// files check: the red outline on ID and that the box looks exactly as
// before once the hint has gone, the points gap at a fractional total, and
// the verdict's tooltip left alone.
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "model/fields.h"
#include "scenario-player/window_session.h"

using namespace varostel;

namespace {

QImage picture_of(QWidget* widget) { return widget->grab().toImage(); }

bool is_red(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

}  // namespace

class FieldNotesViewTest : public QObject {
  Q_OBJECT

 private slots:
  void outline_only_while_there_is_a_hint() {
    WindowSession s;
    s.clock.fix_year(2026);
    QVERIFY(s.show());
    Form& form = s.calculator.form();
    auto* box = static_cast<QLineEdit*>(s.window.widget(kIdentityNumber));
    const QString number = QStringLiteral("110105199003071230");
    form.edit(kIdentityNumber, number.toStdString());
    const QImage without_hint = picture_of(box);
    QVERIFY(!is_red(without_hint.pixel(0, box->height() / 2)));

    form.click(kReadButton);
    const QString hint = QStringLiteral("校验码应为 9，请核对号码");
    QCOMPARE(box->toolTip(), hint);
    QCOMPARE(box->accessibleDescription(), hint);
    const QImage with_hint = picture_of(box);
    QVERIFY(is_red(with_hint.pixel(0, box->height() / 2)));
    QVERIFY(is_red(with_hint.pixel(box->width() - 1, box->height() / 2)));

    // Away and back: the same text without the hint, pixel for pixel.
    form.edit(kIdentityNumber, number.toStdString() + "1");
    form.edit(kIdentityNumber, number.toStdString());
    QCOMPARE(box->toolTip(), QString());
    QCOMPARE(box->accessibleDescription(), QString());
    QCOMPARE(box->styleSheet(), QString());
    QCOMPARE(picture_of(box), without_hint);
  }

  void points_gap_on_total_and_verdict_data() {
    QTest::addColumn<QStringList>("pastes");  // months boxes, after 全日制本科 (95)
    QTest::addColumn<QString>("total");       // written by the program when not empty
    QTest::addColumn<QString>("gap");
    QTest::newRow("placeholder at start") << QStringList{} << QString() << QString();
    QTest::newRow("99") << QStringList{"养老月数", "医疗月数"} << QString() << "还差 1 分";
    // No entry gives a fractional total; a program write shows the binding.
    QTest::newRow("99.5") << QStringList{"养老月数"} << "99.5"
                          << "已过线";
    QTest::newRow("100") << QStringList{"养老月数", "医疗月数", "工伤月数"} << QString()
                         << "已过线";
  }

  void points_gap_on_total_and_verdict() {
    QFETCH(QStringList, pastes);
    QFETCH(QString, total);
    QFETCH(QString, gap);
    WindowSession s;
    QVERIFY(s.show());
    Form& form = s.calculator.form();
    QWidget* verdict = s.window.widget(kVerdict);
    verdict->setToolTip(QStringLiteral("http://unopened.example/"));
    if (!pastes.isEmpty()) QVERIFY(form.choose(kEducation, "全日制本科"));
    for (const QString& box : pastes) {
      QVERIFY(form.edit(*find_field(box.toStdString()), "12"));
    }
    if (!total.isEmpty()) form.write(kTotal, total.toStdString());

    QCOMPARE(s.window.widget(kTotal)->toolTip(), gap);
    QCOMPARE(s.window.widget(kTotal)->accessibleDescription(), gap);
    QCOMPARE(verdict->accessibleDescription(), gap);
    QCOMPARE(verdict->toolTip(), QStringLiteral("http://unopened.example/"));
  }
};

QTEST_MAIN(FieldNotesViewTest)
#include "field_notes_view_test.moc"
