// Any bytes given to varostel-score as a client list, under any of its
// options, are scored or refused without a crash, a hang or a memory
// fault; the exit status is one of the three, and a list refused before
// its header writes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "batch/score_list.h"

namespace {

using namespace varostel::batch;

// The list handed over in pieces of varying size, as a pipe does.
class PieceSource final : public ByteSource {
 public:
  PieceSource(std::string_view bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}
  std::optional<std::size_t> read(char* buffer, std::size_t size, std::string& /*error*/) override {
    const std::size_t n = std::min({size, piece_, bytes_.size()});
    std::copy_n(bytes_.data(), n, buffer);
    bytes_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view bytes_;
  std::size_t piece_;
};

class StringSink final : public ByteSink {
 public:
  bool write(std::string_view bytes) override {
    text += bytes;
    return true;
  }
  std::string failure() const override { return {}; }
  std::string text;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the options; the rest is the list.
  const std::uint8_t choice = data[0];
  ListOptions options;
  options.encoding.name = choice % 3 == 0 ? "" : choice % 3 == 1 ? "utf-8" : "gb18030";
  options.format = (choice & 0x04) ? Format::Json : Format::Csv;
  options.byte_order_mark = (choice & 0x08) != 0;
  options.year = (choice & 0x10) ? 2026 : 1900 + choice;
  if (choice & 0x20) options.separator = ';';
  const std::string_view list(reinterpret_cast<const char*>(data) + 1, size - 1);

  StringSink out;
  bool opened = false;
  std::ostringstream errors;
  ListScorer scorer("fuzz.csv", options,
                    [&](const std::vector<std::string>& header, const std::vector<bool>&)
                        -> std::variant<std::unique_ptr<ListWriter>, std::string> {
                      opened = true;
                      if (options.format == Format::Csv) return make_csv_writer(out, header, true);
                      return make_json_writer(out, header, false);
                    },
                    errors);
  PieceSource in(list, (choice & 0x40) ? 7 : 1 << 16);
  const int status = score_text_list(in, "fuzz.csv", options, scorer);
  if (status != kAllRowsScored && status != kSomeRowsFailed && status != kUnusable) std::abort();
  if (status != kUnusable && !opened) std::abort();
  if (status != kUnusable && errors.str().empty() != (status == kAllRowsScored)) std::abort();
  return 0;
}
