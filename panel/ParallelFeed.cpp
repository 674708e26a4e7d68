#include "panel/ParallelFeed.h"

#include "panel/CpuState.h"
#include "panel/Run.h"

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

// Spins a little (the other side is usually a few steps away), then gives the core up.
template <typename Ready>
void waitFor(Ready&& ready) {
  for (int spin = 0; !ready(); ++spin) {
    if (spin < 256)
      pause();
    else
      std::this_thread::yield();
  }
}

}  // namespace

ParallelFeed::ParallelFeed(const SimulationState& state, double muStart, DiagnosticsSeries& series,
                           TheoryMeter* meter)
    : m_config(state.fieldConfig),
      m_params(state.params),
      m_muStart(muStart),
      m_series(series),
      m_meter(meter),
      m_ring(ringSize),
      m_thread([this] { work(); }) {}

ParallelFeed::~ParallelFeed() {
  catchUp();
  m_closing.store(true, std::memory_order_release);
  m_thread.join();
}

bool ParallelFeed::worthwhile(std::int64_t expectedSteps) {
  return expectedSteps >= leastSteps && std::thread::hardware_concurrency() > 1;
}

void ParallelFeed::record(const Run& run, const SimulationState& state) {
  if (m_recorded - m_fed.load(std::memory_order_acquire) >= ringSize) {
    publish();
    waitFor([this] { return m_recorded - m_fed.load(std::memory_order_acquire) < ringSize; });
  }
  m_ring[m_recorded % ringSize] = {run.t(), run.dV(), {state.x, state.y, state.z}, run.velocity()};
  if (++m_recorded % publishEvery == 0) publish();
}

void ParallelFeed::catchUp() {
  publish();
  waitFor([this] { return m_fed.load(std::memory_order_acquire) == m_recorded; });
}

void ParallelFeed::work() {
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
      const Step& step = m_ring[fed % ringSize];
      feedDiagnostics(step.t, step.dV, m_config, m_params, step.position, step.velocity, m_muStart, m_series,
                      m_meter);
    }
    m_fed.store(fed, std::memory_order_release);
  }
}

}  // namespace larmor
