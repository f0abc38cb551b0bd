// Every caption and value of the window drawn whole, with whichever Song or
// serif CJK face stands in for "宋体". Each control's text is measured as
// ink: the control drawn with its text against the same control with its
// text taken away. That ink, drawn where the window places the control, must
// equal the ink of the same text where nothing can cut it, in a box 40
// pixels taller: a glyph cut at an edge ("工伤" read as "丅伤") loses rows
// of ink. And a label draws its text smaller than its own size only where
// one pixel more would not fit.
//
// It runs on a real X server (under xvfb-run) with FONTCONFIG_FILE naming a
// configuration that offers exactly one CJK face, whose family name
// VAROSTEL_EXPECTED_FACE gives, so that this face and no other draws.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTest>
#include <functional>
#include <optional>
#include <utility>

#include "scenario-player/window_session.h"
#include "ui/control_table.h"
#include "ui/fonts.h"

namespace {

using varostel::field_id;
using varostel::WindowSession;

// A pixel is ink when the text changes one of its channels by more than an
// eighth of the strongest change the uncut text makes. Fainter pixels are
// the anti-aliased fringe of a stroke's end: the hook of AR PL UMing's "月"
// leaves one such pixel below a 20-pixel label.
constexpr int kFringe = 8;
// The uncut ink may be up to 2 % stronger: a button or list draws its text
// on a shading that follows its height. One row of a glyph is 5 % or more.
constexpr double kAmountTolerance = 0.02;
// How much taller the control is drawn for the uncut ink, in pixels. Its
// width stays: a list's narrow text field is the layout's own.
constexpr int kRoom = 40;

// How much a text changes each pixel of its control: the largest change of
// the three channels.
[[nodiscard]] QImage text_change(const QImage& with_text, const QImage& without_text) {
  QImage change(with_text.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < with_text.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(with_text.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(without_text.constScanLine(y));
    uchar* out = change.scanLine(y);
    for (int x = 0; x < with_text.width(); ++x) {
      out[x] = static_cast<uchar>(
          std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                    std::abs(qBlue(a[x]) - qBlue(b[x]))}));
    }
  }
  return change;
}

[[nodiscard]] int strongest(const QImage& change) {
  int result = 0;
  for (int y = 0; y < change.height(); ++y) {
    const uchar* row = change.constScanLine(y);
    result = std::max(result, static_cast<int>(*std::max_element(row, row + change.width())));
  }
  return result;
}

struct Ink {
  int rows = 0;       // rows holding ink, first to last
  int columns = 0;    // columns holding ink, first to last
  qint64 amount = 0;  // sum of the ink's changes
};

[[nodiscard]] Ink ink_in(const QImage& change, int threshold) {
  Ink ink;
  int top = change.height(), bottom = -1, left = change.width(), right = -1;
  for (int y = 0; y < change.height(); ++y) {
    const uchar* row = change.constScanLine(y);
    for (int x = 0; x < change.width(); ++x) {
      if (row[x] <= threshold) continue;
      ink.amount += row[x];
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  if (bottom >= 0) {
    ink.rows = bottom - top + 1;
    ink.columns = right - left + 1;
  }
  return ink;
}

// Takes a control's text away and returns what puts it back; nothing for a
// control that shows no text of its own.
[[nodiscard]] std::optional<std::function<void()>> take_text(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (label->text().isEmpty()) return std::nullopt;  // also the two pictures
    const QString text = label->text();
    return [label, text] { label->setText(text); };
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    const QString text = button->text();
    return [button, text] { button->setText(text); };
  }
  if (auto* box = qobject_cast<QLineEdit*>(control)) {
    if (box->text().isEmpty()) return std::nullopt;
    const QString text = box->text();
    // Drawn without the form seeing it: any change of a box's text is the user's.
    return [box, text] {
      const QSignalBlocker quiet(box);
      box->setText(text);
    };
  }
  if (auto* list = qobject_cast<QComboBox*>(control)) {
    if (list->currentIndex() < 0) return std::nullopt;
    const int index = list->currentIndex();
    return [list, index] { list->setCurrentIndex(index); };
  }
  return std::nullopt;
}

void clear_text(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) label->clear();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(QString());
  if (auto* box = qobject_cast<QLineEdit*>(control)) {
    const QSignalBlocker quiet(box);
    box->clear();
  }
  if (auto* list = qobject_cast<QComboBox*>(control)) list->setCurrentIndex(-1);
}

// A text's change to its control as drawn, and the font it was drawn in.
struct Drawn {
  QImage change;
  QFont font;
};

[[nodiscard]] Drawn text_change(QWidget* control, const std::function<void()>& put_back) {
  const QImage with_text = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QFont font = control->font();
  clear_text(control);
  const QImage without_text = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  put_back();
  return {text_change(with_text, without_text), font};
}

// The text's ink where nothing can cut it. A label's text is drawn by a
// plain label of the same font and looks, at the top of a taller box as Qt
// places it: the window's label may have moved its text or sized its font
// for its own height. Any other control is itself made taller.
[[nodiscard]] QImage uncut_text_change(QWidget* control, const QFont& font,
                                       const std::function<void()>& put_back) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    QLabel plain(label->text());
    plain.setTextFormat(label->textFormat());
    plain.setFont(font);
    plain.setPalette(label->palette());
    plain.setAlignment(label->alignment());
    plain.setWordWrap(label->wordWrap());
    plain.setEnabled(label->isEnabled());
    plain.resize(label->width(), label->height() + kRoom);
    return text_change(&plain, [&plain, label] { plain.setText(label->text()); }).change;
  }
  const QRect geometry = control->geometry();
  control->resize(geometry.width(), geometry.height() + kRoom);
  QImage change = text_change(control, put_back).change;
  control->setGeometry(geometry);
  return change;
}

// What is wrong with a control's text as drawn, or nothing.
[[nodiscard]] std::optional<QString> cut_text(QWidget* control) {
  const std::optional<std::function<void()>> put_back = take_text(control);
  if (!put_back) return std::nullopt;
  const Drawn placed_drawn = text_change(control, *put_back);
  const QImage& placed_change = placed_drawn.change;
  const QImage uncut_change = uncut_text_change(control, placed_drawn.font, *put_back);

  const int threshold = strongest(uncut_change) / kFringe;
  const Ink placed = ink_in(placed_change, threshold);
  const Ink uncut = ink_in(uncut_change, threshold);
  if (uncut.rows == 0) return QStringLiteral("draws no ink even uncut");
  const bool whole = placed.rows == uncut.rows && placed.columns == uncut.columns &&
                     static_cast<double>(placed.amount) >=
                         (1 - kAmountTolerance) * static_cast<double>(uncut.amount);
  if (whole) return std::nullopt;
  return QStringLiteral("ink %1x%2 (%3) where uncut it is %4x%5 (%6)")
      .arg(placed.columns)
      .arg(placed.rows)
      .arg(placed.amount)
      .arg(uncut.columns)
      .arg(uncut.rows)
      .arg(uncut.amount);
}

// The ink rows of `text` in `font`, drawn by a plain label of `like`'s
// looks and width at the top of a box too tall to cut it.
[[nodiscard]] int uncut_rows(const QLabel& like, const QFont& font) {
  QLabel plain(like.text());
  plain.setFont(font);
  plain.setAlignment(like.alignment());
  plain.setWordWrap(like.wordWrap());
  plain.resize(like.width(), like.height() + kRoom);
  const QImage with_text = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
  plain.clear();
  const QImage without_text = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage change = text_change(with_text, without_text);
  return ink_in(change, strongest(change) / kFringe).rows;
}

// --- The states measured ------------------------------------------------

void leave_as_started(varostel::Form&) {}

// Something in every control: the lists' longest items, a birth date and a
// sex read from an identity number, months in every fund, the verdict.
void enter_everything(varostel::Form& form) {
  QVERIFY(form.choose(field_id("选择学历"), "全日制本科有学位"));
  QVERIFY(form.choose(field_id("房产状况"), "居住证"));
  QVERIFY(form.choose(field_id("生育状况"), "政策内生育"));
  const std::pair<varostel::FieldId, const char*> typed[] = {{field_id("ID"), "110101198501021234"},
                                                             {field_id("居住时长"), "1095"},
                                                             {field_id("养老月数"), "36"},
                                                             {field_id("医疗月数"), "48"},
                                                             {field_id("工伤月数"), "24"},
                                                             {field_id("生育险月数"), "12"},
                                                             {field_id("失业月数"), "6"}};
  for (const auto& [box, text] : typed) QVERIFY(form.edit(box, text));
  form.click(field_id("身份证解读"));
  form.click(field_id("公司申办"));
}

// A number that cannot be read: the birth-date label's longest text.
void enter_wrong_number(varostel::Form& form) {
  QVERIFY(form.edit(field_id("ID"), "12345"));
  form.click(field_id("身份证解读"));
}

using Entry = void (*)(varostel::Form&);

}  // namespace

Q_DECLARE_METATYPE(Entry)

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setCursorFlashTime(0);
    varostel::ui::install_song_face_substitutes();
    const QString expected = qEnvironmentVariable("VAROSTEL_EXPECTED_FACE");
    QVERIFY2(!expected.isEmpty(), "VAROSTEL_EXPECTED_FACE names the face that must draw");
    for (const auto code : {varostel::ui::FontCode::Default, varostel::ui::FontCode::Large,
                            varostel::ui::FontCode::Medium, varostel::ui::FontCode::Small}) {
      QCOMPARE(QFontInfo(varostel::ui::control_font(code)).family(), expected);
    }
  }

  // A label keeps the size of its font code unless its text is too tall
  // for it, and then loses no more than that needs.
  void sizes_are_kept_where_they_fit() {
    WindowSession session;
    QVERIFY(session.show());
    QCoreApplication::processEvents();
    int shrunk = 0;
    for (const varostel::ui::ControlRow& control : varostel::ui::kControlTable) {
      if (control.kind != varostel::ui::ControlKind::Label) continue;
      const QString name =
          QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size()));
      auto* label = session.window.findChild<QLabel*>(name);
      QVERIFY2(label != nullptr, qPrintable(name));
      const int own = QFontInfo(varostel::ui::control_font(control.font)).pixelSize();
      const int drawn = QFontInfo(label->font()).pixelSize();
      QVERIFY2(drawn <= own, qPrintable(name));
      if (drawn == own) continue;
      ++shrunk;
      QFont one_more = label->font();
      one_more.setPixelSize(drawn + 1);
      // Rows of device pixels, as the label is drawn on a scaled screen.
      QVERIFY2(uncut_rows(*label, one_more) > label->height() * label->devicePixelRatioF(),
               qPrintable(QStringLiteral("%1 is drawn at %2 pixels, but %3 would fit")
                              .arg(name)
                              .arg(drawn)
                              .arg(drawn + 1)));
    }
    qInfo("%d labels drawn smaller than their own size", shrunk);
  }

  void every_text_is_whole_data() {
    QTest::addColumn<Entry>("entry");
    QTest::newRow("start-up") << Entry{leave_as_started};
    QTest::newRow("everything entered") << Entry{enter_everything};
    QTest::newRow("wrong identity number") << Entry{enter_wrong_number};
  }

  void every_text_is_whole() {
    QFETCH(Entry, entry);
    WindowSession session;
    session.clock.fix_year(2026);
    QVERIFY(session.show());
    entry(session.calculator.form());
    if (QTest::currentTestFailed()) return;
    // A focused box would draw its cursor where its text ends.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    QCoreApplication::processEvents();

    QStringList cut;
    int measured = 0;
    for (const varostel::ui::ControlRow& control : varostel::ui::kControlTable) {
      const QString name =
          QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size()));
      auto* widget = session.window.findChild<QWidget*>(name);
      QVERIFY2(widget != nullptr, qPrintable(name));
      if (take_text(widget)) ++measured;
      if (const std::optional<QString> fault = cut_text(widget)) {
        cut << QStringLiteral("%1 \"%2\": %3").arg(name, shown_text(widget), *fault);
      }
    }
    QVERIFY2(measured > 40, qPrintable(QStringLiteral("only %1 controls measured").arg(measured)));
    for (const QString& fault : cut) qWarning("%s", qPrintable(fault));
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 texts cut").arg(cut.size())));
  }

 private:
  static QString shown_text(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text();
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
    return {};
  }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
