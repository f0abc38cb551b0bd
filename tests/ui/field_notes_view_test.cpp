// How the window shows the calculator's notes beyond what the scenario files
// check: the red outline on ID and the box exactly as before once the hint
// has gone; the total's tooltip, at a fractional total too; the verdict's
// tooltip left alone.
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "model/fields.h"
#include "support/window_session.h"

using namespace varostel;

class FieldNotesViewTest : public QObject {
  Q_OBJECT

 private slots:
  void outline_only_while_there_is_a_hint() {
    WindowSession s;
    s.clock.fix_year(2026);
    QVERIFY(s.show());
    Form& form = s.calculator.form();
    auto* box = static_cast<QLineEdit*>(s.window.widget(kIdentityNumber));
    const auto red_at = [box](const QImage& image, int x) {
      const QRgb p = image.pixel(x, box->height() / 2);
      return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
    };
    const std::string number = "110105199003071230";
    form.edit(kIdentityNumber, number);
    const QImage without_hint = box->grab().toImage();
    QVERIFY(!red_at(without_hint, 0));

    form.click(kReadButton);
    QCOMPARE(box->toolTip(), QStringLiteral("校验码应为 9，请核对号码"));
    const QImage with_hint = box->grab().toImage();
    QVERIFY(red_at(with_hint, 0));
    QVERIFY(red_at(with_hint, box->width() - 1));

    // Away and back: the same text without the hint, pixel for pixel.
    form.edit(kIdentityNumber, number + "1");
    form.edit(kIdentityNumber, number);
    QCOMPARE(box->toolTip(), QString());
    QCOMPARE(box->styleSheet(), QString());
    QCOMPARE(box->grab().toImage(), without_hint);
  }

  void points_gap_as_tooltip_of_the_total_only() {
    WindowSession s;
    QVERIFY(s.show());
    QWidget* total = s.window.widget(kTotal);
    QWidget* verdict = s.window.widget(kVerdict);
    const QString address = QStringLiteral("http://unopened.example/");
    verdict->setToolTip(address);
    // Program writes, as no entry gives a fractional total.
    const std::pair<const char*, QString> rows[] = {
        {nullptr, ""}, {"99", "还差 1 分"}, {"99.5", "已过线"}, {"100", "已过线"}};
    for (const auto& [written, gap] : rows) {
      if (written) s.calculator.form().write(kTotal, written);
      QCOMPARE(total->toolTip(), gap);
      QCOMPARE(total->accessibleDescription(), gap);
      QCOMPARE(verdict->accessibleDescription(), gap);
      QCOMPARE(verdict->toolTip(), address);
    }
  }
};

QTEST_MAIN(FieldNotesViewTest)
#include "field_notes_view_test.moc"
