// The workbook reader and writer against reviewed data: fixtures/NAME.txt
// (or NAME@SHEET.txt, a chosen sheet) is what reading workbook NAME gives,
// a line a row ("ROW\tcell\t…"), then any problem. Remake the readings with
// VAROSTEL_REMAKE=1 and review them; make_workbooks.py makes the workbooks.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/workbook_reader.h"
#include "batch/workbook_writer.h"

namespace fs = std::filesystem;
using namespace varostel::batch;

namespace {

const fs::path kFixtures = fs::path(VAROSTEL_WORKBOOKS) / "fixtures";

std::string escaped(std::string_view cell) {
  std::string out;
  for (const char c : cell) {
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (static_cast<unsigned char>(c) >= 0x20) out += c;
    else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
  return out;
}

std::string reading(const fs::path& workbook, std::string_view sheet, std::size_t most_rows = 0) {
  std::ifstream file(workbook, std::ios::binary);
  char first[8] = {};
  file.read(first, sizeof first);
  if (starts_like_compound_file(std::string_view(first, static_cast<std::size_t>(file.gcount())))) {
    return "compound file: " + compound_file_problem(workbook.string()) + "\n";
  }
  std::string out = starts_like_zip(std::string_view(first, sizeof first)) ? "" : "no zip\n";
  const auto problem = for_each_workbook_row(workbook.string(), sheet, [&](std::size_t row, CsvRecord& cells) {
    out += std::to_string(row);
    for (const std::string& cell : cells) out += "\t" + escaped(cell);
    out += "\n";
    return --most_rows != 0;
  });
  if (problem) out += "problem " + std::to_string(problem->row) + ": " + problem->message + "\n";
  return out;
}

std::string contents(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

TEST(WorkbookReader, ReadsEachWorkbookAsReviewed) {
  std::size_t readings = 0;
  for (const auto& entry : fs::directory_iterator(kFixtures)) {
    const fs::path& expected = entry.path();
    if (expected.extension() != ".txt" || expected.stem() == "written") continue;
    const std::string stem = expected.stem().string();
    const std::size_t at = stem.find('@');
    const std::string sheet = at == std::string::npos ? "" : stem.substr(at + 1);
    fs::path workbook;
    for (const auto& other : fs::directory_iterator(kFixtures)) {
      if (other.path().stem() == stem.substr(0, at) && other.path().extension() != ".txt") workbook = other.path();
    }
    const std::string got = reading(workbook, sheet);
    if (std::getenv("VAROSTEL_REMAKE") != nullptr) std::ofstream(expected, std::ios::binary) << got;
    EXPECT_EQ(got, contents(expected)) << expected;
    ++readings;
  }
  EXPECT_GE(readings, 14u);
}

TEST(WorkbookReader, StopsWhenTheCallerHasEnough) {
  const std::string all = contents(kFixtures / "cells.txt");
  EXPECT_EQ(reading(kFixtures / "cells.xlsx", "", 2), all.substr(0, all.find("\n4\t") + 1));
}

TEST(WorkbookWriter, WritesCellsAsGivenAndScoresAsNumbers) {
  const fs::path path = fs::path(VAROSTEL_TEST_OUTPUT_DIR) / "written.xlsx";
  auto opened = WorkbookWriter::open(path.string(), {"客户", "ID", "合计得分", "备注"},
                                     {false, false, true, false});
  auto& writer = *std::get<std::unique_ptr<WorkbookWriter>>(opened);
  EXPECT_EQ(writer.row({"陈一", "110101199003071233", "120", "=1+1"}), std::nullopt);
  EXPECT_EQ(writer.row({"a\x01z", "_x0041_", "", "-4"}), std::nullopt);
  EXPECT_EQ(writer.row({"", "", "-4.5", "0120"}), std::nullopt);
  EXPECT_EQ(writer.row({"", "", "x", "", "past the header"}), std::nullopt);
  std::string emoji;
  for (int i = 0; i < 16384; ++i) emoji += "😀";  // 32,768 UTF-16 code units
  EXPECT_EQ(writer.row({"", emoji}),
            "column 2 is longer than the 32,767 characters an .xlsx cell holds");
  EXPECT_EQ(writer.finish(), std::nullopt);
  EXPECT_EQ(reading(path, ""), contents(kFixtures / "written.txt"));
  const std::string check = std::string(VAROSTEL_WORKBOOKS) + "/check_written.py " + path.string();
  EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST(WorkbookWriter, SaysWhyAWorkbookCannotBeWritten) {
  auto unfinished = WorkbookWriter::open((fs::path(VAROSTEL_TEST_OUTPUT_DIR) / "unfinished.xlsx").string(), {"a"}, {});
  EXPECT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookWriter>>(unfinished));
  EXPECT_EQ(std::get<std::string>(WorkbookWriter::open("/nonexistent-folder/list.xlsx", {"a"}, {})),
            "cannot create the workbook (No such file or directory)");
  const std::vector<std::string> too_wide(16385, "a");
  EXPECT_EQ(std::get<std::string>(WorkbookWriter::open("w.xlsx", too_wide, {})),
            "the list has 16385 columns, more than the 16,384 an .xlsx worksheet holds");
}

}  // namespace
