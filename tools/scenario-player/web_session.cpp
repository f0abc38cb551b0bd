#include "scenario-player/web_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace varostel {
namespace {

using Clock = std::chrono::steady_clock;

// How long a driver may take to close its browser once its input ends.
constexpr auto kFarewell = std::chrono::seconds(5);

std::string describe_status(int status) {
  if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "was killed by signal " + std::to_string(WTERMSIG(status));
  return "ended";
}

}  // namespace

WebSession::WebSession(const std::vector<std::string>& command, std::chrono::milliseconds patience)
    : patience_(patience) {
  // A driver that has gone must fail the next write, not end the player.
  ::signal(SIGPIPE, SIG_IGN);

  std::array<int, 2> in{-1, -1};
  std::array<int, 2> out{-1, -1};
  if (command.empty() || ::pipe2(in.data(), O_CLOEXEC) != 0 ||
      ::pipe2(out.data(), O_CLOEXEC) != 0) {
    for (int fd : {in[0], in[1], out[0], out[1]})
      if (fd >= 0) ::close(fd);
    greeting_ = broken(command.empty() ? "no driver command" : "cannot make pipes");
    return;
  }
  std::vector<char*> arguments;
  for (const std::string& argument : command) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  // Its own process group, so that a stalled driver is stopped together
  // with the browser it started.
  ::posix_spawnattr_init(&attributes);
  ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  ::posix_spawnattr_setpgroup(&attributes, 0);
  const int spawned =
      ::posix_spawnp(&child_, arguments[0], &actions, &attributes, arguments.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::posix_spawnattr_destroy(&attributes);
  ::close(in[0]);
  ::close(out[1]);
  to_child_ = in[1];
  from_child_ = out[0];
  if (spawned != 0) {
    child_ = -1;
    greeting_ = broken("cannot start " + command[0] + ": " + std::strerror(spawned));
    return;
  }
  greeting_ = receive();
}

WebSession::~WebSession() { static_cast<void>(stop()); }

WebReply WebSession::request(const nlohmann::json& request) {
  if (!broken_.empty()) return {nullptr, broken_};
  std::string line = request.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  line += '\n';
  for (std::size_t sent = 0; sent < line.size();) {
    const ssize_t written = ::write(to_child_, line.data() + sent, line.size() - sent);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return broken("the browser driver stopped taking requests");
    sent += static_cast<std::size_t>(written);
  }
  return receive();
}

WebReply WebSession::receive() {
  const auto deadline = Clock::now() + patience_;
  std::size_t end;
  while ((end = pending_.find('\n')) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd readable{from_child_, POLLIN, 0};
    const int ready = left.count() > 0 ? ::poll(&readable, 1, static_cast<int>(left.count())) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      return broken("the browser driver gave no answer within " +
                    std::to_string(patience_.count() / 1000.0).substr(0, 4) + " s");
    }
    std::array<char, 4096> buffer;
    const ssize_t got = ready < 0 ? -1 : ::read(from_child_, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return broken("the browser driver stopped: it " + stop());
    pending_.append(buffer.data(), static_cast<std::size_t>(got));
  }
  const std::string line = pending_.substr(0, end);
  pending_.erase(0, end + 1);

  const auto reply = nlohmann::json::parse(line, nullptr, false);
  if (reply.is_discarded() || !reply.is_object() || !reply.contains("ok") ||
      !reply["ok"].is_boolean()) {
    return broken("the browser driver answered out of protocol: " + line.substr(0, 200));
  }
  if (reply["ok"].get<bool>()) return {reply.value("value", nlohmann::json()), {}};
  const auto& error = reply.value("error", nlohmann::json());
  return {nullptr, error.is_string() && !error.get<std::string>().empty()
                       ? error.get<std::string>()
                       : "the browser driver failed without saying why"};
}

WebReply WebSession::broken(std::string reason) {
  if (broken_.empty()) {
    // A driver that broke the exchange is in no state to be waited for.
    if (child_ > 0) ::kill(-child_, SIGKILL);
    static_cast<void>(stop());
    broken_ = std::move(reason);
  }
  return {nullptr, broken_};
}

std::string WebSession::stop() {
  std::string ended;
  if (to_child_ >= 0) ::close(std::exchange(to_child_, -1));
  if (child_ > 0) {
    // The end of its input asks the driver to close the browser and leave;
    // one that does not in time is killed with everything it started.
    int status = 0;
    const auto deadline = Clock::now() + kFarewell;
    while (::waitpid(child_, &status, WNOHANG) == 0) {
      if (Clock::now() >= deadline) {
        ::kill(-child_, SIGKILL);
        ::waitpid(child_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ended = describe_status(status);
    child_ = -1;
  }
  if (from_child_ >= 0) ::close(std::exchange(from_child_, -1));
  return ended;
}

}  // namespace varostel
