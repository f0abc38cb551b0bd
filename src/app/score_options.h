// varostel-score's command line, read into what to do before any file is
// touched: score a list with these options, or print and end.
#pragma once

#include <optional>
#include <string>

#include "batch/score_list.h"

namespace varostel::app {

struct ScoreArguments {
  batch::ListOptions options;
  std::string input = "-";  // "-" is standard input
  std::string output;       // standard output when empty
  bool format_given = false;
};

// With `arguments` set, score; otherwise print `out` and `err` and end with
// `exit_status` (0 for --help and --version, 2 for a command line refused).
struct ScoreCommandLine {
  std::optional<ScoreArguments> arguments;
  int exit_status = 0;
  std::string out;
  std::string err;
};

// `argv` as main() got it; getopt_long may reorder it, so the options can
// come after the file.
[[nodiscard]] ScoreCommandLine read_score_command_line(int argc, char** argv);

}  // namespace varostel::app
