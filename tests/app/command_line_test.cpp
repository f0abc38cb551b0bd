// The command line is read before any display is opened: which arguments open
// the window, which print and end, and with what status.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "view/start_up_texts.h"

namespace varostel::app {
namespace {

TEST(CommandLine, OpensTheWindowOrPrintsAndEndsBeforeAnyWindow) {
  EXPECT_TRUE(read_command_line({QStringLiteral("varostel")}).open_window);
  const struct {
    const char* name;
    QStringList arguments;  // after the program's name
    int status;
    std::string out;
    const char* error_says;  // what the one error line quotes back
  } rows[] = {
      {"--help", {"--help"}, 0, help_text(), ""},
      {"-h", {"-h"}, 0, help_text(), ""},
      {"--version", {"--version"}, 0, version_line(), ""},
      {"-v", {"-v"}, 0, version_line(), ""},
      {"help before version wins", {"--help", "--version"}, 0, help_text(), ""},
      {"help after version still wins", {"--version", "--help"}, 0, help_text(), ""},
      {"unknown long option", {"--nosuch"}, 2, "", "unknown option '--nosuch'"},
      {"unknown short option", {"-x"}, 2, "", "'-x'"},
      {"Qt's own option is one word", {"-platform", "xcb"}, 2, "", "'-platform'"},
      {"unknown option with a value", {"--size=3"}, 2, "", "'--size'"},
      {"unknown beats help", {"--help", "--nosuch"}, 2, "", "'--nosuch'"},
      // Qt's sentence loses its full stop before the line goes on.
      {"value on a flag", {"--version=3"}, 2, "", ": Unexpected value after '--version'; "},
      {"stray argument", {"file.txt"}, 2, "", "no arguments, but was given 'file.txt'"},
      {"stray after --", {"--", "--help"}, 2, "", "'--help'"},
      {"empty argument", {""}, 2, "", "''"},
  };
  for (const auto& row : rows) {
    const CommandLineOutcome outcome =
        read_command_line(QStringList{QStringLiteral("varostel")} + row.arguments);
    EXPECT_FALSE(outcome.open_window) << row.name;
    EXPECT_EQ(outcome.exit_status, row.status) << row.name;
    EXPECT_EQ(outcome.out, row.out) << row.name;
    const std::string& err = outcome.err;  // one line, naming the culprit and the help
    EXPECT_TRUE(row.status == 0 ? err.empty()
                                : err.starts_with("varostel: ") &&
                                      err.find(row.error_says) != std::string::npos &&
                                      err.ends_with("; varostel --help lists the options\n") &&
                                      std::count(err.begin(), err.end(), '\n') == 1)
        << row.name << ": " << err;
  }
  // The help lists each option the rows show the parser accepts.
  EXPECT_TRUE(help_text().find("  -h, --help  ") != std::string::npos &&
              help_text().find("  -v, --version  ") != std::string::npos);
}

}  // namespace
}  // namespace varostel::app
