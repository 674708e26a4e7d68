#include "model/TheoryPrediction.h"

#include "model/Constants.h"
#include "model/Diagnostics.h"
#include "model/MonopoleInvariant.h"
#include "model/SimulationState.h"
#include "model/TrapFieldLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace larmor {

Vec3 guidingCentreOf(const Vec3& r, const Vec3& v, const Vec3& B, double q, double m) {
  const double b = norm(B);
  if (!(b > 0) || q == 0) return r;
  return r + (m / (q * b * b)) * cross(v, B);
}

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

Vec3 unit(const Vec3& a) {
  const double n = norm(a);
  return n > 0 ? (1 / n) * a : Vec3{};
}

// ∇|B| of the two exponential fields, from their formula: |B| falls by e over S along +x
// (plane drift) or away from the axis (axial drift).
Vec3 exponentialFieldGradient(FieldConfig config, double S, double B, const Vec3& at) {
  if (config == 2) return {-B / S, 0, 0};
  const double rho = std::hypot(at.x, at.y);
  if (rho == 0) return {};
  return (-B / (S * rho)) * Vec3{at.x, at.y, 0};
}

}  // namespace

TheoryPrediction predictTheory(const SimulationState& state) {
  const SimParams& p = state.params;
  const DerivedQuantities& k = state.quantities;
  TheoryPrediction t;
  t.config = state.fieldConfig;
  const Vec3 r0{p.x0, p.y0, static_cast<double>(p.z0)};
  // vz is held in single precision by the run from its first step.
  const Vec3 v0{k.vx0, k.vy0, static_cast<double>(static_cast<float>(k.vPar))};
  const Vec3 B0 = fieldAt(t.config, p, r0);
  const double b0 = norm(B0);
  if (p.q == 0 || !(b0 > 0)) {
    t.applicable = false;
    t.notApplicableReason = phrase(p.q == 0 ? Phrase::noCharge : Phrase::noFieldAtStart);
    return t;
  }
  const double q = p.q, m = p.m;
  const ParticleDiagnostics start = diagnose(t.config, p, r0, v0);
  t.mu = start.mu;
  const Vec3 gc = guidingCentreOf(r0, v0, B0, q, m);
  t.guidingCentre = gc;
  TheoryScales& scales = t.scales;
  scales.larmorRadius = m * start.vPerp / (std::fabs(q) * b0);

  switch (t.config) {
    case 1:
      t.period = k.period;
      t.radius = k.radius;
      t.pitch = k.pitch;
      break;
    case 2:
    case 3: {
      // v_d = m·v⊥²/(2qB)·(B × ∇B)/B² at the guiding centre; v⊥ is constant here (vz is).
      const Vec3 B = fieldAt(t.config, p, gc);
      const double b = norm(B);
      const Vec3 gradient = exponentialFieldGradient(t.config, p.S, b, gc);
      const Vec3 drift = (m * start.vPerp * start.vPerp / (2 * q * b * b * b)) * cross(B, gradient);
      const Vec3 along = t.config == 2 ? Vec3{0, 1, 0} : unit(Vec3{-gc.y, gc.x, 0});
      t.driftVelocity = dot(drift, along);
      scales.gradientLength = std::fabs(p.S);
      if (t.config == 3) scales.axisDistance = std::hypot(gc.x, gc.y);
      break;
    }
    case 5: {
      // v = m·v∥²/(qB)·(R_c × B)/(R_c²·B), R_c from the axis to the guiding centre. The field
      // has no phi or z dependence, so m·rho·v_phi is conserved: v∥ at the guiding centre is
      // the start's v_phi·rho0/rho_gc, not the particle's own (they differ at first order).
      const double rho0 = std::hypot(r0.x, r0.y), rhoGc = std::hypot(gc.x, gc.y);
      const double vPhi0 = dot(v0, unit(Vec3{-r0.y, r0.x, 0}));
      const double vPar = vPhi0 * rho0 / rhoGc;
      const Vec3 Rc{gc.x, gc.y, 0};
      const Vec3 B = fieldAt(t.config, p, gc);
      const double b = norm(B);
      const Vec3 drift = (m * vPar * vPar / (q * b * b * dot(Rc, Rc))) * cross(Rc, B);
      t.driftVelocity = drift.z;
      // The drift's first correction weighs both the gyration (v⊥) and the motion along the
      // bent line (v∥) against the line's radius, at the guiding centre.
      const double gyration = m / (std::fabs(q) * b);
      scales.axisDistance = rhoGc;
      scales.parallelRadius = gyration * std::fabs(vPar);
      scales.larmorRadius = gyration * std::sqrt(std::max(0.0, double(p.v) * p.v - vPar * vPar));
      break;
    }
    case 6: {
      const double g = p.Bo * p.S * p.S;  // the monopole's strength [T·m²]
      const Vec3 J = monopoleJ(p, r0, v0);
      t.J = J;
      // J·r_hat = −q·g at every instant, so r keeps the angle acos(−q·g/|J|) to J.
      t.coneAngleDeg = std::atan2(std::sqrt(std::max(0.0, dot(J, J) - q * g * q * g)), -q * g) / degToRad;
      scales.monopoleDistance = norm(r0);
      break;
    }
    case 4:
    case 7: {
      // mu = m·v²·sin²(pitch)/(2|B|) is kept and the speed is, so v∥ vanishes where
      // |B| = |B(start)|/sin²(pitch at start). |B(start)| is taken at the start's guiding
      // centre, where mu belongs: at the particle it is off by r_L·|∇B| at first order.
      const double sinPitch = std::sin(start.pitchDeg * degToRad);
      const double bGc = norm(fieldAt(t.config, p, gc));
      const double turning = sinPitch != 0 ? bGc / (sinPitch * sinPitch) : infinity;
      if (sinPitch != 0) t.turningField = turning;
      const TrapFieldLine line = followTrapFieldLine(t.config, p, std::hypot(gc.x, gc.y), gc.z, turning, p.v);
      t.peakField = std::min(line.peak[TrapFieldLine::up], line.peak[TrapFieldLine::down]);
      if (sinPitch != 0)
        for (const auto& z : line.turningZ)
          if (z) t.turningZ.push_back(*z);
      t.trapped = turning < *t.peakField;
      scales.alongLineRatio = std::max(line.worstRatio, scales.larmorRadius / std::hypot(gc.x, gc.y));
      if (*t.trapped && line.bouncePeriod) {
        t.bouncePeriod = line.bouncePeriod;
        for (const double shift : {-1.0, 1.0}) {
          const double moved = turning * (1 + shift * scales.alongLineRatio);
          const TrapFieldLine other = followTrapFieldLine(t.config, p, std::hypot(gc.x, gc.y), gc.z, moved, p.v);
          t.bounceSensitivity = std::max(t.bounceSensitivity, other.bouncePeriod ? std::fabs(*other.bouncePeriod / *line.bouncePeriod - 1) : infinity);
        }
      }
      break;
    }
    default:
      break;
  }
  return t;
}

}  // namespace larmor
