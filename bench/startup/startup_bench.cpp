// Times two window programs as a user sees them start, taking turns: from
// exec to their window's map and to its first drawing after the map (the X
// server's DAMAGE report), and their peak memory. Prints each one's medians
// and the program's ratios to the baseline.
//
// Usage: varostel_startup_bench RUNS PROGRAM PROGRAM_TITLE BASELINE BASELINE_TITLE
// on the X display in $DISPLAY, without a window manager (top-level windows
// are then the root's children). A window is known by a title containing
// the given word.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

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
  XSync(display, True);  // nothing left over from the last run
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

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fputs("usage: varostel_startup_bench RUNS PROGRAM PROGRAM_TITLE BASELINE BASELINE_TITLE\n",
               stderr);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  int damage_event = 0, damage_error = 0;
  if (display == nullptr || XDamageQueryExtension(display, &damage_event, &damage_error) == 0) {
    std::fputs("varostel_startup_bench: no X display with the DAMAGE extension\n", stderr);
    return 2;
  }
  XSetErrorHandler(ignore_errors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  // Taking turns, so that both see the same machine.
  std::array<std::vector<Start>, 2> starts;
  const std::array<char*, 2> programs = {argv[4], argv[2]};
  const std::array<const char*, 2> titles = {argv[5], argv[3]};
  for (int run = 0; run < runs; ++run) {
    for (int who = 0; who < 2; ++who) {
      const auto start = start_once(display, damage_event, programs[who], titles[who]);
      if (!start) {
        std::fprintf(stderr, "%s showed no painted window titled %s\n", programs[who], titles[who]);
        return 1;
      }
      starts[who].push_back(*start);
    }
  }
  std::array<std::array<double, 3>, 2> medians{};
  for (int who = 0; who < 2; ++who) {
    std::vector<double> map, paint, peak;
    for (const Start& start : starts[who]) {
      map.push_back(start.map_ms);
      paint.push_back(start.paint_ms);
      peak.push_back(start.peak_mib);
    }
    medians[who] = {median(map), median(paint), median(peak)};
    std::printf("%-8s %3d runs  map %6.1f ms  first drawing %6.1f ms  peak RSS %5.1f MiB\n",
                who == 0 ? "baseline" : "program", runs, medians[who][0], medians[who][1],
                medians[who][2]);
  }
  std::printf("ratio    map %.2f  first drawing %.2f  peak RSS %.2f\n",
              medians[1][0] / medians[0][0], medians[1][1] / medians[0][1],
              medians[1][2] / medians[0][2]);
  XCloseDisplay(display);
  return 0;
}
