// The window offscreen: the time to the first shown window, a whole start-up run at
// slow-down 0, the pause per step that Wait(m) actually makes against its 10·m ms, and the
// cost of one step of a long run in every configuration, in the window and bare.
#include "model/FieldConfig.h"
#include "model/TrajectoryRun.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

class SilentTone : public larmor::TonePlayer {
public:
  void play(int, int) override {}
};

SilentTone g_tone;

// Counts the warnings instead of showing them: a cut run would otherwise wait for a click.
class CountingDialogs : public larmor::Dialogs {
public:
  bool confirmExit(QWidget*) override { return true; }
  void information(QWidget*, const QString&, const QString&) override {}
  void warning(QWidget*, const QString&, const QString&) override { ++warnings; }
  int warnings = 0;
};

CountingDialogs g_dialogs;

larmor::Services services() {
  larmor::Services s;
  s.tonePlayer = &g_tone;
  s.dialogs = &g_dialogs;
  return s;
}

// Made in main() after the application object, destroyed before it.
larmor::Form1* g_window = nullptr;
double g_coldStartMs = 0;  // application object and first window, measured once in main()

larmor::Form1& window() { return *g_window; }

// Shows the window and handles events until it is exposed and its first paint is done.
void showAndWait(larmor::Form1& form) {
  form.show();
  QElapsedTimer limit;
  limit.start();
  while (!(form.windowHandle() && form.windowHandle()->isExposed()) && limit.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QApplication::processEvents();
}

// The first window of the process, from before the application object to the window
// exposed and painted (loading the shared libraries is not included). Measured once.
void BM_ColdStartToFirstWindow(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(g_coldStartMs / 1000.0);
  state.counters["exposed"] = window().windowHandle()->isExposed();
}
BENCHMARK(BM_ColdStartToFirstWindow)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// Every further window: construction, layout, the start-up recompute and drawing, shown.
void BM_WindowToShown(benchmark::State& state) {
  bool exposed = true;
  for (auto _ : state) {
    auto form = std::make_unique<larmor::Form1>(services());
    showAndWait(*form);
    state.PauseTiming();
    exposed = exposed && form->windowHandle()->isExposed();
    form.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["exposed"] = exposed;
}
BENCHMARK(BM_WindowToShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// Recompute and 2501 steps, each with its accuracy text, trail segment and markers, as a
// click on the start button makes them. With "painted", the one repaint of both pictures
// and the marker moves that follow the run at the next turn of the event loop count too.
void BM_StartUpRunAtSlowdownZero(benchmark::State& state) {
  const bool painted = state.range(0) != 0;
  larmor::Form1& form = window();
  form.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  for (auto _ : state) {
    start->click();
    if (painted) {
      QApplication::processEvents();
    } else {
      state.PauseTiming();
      QApplication::processEvents();
      state.ResumeTiming();
    }
  }
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
}
BENCHMARK(BM_StartUpRunAtSlowdownZero)->ArgName("painted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One pause of a run; "excess_pct" is how much the mean pause exceeds 10·m ms, and
// "shortest_ms" must never fall below 10·m; "median_ms" shows the typical pause, apart from
// the few that the scheduler of a busy machine makes late.
void BM_WaitPause(benchmark::State& state) {
  larmor::Form1& form = window();
  const int m = static_cast<int>(state.range(0));
  double totalMs = 0.0, shortestMs = 1e300;
  std::vector<double> pauses;
  pauses.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    form.Wait(m);
    const std::chrono::duration<double, std::milli> pause = std::chrono::steady_clock::now() - begin;
    totalMs += pause.count();
    if (pause.count() < shortestMs) shortestMs = pause.count();
    pauses.push_back(pause.count());
    state.SetIterationTime(pause.count() / 1000.0);
  }
  const double meanMs = totalMs / static_cast<double>(state.iterations());
  state.counters["pause_ms"] = meanMs;
  state.counters["shortest_ms"] = shortestMs;
  std::nth_element(pauses.begin(), pauses.begin() + pauses.size() / 2, pauses.end());
  state.counters["median_ms"] = pauses[pauses.size() / 2];
  state.counters["excess_pct"] = (meanMs / (10.0 * m) - 1.0) * 100.0;
}
BENCHMARK(BM_WaitPause)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WaitPause)->Arg(3)->Iterations(100)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WaitPause)->Arg(10)->Iterations(30)->Unit(benchmark::kMillisecond)->UseManualTime();

// Steps per measured run below: long enough that the recompute and the field structure
// drawn at its start weigh nothing per step.
constexpr int longRunSteps = 200'000;

// Selects configuration k in the list with the start values it brings and a run length
// of about longRunSteps steps, at slow-down 0.
void selectLongRun(larmor::Form1& form, int k) {
  form.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
  form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(k - 1);
  const int periods = longRunSteps / larmor::stepsPerPeriod(static_cast<larmor::FieldConfig>(k));
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::number(periods));
}

void restoreStartUp(larmor::Form1& form) {
  form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(0);
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("25"));
}

// One step of a long window run at slow-down 0 (the step, its accuracy text, trail
// segment and markers), as a click on the start button makes them; "ns_per_step" is what
// the run's step limit multiplies into the longest possible run.
void BM_WindowRunPerStep(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  double ns = 0, steps = 0;
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    start->click();
    QApplication::processEvents();
    const std::chrono::duration<double> run = std::chrono::steady_clock::now() - begin;
    ns += run.count() * 1e9;
    steps += static_cast<double>(form.lastRunSteps());
    state.SetIterationTime(run.count());
  }
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
  state.counters["ns_per_step"] = ns / steps;
  restoreStartUp(form);
}
BENCHMARK(BM_WindowRunPerStep)->ArgName("config")->DenseRange(1, 7)->Unit(benchmark::kMillisecond)->UseManualTime();

// A whole run cut at the step limit in the slowest configuration (7), at slow-down 0: how
// long a user waits, at most, for a run of the window to end.
void BM_GuardedRun(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, 7);
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("1000000"));
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  for (auto _ : state) {
    start->click();
    QApplication::processEvents();
  }
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
  state.counters["warned"] = g_dialogs.warnings;
  restoreStartUp(form);
}
BENCHMARK(BM_GuardedRun)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bare step of the same runs (the RK4 step, the speed error and the accuracy text),
// as the companion makes it for its summary: the run restarts when it reaches its end.
void BM_BareRunStep(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  larmor::SimulationState s = form.state();
  larmor::TrajectoryRun run(s);
  run.prepare();
  for (auto _ : state) {
    if (!run.hasNextStep()) s = form.state(), run.prepare();
    benchmark::DoNotOptimize(run.step());
  }
  if (run.stoppedNonFinite() || run.refusedAxisStart()) state.SkipWithError("the run could not go on");
  restoreStartUp(form);
}
BENCHMARK(BM_BareRunStep)->ArgName("config")->DenseRange(1, 7);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window finds its pictures in the folder it runs in, as the program does.
  if (QDir(QStringLiteral(LARMOR_RUNTIME_DIR)).exists()) QDir::setCurrent(QStringLiteral(LARMOR_RUNTIME_DIR));
  const auto coldBegin = std::chrono::steady_clock::now();
  QApplication app(argc, argv);
  auto form = std::make_unique<larmor::Form1>(services());
  showAndWait(*form);
  g_coldStartMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - coldBegin).count();
  g_window = form.get();

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
