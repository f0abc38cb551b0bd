// How long the real window takes to answer: opening it, a keystroke that runs
// the whole chain and repaints, a click on the reset button, pastes up to
// 1 MB, and pastes of 5 and 50 MB with the processor time the window uses in
// the second after them. Qt's offscreen platform draws into memory, as a
// screen would; QT_QPA_PLATFORM=xcb under Xvfb takes a real X window.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/window_session.h"
#include "ui/fonts.h"

namespace {

using namespace varostel;

// The window shown and drawn once, with a way to find its controls.
struct Session : WindowSession {
  Session() {
    static_cast<void>(show());
    window.repaint();
  }
  template <class T>
  T* find(const char* name) {
    return window.findChild<T*>(QString::fromUtf8(name));
  }
};

void BM_OpenWindow(benchmark::State& state) {
  for (auto _ : state) {
    Session s;
    s.window.repaint();
  }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_KeystrokeAndRepaint(benchmark::State& state) {
  Session s;
  auto* box = s.find<QLineEdit>("养老月数");
  box->setFocus();
  box->end(false);
  for (auto _ : state) {
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_7, QStringLiteral("7"), Qt::NoModifier);
    s.window.repaint();
    QTest::keyClick(box, Qt::Key_Backspace);
    s.window.repaint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeAndRepaint)->Unit(benchmark::kMicrosecond);

void BM_ResetClickAndRepaint(benchmark::State& state) {
  Session s;
  auto* reset = s.find<QPushButton>("重置");
  for (auto _ : state) {
    QTest::mouseClick(reset, Qt::LeftButton);
    s.window.repaint();
  }
}
BENCHMARK(BM_ResetClickAndRepaint)->Unit(benchmark::kMicrosecond);

void BM_PasteDigitsAndRepaint(benchmark::State& state) {
  Session s;
  auto* box = s.find<QLineEdit>("养老月数");
  const QString digits(static_cast<qsizetype>(state.range(0)), QChar(u'9'));
  box->setFocus();
  for (auto _ : state) {
    QGuiApplication::clipboard()->setText(digits);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    s.window.repaint();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PasteDigitsAndRepaint)
    ->RangeMultiplier(16)
    ->Range(16, 1 << 20)
    ->Unit(benchmark::kMillisecond);

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The time is the paste and its repaint, with the focus left in the box so
// the cursor blinks; cpu_next_second is the processor time the window then
// uses while it runs its event loop for a second, where idle is about 0.
void BM_HugePasteThenIdle(benchmark::State& state) {
  Session s;
  auto* box = s.find<QLineEdit>("养老月数");
  const QString digits(static_cast<qsizetype>(state.range(0)), QChar(u'9'));
  box->setFocus();
  double cpu_after = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QGuiApplication::clipboard()->setText(digits);
    box->selectAll();
    state.ResumeTiming();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    s.window.repaint();
    state.PauseTiming();
    const double before = cpu_seconds();
    QTest::qWait(1000);
    cpu_after += cpu_seconds() - before;
    QGuiApplication::clipboard()->clear();
    state.ResumeTiming();
  }
  state.counters["cpu_next_second"] =
      benchmark::Counter(cpu_after, benchmark::Counter::kAvgIterations);
  state.counters["kept"] = static_cast<double>(box->text().size());
}
BENCHMARK(BM_HugePasteThenIdle)
    ->Arg(5'000'000)
    ->Arg(50'000'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ui::install_song_face_substitutes();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
