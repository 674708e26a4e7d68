#pragma once

#include "model/Diagnostics.h"
#include "model/FieldVector.h"
#include "model/SimulationState.h"

#include <cstdint>
#include <optional>

namespace larmor {

// Measures from a run, one state at a time and in bounded memory, what the guiding-centre
// theory predicts. Feed it the start state first (after the run's prepare(), before any
// step) and then the state after every step; the local field is worked out here from the
// parameter set and configuration of the start.
//
// Gyrations are counted by the gyrophase: the angle through which the velocity's part
// across the local field turns about the field, summed step by step; a gyration ends each
// time its magnitude passes a further multiple of 2π (time and position interpolated
// between the two steps). The start is the boundary of the first one.
class TheoryMeter {
public:
  explicit TheoryMeter(const SimulationState& state);

  void observe(double t, const Vec3& position, const Vec3& velocity);
  // The same with the local field already worked out (localField of this configuration and
  // parameter set at the position), for a caller that measures more there.
  void observe(double t, const Vec3& position, const Vec3& velocity, const LocalField& field);

  // For TrajectoryRun and BorisRun: the shared position and the run's velocity and time.
  template <class Run>
  void observe(const Run& run, const SimulationState& state);

  // The run's own error: the largest | |v|/|v(0)| − 1 | seen. A magnetic field cannot change
  // the speed, so whatever it is comes from the integrator.
  double speedError() const { return m_speedError; }

  // Whole gyrations only; none before the first one ends.
  std::optional<double> period() const;    // [s] time of the last boundary / gyrations
  std::optional<double> radius() const;    // [m] a quarter of the x and y extents summed
  std::optional<double> advance() const;   // [m] z advance per gyration, signed
  // The guiding centre's drift between the start and the last boundary [m/s]: along +y
  // (plane drift), along phi_hat (axial drift: rho_gc times its angular speed about OZ),
  // along +z (centrifugal drift); none in other structures.
  std::optional<double> driftVelocity() const;
  // (max − min)/mean of mu averaged over each whole gyration; needs two gyrations.
  std::optional<double> muSpread() const;

  // Monopole: max |J(t) − J(0)|/|J(0)| over the run, and the mean and the range of the
  // angle between r and J(0) [deg].
  std::optional<double> poincareSpread() const;
  std::optional<double> coneAngleDeg() const;
  std::optional<double> coneAngleRangeDeg() const;

  // Traps. A reflection is a change of the sign of v∥ = v·B_hat that holds: v∥ must go from
  // beyond +h to beyond −h (or back), h = reflectionHysteresis·v, so that the wobble of v∥
  // within a gyration near a turning point is not counted. Its time and field are the
  // middle of the first and last zero crossings in between; the field is |B| at the guiding
  // centre there.
  static constexpr double reflectionHysteresis = 0.05;
  int reflections() const { return m_reflections; }
  std::optional<double> turningField() const;  // [T] the mean over the reflections
  std::optional<double> bouncePeriod() const;  // [s] the mean time between alternate reflections
  // Whether the particle stayed: true after reflections at both ends (an end told by the
  // direction it came from, however far out it lies), false once it has passed where |B| on
  // the field line through its start's guiding centre stops rising (TrapFieldLine::escapeZ),
  // none while neither happened.
  std::optional<bool> trapped() const;
  // Once it has escaped: through which end (+z up) and when [s], at the first state past it.
  bool escapedUp() const { return m_escapedUp; }
  double escapeTime() const { return m_escapeT; }

private:
  // The guiding centre is needed only at the boundaries and reflections: it is worked out
  // from the sample there rather than at every step.
  struct Sample {
    double t = 0;
    Vec3 r, v, B;
    double vPar = 0;
  };
  Vec3 guidingCentre(const Sample& s) const;
  void gyrationBoundary(const Sample& before, const Sample& after, double fraction);
  void reflectionCheck(const Sample& before, const Sample& after);

  FieldConfig m_config;
  SimParams m_params;
  std::int64_t m_samples = 0;
  double m_startSpeed = 0, m_speedError = 0;
  Sample m_previous;
  Vec3 m_previousVPerp;
  double m_previousVPerp2 = 0;

  // Gyrations.
  double m_phase = 0;  // [rad] signed
  double m_phaseBefore = 0;  // [rad] at the previous state
  std::int64_t m_turns = 0;
  double m_lastBoundaryT = 0;
  Vec3 m_firstGc, m_lastGc;
  double m_firstZ = 0, m_lastBoundaryZ = 0;
  double m_gcPhiTurned = 0;  // [rad] the guiding centre's azimuth, unwrapped, since the start
  double m_gcRhoFirst = 0, m_gcRhoLast = 0;
  double m_xMin = 0, m_xMax = 0, m_yMin = 0, m_yMax = 0;
  double m_extentsAtBoundary = 0;  // [m] x and y extents summed at the last boundary
  double m_muSum = 0;
  std::int64_t m_muCount = 0;
  double m_muMeanMin = 0, m_muMeanMax = 0, m_muMeanSum = 0;

  // Monopole.
  Vec3 m_J0;
  double m_jSpread = 0, m_angleSum = 0, m_angleMin = 0, m_angleMax = 0;

  // Traps.
  int m_legSign = 0;  // the sign of v∥ last seen beyond the hysteresis band
  bool m_crossingPending = false;
  double m_firstCrossingT = 0, m_firstCrossingB = 0, m_lastCrossingT = 0, m_lastCrossingB = 0;
  int m_reflections = 0;
  double m_turningFieldSum = 0;
  double m_firstReflectionT[2] = {0, 0}, m_lastReflectionT[2] = {0, 0};
  int m_reflectionsOfParity[2] = {0, 0};
  int m_reflectionSides = 0;  // bit 0: turned back moving up (+z), bit 1: moving down
  double m_escapeZ[2] = {0, 0};  // [m] up, down
  bool m_escaped = false, m_escapedUp = false;
  double m_escapeT = 0;
};

template <class Run>
void TheoryMeter::observe(const Run& run, const SimulationState& state) {
  observe(run.t(), {state.x, state.y, state.z}, {run.vxCartesian(), run.vyCartesian(), run.vzCartesian()});
}

}  // namespace larmor
