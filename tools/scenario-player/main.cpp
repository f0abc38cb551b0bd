// varostel-scenarios: plays scenario files against the calculator, with
// --ui against the real main window or with --web on the web page in
// headless Chromium, and reports every mismatch. Exit status 0 when all
// pass, 1 when any fails, 2 when the arguments or the page cannot be used.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "scenario-player/model_driver.h"
#include "scenario-player/scenario_runner.h"
#include "scenario-player/web_driver.h"

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

constexpr const char* kDefaultPage = "build/web/index.html";
// Starting the browser and loading the page take the longest; a step is
// answered in well under a second.
constexpr std::chrono::seconds kWebPatience{60};

void print_usage(std::ostream& out) {
  out << "usage: varostel-scenarios [--ui | --web [--page PATH]] FILE_OR_DIR...\n"
         "Plays each scenario file (a directory: its *.scn files, sorted by name)\n"
         "against a fresh calculator and reports every mismatch. With --ui each\n"
         "scenario runs on the real main window, through input events (Qt's\n"
         "offscreen platform unless QT_QPA_PLATFORM says otherwise). With --web\n"
         "each runs on a fresh load of the web page in headless Chromium, through\n"
         "input events; --page names the page (default "
      << kDefaultPage << ").\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  bool on_window = false;
  bool on_page = false;
  std::string page;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      print_usage(std::cout);
      return kAllPassed;
    }
    if (argument == "--ui") {
      on_window = true;
    } else if (argument == "--web") {
      on_page = true;
    } else if (argument == "--page" && i + 1 < argc) {
      page = argv[++i];
    } else if (argument.starts_with("-")) {
      std::cerr << "varostel-scenarios: " << (argument == "--page" ? "--page needs a path" :
                                              "unknown option " + argument)
                << '\n';
      print_usage(std::cerr);
      return kUnusableArguments;
    } else {
      arguments.push_back(argument);
    }
  }
  if (arguments.empty() || (on_window && on_page) || (!page.empty() && !on_page)) {
    if (on_window && on_page) std::cerr << "varostel-scenarios: --ui or --web, not both\n";
    if (!page.empty() && !on_page) std::cerr << "varostel-scenarios: --page goes with --web\n";
    print_usage(std::cerr);
    return kUnusableArguments;
  }

  const auto files = varostel::collect_scenario_files(arguments, std::cerr);
  if (!files) return kUnusableArguments;

  varostel::DriverFactory make_driver = varostel::make_model_driver;
  std::unique_ptr<varostel::WebSession> browser;
  if (on_page) {
    std::error_code error;
    const auto path = std::filesystem::absolute(page.empty() ? kDefaultPage : page, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
      std::cerr << "varostel-scenarios: no web page at " << path.string()
                << " (scripts/web builds it)\n";
      return kUnusableArguments;
    }
    browser = std::make_unique<varostel::WebSession>(
        std::vector<std::string>{"node", VAROSTEL_WEB_DRIVER, path.string()}, kWebPatience);
    if (!browser->greeting().ok()) {
      std::cerr << "varostel-scenarios: the web page cannot be played: "
                << browser->greeting().error << '\n';
      return kUnusableArguments;
    }
    make_driver = [&session = *browser] { return varostel::make_web_driver(session); };
  }
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
