#include "panel/Run.h"

#include "model/Diagnostics.h"
#include "panel/ControlPanel.h"

namespace larmor {

namespace {

std::variant<TrajectoryRun, BorisRun> makeRun(Integrator integrator, SimulationState& state, char separator) {
  if (integrator == Integrator::Boris) return std::variant<TrajectoryRun, BorisRun>(std::in_place_type<BorisRun>, state, separator);
  return std::variant<TrajectoryRun, BorisRun>(std::in_place_type<TrajectoryRun>, state, separator);
}

}  // namespace

Run::Run(Integrator integrator, SimulationState& state, char decimalSeparator)
    : m_run(makeRun(integrator, state, decimalSeparator)) {}

Run::Run(ControlPanel& panel) : Run(panel.integrator(), panel.state(), panel.decimalSeparator()) {}

double startMoment(const Run& run, const SimulationState& state) {
  const SimParams& p = state.params;
  return diagnose(state.fieldConfig, p, {p.x0, p.y0, p.z0}, run.velocity()).mu;
}

DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, double muStart) {
  const ParticleDiagnostics d = diagnose(state.fieldConfig, state.params, {state.x, state.y, state.z}, run.velocity());
  return {run.t(), run.dV(), d.mu / muStart, d.pitchDeg, d.B, d.rho, d.z};
}

}  // namespace larmor
