#pragma once

#include "model/FieldConfig.h"
#include "model/FieldVector.h"
#include "model/SimParams.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace larmor {

class DiagnosticsSeries;
class Run;
class TheoryMeter;
struct SimulationState;

// What feedDiagnostics does at every step of a watched run, done on a second core: the
// stepping thread only records each step's time, speed error, position and velocity, and a
// thread of its own gives the series and the meter those steps in their order, with the
// same arithmetic, so both end with the same bits as when fed in line. A long watched run
// at full speed then costs about what its slower half costs instead of both halves.
//
// Until catchUp() returns, the series and the meter belong to the feed: nobody else may read
// or change them. The field structure and parameters are the ones given here, for the whole
// run: use it only for a stretch of run in which nothing can change them.
class ParallelFeed {
public:
  ParallelFeed(const SimulationState& state, double muStart, DiagnosticsSeries& series, TheoryMeter* meter);
  ~ParallelFeed();  // catches up and ends the thread
  ParallelFeed(const ParallelFeed&) = delete;
  ParallelFeed& operator=(const ParallelFeed&) = delete;

  // The step the run has just made.
  void record(const Run& run, const SimulationState& state);
  // Returns once every recorded step has been fed.
  void catchUp();

  // Whether a run of this many steps is worth a thread: starting one costs about as much as
  // feeding a thousand steps, and on one core the two would only take turns.
  static bool worthwhile(std::int64_t expectedSteps);

private:
  struct Step {
    double t;
    float dV;
    Vec3 position, velocity;
  };
  void publish() { m_published.store(m_recorded, std::memory_order_release); }
  void work();

  FieldConfig m_config;
  SimParams m_params;
  double m_muStart;
  DiagnosticsSeries& m_series;
  TheoryMeter* m_meter;
  std::vector<Step> m_ring;
  std::uint64_t m_recorded = 0;                // the stepping thread's own count
  alignas(64) std::atomic<std::uint64_t> m_published{0};  // steps the feeding thread may read
  alignas(64) std::atomic<std::uint64_t> m_fed{0};        // steps it has fed
  std::atomic<bool> m_closing{false};
  std::thread m_thread;
};

}  // namespace larmor
