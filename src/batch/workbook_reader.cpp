#include "batch/workbook_reader.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <fstream>
#include <map>
#include <new>
#include <set>
#include <variant>
#include <vector>

#include "batch/cell_text.h"
#include "batch/workbook_archive.h"

namespace varostel::batch {

namespace {

constexpr std::size_t kMostCellBytes = std::size_t{1} << 20;
constexpr std::size_t kColumns = 16384;  // A to XFD
constexpr std::size_t kRows = 1048576;
// A row's cells together: shared strings are copied into every cell that
// uses them, so without this a small archive could fill a row with 16,384
// copies of a 1 MiB string.
constexpr std::size_t kMostRowBytes = 16 * kMostCellBytes;
constexpr std::string_view kLongCell = "a cell is longer than 1 MiB";
// What a std::map node adds to its key and value (links and colour), in the
// memory a handler counts as kept.
constexpr std::size_t kMapNodeBytes = 32;

struct Sheet {
  std::string name;
  std::string relationship;
  bool visible = true;
  std::string part;  // the zip entry, once the relationships are read
};

struct WorkbookHandler : XmlEventHandler {
  std::vector<Sheet> sheets;
  bool date1904 = false;
  void start(std::string_view name, const char** attributes) override {
    if (name == "sheet") {
      const std::string_view state = attribute(attributes, "state");
      sheets.push_back({std::string(attribute(attributes, "name")),
                        std::string(attribute(attributes, "id")),
                        state != "hidden" && state != "veryHidden", {}});
      keep(sizeof(Sheet) + sheets.back().name.size() + sheets.back().relationship.size());
    } else if (name == "workbookPr") {
      const std::string_view value = attribute(attributes, "date1904");
      date1904 = value == "1" || value == "true";
    }
  }
  void end(std::string_view) override {}
  void text(std::string_view) override {}
};

// The worksheet parts by relationship id; chart sheets and other kinds are
// left out, so a sheet without a part here is no worksheet.
struct RelationshipsHandler : XmlEventHandler {
  std::map<std::string, std::string, std::less<>> worksheets;
  void start(std::string_view name, const char** attributes) override {
    const std::string_view type = attribute(attributes, "Type");
    if (name != "Relationship" || !type.ends_with("/worksheet")) return;
    const std::string_view id = attribute(attributes, "Id");
    const std::string& part = worksheets[std::string(id)] = part_name(attribute(attributes, "Target"));
    keep(kMapNodeBytes + sizeof(std::string) * 2 + id.size() + part.size());
  }
  void end(std::string_view) override {}
  void text(std::string_view) override {}

  // A target relative to xl/ or absolute within the package, as a zip entry.
  static std::string part_name(std::string_view target) {
    std::vector<std::string_view> segments;
    if (!target.starts_with('/')) segments.push_back("xl");
    while (!target.empty()) {
      const std::size_t slash = target.find('/');
      const std::string_view segment = target.substr(0, slash);
      if (segment == "..") {
        if (!segments.empty()) segments.pop_back();
      } else if (!segment.empty() && segment != ".") {
        segments.push_back(segment);
      }
      target = slash == std::string_view::npos ? std::string_view() : target.substr(slash + 1);
    }
    std::string part;
    for (const std::string_view segment : segments) (part += part.empty() ? "" : "/") += segment;
    return part;
  }
};

// Text gathered from <t> elements outside phonetic runs, as in both shared
// strings (<si>) and inline strings (<is>).
struct RunText {
  std::string text;
  bool collecting = false;
  int phonetic_depth = 0;
  bool too_long = false;
  void start(std::string_view name) {
    if (name == "rPh") ++phonetic_depth;
    if (name == "t" && phonetic_depth == 0) collecting = true;
  }
  void end(std::string_view name) {
    if (name == "rPh") --phonetic_depth;
    if (name == "t") collecting = false;
  }
  void add(std::string_view chars) {
    if (!collecting || too_long) return;
    if (text.size() + chars.size() > kMostCellBytes) too_long = true;
    else text += chars;
  }
  void clear() { text.clear(); collecting = false; phonetic_depth = 0; too_long = false; }
};

struct SharedStringsHandler : XmlEventHandler {
  std::deque<std::string> strings;  // no copying of the whole table as it grows
  std::set<std::size_t> too_long;  // read as a problem when a cell uses them
  RunText current;
  void start(std::string_view name, const char**) override {
    if (name == "si") current.clear();
    current.start(name);
  }
  void end(std::string_view name) override {
    current.end(name);
    if (name != "si") return;
    if (current.too_long) too_long.insert(strings.size());
    strings.push_back(current.too_long ? std::string() : decode_escapes(current.text));
    keep(sizeof(std::string) + strings.back().size());
  }
  void text(std::string_view chars) override { current.add(chars); }
};

unsigned number_attribute(std::string_view text) {
  unsigned value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Which cell formats (the s attribute's index into cellXfs) show dates.
struct StylesHandler : XmlEventHandler {
  std::map<unsigned, std::string> custom_formats;
  std::vector<unsigned> format_ids;
  bool in_cell_formats = false;
  void start(std::string_view name, const char** attributes) override {
    if (name == "numFmt") {
      const std::string_view code = attribute(attributes, "formatCode");
      custom_formats[number_attribute(attribute(attributes, "numFmtId"))] = code;
      keep(kMapNodeBytes + sizeof(unsigned) + sizeof(std::string) + code.size());
    } else if (name == "cellXfs") {
      in_cell_formats = true;
    } else if (name == "xf" && in_cell_formats) {
      format_ids.push_back(number_attribute(attribute(attributes, "numFmtId")));
      keep(sizeof(unsigned));
    }
  }
  void end(std::string_view name) override {
    if (name == "cellXfs") in_cell_formats = false;
  }
  void text(std::string_view) override {}

  [[nodiscard]] std::vector<bool> date_styles() const {
    std::vector<bool> dates;
    for (const unsigned id : format_ids) {
      const auto custom = custom_formats.find(id);
      dates.push_back(custom != custom_formats.end() ? is_date_format_code(custom->second)
                                                     : is_builtin_date_format(id));
    }
    return dates;
  }
};

// The column of a reference such as "C5", 0-based; nothing past XFD.
std::optional<std::size_t> reference_column(std::string_view reference) {
  std::size_t column = 0;
  std::size_t letters = 0;
  for (; letters < reference.size(); ++letters) {
    const char c = reference[letters];
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    column = column * 26 + static_cast<std::size_t>(upper - 'A' + 1);
    if (column > kColumns) return std::nullopt;
  }
  if (letters == 0) return std::nullopt;
  return column - 1;
}

struct SheetHandler : XmlEventHandler {
  const std::function<bool(std::size_t, CsvRecord&)>& on_row;
  const SharedStringsHandler& shared;
  const std::vector<bool>& date_styles;
  bool date1904 = false;

  std::size_t row = 0;
  bool in_row = false;
  std::size_t row_bytes = 0;
  CsvRecord cells;
  std::size_t column = 0;
  std::string type;
  unsigned style = 0;
  std::string value;
  bool in_value = false;
  bool in_inline = false;
  RunText inline_text;

  SheetHandler(const std::function<bool(std::size_t, CsvRecord&)>& on_row,
               const SharedStringsHandler& shared, const std::vector<bool>& date_styles,
               bool date1904)
      : on_row(on_row), shared(shared), date_styles(date_styles), date1904(date1904) {}

  void start(std::string_view name, const char** attributes) override {
    if (name == "row") {
      // Rows are handed over as the list's rows in order, so a row number
      // that does not rise (or a row inside a row) would number two rows
      // alike or run backwards: such a sheet is refused.
      if (in_row) return stop("a row holds another row", row);
      const std::string_view number = attribute(attributes, "r");
      std::size_t next = row + 1;
      if (!number.empty()) {
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), next);
        if (error != std::errc() || end != number.data() + number.size() || next == 0 ||
            next > kRows) {
          return stop("a row's number " + std::string(number) + " is out of range", row);
        }
      }
      if (next <= row) {
        return stop("row " + std::to_string(next) + " comes after row " + std::to_string(row),
                    next);
      }
      row = next;
      in_row = true;
      row_bytes = 0;
      cells.clear();
      column = 0;
    } else if (name == "c") {
      const std::string_view reference = attribute(attributes, "r");
      if (!reference.empty()) {
        const auto at = reference_column(reference);
        if (!at) return stop("a cell's reference " + std::string(reference) + " is out of range", row);
        column = *at;
      }
      if (column >= kColumns) return stop("a row has more than 16,384 cells", row);
      type = attribute(attributes, "t");
      style = number_attribute(attribute(attributes, "s"));
      value.clear();
      inline_text.clear();
    } else if (name == "v") {
      in_value = true;
    } else if (name == "is") {
      in_inline = true;
    } else if (in_inline) {
      inline_text.start(name);
    }
  }

  void text(std::string_view chars) override {
    if (in_inline) {
      inline_text.add(chars);
      if (inline_text.too_long) stop(std::string(kLongCell), row);
    } else if (in_value) {
      if (value.size() + chars.size() > kMostCellBytes) return stop(std::string(kLongCell), row);
      value += chars;
    }
  }

  void end(std::string_view name) override {
    if (name == "v") {
      in_value = false;
    } else if (name == "is") {
      in_inline = false;
    } else if (in_inline) {
      inline_text.end(name);
    } else if (name == "c") {
      std::string cell = cell_text();
      if (stopped()) return;
      row_bytes += cell.size();
      if (row_bytes > kMostRowBytes) return stop("a row holds more than 16 MiB of text", row);
      if (!cell.empty()) {
        if (cells.size() <= column) cells.resize(column + 1);
        cells[column] = std::move(cell);
      }
      ++column;
    } else if (name == "row") {
      in_row = false;
      if (!on_row(row, cells)) stop();
    }
  }

  std::string cell_text() {
    if (type == "inlineStr") return decode_escapes(inline_text.text);
    if (type == "str") return decode_escapes(value);
    if (type == "e" || value.empty()) return value;
    if (type == "b") return value == "1" || value == "true" ? "1" : "0";
    if (type == "d") return value.substr(0, value.find('T'));  // an ISO 8601 date and time
    if (type == "s") {
      // An index too large to parse must not read as string 0.
      std::size_t index = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
      if (error != std::errc() || end != value.data() + value.size() ||
          index >= shared.strings.size()) {
        stop("a cell refers to shared string " + value + ", which the workbook lacks", row);
        return {};
      }
      if (shared.too_long.contains(index)) stop(std::string(kLongCell), row);
      return shared.strings[index];
    }
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size()) return value;
    if (style < date_styles.size() && date_styles[style]) {
      if (auto date = date_text(number, date1904)) return std::move(*date);
    }
    return general_number_text(number);
  }
};

std::string quoted_names(const std::vector<Sheet>& sheets) {
  std::string names;
  for (const Sheet& sheet : sheets) (names += names.empty() ? "\"" : ", \"") += sheet.name + "\"";
  return names;
}

// The worksheet `wanted` names, or why there is none.
std::variant<const Sheet*, std::string> choose_sheet(const std::vector<Sheet>& sheets,
                                                     std::string_view wanted) {
  std::vector<const Sheet*> visible;
  for (const Sheet& sheet : sheets) {
    if (!sheet.part.empty() && sheet.visible) visible.push_back(&sheet);
  }
  if (wanted.empty()) {
    if (visible.empty()) return std::string("the workbook has no visible worksheet");
    return visible.front();
  }
  const auto named = std::find_if(sheets.begin(), sheets.end(),
                                  [&](const Sheet& sheet) { return sheet.name == wanted; });
  if (named != sheets.end()) {
    if (named->part.empty()) return "sheet \"" + named->name + "\" is no worksheet";
    return &*named;
  }
  if (wanted.find_first_not_of("0123456789") == std::string_view::npos && wanted.size() < 6) {
    const std::size_t number = number_attribute(wanted);
    if (number >= 1 && number <= visible.size()) return visible[number - 1];
  }
  return "the workbook has no sheet \"" + std::string(wanted) + "\"; its sheets: " +
         quoted_names(sheets);
}

std::optional<WorkbookProblem> problem_of(const XmlEventHandler& handler) {
  return WorkbookProblem{handler.problem_row(), handler.problem().value_or("")};
}

std::optional<WorkbookProblem> read_rows(const std::string& path, std::string_view wanted,
                                         const std::function<bool(std::size_t, CsvRecord&)>& on_row) {
  auto opened = WorkbookArchive::open(path);
  if (auto* message = std::get_if<std::string>(&opened)) return WorkbookProblem{0, *message};
  const auto& archive = std::get<WorkbookArchive>(opened);
  // LibreOffice's own format, OpenDocument, is a zip archive too.
  if (!archive.has("xl/workbook.xml") && archive.has("mimetype") && archive.has("content.xml")) {
    return WorkbookProblem{0, ".ods workbooks cannot be read; save the list as .xlsx or CSV"};
  }
  for (const char* part : {"xl/workbook.xml", "xl/_rels/workbook.xml.rels"}) {
    if (!archive.has(part)) {
      return WorkbookProblem{0, std::string("not an .xlsx workbook: its part ") + part + " is missing"};
    }
  }
  WorkbookHandler workbook;
  if (!archive.parse("xl/workbook.xml", workbook)) return problem_of(workbook);
  RelationshipsHandler relationships;
  if (!archive.parse("xl/_rels/workbook.xml.rels", relationships)) return problem_of(relationships);
  for (Sheet& sheet : workbook.sheets) {
    const auto part = relationships.worksheets.find(sheet.relationship);
    if (part != relationships.worksheets.end()) sheet.part = part->second;
  }
  const auto chosen = choose_sheet(workbook.sheets, wanted);
  if (const auto* message = std::get_if<std::string>(&chosen)) return WorkbookProblem{0, *message};
  const Sheet& sheet = *std::get<const Sheet*>(chosen);
  if (!archive.has(sheet.part)) {
    return WorkbookProblem{0, "the workbook's part " + sheet.part + " for sheet \"" + sheet.name +
                                  "\" is missing"};
  }

  SharedStringsHandler shared;
  if (archive.has("xl/sharedStrings.xml") && !archive.parse("xl/sharedStrings.xml", shared)) {
    return problem_of(shared);
  }
  StylesHandler styles;
  if (archive.has("xl/styles.xml") && !archive.parse("xl/styles.xml", styles)) {
    return problem_of(styles);
  }
  const std::vector<bool> date_styles = styles.date_styles();
  SheetHandler rows(on_row, shared, date_styles, workbook.date1904);
  if (!archive.parse(sheet.part, rows)) return problem_of(rows);
  return std::nullopt;
}

}  // namespace

bool starts_like_zip(std::string_view first_bytes) {
  return first_bytes.starts_with(std::string_view("PK\x03\x04", 4));
}

bool starts_like_compound_file(std::string_view first_bytes) {
  return first_bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

std::string compound_file_problem(const std::string& path) {
  // A password-protected .xlsx is a compound file whose directory names a
  // stream "EncryptedPackage" (UTF-16LE); the file is read in chunks that
  // overlap by the name's length, so a name across two chunks is found too.
  static constexpr char16_t kStream[] = u"EncryptedPackage";
  std::string name;
  for (const char16_t unit : std::u16string_view(kStream)) {
    name += static_cast<char>(unit);
    name += '\0';
  }
  std::ifstream file(path, std::ios::binary);
  std::string window;
  std::vector<char> chunk(64 * 1024);
  while (file) {
    file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    window.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
    if (window.find(name) != std::string::npos) {
      return "the workbook is protected by a password and cannot be read; save it without a "
             "password";
    }
    if (window.size() > name.size()) window.erase(0, window.size() - name.size());
  }
  return ".xls and .et workbooks cannot be read; save the list as .xlsx or CSV";
}

std::optional<WorkbookProblem> for_each_workbook_row(
    const std::string& path, std::string_view sheet,
    const std::function<bool(std::size_t, CsvRecord&)>& on_row) {
  try {
    return read_rows(path, sheet, on_row);
  } catch (const std::bad_alloc&) {
    return WorkbookProblem{0, "out of memory"};
  }
}

}  // namespace varostel::batch
