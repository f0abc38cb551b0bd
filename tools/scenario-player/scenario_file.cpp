#include "scenario-player/scenario_file.h"

namespace varostel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kScenarioStart = "== ";

// A text file cannot show control characters, so the keys of a `type` step
// spell them as their pictures: U+2400 to U+241F for NUL to US, U+2421 for
// DEL. In UTF-8 these are E2 90 80 to E2 90 9F and E2 90 A1.
std::string keys_with_control_characters(std::string_view keys) {
  constexpr std::string_view kPicturePrefix = "\xE2\x90";
  std::string out;
  out.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size();) {
    if (keys.substr(i, kPicturePrefix.size()) == kPicturePrefix && i + 2 < keys.size()) {
      const auto last = static_cast<unsigned char>(keys[i + 2]);
      if (last >= 0x80 && last <= 0x9F) {
        out += static_cast<char>(last - 0x80);
        i += 3;
        continue;
      }
      if (last == 0xA1) {
        out += '\x7F';
        i += 3;
        continue;
      }
    }
    out += keys[i++];
  }
  return out;
}

bool is_blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

ScenarioStep parse_step(std::string_view line, int number) {
  ScenarioStep step;
  step.line = number;
  const std::size_t space = line.find(' ');
  step.verb = std::string(line.substr(0, space));
  if (space == std::string_view::npos) return step;
  std::string_view rest = line.substr(space + 1);
  step.has_subject = true;
  const std::size_t second = rest.find(' ');
  step.subject = std::string(rest.substr(0, second));
  if (second != std::string_view::npos) {
    step.has_text = true;
    step.text = std::string(rest.substr(second + 1));
    if (step.verb == "type") step.text = keys_with_control_characters(step.text);
  }
  return step;
}

}  // namespace

std::vector<Scenario> parse_scenarios(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  std::vector<Scenario> scenarios;
  int number = 0;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (is_blank(line) || line.starts_with('#')) continue;
    if (line.starts_with(kScenarioStart)) {
      scenarios.push_back({std::string(line.substr(kScenarioStart.size())), number, {}});
      continue;
    }
    if (scenarios.empty()) scenarios.push_back({"", number, {}});
    scenarios.back().steps.push_back(parse_step(line, number));
  }
  return scenarios;
}

}  // namespace varostel
