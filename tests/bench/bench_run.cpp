// The window's run, offscreen: a whole start-up run at slow-down 0, and the pause per step
// that Wait(m) actually makes against its 10·m ms.
#include "ui/Form1.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

class SilentTone : public larmor::TonePlayer {
public:
  void play(int, int) override {}
};

// Made in main() after the application object, destroyed before it.
larmor::Form1* g_window = nullptr;

larmor::Form1& window() { return *g_window; }

// Recompute and 2501 steps, each with its accuracy text, trail segment and markers, as a
// click on the start button makes them; the repaint after the run is not counted.
void BM_StartUpRunAtSlowdownZero(benchmark::State& state) {
  larmor::Form1& form = window();
  form.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  for (auto _ : state) {
    start->click();
    state.PauseTiming();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
}
BENCHMARK(BM_StartUpRunAtSlowdownZero)->Unit(benchmark::kMillisecond)->UseRealTime();

// One pause of a run; "excess_pct" is how much the mean pause exceeds 10·m ms.
void BM_WaitPause(benchmark::State& state) {
  larmor::Form1& form = window();
  const int m = static_cast<int>(state.range(0));
  double totalMs = 0.0;
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    form.Wait(m);
    const std::chrono::duration<double, std::milli> pause = std::chrono::steady_clock::now() - begin;
    totalMs += pause.count();
    state.SetIterationTime(pause.count() / 1000.0);
  }
  const double meanMs = totalMs / static_cast<double>(state.iterations());
  state.counters["pause_ms"] = meanMs;
  state.counters["excess_pct"] = (meanMs / (10.0 * m) - 1.0) * 100.0;
}
BENCHMARK(BM_WaitPause)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WaitPause)->Arg(3)->Iterations(100)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WaitPause)->Arg(10)->Iterations(30)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SilentTone tone;
  larmor::Services services;
  services.tonePlayer = &tone;
  auto form = std::make_unique<larmor::Form1>(services);
  form->show();
  QApplication::processEvents();
  g_window = form.get();

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
