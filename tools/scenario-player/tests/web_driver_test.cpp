// The exchange with the browser-side driver, played against small shell
// stand-ins: replies reach the player whole, and a driver that fails, stops,
// stalls or talks nonsense fails its scenario instead of passing it.
#include "scenario-player/web_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "scenario-player/scenario_runner.h"

namespace varostel {
namespace {

using namespace std::chrono_literals;

constexpr const char* kGreeting = R"(echo '{"ok":true,"value":"stand-in"}'; )";

WebSession stand_in(const std::string& script, std::chrono::milliseconds patience = 5s) {
  return WebSession({"sh", "-c", kGreeting + script}, patience);
}

TEST(WebSession, RequestsAndRepliesTravelWholeOneLineEach) {
  // Answers each request with the request itself as the value.
  WebSession session =
      stand_in(R"(while read -r line; do printf '{"ok":true,"value":%s}\n' "$line"; done)");
  ASSERT_TRUE(session.greeting().ok()) << session.greeting().error;
  EXPECT_EQ(session.greeting().value, "stand-in");
  const nlohmann::json request = {{"step", "paste"}, {"name", "统一月数"}, {"text", "a\nb\"😀"}};
  for (int i = 0; i < 3; ++i) {
    const WebReply reply = session.request(request);
    ASSERT_TRUE(reply.ok()) << reply.error;
    EXPECT_EQ(reply.value, request);
  }
}

TEST(WebSession, AFailedStepIsAnErrorAndTheSessionGoesOn) {
  WebSession session = stand_in(
      R"(read -r l; echo '{"ok":false,"error":"no element"}'; read -r l; echo '{"ok":false}';)"
      R"( read -r l; echo '{"ok":true}')");
  EXPECT_EQ(session.request({{"step", "read"}}).error, "no element");
  EXPECT_EQ(session.request({{"step", "read"}}).error,
            "the browser driver failed without saying why");
  const WebReply last = session.request({{"step", "click"}});
  EXPECT_TRUE(last.ok()) << last.error;
  EXPECT_TRUE(last.value.is_null());
}

struct BrokenRow {
  const char* name;
  const char* script;  // after the greeting
  const char* reason;
};

void PrintTo(const BrokenRow& row, std::ostream* out) { *out << row.name; }

class BrokenExchange : public testing::TestWithParam<BrokenRow> {};

TEST_P(BrokenExchange, EndsTheSessionForEveryLaterRequest) {
  const BrokenRow& row = GetParam();
  const auto start = std::chrono::steady_clock::now();
  WebSession session = stand_in(row.script, 300ms);
  ASSERT_TRUE(session.greeting().ok()) << session.greeting().error;
  const WebReply first = session.request({{"step", "load"}});
  EXPECT_NE(first.error.find(row.reason), std::string::npos) << first.error;
  EXPECT_EQ(session.request({{"step", "load"}}).error, first.error);
  // A stalled driver is killed, not waited for.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

INSTANTIATE_TEST_SUITE_P(
    Driver, BrokenExchange,
    testing::Values(BrokenRow{"Exits", "read -r l; exit 3", "stopped: it exited with status 3"},
                    BrokenRow{"Stalls", "read -r l; sleep 30", "no answer within 0.30 s"},
                    BrokenRow{"TalksNonsense", "read -r l; echo ready", "out of protocol: ready"},
                    BrokenRow{"AnswersWithoutOk", R"(read -r l; echo '{"value":1}')",
                              "out of protocol"}),
    [](const testing::TestParamInfo<BrokenRow>& info) { return info.param.name; });

TEST(WebSession, ADriverThatCannotStartOrRefusesThePageSaysWhy) {
  const WebSession missing({"/nonexistent/varostel-driver"}, 1s);
  EXPECT_NE(missing.greeting().error.find("cannot start /nonexistent/varostel-driver"),
            std::string::npos)
      << missing.greeting().error;
  const WebSession refusing({"sh", "-c", R"(echo '{"ok":false,"error":"no page at /x"}')"}, 1s);
  EXPECT_EQ(refusing.greeting().error, "no page at /x");
}

// Answers every request but those naming `failing` with a null value, and
// those with an error.
WebSession stand_in_failing(const std::string& failing) {
  return stand_in(R"(while read -r l; do case "$l" in *)" + failing +
                  R"(*) echo '{"ok":false,"error":"cannot do it"}';; )"
                  R"(*) echo '{"ok":true,"value":null}';; esac; done)");
}

int failures_of(WebSession& session, const char* scenario, std::string* report) {
  std::ostringstream out;
  const auto tally = play_scenario_text(
      scenario, "f.scn", [&session] { return make_web_driver(session); }, out);
  *report = out.str();
  return tally.failed;
}

TEST(WebDriver, AFaultFailsTheScenarioAtItsStepAndEndsIt) {
  WebSession session = stand_in_failing("click");
  std::string report;
  EXPECT_EQ(failures_of(session, "== a\nchoose 选择学历 全日制本科\nclick 重置\nclick 统一月\n", &report), 1);
  EXPECT_EQ(report, "f.scn:3: [a] cannot do it\n");
}

TEST(WebDriver, AReadingThatIsNoTextIsAFaultNotAnEmptyText) {
  WebSession session = stand_in_failing("no-such-step");
  std::string report;
  EXPECT_EQ(failures_of(session, "== a\nexpect 性别\n", &report), 1);
  EXPECT_NE(report.find("f.scn:2: [a] the page's read is not a text: null"), std::string::npos)
      << report;
}

TEST(WebDriver, APageThatDoesNotLoadFailsEvenAScenarioWithoutSteps) {
  WebSession session = stand_in_failing("load");
  std::string report;
  EXPECT_EQ(failures_of(session, "== a\n== b\nexpect-no-open\n", &report), 2);
  EXPECT_EQ(report, "f.scn:1: [a] cannot do it\nf.scn:2: [b] cannot do it\n");
}

}  // namespace
}  // namespace varostel
