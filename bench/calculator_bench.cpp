// How long the calculator takes to answer the user: one keystroke's whole
// chain, a reset, and pastes of growing size, which must stay linear.
#include <benchmark/benchmark.h>

#include <string>

#include "calculator/calculator.h"
#include "support/stand_ins.h"

namespace {

using namespace varostel;

struct Bench {
  RecordingOpener opener;
  SettableClock clock{2026};
  Calculator calculator{opener, clock};
  Form& form() { return calculator.form(); }
};

void BM_KeystrokeInMonthsBox(benchmark::State& state) {
  Bench b;
  const FieldId box = field_id("养老月数");
  for (auto _ : state) {
    b.form().type(box, U'7');
    b.form().type(box, U'\b');
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeInMonthsBox);

void BM_Reset(benchmark::State& state) {
  Bench b;
  for (auto _ : state) b.form().click(field_id("重置"));
}
BENCHMARK(BM_Reset);

void paste_then_clear(benchmark::State& state, FieldId box, char fill, FieldId after) {
  Bench b;
  if (box == field_id("居住时长")) (void)b.form().choose(field_id("房产状况"), "居住证");
  const std::string text(static_cast<std::size_t>(state.range(0)), fill);
  for (auto _ : state) {
    b.form().edit(box, text);
    if (after != box) b.form().click(after);
    b.form().edit(box, "1");
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

void BM_PasteDigitsIntoMonthsBox(benchmark::State& state) {
  paste_then_clear(state, field_id("养老月数"), '9', field_id("养老月数"));
}
BENCHMARK(BM_PasteDigitsIntoMonthsBox)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity();

void BM_PasteDigitsIntoResidenceBox(benchmark::State& state) {
  paste_then_clear(state, field_id("居住时长"), '9', field_id("居住时长"));
}
BENCHMARK(BM_PasteDigitsIntoResidenceBox)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();

void BM_PasteLettersIntoMonthsBox(benchmark::State& state) {
  paste_then_clear(state, field_id("医疗月数"), 'a', field_id("医疗月数"));
}
BENCHMARK(BM_PasteLettersIntoMonthsBox)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity();

void BM_PasteYearsAndFill(benchmark::State& state) {
  paste_then_clear(state, field_id("统一年数"), '9', field_id("统一年"));
}
BENCHMARK(BM_PasteYearsAndFill)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity();

void BM_PasteMonthsAndFill(benchmark::State& state) {
  paste_then_clear(state, field_id("统一月数"), '9', field_id("统一月"));
}
BENCHMARK(BM_PasteMonthsAndFill)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity();

void BM_PasteIdentityNumberAndRead(benchmark::State& state) {
  paste_then_clear(state, field_id("ID"), '3', field_id("身份证解读"));
}
BENCHMARK(BM_PasteIdentityNumberAndRead)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity();

}  // namespace
