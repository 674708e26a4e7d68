// Ensembles on every core: 1,000 particles of the default trap run until their outcome on one
// thread and on two. Wall-clock time (UseRealTime): the parallel efficiency is the one-thread
// time over twice the two-thread time.
#include "panel/ControlPanel.h"
#include "panel/Ensemble.h"

#include <benchmark/benchmark.h>

namespace {

larmor::ControlPanel defaultTrap() {
  larmor::ControlPanel panel('.');
  panel.Form_Load();
  panel.selectEntry(3);
  return panel;
}

// range(0): particles; range(1): threads.
void BM_EnsembleDefaultTrap(benchmark::State& state) {
  const larmor::ControlPanel panel = defaultTrap();
  larmor::EnsembleSettings settings;
  settings.particles = state.range(0);
  const larmor::Ensemble ensemble(panel, settings);
  std::int64_t trapped = 0;
  for (auto _ : state) {
    const larmor::EnsembleSummary s = larmor::summarizeEnsemble(ensemble.run(static_cast<unsigned>(state.range(1))));
    trapped = s.trapped;
    benchmark::DoNotOptimize(trapped);
  }
  state.counters["trapped"] = static_cast<double>(trapped);
  state.counters["particles/s"] =
      benchmark::Counter(static_cast<double>(state.range(0) * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EnsembleDefaultTrap)
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
