// An .xlsx workbook's zip archive, whose XML parts are streamed through expat
// in fixed-size chunks, so that a worksheet of any size is never held whole.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

struct zip;

namespace varostel::batch {

// Receives one part's elements by local name ("x:row" and "row" alike) and
// its character data. Its callbacks may throw; the archive catches and
// stops the parser, since exceptions must not cross expat's C frames.
class XmlEventHandler {
 public:
  virtual ~XmlEventHandler() = default;
  // `attributes`: name, value, name, value, …, then null; a namespaced name
  // reads "URI|local" (see attribute()).
  virtual void start(std::string_view name, const char** attributes) = 0;
  virtual void end(std::string_view name) = 0;
  virtual void text(std::string_view chars) = 0;

  // Ends the reading after the current event: with a problem, or without
  // one when the handler has what it wants.
  void stop(std::string problem, std::size_t row = 0);
  void stop() { stopped_ = true; }
  [[nodiscard]] bool stopped() const { return stopped_; }
  [[nodiscard]] const std::optional<std::string>& problem() const { return problem_; }
  [[nodiscard]] std::size_t problem_row() const { return problem_row_; }

  // Memory the handler holds on to after the part is read, as an estimate
  // (each kept element's size plus its text): the archive stops a part that
  // would make it too large, since a small archive can inflate to a part
  // of millions of tiny elements that each cost far more than their markup.
  void keep(std::size_t bytes) { kept_ += bytes; }
  [[nodiscard]] std::size_t kept() const { return kept_; }

 private:
  std::size_t kept_ = 0;
  bool stopped_ = false;
  std::optional<std::string> problem_;
  std::size_t problem_row_ = 0;
};

// The value of the attribute whose local name is `local`; empty when absent.
[[nodiscard]] std::string_view attribute(const char** attributes, std::string_view local);

class WorkbookArchive {
 public:
  // The archive at `path`, or why it is no zip archive that can be read.
  [[nodiscard]] static std::variant<WorkbookArchive, std::string> open(const std::string& path);

  [[nodiscard]] bool has(const std::string& part) const;
  // Streams `part` through `handler` to its end or until the handler stops;
  // false when the part cannot be read or is no well-formed XML (the
  // handler's problem then says why), or when the handler stopped with a
  // problem.
  [[nodiscard]] bool parse(const std::string& part, XmlEventHandler& handler) const;

 private:
  struct Closer {
    void operator()(zip* archive) const;
  };
  explicit WorkbookArchive(zip* archive) : archive_(archive) {}
  std::unique_ptr<zip, Closer> archive_;
};

}  // namespace varostel::batch
