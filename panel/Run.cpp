#include "panel/Run.h"

#include "model/Diagnostics.h"
#include "model/TheoryMeter.h"
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

namespace {

DiagnosticSample sampleIn(const Run& run, const SimulationState& state, const Vec3& position, const Vec3& velocity,
                          double muStart, const LocalField& field) {
  const ParticleDiagnostics d = diagnose(state.params, position, velocity, field);
  return {run.t(), run.dV(), d.mu / muStart, d.pitchDeg, d.B, d.rho, d.z};
}

}  // namespace

DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, double muStart) {
  const Vec3 position{state.x, state.y, state.z};
  const Vec3 velocity = run.velocity();
  return sampleIn(run, state, position, velocity, muStart, localField(state.fieldConfig, state.params, position));
}

void feedDiagnostics(const Run& run, const SimulationState& state, double muStart, DiagnosticsSeries& series,
                     TheoryMeter* meter) {
  const Vec3 position{state.x, state.y, state.z};
  const Vec3 velocity = run.velocity();
  const LocalField field = localField(state.fieldConfig, state.params, position);
  series.offer([&] { return sampleIn(run, state, position, velocity, muStart, field); });
  if (meter) meter->observe(run.t(), position, velocity, field);
}

}  // namespace larmor
