// What the program says before its window opens: the help, the version, a
// wrong command line, and a display it cannot use. One line each, except
// the help; the Qt layer only decides which one applies and prints it.
#pragma once

#include <string>
#include <string_view>

namespace varostel {

// "varostel 0.1.5": the whole output of --version.
[[nodiscard]] std::string version_line();

// The output of --help: what the program is, its options, and what it needs.
[[nodiscard]] std::string help_text();

// One line for a command line the program cannot follow, exit status 2.
[[nodiscard]] std::string unknown_option_line(std::string_view option);
[[nodiscard]] std::string stray_argument_line(std::string_view argument);
[[nodiscard]] std::string bad_command_line_line(std::string_view reason);

// The display settings the program starts with, as the environment has them
// (empty when unset).
struct DisplaySettings {
  std::string display;          // DISPLAY
  std::string wayland_display;  // WAYLAND_DISPLAY
  std::string platform;         // QT_QPA_PLATFORM
};

// Why no window can open.
enum class DisplayProblem {
  NotSet,              // nothing names a display: found before Qt starts
  Unreachable,         // DISPLAY names an X server that does not let us in
  X11WithoutDisplay,   // the X11 platform was to be used, DISPLAY is unset
  UnknownPlatform,     // QT_QPA_PLATFORM names no installed platform
  WaylandUnsupported,  // only a Wayland display, and no Wayland platform
  PlatformFailed,      // the platform failed in another way
};

// What Qt reported while its platform failed to start, as far as it tells
// the problems apart.
struct PlatformFailureSigns {
  std::string missing_platform;        // the first platform with no plugin
  bool display_not_connected = false;  // the X11 platform could not connect
};

// True when nothing names a display, so Qt need not even be tried.
[[nodiscard]] bool no_display_named(const DisplaySettings& settings);

[[nodiscard]] DisplayProblem classify_platform_failure(const DisplaySettings& settings,
                                                       const PlatformFailureSigns& signs);

// The one line for `problem`; `command` is how the program was started
// (argv[0]), for the way to start it again where a display can be used.
[[nodiscard]] std::string display_problem_line(DisplayProblem problem,
                                               const DisplaySettings& settings,
                                               std::string_view command,
                                               const PlatformFailureSigns& signs = {});

}  // namespace varostel
