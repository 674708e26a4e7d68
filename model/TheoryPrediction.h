#pragma once

#include "model/FieldVector.h"
#include "model/TheoryTexts.h"

#include <optional>
#include <string>
#include <vector>

namespace larmor {

struct SimulationState;

// The lengths the verdicts weigh the Larmor radius against, each where it matters; 0 where
// a structure has no such length.
struct TheoryScales {
  double larmorRadius = 0;     // [m] m·v⊥/(|q|·|B|) at the start (at the guiding centre in 5)
  double parallelRadius = 0;   // [m] m·|v∥|/(|q|·|B|) at the guiding centre (5: the curvature drift's)
  double gradientLength = 0;   // [m] |S|, over which |B| falls by e (2, 3)
  double axisDistance = 0;     // [m] the guiding centre from OZ (3), the field line's radius Rc (5)
  double monopoleDistance = 0; // [m] the start from the monopole (6)
  double alongLineRatio = 0;   // the largest rL/L on the part of the field line the particle reaches (4, 7)
};

// What theory says about the run from the start state of the current structure (SI units).
// Only the members of the structure's own quantities are set.
struct TheoryPrediction {
  FieldConfig config = 1;
  // False when there is no gyration to speak of (q = 0 or Bo = 0, no field at the start);
  // the reason then says why.
  bool applicable = true;
  BilingualText notApplicableReason;
  TheoryScales scales;

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
  // start) with |B| at the start's guiding centre [T] (none for a start along the field); the
  // lower of the largest |B| on the field line through the guiding centre up and down it [T];
  // whether the first lies below the second; and the bounce period ∮ ds/v∥ between the
  // turning points [s] (trapped only).
  std::optional<double> turningField, peakField;
  std::optional<bool> trapped;
  std::optional<double> bouncePeriod;
  // How far the bounce period moves, relative to itself, when the turning field moves by the
  // order rL/L to which mu is kept (alongLineRatio): large where the line's |B| hardly rises
  // near the turning points; infinite where such a move lets the particle out.
  double bounceSensitivity = 0;
  // Where the field line through the start's guiding centre reaches the turning field, up
  // then down [m z]; a side the particle escapes from has none.
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
