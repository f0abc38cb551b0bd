#include "batch/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace varostel::batch {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

std::string reason(int error) { return std::strerror(error); }

bool write_all(int fd, std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The standard streams under the names a shell user gives them.
int standard_stream_named(std::string_view path) {
  if (path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1") return 1;
  if (path == "/dev/stderr" || path == "/dev/fd/2" || path == "/proc/self/fd/2") return 2;
  return -1;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

unsigned new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666U & ~static_cast<unsigned>(mask);
}

}  // namespace

std::variant<std::unique_ptr<OutputFile>, std::string> OutputFile::open(const std::string& path,
                                                                       bool by_name) {
  std::unique_ptr<OutputFile> file(new OutputFile);
  const bool standard = path.empty() || path == "-";
  file->name_ = standard ? "standard output" : path;
  const auto cannot = [&](int error) { return file->name_ + ": cannot be written: " + reason(error); };

  std::string target = path;
  bool direct = standard || standard_stream_named(path) >= 0 || path.starts_with("/dev/") ||
                path.starts_with("/proc/");
  struct stat status {};
  if (!direct) {
    // The file a link names is the one replaced; the link stays.
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
      if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
      }
    }
    if (::stat(target.c_str(), &status) == 0) {
      if (S_ISDIR(status.st_mode)) return file->name_ + ": cannot be written: it is a directory";
      direct = !S_ISREG(status.st_mode);
      file->mode_ = status.st_mode & 07777;
    } else if (errno == ENOENT) {
      file->mode_ = new_file_mode();
    } else {
      return cannot(errno);
    }
  }

  if (direct) {
    if (standard) {
      file->fd_ = 1;
    } else if (const int stream = standard_stream_named(path); stream >= 0) {
      file->fd_ = stream;
    } else {
      file->fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
      if (file->fd_ < 0) return cannot(errno);
      file->own_fd_ = true;
    }
    if (!by_name) return file;
  } else {
    file->target_ = target;
  }
  // The temporary file: beside the target, so that the rename stays on one
  // file system; in the temporary folder when the target is written directly.
  std::string folder = direct ? std::string() : folder_of(target);
  if (folder.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    folder = tmp && *tmp ? tmp : "/tmp";
  }
  std::string pattern = folder + "/.varostel-score-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return cannot(errno);
  file->temporary_ = pattern;
  if (direct) {
    ::close(fd);
  } else {
    file->fd_ = fd;
    file->own_fd_ = true;
  }
  return file;
}

OutputFile::~OutputFile() {
  if (!committed_) discard();
  if (own_fd_ && fd_ >= 0) ::close(fd_);
}

void OutputFile::discard() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool OutputFile::fail(int error) { return fail(reason(error)); }

bool OutputFile::fail(std::string why) {
  if (failure_.empty()) failure_ = name_ + ": cannot be written: " + why;
  buffer_.clear();
  discard();
  return false;
}

bool OutputFile::flush() {
  if (!failure_.empty()) return false;
  int error = 0;
  if (!write_all(fd_, buffer_, error)) return fail(error);
  buffer_.clear();
  return true;
}

bool OutputFile::write(std::string_view bytes) {
  if (!failure_.empty()) return false;
  buffer_.append(bytes);
  return buffer_.size() < kBufferSize || flush();
}

bool OutputFile::commit() {
  if (!failure_.empty()) return false;
  if (target_.empty() && temporary_.empty()) {
    committed_ = flush();
    return committed_;
  }
  if (target_.empty()) {
    // A workbook written by name, copied to the stream it is for.
    const int in = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return fail(errno);
    char piece[kBufferSize];
    ssize_t got = 0;
    while ((got = ::read(in, piece, sizeof piece)) > 0) {
      int error = 0;
      if (!write_all(fd_, std::string_view(piece, static_cast<std::size_t>(got)), error)) {
        ::close(in);
        return fail(error);
      }
    }
    const int read_error = got < 0 ? errno : 0;
    ::close(in);
    if (read_error != 0) return fail(read_error);
    discard();
    committed_ = true;
    return true;
  }
  if (fd_ < 0) {  // written by name: opened here to be synced
    fd_ = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    own_fd_ = fd_ >= 0;
    if (fd_ < 0) return fail(errno);
  } else if (!flush()) {
    return false;
  }
  if (::fchmod(fd_, static_cast<mode_t>(mode_)) != 0 || ::fsync(fd_) != 0) return fail(errno);
  const int fd = fd_;
  fd_ = -1;
  own_fd_ = false;
  if (::close(fd) != 0) return fail(errno);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
  temporary_.clear();
  committed_ = true;
  return true;
}

}  // namespace varostel::batch
