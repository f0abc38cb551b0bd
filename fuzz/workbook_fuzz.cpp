// Any .xlsx workbook is read or refused with a problem, without a crash, a
// hang or a memory fault; rows come in rising order and no cell is longer
// than a list's cells may be. Random bytes seldom make a zip archive, so the
// input holds the XML parts, split on "\n%%\n", and the archive is built
// around them: the first byte picks the sheet asked for and when to stop,
// then the worksheet, shared strings, styles, workbook and relationships.
// A missing workbook or relationships part gets one naming the worksheet.
#include <sys/mman.h>
#include <unistd.h>
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "batch/workbook_reader.h"

namespace {

constexpr std::string_view kWorkbook =
    R"(<workbook><sheets><sheet name="Clients" r:id="rId1" xmlns:r="r"/></sheets></workbook>)";
constexpr std::string_view kRelationships =
    R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="x/worksheet" Target="/xl/worksheets/sheet1.xml"/></Relationships>)";
constexpr const char* kParts[] = {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml",
                                  "xl/styles.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels"};

// The archive's bytes, each part stored uncompressed so the reader's time
// goes to the XML.
std::string zip_of(const std::vector<std::string_view>& parts) {
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, nullptr);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
  if (archive == nullptr) std::abort();
  for (std::size_t i = 0; i < std::size(kParts); ++i) {
    const std::string_view part = i < parts.size() ? parts[i]
                                  : i == 3         ? kWorkbook
                                  : i == 4         ? kRelationships
                                                   : "";
    if (i >= parts.size() && part.empty()) continue;
    const zip_int64_t at = zip_file_add(archive, kParts[i],
                                        zip_source_buffer(archive, part.data(), part.size(), 0), 0);
    if (at < 0 ||
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(at), ZIP_CM_STORE, 0) < 0)
      std::abort();
  }
  if (zip_close(archive) < 0 || zip_source_open(buffer) < 0 ||
      zip_source_seek(buffer, 0, SEEK_END) < 0)
    std::abort();
  std::string bytes(static_cast<std::size_t>(zip_source_tell(buffer)), '\0');
  zip_source_seek(buffer, 0, SEEK_SET);
  if (zip_source_read(buffer, bytes.data(), bytes.size()) != static_cast<zip_int64_t>(bytes.size()))
    std::abort();
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varostel::batch;
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::string_view> parts;
  for (std::size_t cut;
       parts.size() + 1 < std::size(kParts) && (cut = rest.find("\n%%\n")) != rest.npos;
       rest.remove_prefix(cut + 4)) {
    parts.push_back(rest.substr(0, cut));
  }
  parts.push_back(rest);

  // One memory file for every run; the reader opens it again by its path.
  static const int file = memfd_create("workbook.xlsx", 0);
  const std::string bytes = zip_of(parts);
  if (file < 0 || ftruncate(file, 0) != 0 ||
      pwrite(file, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
    std::abort();
  }
  constexpr std::string_view kSheets[] = {"", "1", "2", "Clients", "Hidden"};
  const std::size_t stop_after = choice >> 4;  // 0: read to the end
  std::size_t rows = 0;
  std::size_t last = 0;
  const auto problem = for_each_workbook_row("/proc/self/fd/" + std::to_string(file),
                                             kSheets[choice % std::size(kSheets)],
                                             [&](std::size_t row, CsvRecord& cells) {
                                               if (row <= last || cells.size() > 16384)
                                                 std::abort();
                                               for (const std::string& cell : cells) {
                                                 if (cell.size() > kCellLimit) std::abort();
                                               }
                                               last = row;
                                               return ++rows != stop_after;
                                             });
  if (problem && problem->message.empty()) std::abort();
  return 0;
}
