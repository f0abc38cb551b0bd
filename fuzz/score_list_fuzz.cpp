// Any bytes given to varostel-score as a client list, under any of its
// options, are scored or refused without a crash, a hang or a memory
// fault; the exit status is one of the three, and a refused list writes
// nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "batch/score_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varostel::batch;
  if (size == 0) return 0;
  // The first byte picks the options; the rest is the list.
  const std::uint8_t choice = data[0];
  ListOptions options;
  options.encoding = choice % 3 == 0   ? Encoding::Detect
                     : choice % 3 == 1 ? Encoding::Utf8
                                       : Encoding::Gb18030;
  options.format = (choice & 0x04) ? Format::Json : Format::Csv;
  options.byte_order_mark = (choice & 0x08) != 0;
  options.year = (choice & 0x10) ? 2026 : 1900 + choice;
  const std::string_view list(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::ostringstream out, errors;
  const int status = score_list(list, "fuzz.csv", options, out, errors);
  if (status != kAllRowsScored && status != kSomeRowsFailed && status != kUnusable) std::abort();
  if (status == kUnusable && !out.str().empty()) std::abort();
  if (status != kUnusable && errors.str().empty() != (status == kAllRowsScored)) std::abort();
  return 0;
}
