// Reads the program's command line before any window system is touched, so
// that --help and --version work without a display.
#pragma once

#include <QStringList>
#include <string>

namespace varostel::app {

// What to do after reading the command line: open the window, or print
// `out` and `err` and end with `exit_status`.
struct CommandLineOutcome {
  bool open_window = true;
  int exit_status = 0;
  std::string out;
  std::string err;
};

// `arguments` as the program got them, its own name first.
[[nodiscard]] CommandLineOutcome read_command_line(const QStringList& arguments);

}  // namespace varostel::app
