// varostel: the points calculator's window. Takes no arguments.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "calculator/calculator.h"
#include "model/clock.h"
#include "ui/desktop_page_opener.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/message_filter.h"
#include "ui/qr_code_window.h"
#include "ui/screen_fit.h"
#include "ui/version.h"

namespace {

bool has_environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Without a display Qt would abort with a long message; one clear line
// saying what to do serves the user better.
bool display_available() {
  return has_environment("QT_QPA_PLATFORM") || has_environment("DISPLAY") ||
         has_environment("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!display_available()) {
    // xvfb-run keeps an invisible window open until it is ended, so the way
    // to merely see the window is a picture of it.
    std::cerr << "varostel: no display (DISPLAY is not set); under xvfb-run -a " << argv[0]
              << " it runs invisibly until you end it; in the source folder, "
                 "scripts/screenshot saves a picture of the window\n";
    return 1;
  }
  // Qt warns on its own when it finds no browser; the page opener then says
  // so in one line of its own, with the address.
  varostel::ui::drop_qt_messages_starting_with({QStringLiteral("Unable to detect a web browser")});
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varostel"));
  QApplication::setApplicationVersion(QStringLiteral(VAROSTEL_VERSION));
  // The name of the installed desktop entry, io.github.varostel.Varostel.desktop.
  QApplication::setDesktopFileName(QStringLiteral("io.github.varostel.Varostel"));
  QApplication::setWindowIcon(varostel::ui::program_icon());
  varostel::ui::install_song_face_substitutes();

  varostel::ui::DesktopPageOpener opener;
  const varostel::SystemClock clock;
  varostel::Calculator calculator(opener, clock);
  varostel::ui::MainWindow window(calculator.form());
  varostel::ui::QrCodeWindow qr_code_window(&window);
  opener.set_failure_report(
      [&window](const std::string& address) { window.show_unopened_address(address); });

  varostel::ui::fit_to_screen(window);
  window.show();
  return QApplication::exec();
}
