// The window on one kind of desktop, a row of this folder's CMakeLists.txt:
// run under scripts/lib/with-window-manager (Xvfb and openbox) on the xcb
// platform, with QT_SCALE_FACTOR and a FONTCONFIG_FILE offering one CJK face.
// Four states are drawn one after the other, each checked against
// REFERENCE-DIR/ROW/STATE.png and for every caption and value drawn whole;
// then the window as the X server has it (title, frame, size hints) against
// ROW/x-window.txt, every control's box against control-boxes.txt (the same
// for every row), and the QR codes of both windows for their address.
//
//   desktop_test [--remake] ROW REFERENCE-DIR OUTPUT-DIR ADDRESS
//
// ADDRESS is the page the QR codes lead to. --remake writes the pictures and
// texts instead of comparing them. Exit status 0 when all hold; pictures
// that differ are saved in OUTPUT-DIR as drawn.
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QWindow>

#include "support/window_session.h"
#include "ui/fonts.h"
#include "ui/qr_code_window.h"
#include "ui/screen_fit.h"
#include "ui/text.h"

namespace {

using namespace varostel;

bool remake = false;
QDir references, output;
int faults = 0;

void fault(const QString& what) { std::printf("FAULT %d: %s\n", ++faults, qPrintable(what)); }

// What changed from one picture to another: the pixels whose largest
// channel change is over `threshold`, their box and the sum of the changes.
struct Ink {
  QRect box;
  qint64 strongest = 0, amount = 0, pixels = 0;
};

Ink changes(const QImage& before, const QImage& after, qint64 threshold) {
  Ink ink;
  for (int y = 0; y < after.height(); ++y) {  // both of 32 bits a pixel
    const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
    for (int x = 0; x < after.width(); ++x) {
      const int c =
          std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                    std::abs(qBlue(a[x]) - qBlue(b[x]))});
      if (c <= threshold) continue;
      ink.amount += c;
      ink.strongest = std::max<qint64>(ink.strongest, c);
      ink.box |= QRect(x, y, 1, 1);
      ++ink.pixels;
    }
  }
  return ink;
}

// The same build draws the same pixels; the slack absorbs a rasteriser
// rounding an edge. A control one pixel larger moves a whole outline edge
// (34 pixels or more), a score's red a shade darker every score value.
constexpr int kChannelTolerance = 8;
constexpr qint64 kPixelBudget = 8;

void check_picture(const QString& name, const QImage& drawn) {
  const QImage fresh = drawn.convertToFormat(QImage::Format_RGB32);
  const QString path = references.filePath(name + u".png"_qs);
  const QImage want = QImage(path).convertToFormat(QImage::Format_RGB32);
  if (remake ? fresh.save(path, "PNG", 0)
             : want.size() == fresh.size() &&
                   changes(want, fresh, kChannelTolerance).pixels <= kPixelBudget)
    return;
  fresh.save(output.filePath(QFileInfo(path).fileName()));
  fault(path + u" is not as drawn now, in "_qs + output.path());
}

void check_text(const QString& name, const QString& text) {
  QFile file(references.filePath(name));
  if (remake ? !file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0
             : !file.open(QIODevice::ReadOnly) || QString::fromUtf8(file.readAll()) != text)
    fault(QStringLiteral("%1 does not hold:\n%2").arg(file.fileName(), text));
}

// --- Whole text: the ink of a control's text is what changes when the text
// goes. Signals are blocked: the form would take the change as the user's.
std::pair<QImage, QImage> without_and_with(QWidget* control, const char* held,
                                           const QVariant& none) {
  const QSignalBlocker quiet(control);
  const QImage with = control->grab().toImage();
  const QVariant text = control->property(held);
  control->setProperty(held, none);
  const QImage without = control->grab().toImage();
  control->setProperty(held, text);
  return {without, with};
}

// A label or push button may place or size its text for its own height: a
// plain one of the same looks stands in for it uncut. Others grow themselves.
std::unique_ptr<QWidget> plain_copy(QWidget* control) {
  std::unique_ptr<QWidget> plain;
  if (const auto* label = qobject_cast<QLabel*>(control)) {
    auto copy = std::make_unique<QLabel>(label->text());
    copy->setAlignment(label->alignment());
    copy->setWordWrap(label->wordWrap());
    plain = std::move(copy);
  } else if (qobject_cast<QPushButton*>(control) != nullptr) {
    plain = std::make_unique<QPushButton>(control->property("text").toString());
  }
  if (plain != nullptr) {
    plain->setFont(control->font());
    plain->setPalette(control->palette());
    plain->setEnabled(control->isEnabled());
  }
  return plain;
}

// Ink is over an eighth of the uncut text's strongest change; fainter is a
// stroke's fringe. A button shades its background by its height: the uncut
// ink may be 2 % stronger, where one row of a glyph is 5 % or more.
constexpr int kFringe = 8;
constexpr double kAmountTolerance = 0.02;
constexpr int kRoom = 40;  // more height, never more width

std::optional<QString> cut_text(ui::ControlKind kind, QWidget* control) {
  const bool list = kind == ui::ControlKind::DropDown;
  const char* held = list ? "currentIndex" : "text";
  const QVariant none = list ? QVariant(-1) : QVariant(QString());
  const QRect geometry = control->geometry();
  const std::unique_ptr<QWidget> plain = plain_copy(control);
  QWidget* uncut = plain != nullptr ? plain.get() : control;
  uncut->resize(geometry.width(), geometry.height() + kRoom);
  const auto [without, with] = without_and_with(uncut, held, none);
  const qint64 threshold = changes(without, with, 0).strongest / kFringe;
  const Ink whole = changes(without, with, threshold);
  control->setGeometry(geometry);
  const auto [placed_without, placed_with] = without_and_with(control, held, none);
  const Ink drawn = changes(placed_without, placed_with, threshold);
  if (whole.box.isEmpty() ||
      (drawn.box.size() == whole.box.size() &&
       drawn.amount >= (1 - kAmountTolerance) * static_cast<double>(whole.amount)))
    return std::nullopt;
  return QStringLiteral("ink %1 where uncut %2").arg(drawn.amount).arg(whole.amount);
}

// --- The states drawn one after the other, as steps: "field=value" chooses
// or types, "field" clicks.
const QString kEverything =
    u"选择学历=全日制本科有学位 房产状况=居住证 生育状况=政策内生育 ID=110101198501021234 "
    u"居住时长=1095 养老月数=36 医疗月数=48 工伤月数=24 生育险月数=12 失业月数=6 身份证解读 公司申办"_qs;
const std::pair<QString, QString> kStates[] = {{u"start-up"_qs, QString()},
                                               {u"full-entry"_qs, kEverything},
                                               {u"after-reset"_qs, u"重置"_qs},
                                               {u"wrong-id"_qs, u"ID=12345 身份证解读"_qs}};

bool enter(Form& form, const QString& steps) {
  for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
    const QStringList part = step.split('=');
    const FieldId field = find_field(part[0].toStdString()).value();
    const std::string value = part.value(1).toStdString();
    if (part.size() == 1)
      form.click(field);
    else if (!(field_row(field).kind == FieldKind::DropDown ? form.choose(field, value)
                                                            : form.edit(field, value)))
      return false;
  }
  return true;
}

// Shown, framed by the window manager (and so fitted a second time), and
// then left alone by it for 300 ms.
void settle(WindowSession& s) {
  ui::fit_to_screen(s.window);
  if (!s.show() ||
      !QTest::qWaitFor([&s] { return s.window.windowHandle()->frameMargins().top() > 0; }))
    fault(u"the window was not shown or not framed"_qs);
  for (QRect last; last != s.window.frameGeometry(); QTest::qWait(300))
    last = s.window.frameGeometry();
}

// The window's title, place, size, frame and size hints as the X server has them.
QString seen_by_x_server(WId window) {
  QProcess x;
  x.start(u"sh"_qs, {u"-c"_qs,
                     u"xwininfo -id $0 | grep -E 'Absolute|Width|Height'; "
                     u"xprop -id $0 WM_NAME _NET_FRAME_EXTENTS WM_NORMAL_HINTS"_qs,
                     QString::number(window)});
  x.waitForFinished();
  return QString::fromLocal8Bit(x.readAllStandardOutput());
}

// Every control's box in the form, places and sizes that may leave no
// trace in a picture (a label wider than its left-aligned caption).
QString control_boxes(QWidget& window) {
  QString boxes;
  for (const ui::ControlRow& row : ui::kControlTable)
    if (const auto* control = window.findChild<QWidget*>(ui::qstring(row.name)))
      QDebug(&boxes).nospace() << control->objectName() << ' ' << control->geometry() << '\n';
  return boxes;
}

QString qr_code_in(QWidget& widget) {
  const QString file = output.filePath(u"qr-code.png"_qs);
  widget.grab().save(file);
  QProcess zbarimg;
  zbarimg.start(u"zbarimg"_qs, {u"--raw"_qs, u"-q"_qs, file});
  zbarimg.waitForFinished(20000);
  return QString::fromUtf8(zbarimg.readAllStandardOutput()).trimmed();
}

void check_state(WindowSession& s, const QString& name, const QString& steps) {
  if (!enter(s.calculator.form(), steps)) return fault(name + u": a step was refused"_qs);
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();  // no text cursor
  QCoreApplication::processEvents();
  for (const ui::ControlRow& row : ui::kControlTable) {
    auto* control = s.window.findChild<QWidget*>(ui::qstring(row.name));
    const auto cut = control != nullptr ? cut_text(row.kind, control) : u"missing"_qs;
    if (cut) fault(QStringLiteral("%1: %2: %3").arg(name, ui::qstring(row.name), *cut));
  }
  // After the full entry the focus is on the last control, which a
  // scrolling window must bring into view.
  if (steps == kEverything)
    s.window.findChild<QWidget*>(u"Morvith"_qs)->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  check_picture(name, s.window.grab().toImage());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each fault out before a sanitizer's report
  remake = argc > 1 && QByteArray(argv[1]) == "--remake";
  char** arg = argv + (remake ? 1 : 0);
  QApplication app(argc, argv);
  if (argc != (remake ? 6 : 5) || QGuiApplication::platformName() != u"xcb"_qs) return 2;
  QApplication::setPalette(QApplication::setStyle(u"Fusion"_qs)->standardPalette());
  QCursor::setPos(0, 0);  // a pointer over a control draws it hovered
  ui::install_song_face_substitutes();
  references = QDir(QString::fromLocal8Bit(arg[2]) + u"/"_qs + QString::fromLocal8Bit(arg[1]));
  output = QDir(QString::fromLocal8Bit(arg[3]));
  if (!references.mkpath(u"."_qs) || !output.mkpath(u"."_qs)) return 2;
  WindowSession s;
  s.clock.fix_year(2026);
  settle(s);
  for (const auto& [name, steps] : kStates) check_state(s, name, steps);
  // The X window and the QR codes last: the QR-code window takes the focus.
  const QString address = QString::fromUtf8(arg[4]);
  check_text(u"x-window.txt"_qs, seen_by_x_server(s.window.winId()));
  check_text(u"../control-boxes.txt"_qs, control_boxes(s.window));
  if (qr_code_in(*s.window.findChild<QWidget*>(u"Picture1"_qs)) != address)
    fault(u"the window's QR code does not read "_qs + address);
  ui::QrCodeWindow qr(&s.window);
  qr.show();
  if (!QTest::qWaitForWindowExposed(&qr) || qr_code_in(qr) != address)
    fault(u"the QR-code window's code does not read "_qs + address);
  check_picture(u"qr-code-window"_qs, qr.grab().toImage());
  return faults == 0 ? 0 : 1;
}
