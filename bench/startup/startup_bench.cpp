// Times two window programs from their start to their first painted frame,
// taking turns, and prints each one's median and their ratio.
//
// Usage: varostel_startup_bench RUNS PROGRAM BASELINE
// Both programs carry first_frame_probe.cpp, which prints the moment of the
// first frame on the monotonic clock (std::chrono::steady_clock) and ends.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Start {
  double wall_ms;  // from just before the start to the reported first frame
  double cpu_ms;   // the program's user and system time, less hurt by a busy machine
};

double milliseconds(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

std::optional<Start> time_to_first_frame(const char* program) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  char* const argv[] = {const_cast<char*>(program), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  if (spawned != 0) {
    close(pipe_ends[0]);
    return std::nullopt;
  }
  std::string output;
  std::array<char, 256> buffer{};
  ssize_t got = 0;
  while ((got = read(pipe_ends[0], buffer.data(), buffer.size())) > 0)
    output.append(buffer.data(), got);
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  long long frame_ns = 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(output.c_str(), "first-frame %lld", &frame_ns) != 1) {
    return std::nullopt;
  }
  const long long start_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
  return Start{static_cast<double>(frame_ns - start_ns) / 1e6,
               milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM BASELINE\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::array<const char*, 2> programs = {argv[2], argv[3]};
  std::array<std::vector<double>, 2> times;
  std::array<std::vector<double>, 2> cpu_times;
  // One unmeasured start each first, so that both find their libraries,
  // fonts and pictures in the page cache.
  for (const char* program : programs) {
    if (!time_to_first_frame(program)) {
      std::fprintf(stderr, "%s did not report a first frame\n", program);
      return 1;
    }
  }
  for (int run = 0; run < runs; ++run) {
    // Taking turns, and swapping who goes first, spreads any drift of the
    // machine evenly over both.
    for (int turn = 0; turn < 2; ++turn) {
      const int which = (run % 2 == 0) ? turn : 1 - turn;
      const std::optional<Start> start = time_to_first_frame(programs[which]);
      if (!start) {
        std::fprintf(stderr, "%s did not report a first frame\n", programs[which]);
        return 1;
      }
      times[which].push_back(start->wall_ms);
      cpu_times[which].push_back(start->cpu_ms);
    }
  }
  const double program_ms = median(times[0]);
  const double baseline_ms = median(times[1]);
  std::printf("start-up to first frame, median of %d runs each, taking turns:\n", runs);
  std::printf("  %-40s %7.1f ms (fastest %.1f, slowest %.1f)\n", "the calculator", program_ms,
              *std::min_element(times[0].begin(), times[0].end()),
              *std::max_element(times[0].begin(), times[0].end()));
  std::printf("  %-40s %7.1f ms (fastest %.1f, slowest %.1f)\n", "a bare window with one CJK label",
              baseline_ms, *std::min_element(times[1].begin(), times[1].end()),
              *std::max_element(times[1].begin(), times[1].end()));
  std::printf("  ratio %.3f (aim: at most 1.15)\n", program_ms / baseline_ms);
  const double program_cpu = median(cpu_times[0]);
  const double baseline_cpu = median(cpu_times[1]);
  std::printf(
      "CPU time to the first frame (user + system), medians: %.1f ms and %.1f ms, ratio %.3f\n",
      program_cpu, baseline_cpu, program_cpu / baseline_cpu);
  return 0;
}
