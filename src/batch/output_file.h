// Where a scored list is written. A file is written under a temporary name
// beside it and renamed over it only once complete and synced, so a failed
// write (a full disk, a lost mount) leaves the old file, the input list
// among them, exactly as it was, and no partial file anywhere.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace varostel::batch {

// Bytes out, in order; a failed write makes every later one fail too.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  [[nodiscard]] virtual bool write(std::string_view bytes) = 0;
  // Why the last write failed, as a whole message ("NAME: cannot be written: …").
  [[nodiscard]] virtual std::string failure() const = 0;
};

class OutputFile final : public ByteSink {
 public:
  // `path` empty or "-": standard output. A regular file or a new name is
  // replaced whole on commit(); anything else (/dev/stdout, a pipe, a
  // device) is written directly. A writer that needs a file by name
  // (`by_name`) gets path_for_writer(), whose content commit() moves or
  // copies to the target.
  [[nodiscard]] static std::variant<std::unique_ptr<OutputFile>, std::string> open(
      const std::string& path, bool by_name);
  ~OutputFile() override;  // discards what was not committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  [[nodiscard]] bool write(std::string_view bytes) override;
  [[nodiscard]] std::string failure() const override { return failure_; }
  [[nodiscard]] const std::string& path_for_writer() const { return temporary_; }
  // Written straight to its target, with no temporary file: what is
  // written there stays, even when the list turns out unusable.
  [[nodiscard]] bool written_directly() const { return temporary_.empty(); }
  [[nodiscard]] const std::string& name() const { return name_; }

  // Makes the output final: flushed, synced and renamed into place, or
  // copied to the target. False with failure() set when it cannot be.
  [[nodiscard]] bool commit();

 private:
  OutputFile() = default;
  bool flush();
  bool fail(int error);
  bool fail(std::string reason);
  void discard();

  std::string name_;       // as messages show it
  std::string target_;     // the file renamed over; empty when written directly
  std::string temporary_;  // the temporary file, while there is one
  int fd_ = -1;            // where write() goes
  bool own_fd_ = false;
  unsigned mode_ = 0;      // the target's permissions, kept
  std::string buffer_;
  std::string failure_;
  bool committed_ = false;
};

}  // namespace varostel::batch
