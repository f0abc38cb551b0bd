// The browser-side driver of the web page as a child process: one JSON
// request a line on its standard input, one JSON reply a line on its
// standard output, {"ok":true,"value":...} or {"ok":false,"error":"..."}.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varostel {

struct WebReply {
  nlohmann::json value;  // null when the request failed
  std::string error;     // empty when it succeeded

  [[nodiscard]] bool ok() const { return error.empty(); }
};

class WebSession {
 public:
  // Starts `command` (a program and its arguments, looked up on PATH) and
  // waits for its first reply, the greeting: whether the browser started
  // and the page became ready. Each reply may take up to `patience`.
  WebSession(const std::vector<std::string>& command, std::chrono::milliseconds patience);
  ~WebSession();
  WebSession(const WebSession&) = delete;
  WebSession& operator=(const WebSession&) = delete;

  [[nodiscard]] const WebReply& greeting() const { return greeting_; }

  // Sends one request and waits for its reply. A driver that stops, stalls
  // or answers out of protocol ends the session: the process is stopped
  // and this and every later request fail with the reason.
  [[nodiscard]] WebReply request(const nlohmann::json& request);

 private:
  WebReply receive();
  WebReply broken(std::string reason);
  // Ends the driver; says how it ended, empty when none was running.
  std::string stop();

  std::chrono::milliseconds patience_;
  pid_t child_ = -1;
  int to_child_ = -1;
  int from_child_ = -1;
  std::string pending_;  // bytes read past the last whole line
  std::string broken_;   // why the session ended, empty while it runs
  WebReply greeting_;
};

}  // namespace varostel
