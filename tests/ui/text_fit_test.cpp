// Every caption and value of the window drawn whole ("工伤" cut to "丅伤" loses
// ink), and no label's text smaller than one pixel more would fit, in whichever
// CJK face stands in for "宋体": run under xvfb-run with FONTCONFIG_FILE
// offering just the one CJK face that VAROSTEL_EXPECTED_FACE names.
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTest>
#include <optional>

#include "support/window_session.h"
#include "view/control_table.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace {

using varostel::ui::ControlKind;
using varostel::ui::FontCode;

// Ink changes a channel by over an eighth of the uncut text's strongest change;
// fainter is a stroke's fringe (UMing's "月" leaves one below a 20-pixel label).
constexpr int kFringe = 8;
// A button or list shades its text's background by its height: the uncut ink
// may be up to 2 % stronger, where one row of a glyph is 5 % or more.
constexpr double kAmountTolerance = 0.02;
// Only the height grows: a list's narrow text field is the layout's own.
constexpr int kRoom = 40;

// Where a control keeps its own text: the property shown, the one that holds
// it, and that one's value with no text.
struct TextHolder {
  const char* shown;
  const char* held;
  QVariant none;
};
const TextHolder kText{"text", "text", QString()};

// Nothing for a frame, a picture, or a label, box or list showing no text; a
// button or check box always shows one, so is measured even without.
[[nodiscard]] std::optional<TextHolder> text_holder(ControlKind kind, QWidget* control) {
  if (kind == ControlKind::Frame || kind == ControlKind::Picture) return std::nullopt;
  const TextHolder holder =
      kind == ControlKind::DropDown ? TextHolder{"currentText", "currentIndex", -1} : kText;
  const bool always = kind == ControlKind::Button || kind == ControlKind::CheckBox;
  if (!always && control->property(holder.held) == holder.none) return std::nullopt;
  return holder;
}

// A control drawn with its text and without it, and the font it was drawn in.
struct Drawn {
  QImage with, without;
  QFont font;
};

// Signals are blocked: the form takes any change of a box's text as the user's.
[[nodiscard]] Drawn draw(QWidget* control, const TextHolder& holder) {
  const QSignalBlocker quiet(control);
  const QVariant text = control->property(holder.held);
  Drawn drawn{control->grab().toImage(), {}, control->font()};
  control->setProperty(holder.held, holder.none);
  drawn.without = control->grab().toImage();
  control->setProperty(holder.held, text);
  return drawn;
}

// A plain label or push button of the same looks and `font` stands in for a
// label or push button, which may have moved its text or sized its font for
// its height; others grow themselves.
[[nodiscard]] Drawn draw_uncut(QWidget* control, const QFont& font, const TextHolder& holder) {
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    QPushButton plain(button->text());
    plain.setFont(font);
    plain.setPalette(button->palette());
    plain.setEnabled(button->isEnabled());
    plain.resize(button->width(), button->height() + kRoom);
    return draw(&plain, holder);
  }
  if (auto* label = qobject_cast<QLabel*>(control)) {
    QLabel plain(label->text());
    plain.setTextFormat(label->textFormat());
    plain.setFont(font);
    plain.setPalette(label->palette());
    plain.setAlignment(label->alignment());
    plain.setWordWrap(label->wordWrap());
    plain.setEnabled(label->isEnabled());
    plain.resize(label->width(), label->height() + kRoom);
    return draw(&plain, holder);
  }
  const QRect geometry = control->geometry();
  control->resize(geometry.width(), geometry.height() + kRoom);
  const Drawn drawn = draw(control, holder);
  control->setGeometry(geometry);
  return drawn;
}

struct Ink {
  QRect box;  // holds every pixel of ink
  int strongest = 0;
  qint64 amount = 0;  // sum of the ink's changes
};

// A pixel's change is the largest change of its three channels.
[[nodiscard]] Ink ink_in(const Drawn& drawn, int threshold) {
  Ink ink;
  for (int y = 0; y < drawn.with.height(); ++y) {
    for (int x = 0; x < drawn.with.width(); ++x) {
      const QRgb a = drawn.with.pixel(x, y), b = drawn.without.pixel(x, y);
      const int change = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))});
      if (change <= threshold) continue;
      ink.amount += change;
      ink.strongest = std::max(ink.strongest, change);
      ink.box |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

[[nodiscard]] int ink_threshold(const Drawn& uncut) { return ink_in(uncut, 0).strongest / kFringe; }

// What is wrong with a control's text as drawn, or nothing.
[[nodiscard]] std::optional<QString> cut_text(QWidget* control, const TextHolder& holder) {
  const Drawn placed_drawn = draw(control, holder);
  const Drawn uncut_drawn = draw_uncut(control, placed_drawn.font, holder);
  const int threshold = ink_threshold(uncut_drawn);
  const Ink placed = ink_in(placed_drawn, threshold), uncut = ink_in(uncut_drawn, threshold);
  if (uncut.box.isEmpty()) return QStringLiteral("draws no ink even uncut");
  if (placed.box.size() == uncut.box.size() &&
      static_cast<double>(placed.amount) >=
          (1 - kAmountTolerance) * static_cast<double>(uncut.amount)) {
    return std::nullopt;
  }
  const auto shown = [](const Ink& ink) {
    return QStringLiteral("%1x%2 (%3)").arg(ink.box.width()).arg(ink.box.height()).arg(ink.amount);
  };
  return QStringLiteral("ink %1 where uncut it is %2").arg(shown(placed), shown(uncut));
}

// A label keeps its font code's size unless its text is too tall for it, and
// then loses no more than that needs.
[[nodiscard]] std::optional<QString> sized_wrong(QLabel* label, FontCode code) {
  const int own = QFontInfo(varostel::ui::control_font(code)).pixelSize();
  const int drawn = QFontInfo(label->font()).pixelSize();
  if (drawn == own) return std::nullopt;
  QFont one_more = label->font();
  one_more.setPixelSize(drawn + 1);
  const Drawn uncut = draw_uncut(label, one_more, kText);
  // Rows of device pixels, as the label is drawn on a scaled screen.
  const int rows = ink_in(uncut, ink_threshold(uncut)).box.height();
  if (drawn < own && rows > label->height() * label->devicePixelRatioF()) return std::nullopt;
  return QStringLiteral("drawn at %1 pixels of its own %2, where %3 fits")
      .arg(drawn)
      .arg(own)
      .arg(drawn + 1);
}

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setCursorFlashTime(0);
    varostel::ui::install_song_face_substitutes();
    const QString expected = qEnvironmentVariable("VAROSTEL_EXPECTED_FACE");
    QVERIFY2(!expected.isEmpty(), "VAROSTEL_EXPECTED_FACE names the face that must draw");
    for (const auto code :
         {FontCode::Default, FontCode::Large, FontCode::Medium, FontCode::Small}) {
      QCOMPARE(QFontInfo(varostel::ui::control_font(code)).family(), expected);
    }
  }

  // Steps: "field=value" chooses an item or types a text, "field" clicks.
  void every_text_is_whole_data() {
    QTest::addColumn<QString>("steps");
    QTest::newRow("start-up") << QString();
    // The lists' longest items, an identity number's birth date and sex,
    // months in every fund, the verdict.
    QTest::newRow("everything entered")
        << u"选择学历=全日制本科有学位 房产状况=居住证 生育状况=政策内生育 ID=110101198501021234 "
           u"居住时长=1095 养老月数=36 医疗月数=48 工伤月数=24 生育险月数=12 失业月数=6 "
           u"身份证解读 公司申办"_qs;
    // The birth-date label's longest text.
    QTest::newRow("wrong identity number") << u"ID=12345 身份证解读"_qs;
  }

  void every_text_is_whole() {
    QFETCH(QString, steps);
    varostel::WindowSession session;
    session.clock.fix_year(2026);
    QVERIFY(session.show());
    varostel::Form& form = session.calculator.form();
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
      const QStringList part = step.split('=');
      const varostel::FieldId field = varostel::find_field(part[0].toStdString()).value();
      const std::string value = part.value(1).toStdString();
      const bool list = varostel::field_row(field).kind == varostel::FieldKind::DropDown;
      if (part.size() == 1) form.click(field);
      QVERIFY2(part.size() == 1 || (list ? form.choose(field, value) : form.edit(field, value)),
               qPrintable(step));
    }
    // A focused box would draw its cursor where its text ends.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    QCoreApplication::processEvents();

    QStringList faults;
    int measured = 0;
    for (const varostel::ui::ControlRow& control : varostel::ui::kControlTable) {
      const QString name = varostel::ui::qstring(control.name);
      auto* widget = session.window.findChild<QWidget*>(name);
      QVERIFY2(widget != nullptr, qPrintable(name));
      const std::optional<TextHolder> holder = text_holder(control.kind, widget);
      measured += holder ? 1 : 0;
      // Sized before it is drawn again for its ink, which places its text anew.
      std::optional<QString> fault;
      if (control.kind == ControlKind::Label)
        fault = sized_wrong(static_cast<QLabel*>(widget), control.font);
      if (!fault && holder) fault = cut_text(widget, *holder);
      if (fault)
        faults << QStringLiteral("%1 \"%2\": %3")
                      .arg(name, holder ? widget->property(holder->shown).toString() : QString(),
                           *fault);
    }
    QVERIFY2(measured > 40, qPrintable(QStringLiteral("only %1 controls measured").arg(measured)));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"\n"_qs)));
  }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
