// The command line is read before any display is opened: which arguments open
// the window, which print and end, and with what status.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "calculator/start_up_texts.h"

namespace varostel::app {
namespace {

enum class Prints { Nothing, Help, Version, Error };

TEST(CommandLine, DecidesBeforeAnyWindow) {
  const struct {
    const char* name;
    QStringList arguments;  // after the program's name
    bool opens_window;
    int status;
    Prints prints;
    const char* error_names;  // what the error line quotes back
  } rows[] = {
      {"no arguments", {}, true, 0, Prints::Nothing, ""},
      {"--help", {"--help"}, false, 0, Prints::Help, ""},
      {"-h", {"-h"}, false, 0, Prints::Help, ""},
      {"--version", {"--version"}, false, 0, Prints::Version, ""},
      {"-v", {"-v"}, false, 0, Prints::Version, ""},
      {"help before version wins", {"--help", "--version"}, false, 0, Prints::Help, ""},
      {"help after version still wins", {"--version", "--help"}, false, 0, Prints::Help, ""},
      {"unknown long option", {"--nosuch"}, false, 2, Prints::Error, "'--nosuch'"},
      {"unknown short option", {"-x"}, false, 2, Prints::Error, "'-x'"},
      {"Qt's own option is one word", {"-platform", "xcb"}, false, 2, Prints::Error, "'-platform'"},
      {"unknown option with a value", {"--size=3"}, false, 2, Prints::Error, "'--size'"},
      {"unknown beats help", {"--help", "--nosuch"}, false, 2, Prints::Error, "'--nosuch'"},
      {"value on a flag", {"--version=3"}, false, 2, Prints::Error, "'--version'"},
      {"stray argument", {"file.txt"}, false, 2, Prints::Error, "'file.txt'"},
      {"stray after --", {"--", "--help"}, false, 2, Prints::Error, "'--help'"},
      {"empty argument", {""}, false, 2, Prints::Error, "''"},
  };
  for (const auto& row : rows) {
    const CommandLineOutcome outcome =
        read_command_line(QStringList{QStringLiteral("varostel")} + row.arguments);
    EXPECT_EQ(outcome.open_window, row.opens_window) << row.name;
    if (row.opens_window) continue;
    EXPECT_EQ(outcome.exit_status, row.status) << row.name;
    switch (row.prints) {
      case Prints::Help:
        EXPECT_EQ(outcome.out, help_text()) << row.name;
        EXPECT_EQ(outcome.err, "") << row.name;
        break;
      case Prints::Version:
        EXPECT_EQ(outcome.out, version_line()) << row.name;
        EXPECT_EQ(outcome.err, "") << row.name;
        break;
      case Prints::Error:
        EXPECT_EQ(outcome.out, "") << row.name;
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1)
            << row.name << ": " << outcome.err;
        EXPECT_NE(outcome.err.find(row.error_names), std::string::npos)
            << row.name << ": " << outcome.err;
        break;
      case Prints::Nothing:
        break;
    }
  }
}

// The help lists every option the parser accepts.
TEST(CommandLine, HelpListsEveryAcceptedOption) {
  for (const char* option : {"-h", "--help", "-v", "--version"}) {
    const CommandLineOutcome outcome =
        read_command_line({QStringLiteral("varostel"), QString::fromLatin1(option)});
    EXPECT_EQ(outcome.exit_status, 0) << option;
    EXPECT_NE(help_text().find(std::string(option) + (option[1] == '-' ? " " : ",")),
              std::string::npos)
        << option;
  }
}

}  // namespace
}  // namespace varostel::app
