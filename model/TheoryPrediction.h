#pragma once

#include "model/FieldVector.h"

#include <optional>
#include <string>
#include <vector>

namespace larmor {

struct SimulationState;

// The guiding-centre picture needs the Larmor radius small against the length over which
// the field changes; above this ratio its predictions are shown but not compared.
constexpr double maxLarmorToScale = 0.05;

// Half the length of the band |z| ≤ |d| + coilReach·S within which the traps' field lines
// are followed: beyond it the coil terms have fallen to a few per cent of their peak, so a
// particle that gets there has passed the strongest field it could meet and escapes.
constexpr double coilReach = 3;
double trapBandHalfLength(double S, double d);

// How far the guiding-centre picture can be trusted for this start.
struct GuidingCentreValidity {
  double larmorRadius = 0;  // [m] m·v⊥/(|q|·|B|) at the start
  double fieldScale = 0;    // [m] the shortest length over which the field changes on the path
  double ratio = 0;         // larmorRadius / fieldScale
  bool holds = true;        // ratio ≤ maxLarmorToScale (always for the exact laws)
};

// What theory says about the run from the start state of the current structure (SI units).
// Only the members of the structure's own quantities are set.
struct TheoryPrediction {
  FieldConfig config = 1;
  // False when there is no gyration to speak of (q = 0 or Bo = 0, no field at the start);
  // the reason then says why, in Russian.
  bool applicable = true;
  std::string notApplicableReason;
  GuidingCentreValidity validity;

  // Everywhere: mu = m·v⊥²/(2|B|) at the start [J/T].
  std::optional<double> mu;

  // Uniform field: the program's own period [s], radius [m] and signed pitch [m].
  std::optional<double> period, radius, pitch;

  // Plane drift (along +y), axial drift (along phi_hat at the guiding centre) and the
  // centrifugal drift (along +z) [m/s], and the guiding centre it is evaluated at [m].
  std::optional<double> driftVelocity;
  Vec3 guidingCentre;

  // Monopole: J = m·r×v − q·Bo·S²·r_hat [kg·m²/s] at the start, and the angle between r and J
  // that J·r_hat = −q·Bo·S² fixes for the whole motion [deg].
  std::optional<Vec3> J;
  std::optional<double> coneAngleDeg;

  // Traps: the field where mu conservation turns the particle back, |B|/sin²(pitch at the
  // start) with |B| at the start's guiding centre [T] (none for a start along the field), the lower of the two peaks of |B| along the
  // field line through the guiding centre within the band above [T], and whether the first
  // lies below the second.
  std::optional<double> turningField, peakField;
  std::optional<bool> trapped;
  // Where the field line through the start's guiding centre reaches the turning field, up
  // then down the band [m z]; a side the particle escapes from has none.
  std::vector<double> turningZ;
};

// The centre of the gyration through r with velocity v in the local field B [T]:
// r + (m/(q·|B|))·v × B_hat. Its time derivative in a uniform field is the parallel
// velocity alone, so it is the point the particle circles; r itself where |B| or q is 0.
Vec3 guidingCentreOf(const Vec3& r, const Vec3& v, const Vec3& B, double q, double m);

// From the parameter set, the configuration and the derived quantities of the last
// recompute (start point x0, y0, z0 and start velocity vx0, vy0, vPar).
TheoryPrediction predictTheory(const SimulationState& state);

}  // namespace larmor
