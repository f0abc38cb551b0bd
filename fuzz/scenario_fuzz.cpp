// Any text given to the scenario runner is parsed and played without a
// crash, a hang or a memory fault.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "scenario-player/model_driver.h"
#include "scenario-player/scenario_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::ostringstream report;
  (void)varostel::play_scenario_text(text, "fuzz.scn", varostel::make_model_driver, report);
  return 0;
}
