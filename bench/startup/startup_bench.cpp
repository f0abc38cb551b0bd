// Times one start of a window program as a user sees it: from exec to its
// window's map and to the window's first drawing after the map (the X
// server's DAMAGE report), and its peak memory once settled. Prints
// "MAP_MS DRAWING_MS PEAK_KIB". A fresh X connection a run, so that no run
// inherits another's events; scripts/bench takes turns and the medians.
//
// Usage: varostel_startup_bench TITLE PROGRAM
// on the X display in $DISPLAY, without a window manager (top-level windows
// are then the root's children). The window is known by a title containing
// TITLE.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

namespace {

struct Start {
  double map_ms = 0;
  double paint_ms = 0;
  double peak_mib = 0;
};

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

bool titled(Display* display, Window window, const char* word) {
  char* name = nullptr;
  const bool found = XFetchName(display, window, &name) != 0 && name != nullptr &&
                     std::strstr(name, word) != nullptr;
  if (name != nullptr) XFree(name);
  return found;
}

int ignore_errors(Display*, XErrorEvent*) { return 0; }  // windows vanish as runs end

std::optional<Start> start_once(Display* display, int damage_event, char* program,
                                const char* title) {
  XSync(display, False);
  Start result;
  const auto started = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    char* arguments[] = {program, nullptr};
    execv(program, arguments);
    _exit(127);
  }
  Window target = 0;
  bool painted = false;
  while (!painted && since(started) < 20000) {
    while (XPending(display) > 0 && !painted) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify) {
        XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
      } else if (event.type == MapNotify && target == 0 &&
                 titled(display, event.xmap.window, title)) {
        target = event.xmap.window;
        result.map_ms = since(started);
      } else if (event.type == damage_event + XDamageNotify) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (target != 0 && damage.drawable == target) {
          result.paint_ms = since(started);
          painted = true;
        }
        XDamageSubtract(display, damage.damage, None, None);
      }
    }
    if (!painted) std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  // What it holds once settled, as a user's machine carries it.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(child, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!painted) return std::nullopt;
  result.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: varostel_startup_bench TITLE PROGRAM\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  int damage_event = 0, damage_error = 0;
  if (display == nullptr || XDamageQueryExtension(display, &damage_event, &damage_error) == 0) {
    std::fputs("varostel_startup_bench: no X display with the DAMAGE extension\n", stderr);
    return 2;
  }
  XSetErrorHandler(ignore_errors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const auto start = start_once(display, damage_event, argv[2], argv[1]);
  XCloseDisplay(display);
  if (!start) {
    std::fprintf(stderr, "%s showed no painted window titled %s\n", argv[2], argv[1]);
    return 1;
  }
  std::printf("%.1f %.1f %.0f\n", start->map_ms, start->paint_ms, start->peak_mib * 1024);
  return 0;
}
