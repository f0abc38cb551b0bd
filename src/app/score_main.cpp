// varostel-score: scores a CSV list of clients with the calculator's own
// rules, one fresh calculator a row, without a window.
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/score_list.h"
#include "version.h"

namespace {

using varostel::batch::kUnusable;

constexpr std::string_view kProgram = "varostel-score";
constexpr std::string_view kStandardInput = "(standard input)";

void print_usage(std::ostream& out) {
  out << "Usage: varostel-score [OPTION]... [FILE]\n"
         "Scores every client of a CSV list (FILE, or standard input when FILE is\n"
         "missing or -) as the Varostel window would, and writes the list with the\n"
         "results added as CSV to standard output.\n"
         "\n"
         "The header row names the inputs by the window's field names: 选择学历,\n"
         "ID (or 身份证号码), 房产状况, 居住时长, 生育状况, 养老月数, 医疗月数, 工伤月数,\n"
         "生育险月数, 失业月数, 公司申办 (是/否, 1/0). Columns may come in any order;\n"
         "other columns are carried through; a missing column or an empty cell\n"
         "leaves the window's start value.\n"
         "\n"
         "  -o, --output FILE         write to FILE instead of standard output\n"
         "      --format csv|json     CSV (the default) or a JSON array of objects\n"
         "      --no-bom              no UTF-8 byte-order mark before the CSV\n"
         "      --encoding utf-8|gb18030\n"
         "                            the input's encoding (default: UTF-8, or\n"
         "                            GB18030 when the input is not valid UTF-8)\n"
         "      --year N              score as in the year N (default: this year)\n"
         "  -h, --help                show this help and exit\n"
         "      --version             show the version and exit\n"
         "\n"
         "A bad row is reported on standard error as FILE:ROW: column …, and its\n"
         "错误 column is filled instead of the scores. Exit status: 0 all rows\n"
         "scored, 1 some row failed, 2 the file or an option cannot be used.\n";
}

int usage_error(const std::string& message) {
  std::cerr << kProgram << ": " << message << "\nTry 'varostel-score --help'.\n";
  return kUnusable;
}

// Appends all of `in` to `bytes`, in large pieces; false on a read error.
bool read_all(std::istream& in, std::string& bytes) {
  std::vector<char> piece(1 << 16);
  while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
    bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
  }
  return !in.bad();
}

struct Arguments {
  varostel::batch::ListOptions options;
  std::string input = "-";
  std::string output;  // standard output when empty
};

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // One write for many error lines, not one for every piece of each.
  std::cerr.unsetf(std::ios::unitbuf);
  const std::vector<std::string> words(argv + 1, argv + argc);
  Arguments arguments;
  bool have_input = false;
  bool options_ended = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string word = words[i];
    if (options_ended || word == "-" || !word.starts_with("-")) {
      if (have_input) return usage_error("one list at a time: " + word);
      arguments.input = word;
      have_input = true;
      continue;
    }
    if (word == "--") {
      options_ended = true;
      continue;
    }
    if (word == "-h" || word == "--help") {
      print_usage(std::cout);
      return 0;
    }
    if (word == "--version") {
      std::cout << "varostel-score (Varostel) " VAROSTEL_VERSION "\n";
      return 0;
    }
    if (word == "--no-bom") {
      arguments.options.byte_order_mark = false;
      continue;
    }
    // The options that take a value: `--name value` or `--name=value`.
    std::string value;
    const std::size_t equals = word.find('=');
    if (word.starts_with("--") && equals != std::string::npos) {
      value = word.substr(equals + 1);
      word.resize(equals);
    } else if (word == "-o" || word == "--output" || word == "--format" || word == "--encoding" ||
               word == "--year") {
      if (i + 1 == words.size()) return usage_error(word + " needs a value");
      value = words[++i];
    } else {
      return usage_error("unknown option " + word);
    }
    if (word == "-o" || word == "--output") {
      if (value.empty()) return usage_error(word + " needs a file name");
      arguments.output = value;
    } else if (word == "--format") {
      if (value == "csv") {
        arguments.options.format = varostel::batch::Format::Csv;
      } else if (value == "json") {
        arguments.options.format = varostel::batch::Format::Json;
      } else {
        return usage_error("--format takes csv or json, not \"" + value + "\"");
      }
    } else if (word == "--encoding") {
      const auto encoding = varostel::batch::encoding_named(value);
      if (!encoding) return usage_error("--encoding takes utf-8 or gb18030, not \"" + value + "\"");
      arguments.options.encoding = *encoding;
    } else if (word == "--year") {
      int year = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), year);
      if (error != std::errc{} || end != value.data() + value.size() || year < 1 || year > 9999) {
        return usage_error("--year takes a year from 1 to 9999, not \"" + value + "\"");
      }
      arguments.options.year = year;
    } else {
      return usage_error("unknown option " + word);
    }
  }

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
