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

StepMeasures measureStep(const Run& run, const SimulationState& state) {
  const Vec3 position{state.x, state.y, state.z};
  return {position, run.velocity(), localField(state.fieldConfig, state.params, position)};
}

namespace {

DiagnosticSample sampleOf(double t, float dV, const SimParams& params, const StepMeasures& measures, double muStart) {
  const ParticleDiagnostics d = diagnose(params, measures.position, measures.velocity, measures.field);
  return {t, dV, d.mu / muStart, d.pitchDeg, d.B, d.rho, d.z};
}

}  // namespace

DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, const StepMeasures& measures,
                                  double muStart) {
  return sampleOf(run.t(), run.dV(), state.params, measures, muStart);
}

DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, double muStart) {
  return diagnosticSample(run, state, measureStep(run, state), muStart);
}

void feedDiagnostics(double t, float dV, FieldConfig config, const SimParams& params, const Vec3& position,
                     const Vec3& velocity, double muStart, DiagnosticsSeries& series, TheoryMeter* meter) {
  const StepMeasures measures{position, velocity, localField(config, params, position)};
  series.add(sampleOf(t, dV, params, measures, muStart));
  if (meter) meter->observe(t, position, velocity, measures.field);
}

void feedDiagnostics(const Run& run, const SimulationState& state, double muStart, DiagnosticsSeries& series,
                     TheoryMeter* meter) {
  feedDiagnostics(run.t(), run.dV(), state.fieldConfig, state.params, {state.x, state.y, state.z}, run.velocity(),
                  muStart, series, meter);
}

}  // namespace larmor
