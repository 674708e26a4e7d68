#pragma once

#include "model/FieldConfig.h"
#include "model/FieldVector.h"
#include "model/DiagnosticsSeries.h"
#include "model/SimParams.h"
#include "model/TheoryMeter.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace larmor {

class Run;
struct SimulationState;

// What feedDiagnostics does at every step of a watched run, done on a second core: the
// stepping thread only records each step's time, speed error, position and velocity, and a
// thread of its own gives them, in their order and with the same arithmetic, to a series and
// a meter of its own, which end with the same bits as when fed in line. A long watched run at
// full speed then costs about what its slower half costs instead of both halves.
//
// The series and the meter given are taken over at the start and written back by catchUp()
// and at the end: in between they hold nothing. The feed's own copies lie on cache lines of
// their own, so that the two cores never write next to each other. The field structure and
// parameters are the ones given here, for the whole run: use it only for a stretch of run in
// which nothing can change them.
class ParallelFeed {
public:
  // Throws std::system_error, leaving the series and the meter as they were, where no
  // thread can be started.
  ParallelFeed(const SimulationState& state, double muStart, DiagnosticsSeries& series, TheoryMeter* meter);
  ~ParallelFeed();  // catches up, hands the series and the meter back and ends the thread
  ParallelFeed(const ParallelFeed&) = delete;
  ParallelFeed& operator=(const ParallelFeed&) = delete;

  // The prepared run's start, for the meter alone (in the traps the meter follows a field
  // line from it: thousands of field evaluations the stepping thread need not wait for).
  void recordStart(const Run& run, const SimulationState& state);
  // The step the run has just made.
  void record(const Run& run, const SimulationState& state);
  // Returns once every recorded step has been fed, with the series and the meter given at
  // the start as they now are.
  void catchUp();
  // Catches up and forgets the series and the meter given: their owner is going away.
  void release();

  // Whether a run of this many steps is worth a thread: starting one costs about as much as
  // feeding a thousand steps, and on one core the two would only take turns.
  static bool worthwhile(double expectedSteps);

private:
  struct alignas(64) Step {
    double t;
    float dV;
    bool start;  // for the meter alone
    Vec3 position, velocity;
  };
  struct alignas(64) Fed {
    DiagnosticsSeries series;
    std::optional<TheoryMeter> meter;
  };
  void add(const Step& step);
  void publish() { m_published.store(m_recorded, std::memory_order_release); }
  void waitUntilFed();
  void work();

  // Read by the feeding thread only.
  FieldConfig m_config;
  SimParams m_params;
  double m_muStart;
  std::unique_ptr<Fed> m_fed;
  std::unique_ptr<Step[]> m_ring;
  // The series and the meter handed back.
  DiagnosticsSeries* m_seriesOut;
  TheoryMeter* m_meterOut;
  alignas(64) std::uint64_t m_recorded = 0;  // the stepping thread's own count
  alignas(64) std::atomic<std::uint64_t> m_published{0};  // steps the feeding thread may read
  alignas(64) std::atomic<std::uint64_t> m_done{0};       // steps it has fed
  std::atomic<bool> m_closing{false};
  alignas(64) std::thread m_thread;
};

}  // namespace larmor
