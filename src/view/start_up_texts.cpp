#include "view/start_up_texts.h"

#include "version.h"

namespace varostel {
namespace {

constexpr std::string_view kProgram = "varostel";

std::string quoted(std::string_view text) {
  std::string out = "'";
  out.append(text).append(1, '\'');
  return out;
}

// Every display problem ends with what someone who installed the program
// can do: find a display, or score the clients without a window.
constexpr std::string_view kWithoutWindow = "; varostel-score scores lists without a window";

std::string how_to_run(std::string_view command) {
  return "; start " + std::string(command) +
         " in a desktop session, or set DISPLAY to an X display you may use" +
         std::string(kWithoutWindow);
}

}  // namespace

std::string version_line() { return std::string(kProgram) + " " VAROSTEL_VERSION "\n"; }

std::string help_text() {
  return "Usage: varostel [OPTION]\n"
         "Varostel " VAROSTEL_VERSION
         ": a points calculator for household-registration admission.\n"
         "Opens a window that scores an application as its fields are filled in.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help and exit\n"
         "  -v, --version  show the version and exit\n"
         "\n"
         "Without an option it opens the window, which needs a display (DISPLAY or\n"
         "WAYLAND_DISPLAY). Without one it says so and exits with status 1;\n"
         "varostel-score scores lists of clients without a window.\n"
         "Exit status: 0 when the window is closed or after --help and --version,\n"
         "1 without a usable display, 2 for an option it does not know.\n";
}

std::string unknown_option_line(std::string_view option) {
  return std::string(kProgram) + ": unknown option " + quoted(option) +
         "; varostel --help lists the options\n";
}

std::string stray_argument_line(std::string_view argument) {
  return std::string(kProgram) + ": takes no arguments, but was given " + quoted(argument) +
         "; varostel --help lists the options\n";
}

std::string bad_command_line_line(std::string_view reason) {
  return std::string(kProgram) + ": " + std::string(reason) +
         "; varostel --help lists the options\n";
}

bool no_display_named(const DisplaySettings& settings) {
  return settings.display.empty() && settings.wayland_display.empty() && settings.platform.empty();
}

DisplayProblem classify_platform_failure(const DisplaySettings& settings,
                                         const PlatformFailureSigns& signs) {
  // A platform the user asked for by name and that is not there comes first:
  // no connection was even tried with it.
  if (!settings.platform.empty() && !signs.missing_platform.empty()) {
    return DisplayProblem::UnknownPlatform;
  }
  // Qt tries Wayland first where WAYLAND_DISPLAY is set, then X11.
  if (signs.missing_platform == "wayland" && !settings.wayland_display.empty() &&
      settings.display.empty()) {
    return DisplayProblem::WaylandUnsupported;
  }
  if (signs.display_not_connected) {
    return settings.display.empty() ? DisplayProblem::X11WithoutDisplay
                                    : DisplayProblem::Unreachable;
  }
  return DisplayProblem::PlatformFailed;
}

std::string display_problem_line(DisplayProblem problem, const DisplaySettings& settings,
                                 std::string_view command, const PlatformFailureSigns& signs) {
  const std::string prefix = std::string(kProgram) + ": ";
  const std::string platform_setting = "QT_QPA_PLATFORM=" + settings.platform;
  std::string what;
  switch (problem) {
    case DisplayProblem::NotSet:
      what = "no display (DISPLAY is not set)";
      break;
    case DisplayProblem::Unreachable:
      what = "cannot connect to the display " + settings.display +
             " (DISPLAY is set, but no X server there lets the program in)";
      break;
    case DisplayProblem::X11WithoutDisplay:
      what = settings.platform.empty()
                 ? "no display (DISPLAY is not set, and the X11 platform needs it)"
                 : "no display (" + platform_setting + " needs DISPLAY, which is not set)";
      break;
    case DisplayProblem::UnknownPlatform:
      // xvfb-run alone would not help while the setting stays.
      return prefix + "no display platform " +
             quoted(signs.missing_platform.empty() ? settings.platform : signs.missing_platform) +
             " is installed (" + platform_setting +
             "); unset QT_QPA_PLATFORM to use the desktop's display" + std::string(kWithoutWindow) +
             "\n";
    case DisplayProblem::WaylandUnsupported:
      what = "cannot use the Wayland display " + settings.wayland_display +
             " (Qt's Wayland platform, Debian package qt6-wayland, is not installed, and DISPLAY "
             "is not set)";
      break;
    case DisplayProblem::PlatformFailed:
      what = "the display platform could not start (" +
             (!settings.platform.empty()  ? platform_setting
              : !settings.display.empty() ? "DISPLAY=" + settings.display
                                          : "WAYLAND_DISPLAY=" + settings.wayland_display) +
             "; Qt's messages follow)";
      break;
  }
  return prefix + what + how_to_run(command) + "\n";
}

}  // namespace varostel
