#pragma once

#include "model/RunClock.h"
#include "panel/Run.h"

#include <cstdint>
#include <string>
#include <vector>

namespace larmor {

class ControlPanel;

// Why a run ended.
enum class RunStop {
  EndTime,    // it reached its end time: the whole run
  StepLimit,  // cut at its step limit with time still left
  NonFinite,  // a step's result was not finite; that step was discarded
  AxisStart,  // a cylindrical structure was to be integrated from the OZ axis
  Observer,   // an observer ended it (the window closed, the user stopped it, a replay had enough)
};

// A short English name of the stop, for the companion's summary ("end time", "step limit",
// "non-finite state", "start on the axis", "stopped").
const char* stopName(RunStop stop);

struct RunOutcome {
  RunStop stop = RunStop::EndTime;
  std::int64_t steps = 0;    // steps made (a discarded step is not one)
  double t = 0;              // [s] the run's time after its last step
  std::string accuracyText;  // the accuracy label after the run; empty when it made no step
  Integrator integrator = Integrator::Rk4;

  bool whole() const { return stop == RunStop::EndTime; }
  // Stopped by one of the run's own rules before its end time: the user is to be told.
  bool cutShort() const { return stop == RunStop::StepLimit || stop == RunStop::NonFinite; }
};

// Told what a run does, in the order the window does it.
class RunObserver {
public:
  virtual ~RunObserver() = default;
  // Before the start button's recompute: the window clears both pictures here.
  virtual void starting(const ControlPanel& /*panel*/) {}
  // The run is prepared: the window draws the field structure once more here.
  virtual void prepared(const Run& /*run*/, const SimulationState& /*state*/) {}
  // After each step that moved the particle; never for a discarded step. Returning false
  // ends the run there. The observer may change the panel (a user's action in a pause):
  // the run reads it from the next step.
  virtual bool stepped(const Run& run, const SimulationState& state, const TrailSegment& segment) = 0;
  // The run ended by one of its own rules. Not called when an observer ended it: the
  // window may have gone away inside its step, with the panel.
  virtual void finished(const Run& /*run*/, const SimulationState& /*state*/, RunStop /*stop*/) {}
};

// The run of the start button, the one loop over steps of the program: the window's paced
// run, the replay for exports and the diagnostics, the companion and the documents'
// figures all drive it. It owns the start sequence (the recompute, a run with the panel's
// integrator, its preparation) and every stop rule (RunStop), and hands each step to its
// observers in the order they were added.
class RunDriver {
public:
  // stepLimit can only tighten the run's own limit (RunClock::maxSteps).
  explicit RunDriver(ControlPanel& panel, std::int64_t stepLimit = RunClock::maxSteps)
      : m_panel(panel), m_stepLimit(stepLimit) {}

  RunDriver& observe(RunObserver& observer) {
    m_observers.push_back(&observer);
    return *this;
  }

  // Runs to the end. After an observer has ended the run nothing of the panel is touched.
  RunOutcome drive();

private:
  ControlPanel& m_panel;
  std::int64_t m_stepLimit;
  std::vector<RunObserver*> m_observers;
};

}  // namespace larmor
