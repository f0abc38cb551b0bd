// The lines the program prints before its window: which display problem a
// failed start is, and that each line names what is wrong and what to do.
#include "calculator/start_up_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace varostel {
namespace {

bool is_one_line(const std::string& text) {
  return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

TEST(StartUpTexts, TellsDisplayFailuresApart) {
  const struct {
    const char* name;
    DisplaySettings settings;
    PlatformFailureSigns signs;
    DisplayProblem problem;
  } rows[] = {
      {"X server not answering", {":55", "", ""}, {"", true}, DisplayProblem::Unreachable},
      {"X11 asked for, DISPLAY unset",
       {"", "", "xcb"},
       {"", true},
       DisplayProblem::X11WithoutDisplay},
      {"unknown platform asked for",
       {":0", "", "nosuch"},
       {"nosuch", false},
       DisplayProblem::UnknownPlatform},
      {"unknown platform without any display",
       {"", "", "nosuch"},
       {"nosuch", false},
       DisplayProblem::UnknownPlatform},
      {"first of a platform list missing, X11 unreachable",
       {":55", "", "nosuch;xcb"},
       {"nosuch", true},
       DisplayProblem::UnknownPlatform},
      {"Wayland only, no Wayland platform",
       {"", "wayland-0", ""},
       {"wayland", true},
       DisplayProblem::WaylandUnsupported},
      {"Wayland missing but X11 named and unreachable",
       {":55", "wayland-0", ""},
       {"wayland", true},
       DisplayProblem::Unreachable},
      {"Wayland display gone, plugin there, X11 unset",
       {"", "wayland-0", ""},
       {"", true},
       DisplayProblem::X11WithoutDisplay},
      {"no sign Qt's wording gives away",
       {":0", "", ""},
       {"", false},
       DisplayProblem::PlatformFailed},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(classify_platform_failure(row.settings, row.signs), row.problem) << row.name;
  }
}

TEST(StartUpTexts, NamesADisplayOnlyWhenOneIsSet) {
  const struct {
    const char* name;
    DisplaySettings settings;
    bool none;
  } rows[] = {
      {"all unset", {"", "", ""}, true},
      {"DISPLAY", {":0", "", ""}, false},
      {"WAYLAND_DISPLAY", {"", "wayland-0", ""}, false},
      {"QT_QPA_PLATFORM", {"", "", "offscreen"}, false},
  };
  for (const auto& row : rows) EXPECT_EQ(no_display_named(row.settings), row.none) << row.name;
}

// Each line names the setting at fault and a way to go on; the command is
// quoted back so it can be pasted after xvfb-run.
TEST(StartUpTexts, DisplayLinesSayWhatIsWrongAndWhatToDo) {
  const struct {
    const char* name;
    DisplayProblem problem;
    DisplaySettings settings;
    PlatformFailureSigns signs;
    const char* says;
    bool offers_xvfb;
  } rows[] = {
      {"not set", DisplayProblem::NotSet, {}, {}, "no display (DISPLAY is not set)", true},
      {"unreachable",
       DisplayProblem::Unreachable,
       {":55", "", ""},
       {"", true},
       "display :55",
       true},
      {"X11 without DISPLAY",
       DisplayProblem::X11WithoutDisplay,
       {"", "", "xcb"},
       {"", true},
       "QT_QPA_PLATFORM=xcb needs DISPLAY",
       true},
      {"X11 by default without DISPLAY",
       DisplayProblem::X11WithoutDisplay,
       {"", "w-0", ""},
       {"", true},
       "DISPLAY is not set",
       true},
      // xvfb-run cannot help while the unknown platform stays asked for.
      {"unknown platform",
       DisplayProblem::UnknownPlatform,
       {":0", "", "nosuch"},
       {"nosuch", false},
       "'nosuch' is installed (QT_QPA_PLATFORM=nosuch); unset QT_QPA_PLATFORM",
       false},
      {"first of a list unknown",
       DisplayProblem::UnknownPlatform,
       {":0", "", "nosuch;xcb"},
       {"nosuch", false},
       "'nosuch'",
       false},
      {"Wayland unsupported",
       DisplayProblem::WaylandUnsupported,
       {"", "wayland-1", ""},
       {"wayland", true},
       "Wayland display wayland-1 (Qt's Wayland platform, Debian package "
       "qt6-wayland",
       true},
      {"other failure, platform set",
       DisplayProblem::PlatformFailed,
       {":0", "", "xcb"},
       {},
       "(QT_QPA_PLATFORM=xcb; Qt's messages follow)",
       true},
      {"other failure, X11 by default",
       DisplayProblem::PlatformFailed,
       {":0", "", ""},
       {},
       "(DISPLAY=:0;",
       true},
      {"other failure, Wayland by default",
       DisplayProblem::PlatformFailed,
       {"", "w-2", ""},
       {},
       "(WAYLAND_DISPLAY=w-2;",
       true},
  };
  for (const auto& row : rows) {
    const std::string line = display_problem_line(row.problem, row.settings, "./prog", row.signs);
    EXPECT_TRUE(is_one_line(line)) << row.name << ": " << line;
    EXPECT_EQ(line.rfind("varostel: ", 0), 0u) << row.name << ": " << line;
    EXPECT_NE(line.find(row.says), std::string::npos) << row.name << ": " << line;
    EXPECT_NE(line.find("scripts/screenshot saves a picture of the window"), std::string::npos)
        << row.name << ": " << line;
    EXPECT_EQ(line.find("xvfb-run -a ./prog it runs") != std::string::npos, row.offers_xvfb)
        << row.name << ": " << line;
  }
}

TEST(StartUpTexts, CommandLineLinesAreOneLineNamingTheCulprit) {
  const struct {
    const char* name;
    std::string line;
    const char* says;
  } rows[] = {
      {"unknown option", unknown_option_line("--nosuch"), "unknown option '--nosuch'"},
      {"stray argument", stray_argument_line("file.txt"), "no arguments, but was given 'file.txt'"},
      {"other mistake", bad_command_line_line("Unexpected value after '--version'"),
       "varostel: Unexpected value after '--version'; "},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(is_one_line(row.line)) << row.name;
    EXPECT_NE(row.line.find(row.says), std::string::npos) << row.name << ": " << row.line;
    EXPECT_NE(row.line.find("varostel --help"), std::string::npos) << row.name;
  }
}

}  // namespace
}  // namespace varostel
