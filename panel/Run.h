#pragma once

#include "model/BorisRun.h"
#include "model/Diagnostics.h"
#include "model/DiagnosticsSeries.h"
#include "model/FieldVector.h"
#include "model/TrajectoryRun.h"
#include "panel/PanelControls.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace larmor {

class ControlPanel;
class TheoryMeter;

// The run of the start button with the integrator the panel names: the Runge–Kutta run
// (the default) or the Boris run, driven alike by the window, the companion and the replay.
// A variant rather than virtual calls: every call is one well-predicted branch, inlined, so
// a Runge–Kutta run through it costs what the bare TrajectoryRun costs.
class Run {
  std::variant<TrajectoryRun, BorisRun> m_run;

  // Two alternatives, told apart by the index alone: no exception path, no jump table.
  template <typename F>
  decltype(auto) visit(F&& f) {
    if (auto* rk4 = std::get_if<TrajectoryRun>(&m_run)) return std::forward<F>(f)(*rk4);
    return std::forward<F>(f)(*std::get_if<BorisRun>(&m_run));
  }
  template <typename F>
  decltype(auto) visit(F&& f) const {
    if (const auto* rk4 = std::get_if<TrajectoryRun>(&m_run)) return std::forward<F>(f)(*rk4);
    return std::forward<F>(f)(*std::get_if<BorisRun>(&m_run));
  }

public:
  Run(Integrator integrator, SimulationState& state, char decimalSeparator = '.');
  // The panel's integrator, its state and its decimal separator.
  explicit Run(ControlPanel& panel);

  Integrator integrator() const { return m_run.index() == 0 ? Integrator::Rk4 : Integrator::Boris; }

  void limitSteps(std::int64_t limit) {
    visit([limit](auto& run) { run.limitSteps(limit); });
  }
  void prepare() {
    visit([](auto& run) { run.prepare(); });
  }
  bool hasNextStep() const {
    return visit([](const auto& run) { return run.hasNextStep(); });
  }
  TrailSegment step() {
    return visit([](auto& run) { return run.step(); });
  }
  // A run nobody watches step by step: the Runge–Kutta run leaves its cylindrical steps'
  // Cartesian values to settle() (the Boris run steps in Cartesian values anyway).
  void deferCartesian() {
    if (auto* rk4 = std::get_if<TrajectoryRun>(&m_run)) rk4->deferCartesian();
  }
  // The steps of a run nobody watches, to its own stop: one loop of the run itself.
  void stepToEnd() {
    visit([](auto& run) {
      while (run.hasNextStep()) run.step();
    });
  }
  void settle() {
    if (auto* rk4 = std::get_if<TrajectoryRun>(&m_run)) rk4->settle();
  }
  const std::string& accuracyText() const {
    return visit([](const auto& run) -> const std::string& { return run.accuracyText(); });
  }
  bool stoppedNonFinite() const {
    return visit([](const auto& run) { return run.stoppedNonFinite(); });
  }
  bool refusedAxisStart() const {
    return visit([](const auto& run) { return run.refusedAxisStart(); });
  }
  bool cutAtStepLimit() const {
    return visit([](const auto& run) { return run.cutAtStepLimit(); });
  }
  std::int64_t stepsDone() const {
    return visit([](const auto& run) { return run.stepsDone(); });
  }
  double dt() const {
    return visit([](const auto& run) { return run.dt(); });
  }
  double t() const {
    return visit([](const auto& run) { return run.t(); });
  }
  float dV() const {
    return visit([](const auto& run) { return run.dV(); });
  }
  // The velocity [m/s] at t in Cartesian components, as each run holds it.
  double vxCartesian() const {
    return visit([](const auto& run) { return run.vxCartesian(); });
  }
  double vyCartesian() const {
    return visit([](const auto& run) { return run.vyCartesian(); });
  }
  double vzCartesian() const {
    return visit([](const auto& run) { return run.vzCartesian(); });
  }
  Vec3 velocity() const { return {vxCartesian(), vyCartesian(), vzCartesian()}; }
};

// μ [J/T] of the prepared run's start state: the start point and the run's start velocity.
double startMoment(const Run& run, const SimulationState& state);

// The particle after a run's step and the field there, worked out once for everyone who
// measures the step: the diagnostics' sample and the theory meter.
struct StepMeasures {
  Vec3 position;  // [m] state.x, y, z
  Vec3 velocity;  // [m/s] the run's
  LocalField field;
};
StepMeasures measureStep(const Run& run, const SimulationState& state);

// What the diagnostics plot of the run's last step: its t and dV, and the particle against
// the field; muRatio is μ over muStart (startMoment).
DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, const StepMeasures& measures,
                                  double muStart);
DiagnosticSample diagnosticSample(const Run& run, const SimulationState& state, double muStart);

// A step of a run the diagnostics window watches: the series is given the sample and the
// meter, where there is one, observes the step; both from one evaluation of the field.
void feedDiagnostics(const Run& run, const SimulationState& state, double muStart, DiagnosticsSeries& series,
                     TheoryMeter* meter);
// The same from a step's values: its time, speed error, position and velocity, in the
// field of the structure and parameters given.
void feedDiagnostics(double t, float dV, FieldConfig config, const SimParams& params, const Vec3& position,
                     const Vec3& velocity, double muStart, DiagnosticsSeries& series, TheoryMeter* meter);

}  // namespace larmor
