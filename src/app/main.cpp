// varostel: the points calculator's window. Its only options are --help
// and --version.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <cstdlib>
#include <string_view>

#include "app/command_line.h"
#include "app/platform_failure.h"
#include "calculator/calculator.h"
#include "view/font_notice.h"
#include "view/start_up_texts.h"
#include "model/clock.h"
#include "ui/desktop_page_opener.h"
#include "ui/field_notes_view.h"
#include "ui/first_paint.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/message_filter.h"
#include "ui/qr_code_window.h"
#include "ui/qt_texts.h"
#include "ui/screen_fit.h"
#include "version.h"

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// C's streams, not iostreams: a program that includes <iostream> builds
// the eight standard stream objects and their locales at every start.
void write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

QStringList arguments_of(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  // Before any QApplication, which would need a display.
  const varostel::app::CommandLineOutcome command_line =
      varostel::app::read_command_line(arguments_of(argc, argv));
  if (!command_line.open_window) {
    write(stdout, command_line.out);
    write(stderr, command_line.err);
    return command_line.exit_status;
  }
  const varostel::DisplaySettings display{environment("DISPLAY"), environment("WAYLAND_DISPLAY"),
                                          environment("QT_QPA_PLATFORM")};
  if (varostel::no_display_named(display)) {
    // Without a display Qt would abort with a long message; one clear line
    // saying what to do serves the user better.
    write(stderr, varostel::display_problem_line(varostel::DisplayProblem::NotSet, display, argv[0]));
    return 1;
  }
  // Qt warns on its own when it finds no browser; the page opener then says
  // so in one line of its own, with the address.
  varostel::ui::drop_qt_messages_starting_with({QStringLiteral("Unable to detect a web browser")});
  // A display that is named but cannot be used shows only when Qt tries it.
  varostel::app::catch_platform_failure(display, argv[0]);
  QApplication app(argc, argv);
  varostel::app::platform_started();
  QApplication::setApplicationName(QStringLiteral("Varostel"));
  QApplication::setApplicationVersion(QStringLiteral(VAROSTEL_VERSION));
  // The name of the installed desktop entry, io.github.varostel.Varostel.desktop.
  QApplication::setDesktopFileName(QStringLiteral("io.github.varostel.Varostel"));
  // Without the translation Qt's few texts stay English; the form is whole.
  [[maybe_unused]] const bool chinese_qt_texts = varostel::ui::load_qt_chinese_texts();
  varostel::ui::install_song_face_substitutes();
  varostel::ui::DesktopPageOpener opener;
  const varostel::SystemClock clock;
  varostel::Calculator calculator(opener, clock);
  varostel::ui::MainWindow window(calculator.form());
  const varostel::ui::FieldNotesView notes_view(window, calculator.notes());
  std::unique_ptr<varostel::ui::QrCodeWindow> qr_code_window;
  opener.set_failure_report(
      [&window](const std::string& address) { window.show_unopened_address(address); });

  varostel::ui::fit_to_screen(window);
  // What the first frame does not draw waits until it is on the screen: the
  // icon (a taskbar takes it when it comes), the QR-code window nothing
  // shows, and the question whether any face has Chinese glyphs, which
  // opens every Chinese face and only adds a line to standard error.
  varostel::ui::after_first_paint(window, [&window, &qr_code_window] {
    QApplication::setWindowIcon(varostel::ui::program_icon());
    qr_code_window = std::make_unique<varostel::ui::QrCodeWindow>(&window);
    if (!varostel::ui::has_cjk_face()) write(stderr, varostel::kNoCjkFaceLine);
  });
  window.show();
  return QApplication::exec();
}
