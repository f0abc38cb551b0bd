// varostel-scenarios: plays scenario files against the calculator and
// reports every mismatch. Exit status 0 when all pass, 1 when any fails,
// 2 when the arguments cannot be used.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "scenario/model_driver.h"
#include "scenario/scenario_runner.h"

namespace {

constexpr int kAllPassed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUnusableArguments = 2;

void print_usage(std::ostream& out) {
  out << "usage: varostel-scenarios FILE_OR_DIR...\n"
         "Plays each scenario file (a directory: its *.scn files, sorted by name)\n"
         "against a fresh calculator and reports every mismatch.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
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
    const auto tally = varostel::play_scenario_text(content.str(), path.string(),
                                                    varostel::make_model_driver, std::cout);
    total.passed += tally.passed;
    total.failed += tally.failed;
  }
  std::cout << total.passed << " passed, " << total.failed << " failed\n";
  if (unreadable) return kUnusableArguments;
  return total.failed == 0 ? kAllPassed : kSomeFailed;
}
