#include "app/score_options.h"

#include <getopt.h>

#include <charconv>
#include <string_view>

#include "version.h"

namespace varostel::app {
namespace {

constexpr std::string_view kUsage =
    "Usage: varostel-score [OPTION]... [FILE]\n"
    "Scores every client of a list (FILE, or standard input when FILE is\n"
    "missing or -) as the Varostel window would, and writes the list with the\n"
    "results added as CSV to standard output. The list is CSV (cells between\n"
    "commas, semicolons or tabs, found from the header row) or an .xlsx\n"
    "workbook.\n"
    "\n"
    "The header row names the inputs by the window's field names: 选择学历,\n"
    "ID (or 身份证号码), 房产状况, 居住时长, 生育状况, 养老月数, 医疗月数, 工伤月数,\n"
    "生育险月数, 失业月数, 公司申办 (是/否, 1/0). Columns may come in any order;\n"
    "other columns are carried through; a missing column or an empty cell\n"
    "leaves the window's start value. The header is the first of the top ten\n"
    "rows that names an input column; rows above it are left out.\n"
    "\n"
    "  -o, --output FILE         write to FILE instead of standard output; a\n"
    "                            file is replaced only once wholly written\n"
    "      --format csv|json|jsonl|xlsx\n"
    "                            CSV (the default; xlsx when FILE ends in\n"
    "                            .xlsx), a JSON array of objects, JSON Lines,\n"
    "                            or an .xlsx workbook\n"
    "      --no-bom              no UTF-8 byte-order mark before the CSV\n"
    "  -d, --delimiter C         the input's cells are separated by C\n"
    "  -t, --tabs                the input's cells are separated by tabs\n"
    "      --sheet NAME|N        the workbook's worksheet to read (default:\n"
    "                            the first visible one)\n"
    "      --encoding NAME       the input's encoding, any iconv knows (GBK,\n"
    "                            UTF-16…); by default a byte-order mark says\n"
    "                            it, else the first line with Chinese text:\n"
    "                            UTF-8 if it is UTF-8, GB18030 if not\n"
    "      --year N              score as in the year N (default: this year)\n"
    "  -h, --help                show this help and exit\n"
    "      --version             show the version and exit\n"
    "\n"
    "A bad row is reported on standard error as FILE:ROW: column …, and its\n"
    "错误 column is filled instead of the scores. Exit status: 0 all rows\n"
    "scored, 1 some row failed, 2 the file or an option cannot be used.\n";

// The long options without a short form return these.
enum : int { kFormat = 256, kNoBom, kEncoding, kSheet, kYear, kVersion };

constexpr option kOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"format", required_argument, nullptr, kFormat},
    {"no-bom", no_argument, nullptr, kNoBom},
    {"encoding", required_argument, nullptr, kEncoding},
    {"delimiter", required_argument, nullptr, 'd'},
    {"tabs", no_argument, nullptr, 't'},
    {"sheet", required_argument, nullptr, kSheet},
    {"year", required_argument, nullptr, kYear},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

ScoreCommandLine refused(const std::string& message) {
  return {std::nullopt, batch::kUnusable, "",
          "varostel-score: " + message + "\nTry 'varostel-score --help'.\n"};
}

// The option as the user wrote it, without a value after "=".
std::string as_written(const char* word) {
  const std::string_view text(word);
  return std::string(text.substr(0, text.find('=')));
}

// Why `value` of the option `code` cannot be used, or empty once it is stored.
std::string take_value(int code, const std::string& value, ScoreArguments& arguments) {
  batch::ListOptions& options = arguments.options;
  switch (code) {
    case 'o':
      if (value.empty()) return "-o needs a file name";
      arguments.output = value;
      return {};
    case kFormat:
      if (value == "csv") options.format = batch::Format::Csv;
      else if (value == "json") options.format = batch::Format::Json;
      else if (value == "jsonl") options.format = batch::Format::JsonLines;
      else if (value == "xlsx") options.format = batch::Format::Workbook;
      else return "--format takes csv, json, jsonl or xlsx, not \"" + value + "\"";
      arguments.format_given = true;
      return {};
    case kEncoding:
      if (value.empty()) return "--encoding needs an encoding's name";
      if (auto why = batch::unknown_encoding(value)) return "--encoding: " + *why;
      options.encoding.name = value;
      return {};
    case 'd':
      if (value == "\\t" || value == "tab") options.separator = '\t';
      else if (value.size() != 1 || value == "\"" || value == "\n" || value == "\r")
        return "-d takes one character other than a quote or a line end, not \"" + value + "\"";
      else options.separator = value[0];
      return {};
    case kSheet:
      if (value.empty()) return "--sheet needs a worksheet's name or number";
      options.sheet = value;
      return {};
    default: {  // kYear
      int year = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), year);
      if (error != std::errc{} || end != value.data() + value.size() || year < 1 || year > 9999) {
        return "--year takes a year from 1 to 9999, not \"" + value + "\"";
      }
      options.year = year;
      return {};
    }
  }
}

}  // namespace

ScoreCommandLine read_score_command_line(int argc, char** argv) {
  ScoreArguments arguments;
  optind = 0;  // a full restart of getopt's scan
  opterr = 0;  // the messages are ours
  for (int code; (code = getopt_long(argc, argv, ":ho:d:t", kOptions, nullptr)) != -1;) {
    switch (code) {
      case 'h':
        return {std::nullopt, 0, std::string(kUsage), ""};
      case kVersion:
        return {std::nullopt, 0, "varostel-score (Varostel) " VAROSTEL_VERSION "\n", ""};
      case kNoBom:
        arguments.options.byte_order_mark = false;
        break;
      case 't':
        arguments.options.separator = '\t';
        break;
      case ':':
        return refused(as_written(argv[optind - 1]) + " needs a value");
      case '?':
        // A flag given a value comes back as its own code, an unknown long option as 0.
        if (optopt == 'h' || optopt == 't' || optopt >= kFormat) {
          return refused(as_written(argv[optind - 1]) + " takes no value");
        }
        {
          std::string message = "unknown option ";
          message += optopt == 0 ? as_written(argv[optind - 1])
                                 : std::string{'-', static_cast<char>(optopt)};
          return refused(message);
        }
      default:
        if (std::string why = take_value(code, optarg, arguments); !why.empty()) return refused(why);
    }
  }
  if (optind < argc) arguments.input = argv[optind++];
  if (optind < argc) return refused(std::string("one list at a time: ") + argv[optind]);
  // A workbook's name asks for a workbook, unless a format is named.
  if (!arguments.format_given && arguments.output.ends_with(".xlsx")) {
    arguments.options.format = batch::Format::Workbook;
  }
  return {std::move(arguments), 0, "", ""};
}

}  // namespace varostel::app
