// varostel-score: scores a list of clients with the calculator's own rules,
// one fresh calculator a row, without a window, reading and writing as it
// goes so that a list of any length fits in memory.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <variant>

#include "app/score_options.h"
#include "batch/output_file.h"
#include "batch/score_list.h"

namespace {

using namespace varostel::batch;

constexpr std::string_view kStandardInput = "(standard input)";

// A file or standard input, with its first bytes looked at before reading.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  ~FileSource() override {
    if (fd_ > 0) ::close(fd_);
  }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::optional<std::size_t> read(char* buffer, std::size_t size, std::string& error) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return std::nullopt;
    }
  }

 private:
  int fd_;
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

  std::unique_ptr<OutputFile> output;
  const WriterOpener open_writer = [&](const std::vector<std::string>& header,
                                       const std::vector<bool>& /*numeric*/)
      -> std::variant<std::unique_ptr<ListWriter>, std::string> {
    auto opened = OutputFile::open(arguments.output, options.format == Format::Workbook);
    if (auto* message = std::get_if<std::string>(&opened)) return std::move(*message);
    output = std::move(std::get<std::unique_ptr<OutputFile>>(opened));
    if (options.format == Format::Csv) return make_csv_writer(*output, header, options.byte_order_mark);
    return make_json_writer(*output, header, options.format == Format::JsonLines);
  };
  ListScorer scorer(name, options, open_writer, std::cerr);
  int status = score_text_list(in, name, options, scorer);
  if (output) {
    // A file is kept only whole; a stream keeps the rows written before
    // the list was found unusable.
    const bool keep = status != kUnusable || output->path_for_writer().empty();
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
