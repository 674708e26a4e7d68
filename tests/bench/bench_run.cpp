// The window offscreen: the time to the first shown window, a whole start-up run at
// slow-down 0, the pause per step that Wait(m) actually makes against its 10·m ms, and the
// cost of one step of a long run in every configuration, in the window (with the
// diagnostics window closed, and shown, and the shown window's drawing at the run's end
// alone), in the companion's summary and bare, each beside the bare RK4 step of the same run.
#include "model/FieldConfig.h"
#include "model/Rk4Step.h"
#include "model/TheoryMeter.h"
#include "model/TrajectoryRun.h"
#include "panel/CpuState.h"
#include "panel/Run.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <optional>
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

// Answers every file dialog with cancel: the drawing benchmark's window exports nothing.
class NoFiles : public larmor::FileDialogs {
public:
  QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
  std::optional<Description> describeScenario(QWidget*, const Description&) override { return std::nullopt; }
  std::optional<int> pictureWidth(QWidget*, int) override { return std::nullopt; }
};

NoFiles g_files;

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

// CPU time of the calling thread [ns]; Google Benchmark's CPU column is per benchmark,
// and the figures below need the window's run and the bare steps apart.
double threadCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// CPU time of every thread of this process [ns].
double processCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// CPU time of the finished child processes [ns].
double childrenCpuNs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e9 +
         (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) * 1e3;
}

// The bare RK4 step of a run, in the run's frame and from its start values, with nothing
// else: the least a step of that run can cost, and the unit of the goals.
class BareRk4 {
public:
  explicit BareRk4(const larmor::SimulationState& state) : m_state(state) {
    larmor::TrajectoryRun run(m_state);
    run.prepare();
    m_dt = run.dt();
    const auto& p = m_state.params;
    const float vz = static_cast<float>(m_state.quantities.vPar);
    m_cartesian = {p.x0, p.y0, static_cast<float>(p.z0), m_state.quantities.vx0, m_state.quantities.vy0, vz};
    m_cylindrical = {run.rho(), run.phi(), static_cast<float>(p.z0), run.vRho(), run.phiDot(), vz};
  }

  // Hands a step to loop, which calls it as often as it likes; the state is kept in locals
  // meanwhile, as in the integrator's own benchmark, so that no store and load of it lies
  // between two steps.
  template <typename Loop>
  void stepping(Loop&& loop) {
    const larmor::FieldConfig config = m_state.fieldConfig;
    if (larmor::isCylindrical(config)) {
      larmor::CylindricalPoint u = m_cylindrical;
      loop([&] {
        u = larmor::rk4StepCylindrical(u, m_dt, config, m_state);
        benchmark::ClobberMemory();
      });
      m_cylindrical = u;
    } else {
      larmor::CartesianPoint u = m_cartesian;
      loop([&] {
        u = larmor::rk4StepCartesian(u, m_dt, config, m_state);
        benchmark::ClobberMemory();
      });
      m_cartesian = u;
    }
  }

  // CPU ns per step over n steps in a row. The toolkit's painting just before may leave
  // the upper halves of the vector registers in use, which makes every call into the
  // maths library pay a transition penalty on Intel cores (and slowed even this code on
  // AMD); the reference is a bare loop in a process without a toolkit, so the state is
  // cleared first, as the run driver clears it before every step.
  double measure(std::int64_t n) {
    larmor::clearUpperRegisterState();
    const double begin = threadCpuNs();
    stepping([n](auto step) {
      for (std::int64_t i = 0; i < n; ++i) step();
    });
    return (threadCpuNs() - begin) / double(n);
  }

  bool finite() const {
    return std::isfinite(m_cartesian.x + m_cartesian.z) && std::isfinite(m_cylindrical.rho + m_cylindrical.z);
  }

private:
  larmor::SimulationState m_state;
  double m_dt = 0;
  larmor::CartesianPoint m_cartesian{};
  larmor::CylindricalPoint m_cylindrical{};
};

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
// of about `steps` steps, at slow-down 0; returns the run length in periods.
int selectLongRun(larmor::Form1& form, int k, int steps = longRunSteps) {
  form.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
  form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(k - 1);
  const int periods = steps / larmor::stepsPerPeriod(static_cast<larmor::FieldConfig>(k));
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::number(periods));
  return periods;
}

void restoreStartUp(larmor::Form1& form) {
  form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(0);
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("25"));
}

// CPU and real time of one click on the start button and the turn of the event loop
// after it (the repaint of the pictures, the plots drawn at a watched run's end) [ns].
struct ClickedRun {
  double cpuNs = 0, ns = 0;
  double processCpuNs = 0;  // with the second core's share, where the run used one
};

ClickedRun clickStart(QPushButton* start) {
  const auto begin = std::chrono::steady_clock::now();
  const double cpuBegin = threadCpuNs(), processBegin = processCpuNs();
  start->click();
  QApplication::processEvents();
  ClickedRun run;
  run.cpuNs = threadCpuNs() - cpuBegin;
  run.processCpuNs = processCpuNs() - processBegin;
  run.ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - begin).count();
  return run;
}

// One step of a long window run at slow-down 0 (the step, the accuracy text as shown,
// trail segment and markers), as a click on the start button makes them; "ns_per_step" is
// what the run's step limit multiplies into the longest possible run. After each run, with
// the clock paused, as many bare RK4 steps of the same run: "cpu_ns_per_step" and
// "rk4_cpu_ns" are CPU time per step of both, "x_rk4" their ratio (the goal: at most 2).
// With "watched", the diagnostics window is shown while the run starts: every step adds a
// diagnostics sample and a theory-meter reading, and the end draws the four plots whole and
// fills the theory table; "samples" is how many the series kept, "stride" the steps of each
// of its buckets. After each watched run the
// same run is made once more with the diagnostics window closed (the window then reopened,
// outside the figures): "closed_cpu_ns" is its CPU time per step, "x_closed" the watched
// run's over it. Measured in turns, so that the load of a shared machine falls on all
// three alike.
void windowRunPerStep(benchmark::State& state, bool watched) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  auto* showDiagnostics = form.findChild<QAction*>(QStringLiteral("mnuDiagnosticsWindow"));
  if (watched) {
    showDiagnostics->trigger();
    QApplication::processEvents();
  }
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  BareRk4 rk4(form.state());
  double ns = 0, cpuNs = 0, processNs = 0, rk4Ns = 0, closedNs = 0, closedRealNs = 0, steps = 0;
  bool fed = true;
  for (auto _ : state) {
    const ClickedRun run = clickStart(start);
    cpuNs += run.cpuNs;
    processNs += run.processCpuNs;
    ns += run.ns;
    state.SetIterationTime(run.ns / 1e9);
    const auto done = form.lastRunSteps();
    steps += static_cast<double>(done);
    rk4Ns += rk4.measure(done) * double(done);
    if (watched) {
      fed = fed && form.diagnosticsSeries().stepsOffered() == done;
      form.diagnostics()->close();
      const ClickedRun closed = clickStart(start);
      closedNs += closed.cpuNs;
      closedRealNs += closed.ns;
      fed = fed && form.lastRunSteps() == done;
      showDiagnostics->trigger();  // replays the closed run for the plots
      QApplication::processEvents();
    }
  }
  if (!rk4.finite()) state.SkipWithError("the bare steps are not finite");
  if (!fed) state.SkipWithError("the diagnostics window was not fed, or the closed run differed");
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
  if (watched) {
    state.counters["samples"] = static_cast<double>(form.diagnosticsSeries().samples().size());
    state.counters["stride"] = static_cast<double>(form.diagnosticsSeries().stride());
  }
  state.counters["ns_per_step"] = ns / steps;
  state.counters["cpu_ns_per_step"] = cpuNs / steps;
  state.counters["rk4_cpu_ns"] = rk4Ns / steps;
  state.counters["x_rk4"] = cpuNs / rk4Ns;
  if (watched) {
    // A long watched run feeds its diagnostics on a second core: the user waits for the real
    // time, and both cores' CPU time is the work done.
    state.counters["process_cpu_ns"] = processNs / steps;
    state.counters["x_rk4_real"] = ns / rk4Ns;
    state.counters["closed_cpu_ns"] = closedNs / steps;
    state.counters["x_closed"] = cpuNs / closedNs;
    state.counters["x_closed_real"] = ns / closedRealNs;
    state.counters["second_core"] = form.diagnosticsFedInParallel() ? 1 : 0;
    form.diagnostics()->close();
  }
  restoreStartUp(form);
}

void BM_WindowRunPerStep(benchmark::State& state) { windowRunPerStep(state, false); }
BENCHMARK(BM_WindowRunPerStep)->ArgName("config")->DenseRange(1, 7)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WatchedWindowRunPerStep(benchmark::State& state) { windowRunPerStep(state, true); }
BENCHMARK(BM_WatchedWindowRunPerStep)->ArgName("config")->DenseRange(1, 7)->Unit(benchmark::kMillisecond)->UseManualTime();

// The part of a watched run that is the drawing at its end: the four plots drawn whole, as
// the run's end draws them, from the series a watched run of the configuration left, in a
// diagnostics window of the same size; "cpu_ns_per_step" is the CPU time of that drawing
// over the run's steps, the share of it in "cpu_ns_per_step" of BM_WatchedWindowRunPerStep.
void BM_WatchedRunDrawingPerStep(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  form.findChild<QAction*>(QStringLiteral("mnuDiagnosticsWindow"))->trigger();
  QApplication::processEvents();
  form.findChild<QPushButton*>(QStringLiteral("CmdOK"))->click();
  QApplication::processEvents();
  const std::vector<larmor::DiagnosticSample> samples = form.diagnosticsSeries().samples();
  const QSize size = form.diagnostics()->size();
  const double steps = static_cast<double>(form.lastRunSteps());
  form.diagnostics()->close();
  restoreStartUp(form);
  double cpuNs = 0;
  for (auto _ : state) {
    // A window that has drawn the run before (its curves keep their memory), emptied by the
    // recompute of a new run, then filled without a redraw, as the run at slow-down 0 fills it.
    state.PauseTiming();
    larmor::DiagnosticsSeries series;
    auto diagnostics = std::make_unique<larmor::DiagnosticsWindow>(series, g_dialogs, g_files);
    diagnostics->resize(size);
    diagnostics->show();
    QApplication::processEvents();
    for (const larmor::DiagnosticSample& sample : samples) series.add(sample);
    diagnostics->finish();
    diagnostics->clear();
    series.clear();
    for (const larmor::DiagnosticSample& sample : samples) series.add(sample);
    state.ResumeTiming();
    const double cpuBegin = threadCpuNs();
    diagnostics->finish();
    cpuNs += threadCpuNs() - cpuBegin;
    state.PauseTiming();
    diagnostics.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["samples"] = static_cast<double>(samples.size());
  state.counters["cpu_ns_per_step"] = cpuNs / double(state.iterations()) / steps;
}
BENCHMARK(BM_WatchedRunDrawingPerStep)->ArgName("config")->DenseRange(1, 7)->Unit(benchmark::kMillisecond);

// A whole run cut at the step limit in the slowest configurations (4 and 7), at slow-down
// 0: how long a user waits, at most, for a run of the window to end.
void BM_GuardedRun(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("1000000"));
  auto* start = form.findChild<QPushButton*>(QStringLiteral("CmdOK"));
  const int warned = g_dialogs.warnings;
  double cpuNs = 0;
  for (auto _ : state) {
    const double cpuBegin = threadCpuNs();
    start->click();
    QApplication::processEvents();
    cpuNs += threadCpuNs() - cpuBegin;
  }
  state.counters["steps"] = static_cast<double>(form.lastRunSteps());
  state.counters["warned"] = g_dialogs.warnings - warned;
  state.counters["cpu_s"] = cpuNs / 1e9 / double(state.iterations());
  restoreStartUp(form);
}
BENCHMARK(BM_GuardedRun)->ArgName("config")->Arg(4)->Arg(7)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bare RK4 step of the same runs: the unit of the goals, measured by the library.
void BM_BareRk4Step(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  BareRk4 rk4(form.state());
  larmor::clearUpperRegisterState();
  rk4.stepping([&state](auto step) {
    for (auto _ : state) step();
  });
  if (!rk4.finite()) state.SkipWithError("the bare steps are not finite");
  restoreStartUp(form);
}
BENCHMARK(BM_BareRk4Step)->ArgName("config")->DenseRange(1, 7);

// The run's step of the same runs (the RK4 step and the speed error; the accuracy text
// is made only when asked for), as the companion makes it for its summary: the run
// restarts when it reaches its end.
void BM_BareRunStep(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  larmor::SimulationState s = form.state();
  larmor::TrajectoryRun run(s);
  run.prepare();
  for (auto _ : state) {
    if (!run.hasNextStep()) s = form.state(), run.prepare();
    larmor::clearUpperRegisterState();  // as the run driver does: the toolkit dirties it on Intel
    benchmark::DoNotOptimize(run.step());
  }
  if (run.stoppedNonFinite() || run.refusedAxisStart()) state.SkipWithError("the run could not go on");
  restoreStartUp(form);
}
BENCHMARK(BM_BareRunStep)->ArgName("config")->DenseRange(1, 7);

// What a watched run adds to each step, in parts: the run's step alone ("parts:0"), with
// the diagnostics' sample given to the series (1), with the theory meter's reading (2), and
// with both from one field evaluation as the watched window makes them (3). The run
// restarts when it reaches its end; the upper register state is cleared before each step,
// as the run driver clears it.
void BM_WatchedStepParts(benchmark::State& state) {
  larmor::Form1& form = window();
  selectLongRun(form, static_cast<int>(state.range(0)));
  const int parts = static_cast<int>(state.range(1));
  larmor::SimulationState s = form.state();
  larmor::Run run(larmor::Integrator::Rk4, s);
  larmor::DiagnosticsSeries series;
  std::optional<larmor::TheoryMeter> meter;
  double muStart = 0;
  const auto prepare = [&] {
    s = form.state();
    run.prepare();
    series.clear();
    muStart = larmor::startMoment(run, s);
    meter.emplace(s).observe(run, s);
  };
  prepare();
  for (auto _ : state) {
    if (!run.hasNextStep()) prepare();
    larmor::clearUpperRegisterState();
    benchmark::DoNotOptimize(run.step());
    if (parts == 1) series.add(larmor::diagnosticSample(run, s, muStart));
    if (parts == 2) meter->observe(run, s);
    if (parts == 3) larmor::feedDiagnostics(run, s, muStart, series, &*meter);
  }
  if (run.stoppedNonFinite() || run.refusedAxisStart()) state.SkipWithError("the run could not go on");
  benchmark::DoNotOptimize(meter->period());
  restoreStartUp(form);
}
BENCHMARK(BM_WatchedStepParts)->ArgNames({"config", "parts"})->ArgsProduct({{1, 4, 7}, {0, 1, 2, 3}});

// Steps of each companion run below: enough that the process's start weighs little.
constexpr int traceSteps = 1'000'000;

// larmor-trace --summary of about a million steps in configuration k, the whole process
// (start, run, summary), then as many bare RK4 steps of the same run, with the state of the
// window's list entry k and the same run length. Counters as for the window; "x_rk4"
// compares the process's CPU time with the bare steps' (the goal: at most 1.5);
// "start_cpu_ms" is the CPU time of the same process with a run of one step (loading the
// libraries, the panel's start), and "x_rk4_after_start" the ratio without it.
void BM_TraceSummary(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  larmor::Form1& form = window();
  const int periods = selectLongRun(form, k, traceSteps);
  const QString program = QStringLiteral(LARMOR_RUNTIME_DIR "/larmor-trace");
  const QStringList arguments{QStringLiteral("--summary"), QStringLiteral("--config"), QString::number(k),
                              QStringLiteral("--periods"), QString::number(periods)};
  QStringList startOnly = arguments;
  startOnly.last() = QStringLiteral("0");
  BareRk4 rk4(form.state());
  double ns = 0, cpuNs = 0, rk4Ns = 0, steps = 0, startNs = 0;
  for (auto _ : state) {
    // The same process with a run of one step: what starting and ending it costs.
    QProcess started;
    const double startBegin = childrenCpuNs();
    started.start(program, startOnly);
    if (!started.waitForFinished(60000) || started.exitCode() != 0) {
      state.SkipWithError("larmor-trace did not start");
      break;
    }
    startNs += childrenCpuNs() - startBegin;
    QProcess trace;
    const double childBegin = childrenCpuNs();
    const auto begin = std::chrono::steady_clock::now();
    trace.start(program, arguments);
    if (!trace.waitForFinished(60000) || trace.exitCode() != 0) {
      state.SkipWithError("larmor-trace did not finish its summary");
      break;
    }
    const std::chrono::duration<double> run = std::chrono::steady_clock::now() - begin;
    cpuNs += childrenCpuNs() - childBegin;
    ns += run.count() * 1e9;
    state.SetIterationTime(run.count());
    const QString summary = QString::fromUtf8(trace.readAllStandardOutput());
    if (!summary.contains(QStringLiteral("\"complete\": true"))) {
      state.SkipWithError("larmor-trace did not reach the end time");
      break;
    }
    const auto made =
        QRegularExpression(QStringLiteral("\"steps\": (\\d+)")).match(summary).captured(1).toLongLong();
    steps += double(made);
    rk4Ns += rk4.measure(made) * double(made);
  }
  restoreStartUp(form);
  if (steps == 0) return;
  if (!rk4.finite()) state.SkipWithError("the bare steps are not finite");
  state.counters["steps"] = steps / double(state.iterations());
  state.counters["ns_per_step"] = ns / steps;
  state.counters["cpu_ns_per_step"] = cpuNs / steps;
  state.counters["rk4_cpu_ns"] = rk4Ns / steps;
  state.counters["x_rk4"] = cpuNs / rk4Ns;
  state.counters["start_cpu_ms"] = startNs / 1e6 / double(state.iterations());
  state.counters["x_rk4_after_start"] = (cpuNs - startNs) / rk4Ns;
}
BENCHMARK(BM_TraceSummary)->ArgName("config")->DenseRange(1, 7)->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

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
