// varostel-score: scores a CSV list of clients with the calculator's own
// rules, one fresh calculator a row, without a window.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/score_options.h"
#include "batch/score_list.h"

namespace {

using varostel::batch::kUnusable;

constexpr std::string_view kStandardInput = "(standard input)";

// Appends all of `in` to `bytes`, in large pieces; false on a read error.
bool read_all(std::istream& in, std::string& bytes) {
  std::vector<char> piece(1 << 16);
  while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
    bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
  }
  return !in.bad();
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
  const varostel::app::ScoreArguments& arguments = *command_line.arguments;
  std::string bytes;
  std::string name;
  if (arguments.input == "-") {
    name = kStandardInput;
    if (!read_all(std::cin, bytes)) {
      std::cerr << name << ": cannot be read\n";
      return kUnusable;
    }
  } else {
    name = arguments.input;
    std::error_code error;
    if (std::filesystem::is_directory(arguments.input, error)) {
      std::cerr << name << ": cannot be read: it is a directory\n";
      return kUnusable;
    }
    std::ifstream in(arguments.input, std::ios::binary);
    if (!in.is_open() || !read_all(in, bytes)) {
      std::cerr << name << ": cannot be read: " << std::strerror(errno) << '\n';
      return kUnusable;
    }
  }

  const auto list = varostel::batch::read_list(std::move(bytes), name, arguments.options);
  if (const auto* message = std::get_if<std::string>(&list)) {
    std::cerr << *message << '\n';
    return kUnusable;
  }
  // Opened only once the list is known to be usable, so an unusable list
  // leaves no empty output file behind.
  std::ofstream file;
  if (!arguments.output.empty()) {
    file.open(arguments.output, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
      std::cerr << arguments.output << ": cannot be written: " << std::strerror(errno) << '\n';
      return kUnusable;
    }
  }
  std::ostream& out = arguments.output.empty() ? std::cout : file;
  const int status = varostel::batch::write_scored_list(std::get<varostel::batch::ReadList>(list),
                                                        name, arguments.options, out, std::cerr);
  std::cerr.flush();
  out.flush();
  if (!out) {
    std::cerr << (arguments.output.empty() ? std::string("standard output") : arguments.output)
              << ": cannot be written\n";
    return kUnusable;
  }
  return status;
}
