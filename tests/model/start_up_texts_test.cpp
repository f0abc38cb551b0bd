// The lines the program prints when no window can open: which display problem
// a failed start is, and that its one line says what is wrong and what to do.
#include "view/start_up_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace varostel {
namespace {

using P = DisplayProblem;

// As a failed start goes: the settings (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM)
// and Qt's signs are classified, then that problem's line is printed.
TEST(StartUpTexts, DisplayProblemsAreToldApartAndSaidInOneLine) {
  const struct {
    const char* name;
    const char *display, *wayland, *platform, *missing_platform;
    bool not_connected;
    DisplayProblem problem;
    const char* says;
  } rows[] = {
      {"nothing set", "", "", "", "", false, P::NotSet, "no display (DISPLAY is not set)"},
      {"X server not answering", ":55", "", "", "", true, P::Unreachable, "display :55"},
      {"xcb asked for, DISPLAY unset", "", "", "xcb", "", true, P::X11WithoutDisplay,
       "(QT_QPA_PLATFORM=xcb needs DISPLAY"},
      {"Wayland display gone, X11 by default", "", "w-0", "", "", true, P::X11WithoutDisplay,
       "(DISPLAY is not set, and the X11 platform"},
      {"unknown platform asked for", ":0", "", "nosuch", "nosuch", false, P::UnknownPlatform,
       "'nosuch' is installed (QT_QPA_PLATFORM=nosuch); unset QT_QPA_PLATFORM"},
      {"unknown platform, no display", "", "", "nosuch", "nosuch", false, P::UnknownPlatform,
       "'nosuch'"},
      {"first of a platform list missing, X11 unreachable", ":55", "", "nosuch;xcb", "nosuch", true,
       P::UnknownPlatform, "'nosuch' is installed"},
      {"Wayland only, no Wayland platform", "", "wayland-1", "", "wayland", true,
       P::WaylandUnsupported,
       "Wayland display wayland-1 (Qt's Wayland platform, Debian package qt6-wayland"},
      {"Wayland missing, X11 named and unreachable", ":55", "wayland-0", "", "wayland", true,
       P::Unreachable, "display :55"},
      {"no sign, platform set", ":0", "", "xcb", "", false, P::PlatformFailed,
       "(QT_QPA_PLATFORM=xcb; Qt's messages follow)"},
      {"no sign, X11 by default", ":0", "", "", "", false, P::PlatformFailed, "(DISPLAY=:0;"},
      {"no sign, Wayland by default", "", "w-2", "", "", false, P::PlatformFailed,
       "(WAYLAND_DISPLAY=w-2;"},
  };
  for (const auto& row : rows) {
    const DisplaySettings settings{row.display, row.wayland, row.platform};
    const PlatformFailureSigns signs{row.missing_platform, row.not_connected};
    // Only with nothing set is the problem known before Qt is tried.
    EXPECT_EQ(no_display_named(settings), row.problem == P::NotSet) << row.name;
    if (row.problem != P::NotSet) {
      EXPECT_EQ(classify_platform_failure(settings, signs), row.problem) << row.name;
    }
    const std::string line = display_problem_line(row.problem, settings, "./prog", signs);
    const auto has = [&line](const char* part) { return line.find(part) != std::string::npos; };
    EXPECT_EQ(line.find('\n'), line.size() - 1) << row.name << ": " << line;
    EXPECT_EQ(line.rfind("varostel: ", 0), 0u) << row.name << ": " << line;
    EXPECT_TRUE(has(row.says) && has("scripts/screenshot saves a picture of the window"))
        << row.name << ": " << line;
    // xvfb-run cannot help while an unknown platform stays asked for.
    EXPECT_EQ(has("xvfb-run -a ./prog it runs"), row.problem != P::UnknownPlatform)
        << row.name << ": " << line;
  }
}

}  // namespace
}  // namespace varostel
