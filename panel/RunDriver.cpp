#include "panel/RunDriver.h"

#include "panel/ControlPanel.h"
#include "panel/CpuState.h"

namespace larmor {

const char* stopName(RunStop stop) {
  switch (stop) {
    case RunStop::EndTime: return "end time";
    case RunStop::StepLimit: return "step limit";
    case RunStop::NonFinite: return "non-finite state";
    case RunStop::AxisStart: return "start on the axis";
    case RunStop::Observer: return "stopped";
  }
  return "";
}

namespace {

RunStop ownStop(const Run& run) {
  if (run.refusedAxisStart()) return RunStop::AxisStart;
  if (run.stoppedNonFinite()) return RunStop::NonFinite;
  return run.cutAtStepLimit() ? RunStop::StepLimit : RunStop::EndTime;
}

}  // namespace

RunOutcome RunDriver::drive() {
  for (RunObserver* observer : m_observers) observer->starting(m_panel);
  // The recompute, the preparation and what observers make of them (a prediction follows
  // a field line for thousands of steps) call the maths library as much as a run may.
  clearUpperRegisterState();
  m_panel.RecomputeQuantities();
  SimulationState& state = m_panel.state();
  Run run(m_panel);
  run.limitSteps(m_stepLimit);
  run.prepare();
  for (RunObserver* observer : m_observers) {
    clearUpperRegisterState();
    observer->prepared(run, state);
  }

  RunOutcome outcome;
  outcome.integrator = run.integrator();
  bool observerStopped = false;
  if (m_observers.empty()) {
    // Unwatched (the companion's summary): nothing between two steps touches the vector
    // registers, and no step needs its position in the views' frame.
    run.deferCartesian();
    clearUpperRegisterState();
    run.stepToEnd();
  }
  while (run.hasNextStep() && !observerStopped) {
    clearUpperRegisterState();
    const TrailSegment segment = run.step();
    // A discarded step (a state no longer finite, a structure turned cylindrical on the
    // axis) moved nothing: no observer sees it.
    if (run.stoppedNonFinite() || run.refusedAxisStart()) break;
    for (RunObserver* observer : m_observers) {
      clearUpperRegisterState();
      if (!observer->stepped(run, state, segment)) {
        observerStopped = true;
        break;
      }
    }
  }
  run.settle();
  outcome.steps = run.stepsDone();
  outcome.t = run.t();
  outcome.accuracyText = run.accuracyText();
  if (observerStopped) {
    outcome.stop = RunStop::Observer;
    return outcome;
  }
  outcome.stop = ownStop(run);
  for (RunObserver* observer : m_observers) {
    clearUpperRegisterState();
    observer->finished(run, state, outcome.stop);
  }
  return outcome;
}

}  // namespace larmor
