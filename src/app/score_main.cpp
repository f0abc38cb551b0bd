// varostel-score: scores a list of clients with the calculator's own rules,
// one fresh calculator a row, without a window, reading and writing as it
// goes so that a list of any length fits in memory.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "app/score_options.h"
#include "batch/output_file.h"
#include "batch/score_list.h"
#include "batch/workbook_reader.h"
#include "batch/workbook_writer.h"

namespace {

using namespace varostel::batch;

constexpr std::string_view kStandardInput = "(standard input)";

// How many bytes tell a workbook from text.
constexpr std::size_t kSignatureSize = 8;

// A file or standard input, with its first bytes looked at before reading.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  ~FileSource() override {
    if (fd_ > 0) ::close(fd_);
  }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // The first bytes, read ahead and handed out again by read().
  [[nodiscard]] std::optional<std::string_view> start(std::string& error) {
    char piece[kSignatureSize];
    while (start_.size() < kSignatureSize) {
      const auto got = read_more(piece, kSignatureSize - start_.size(), error);
      if (!got) return std::nullopt;
      if (*got == 0) break;
      start_.append(piece, *got);
    }
    return std::string_view(start_);
  }

  std::optional<std::size_t> read(char* buffer, std::size_t size, std::string& error) override {
    if (handed_ < start_.size()) {
      const std::size_t n = std::min(size, start_.size() - handed_);
      std::copy_n(start_.data() + handed_, n, buffer);
      handed_ += n;
      return n;
    }
    return read_more(buffer, size, error);
  }

 private:
  std::optional<std::size_t> read_more(char* buffer, std::size_t size, std::string& error) {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return std::nullopt;
    }
  }

  int fd_;
  std::string start_;
  std::size_t handed_ = 0;
};

// A workbook read from standard input is copied to a file first: a zip's
// table of contents is at its end. Removed when done.
class CopiedInput {
 public:
  CopiedInput() = default;
  ~CopiedInput() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  CopiedInput(const CopiedInput&) = delete;
  CopiedInput& operator=(const CopiedInput&) = delete;

  // The copy's path; none, with `error` set, when it cannot be made.
  [[nodiscard]] std::optional<std::string> copy(FileSource& in, std::string& error) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/.varostel-list-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
      error = std::strerror(errno);
      return std::nullopt;
    }
    path_ = pattern;
    char piece[1 << 16];
    for (;;) {
      const auto got = in.read(piece, sizeof piece, error);
      if (!got || *got == 0) break;
      if (::write(fd, piece, *got) != static_cast<ssize_t>(*got)) {
        error = std::strerror(errno);
        break;
      }
    }
    ::close(fd);
    if (!error.empty()) return std::nullopt;
    return path_;
  }

 private:
  std::string path_;
};

int score(const varostel::app::ScoreArguments& arguments) {
  const bool standard_input = arguments.input == "-";
  const std::string name = standard_input ? std::string(kStandardInput) : arguments.input;
  int fd = 0;
  if (!standard_input) {
    fd = ::open(arguments.input.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
      ::close(fd);
      std::cerr << name << ": cannot be read: it is a directory\n";
      return kUnusable;
    }
    if (fd < 0) {
      std::cerr << name << ": cannot be read: " << std::strerror(errno) << '\n';
      return kUnusable;
    }
  }
  FileSource in(fd);
  const ListOptions& options = arguments.options;
  std::string error;
  const auto start = in.start(error);
  if (!start) {
    std::cerr << name << ": cannot be read: " << error << '\n';
    return kUnusable;
  }
  const bool workbook = starts_like_zip(*start);
  const bool compound_file = starts_like_compound_file(*start);
  std::string path = arguments.input;
  CopiedInput copied;
  if ((workbook || compound_file) && standard_input) {
    auto copy = copied.copy(in, error);
    if (!copy) {
      std::cerr << name << ": cannot be read: " << error << '\n';
      return kUnusable;
    }
    path = *copy;
  }
  if (compound_file) {
    std::cerr << name << ": " << compound_file_problem(path) << '\n';
    return kUnusable;
  }

  std::unique_ptr<OutputFile> output;
  const WriterOpener open_writer = [&](const std::vector<std::string>& header,
                                       const std::vector<bool>& numeric)
      -> std::variant<std::unique_ptr<ListWriter>, std::string> {
    auto opened = OutputFile::open(arguments.output, options.format == Format::Workbook);
    if (auto* message = std::get_if<std::string>(&opened)) return std::move(*message);
    output = std::move(std::get<std::unique_ptr<OutputFile>>(opened));
    if (options.format == Format::Workbook) return make_workbook_list_writer(*output, header, numeric);
    if (options.format == Format::Csv) return make_csv_writer(*output, header, options.byte_order_mark);
    return make_json_writer(*output, header, options.format == Format::JsonLines);
  };
  ListScorer scorer(name, options, open_writer, std::cerr);
  int status = kUnusable;
  if (workbook) {
    const auto problem = for_each_workbook_row(
        path, options.sheet, [&](std::size_t number, CsvRecord& row) { return scorer.take(number, row); });
    status = scorer.finish(problem ? std::optional<std::string>(
                                         name + (problem->row > 0 ? ':' + std::to_string(problem->row) : "") +
                                         ": " + problem->message)
                                   : std::nullopt);
  } else {
    status = score_text_list(in, name, options, scorer);
  }
  if (output) {
    // A file is kept only whole; a stream keeps the rows written before
    // the list was found unusable.
    const bool keep = status != kUnusable || output->written_directly();
    if (keep && !output->commit() && status != kUnusable) {
      std::cerr << output->failure() << '\n';
      status = kUnusable;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // One write for many error lines, not one for every piece of each.
  std::cerr.unsetf(std::ios::unitbuf);
  varostel::app::ScoreCommandLine command_line = varostel::app::read_score_command_line(argc, argv);
  if (!command_line.arguments) {
    std::cout << command_line.out;
    std::cerr << command_line.err;
    return command_line.exit_status;
  }
  int status = kUnusable;
  try {
    status = score(*command_line.arguments);
  } catch (const std::bad_alloc&) {
    const std::string& input = command_line.arguments->input;
    std::cerr << (input == "-" ? std::string(kStandardInput) : input)
              << ": out of memory while scoring the list\n";
  }
  std::cerr.flush();
  return status;
}
