// varostel-scenarios: plays scenario files against the calculator, or with
// --ui against the real main window, and reports every mismatch. Exit
// status 0 when all pass, 1 when any fails, 2 when the arguments cannot be
// used.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "scenario-player/model_driver.h"
#include "scenario-player/scenario_runner.h"

#ifdef VAROSTEL_WITH_UI
#include <QApplication>
#include <memory>

#include "scenario-player/ui_driver.h"
#include "ui/fonts.h"
#include "ui/message_filter.h"
#endif

namespace {

constexpr int kAllPassed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUnusableArguments = 2;

void print_usage(std::ostream& out) {
  out << "usage: varostel-scenarios [--ui] FILE_OR_DIR...\n"
         "Plays each scenario file (a directory: its *.scn files, sorted by name)\n"
         "against a fresh calculator and reports every mismatch. With --ui each\n"
         "scenario runs on the real main window, through input events (Qt's\n"
         "offscreen platform unless QT_QPA_PLATFORM says otherwise).\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool on_window = std::erase(arguments, "--ui") > 0;
  if (arguments.empty()) {
    print_usage(std::cerr);
    return kUnusableArguments;
  }
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") {
      print_usage(std::cout);
      return kAllPassed;
    }
    if (argument.starts_with("-")) {
      std::cerr << "varostel-scenarios: unknown option " << argument << '\n';
      print_usage(std::cerr);
      return kUnusableArguments;
    }
  }

  const auto files = varostel::collect_scenario_files(arguments, std::cerr);
  if (!files) return kUnusableArguments;

  varostel::DriverFactory make_driver = varostel::make_model_driver;
#ifdef VAROSTEL_WITH_UI
  std::unique_ptr<QApplication> application;
  if (on_window) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns on every list popup that it cannot raise
    // it or grab the keyboard; neither matters here, and the noise would
    // hide the report.
    varostel::ui::drop_qt_messages_starting_with({QStringLiteral("This plugin does not support")});
    application = std::make_unique<QApplication>(argc, argv);
    varostel::ui::install_song_face_substitutes();
    make_driver = varostel::make_ui_driver;
  }
#else
  if (on_window) {
    std::cerr << "varostel-scenarios: built without the window; --ui is not available\n";
    return kUnusableArguments;
  }
#endif

  varostel::RunTally total;
  bool unreadable = false;
  for (const auto& path : *files) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    if (in.is_open()) content << in.rdbuf();
    if (!in.is_open() || in.bad()) {
      std::cerr << path.string() << ": cannot be read\n";
      unreadable = true;
      continue;
    }
    const auto tally =
        varostel::play_scenario_text(content.str(), path.string(), make_driver, std::cout);
    total.passed += tally.passed;
    total.failed += tally.failed;
  }
  std::cout << total.passed << " passed, " << total.failed << " failed\n";
  if (unreadable) return kUnusableArguments;
  return total.failed == 0 ? kAllPassed : kSomeFailed;
}
