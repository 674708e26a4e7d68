#include "panel/ParallelFeed.h"

#include "panel/CpuState.h"
#include "panel/Run.h"

#include <chrono>

#if defined(__linux__)
#include <pthread.h>
#endif

namespace larmor {

namespace {

// A power of two. 4,096 steps of 64 bytes: the two threads may drift a few thousand steps
// apart, and the ring stays in the second-level cache.
constexpr std::uint64_t ringSize = 1 << 12;
// Steps recorded between two publications: the other core reads the shared count rarely.
constexpr std::uint64_t publishEvery = 64;
constexpr std::int64_t leastSteps = 50'000;

void pause() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Spins a little (the other side is usually a few steps away), then lets others run, then
// sleeps: a wait of the whole run (a feed faster than the run) costs no core. A sleep of
// 20 µs is a few hundred steps of the run, far fewer than the ring holds.
template <typename Ready>
void waitFor(Ready&& ready) {
  for (int round = 0; !ready(); ++round) {
    if (round < 256)
      pause();
    else if (round < 320)
      std::this_thread::yield();
    else
      std::this_thread::sleep_for(std::chrono::microseconds(20));
  }
}

}  // namespace

ParallelFeed::ParallelFeed(const SimulationState& state, double muStart, DiagnosticsSeries& series,
                           TheoryMeter* meter)
    : m_config(state.fieldConfig),
      m_params(state.params),
      m_muStart(muStart),
      m_fed(std::make_unique<Fed>()),
      m_ring(std::make_unique<Step[]>(ringSize)),
      m_seriesOut(&series),
      m_meterOut(meter) {
  m_fed->series = std::move(series);
  if (meter) m_fed->meter = *meter;
  try {
    m_thread = std::thread([this] { work(); });
  } catch (...) {
    series = std::move(m_fed->series);  // no thread to be had: the caller keeps its series
    throw;
  }
}

ParallelFeed::~ParallelFeed() {
  waitUntilFed();
  m_closing.store(true, std::memory_order_release);
  m_thread.join();
  if (m_seriesOut) *m_seriesOut = std::move(m_fed->series);
  if (m_meterOut) *m_meterOut = *m_fed->meter;
}

bool ParallelFeed::worthwhile(double expectedSteps) {
  return expectedSteps >= leastSteps && std::thread::hardware_concurrency() > 1;
}

void ParallelFeed::recordStart(const Run& run, const SimulationState& state) {
  add({run.t(), 0, true, {state.x, state.y, state.z}, run.velocity()});
  publish();
}

void ParallelFeed::record(const Run& run, const SimulationState& state) {
  add({run.t(), run.dV(), false, {state.x, state.y, state.z}, run.velocity()});
}

void ParallelFeed::add(const Step& step) {
  if (m_recorded - m_done.load(std::memory_order_acquire) >= ringSize) {
    publish();
    waitFor([this] { return m_recorded - m_done.load(std::memory_order_acquire) < ringSize; });
  }
  m_ring[m_recorded % ringSize] = step;
  if (++m_recorded % publishEvery == 0) publish();
}

void ParallelFeed::waitUntilFed() {
  publish();
  waitFor([this] { return m_done.load(std::memory_order_acquire) == m_recorded; });
}

void ParallelFeed::catchUp() {
  waitUntilFed();
  if (m_seriesOut) *m_seriesOut = m_fed->series;
  if (m_meterOut) *m_meterOut = *m_fed->meter;
}

void ParallelFeed::release() {
  waitUntilFed();
  m_seriesOut = nullptr;
  m_meterOut = nullptr;
}

void ParallelFeed::work() {
#if defined(__linux__)
  pthread_setname_np(pthread_self(), "larmor-feed");  // as a profiler or top shows it
#endif
  const Step* const ring = m_ring.get();
  DiagnosticsSeries& series = m_fed->series;
  TheoryMeter* const meter = m_fed->meter ? &*m_fed->meter : nullptr;
  std::uint64_t fed = 0;
  for (;;) {
    std::uint64_t available = 0;
    waitFor([&] {
      available = m_published.load(std::memory_order_acquire);
      return available != fed || m_closing.load(std::memory_order_acquire);
    });
    if (available == fed) return;  // closing, and everything fed
    // Whatever this thread ran before (its start in the C library, the waits) may have left
    // the upper register state in use: the maths library below runs with it clean, as in line.
    clearUpperRegisterState();
    for (; fed < available; ++fed) {
      const Step& step = ring[fed % ringSize];
      if (step.start) {
        if (meter) meter->observe(step.t, step.position, step.velocity);
        continue;
      }
      feedDiagnostics(step.t, step.dV, m_config, m_params, step.position, step.velocity, m_muStart, series, meter);
    }
    m_done.store(fed, std::memory_order_release);
  }
}

}  // namespace larmor
