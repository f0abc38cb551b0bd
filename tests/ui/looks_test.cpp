// The main window's looks, pixel by pixel, against committed reference
// pictures: at start-up, after a full entry with its verdict, after a reset,
// and the outline of every control's box on a blank page (places and sizes
// that leave no trace in the window, such as a label one pixel wider than
// its left-aligned caption).
//
//   looks_test REFERENCE-DIR OUTPUT-DIR   renders each picture afresh and
//       compares it with REFERENCE-DIR/NAME.png; where they differ it writes
//       OUTPUT-DIR/NAME.png and OUTPUT-DIR/NAME-diff.png and prints both.
//       Exit status 0 when every picture matches, 1 otherwise.
//   looks_test --write REFERENCE-DIR      renders and overwrites the pictures.
//
// It needs a real X server (run it under xvfb-run) and pins everything else
// that decides the pixels itself: the xcb platform, the only fonts
// fontconfig may offer, the Fusion style and its palette, scale 1 at 96 dots
// per inch, a cursor that does not blink, the pointer off the window and the
// calendar year.
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "support/window_session.h"
#include "view/control_table.h"
#include "ui/fonts.h"

namespace {

using varostel::field_id;
using varostel::WindowSession;

// A picture matches when no more than kPixelBudget pixels differ from the
// reference's by more than kChannelTolerance in red, green or blue. The same
// build draws identical pixels every time; the slack only absorbs a font
// rasteriser rounding an edge differently. The smallest change that matters
// moves far more: a control one pixel wider or higher moves a whole outline
// edge (34 pixels or more, the smallest control being 17 pixels high and 20
// wide), an underline dropped from the site link changes 35 pixels, and a
// score's red a shade darker fails every score value.
constexpr int kChannelTolerance = 8;
constexpr qsizetype kPixelBudget = 8;

constexpr QRgb kOutlineColour = qRgb(0, 0, 0);
constexpr QRgb kDifferenceColour = qRgb(255, 0, 255);

const char kXvfbCommand[] = "xvfb-run -a -s \"-screen 0 1280x1024x24 -dpi 96\"";

void pin_rendering_environment() {
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("FONTCONFIG_FILE", VAROSTEL_LOOKS_FONTS_CONF);
  qputenv("QT_SCALE_FACTOR", "1");
  qputenv("QT_FONT_DPI", "96");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Nothing drawn needs a session bus; without one named, libdbus would try
  // to start one for the X display.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  // A desktop's theme would bring its own palette, style or scale.
  for (const char* name :
       {"QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_STYLE_OVERRIDE",
        "QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"}) {
    qunsetenv(name);
  }
}

void pin_application_looks() {
  QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
  QApplication::setStyle(fusion);
  QApplication::setPalette(fusion->standardPalette());
  QApplication::setCursorFlashTime(0);
  varostel::ui::install_song_face_substitutes();
  // A pointer over a button or box would draw it hovered.
  QCursor::setPos(0, 0);
}

// What differs from the set-up the references were drawn in, or nothing.
std::optional<QString> rendering_mismatch() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    return QStringLiteral("platform %1 instead of xcb").arg(QGuiApplication::platformName());
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen->logicalDotsPerInch() != 96 || screen->devicePixelRatio() != 1 ||
      screen->depth() != 24) {
    return QStringLiteral("a screen of %1 dpi, pixel ratio %2 and depth %3 instead of 96, 1 and 24")
        .arg(screen->logicalDotsPerInch())
        .arg(screen->devicePixelRatio())
        .arg(screen->depth());
  }
  using varostel::ui::FontCode;
  for (const FontCode code : {FontCode::Default, FontCode::Large, FontCode::Medium, FontCode::Small,
                              FontCode::SmallUnderlined}) {
    const QString family = QFontInfo(varostel::ui::control_font(code)).family();
    if (family != QLatin1String("AR PL UMing CN")) {
      return QStringLiteral(
                 "the Song face is drawn with %1 instead of AR PL UMing CN "
                 "(package fonts-arphic-uming)")
          .arg(family);
    }
  }
  return std::nullopt;
}

// --- The states drawn ---------------------------------------------------

bool leave_as_started(WindowSession&) { return true; }

// Something in every part of the window: an education, an 18-digit
// identity number read, a residence permit with its days, childbirth,
// months in every fund and the employer's application, and the verdict.
bool enter_everything(WindowSession& s) {
  varostel::Form& form = s.calculator.form();
  bool taken = form.choose(field_id("选择学历"), "全日制本科有学位") &&
               form.choose(field_id("房产状况"), "居住证") &&
               form.choose(field_id("生育状况"), "政策内生育");
  const std::pair<varostel::FieldId, const char*> typed[] = {{field_id("ID"), "110101198501021234"},
                                                             {field_id("居住时长"), "1095"},
                                                             {field_id("养老月数"), "36"},
                                                             {field_id("医疗月数"), "48"},
                                                             {field_id("工伤月数"), "24"},
                                                             {field_id("生育险月数"), "12"},
                                                             {field_id("失业月数"), "6"}};
  for (const auto& [box, text] : typed) taken = form.edit(box, text) && taken;
  form.click(field_id("身份证解读"));
  form.click(field_id("公司申办"));
  return taken;
}

bool reset_after_everything(WindowSession& s) {
  const bool taken = enter_everything(s);
  s.calculator.form().click(field_id("重置"));
  return taken;
}

struct State {
  const char* name;  // the picture's file name, without ".png"
  bool (*enter)(WindowSession&);
  bool outlines;
};

constexpr State kStates[] = {
    {"start-up", leave_as_started, false},
    {"full-entry", enter_everything, false},
    {"after-reset", reset_after_everything, false},
    {"outlines", leave_as_started, true},
};

// Every control's box, one pixel wide, where the window placed it, on a
// blank page of the window's size.
[[nodiscard]] QImage outlines(const QWidget& window) {
  QImage picture(window.size(), QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(QColor(kOutlineColour));
  for (const varostel::ui::ControlRow& control : varostel::ui::kControlTable) {
    const auto* widget = window.findChild<const QWidget*>(
        QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
    if (widget == nullptr) continue;  // its absence shows as a missing box
    const QRect box(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  return picture;
}

void print(const QString& line) { std::printf("%s\n", qPrintable(line)); }

// The window in a state, as it draws itself (an inactive window would be
// drawn in other colours); nothing, after saying why, when it cannot be.
[[nodiscard]] std::optional<QImage> render(const State& state) {
  WindowSession session;
  session.clock.fix_year(2026);
  const bool entered = session.show() && state.enter(session);
  QCoreApplication::processEvents();
  if (!entered || !session.window.isActiveWindow()) {
    print(QStringLiteral("%1: cannot draw: the window is not active or refused an entry")
              .arg(state.name));
    return std::nullopt;
  }
  if (state.outlines) return outlines(session.window);
  return session.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// --- Comparing ----------------------------------------------------------

struct Comparison {
  qsizetype beyond_tolerance = 0;  // pixels
  int largest = 0;                 // channel difference
  QImage picture;                  // the reference, washed out, differences marked
};

[[nodiscard]] Comparison compare(const QImage& fresh, const QImage& reference) {
  Comparison result;
  result.picture = QImage(reference.size(), QImage::Format_RGB32);
  for (int y = 0; y < reference.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(fresh.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(result.picture.scanLine(y));
    for (int x = 0; x < reference.width(); ++x) {
      const int difference =
          std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                    std::abs(qBlue(a[x]) - qBlue(b[x]))});
      result.largest = std::max(result.largest, difference);
      const int grey = 192 + qGray(b[x]) / 4;
      out[x] = difference > kChannelTolerance ? kDifferenceColour : qRgb(grey, grey, grey);
      result.beyond_tolerance += difference > kChannelTolerance ? 1 : 0;
    }
  }
  return result;
}

// Compares one fresh picture; on a difference saves it and the difference
// picture to `output` and names them. Returns whether it matched.
[[nodiscard]] bool check(const char* name, const QImage& fresh, const QDir& references,
                         const QDir& output) {
  const QString reference_path = references.filePath(QStringLiteral("%1.png").arg(name));
  const QString fresh_path = output.filePath(QStringLiteral("%1.png").arg(name));
  const QString diff_path = output.filePath(QStringLiteral("%1-diff.png").arg(name));
  const QImage reference = QImage(reference_path).convertToFormat(QImage::Format_RGB32);

  QString verdict;
  Comparison comparison;
  if (reference.size() != fresh.size()) {
    verdict = QStringLiteral("%1 is missing or not %2 by %3 pixels")
                  .arg(reference_path)
                  .arg(fresh.width())
                  .arg(fresh.height());
  } else {
    comparison = compare(fresh, reference);
    const QString counts = QStringLiteral("%1 pixels differ by more than %2; largest difference %3")
                               .arg(comparison.beyond_tolerance)
                               .arg(kChannelTolerance)
                               .arg(comparison.largest);
    if (comparison.beyond_tolerance <= kPixelBudget) {
      print(QStringLiteral("%1: matches (%2)").arg(name, counts));
      QFile::remove(fresh_path);  // a former run's, no longer true
      QFile::remove(diff_path);
      return true;
    }
    verdict = QStringLiteral("%1 (at most %2 may)").arg(counts).arg(kPixelBudget);
  }
  print(QStringLiteral("%1: DIFFERS: %2").arg(name, verdict));
  if (!QDir().mkpath(output.path()) || !fresh.save(fresh_path, "PNG")) {
    print(QStringLiteral("  could not write %1").arg(fresh_path));
    return false;
  }
  print(QStringLiteral("  fresh rendering: %1").arg(fresh_path));
  if (!comparison.picture.isNull() && comparison.picture.save(diff_path, "PNG")) {
    print(QStringLiteral("  differences (in magenta): %1").arg(diff_path));
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: looks_test REFERENCE-DIR OUTPUT-DIR | --write REFERENCE-DIR\n");
    return 2;
  }
  const bool write = QByteArray(argv[1]) == "--write";
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each verdict out before a sanitizer's report
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::fprintf(stderr, "looks_test: no X display; run it under %s\n", kXvfbCommand);
    return 2;
  }
  pin_rendering_environment();
  QApplication app(argc, argv);
  pin_application_looks();
  if (const std::optional<QString> mismatch = rendering_mismatch()) {
    std::fprintf(stderr, "looks_test: cannot draw as the references were: %s\n",
                 qPrintable(*mismatch));
    return 1;
  }

  const QDir references(QString::fromLocal8Bit(write ? argv[2] : argv[1]));
  const QDir output(QString::fromLocal8Bit(argv[2]));
  int failed = 0;
  for (const State& state : kStates) {
    const std::optional<QImage> picture = render(state);
    if (!picture) {
      ++failed;
    } else if (write) {
      const QString path = references.filePath(QStringLiteral("%1.png").arg(state.name));
      const bool saved = QDir().mkpath(references.path()) && picture->save(path, "PNG", 0);
      print(QStringLiteral("%1 %2").arg(saved ? "wrote" : "could not write", path));
      failed += saved ? 0 : 1;
    } else if (!check(state.name, *picture, references, output)) {
      ++failed;
    }
  }
  if (!write) {
    print(QStringLiteral("%1 of %2 pictures match")
              .arg(std::size(kStates) - failed)
              .arg(std::size(kStates)));
  }
  return failed == 0 ? 0 : 1;
}
