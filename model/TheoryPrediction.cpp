#include "model/TheoryPrediction.h"

#include "model/Constants.h"
#include "model/Diagnostics.h"
#include "model/MonopoleInvariant.h"
#include "model/SimulationState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace larmor {

double trapBandHalfLength(double S, double d) { return std::fabs(d) + coilReach * std::fabs(S); }

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

struct LineScan {
  double peak = 0;         // [T] the largest |B| met on this side
  double worstRatio = 0;   // the largest r_L / L on the part the particle reaches
  std::optional<double> turningZ;  // [m] where |B| first reaches the turning field
};

// Follows the field line of a trap in its meridian plane, d rho/dz = b_rho/b_z (b_z > 0 in
// both traps), from the guiding centre to one end of the band, by the midpoint rule.
LineScan followFieldLine(FieldConfig config, const SimParams& p, double rho, double z, double zEnd,
                         double turningField, double speed) {
  constexpr int steps = 4000;
  const auto factor = [&](double r, double zz) { return fieldFactorAt(config, p, {r, 0, zz}); };
  const auto slope = [&](double r, double zz) {
    const Vec3 b = factor(r, zz);
    return b.z > 0 ? b.x / b.z : 0.0;
  };
  LineScan scan;
  const double h = (zEnd - z) / steps;
  double previousB = p.Bo * norm(factor(rho, z));
  scan.peak = previousB;
  bool reached = true;
  for (int i = 0; i < steps && rho > 0; ++i) {
    const double k = slope(rho, z);
    const double rhoNext = rho + h * slope(rho + 0.5 * h * k, z + 0.5 * h);
    const double ds = std::hypot(h, rhoNext - rho);
    rho = rhoNext, z += h;
    const double B = p.Bo * norm(factor(rho, z));
    scan.peak = std::max(scan.peak, B);
    reached = reached && B < turningField;
    if (reached && B > 0) {
      // The particle's gyration here, with mu conserved: v⊥² = v²·B/B_turn.
      const double vPerp = speed * std::sqrt(std::min(1.0, B / turningField));
      const double larmor = p.m * vPerp / (std::fabs(p.q) * B);
      const double alongLine = ds > 0 && B != previousB ? B * ds / std::fabs(B - previousB) : infinity;
      // |B| ∝ 1/rho across the line: rho is the transverse scale.
      scan.worstRatio = std::max(scan.worstRatio, larmor / std::min(rho, alongLine));
    }
    if (!scan.turningZ && B >= turningField) scan.turningZ = z - h * (B - turningField) / (B - previousB);
    previousB = B;
  }
  return scan;
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
    t.notApplicableReason = p.q == 0 ? "нет заряда — нет вращения, теория ведущего центра неприменима"
                                     : "в точке старта нет поля — нет вращения, теория неприменима";
    return t;
  }
  const double q = p.q, m = p.m;
  const ParticleDiagnostics start = diagnose(t.config, p, r0, v0);
  t.mu = start.mu;
  const Vec3 gc = guidingCentreOf(r0, v0, B0, q, m);
  t.guidingCentre = gc;
  GuidingCentreValidity& valid = t.validity;
  valid.larmorRadius = m * start.vPerp / (std::fabs(q) * b0);
  valid.fieldScale = infinity;

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
      valid.fieldScale = std::fabs(p.S);
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
      valid.fieldScale = rhoGc;  // the radius of curvature of the field lines
      break;
    }
    case 6: {
      const double g = p.Bo * p.S * p.S;  // the monopole's strength [T·m²]
      const Vec3 J = monopoleJ(p, r0, v0);
      t.J = J;
      // J·r_hat = −q·g at every instant, so r keeps the angle acos(−q·g/|J|) to J.
      t.coneAngleDeg = std::atan2(std::sqrt(std::max(0.0, dot(J, J) - q * g * q * g)), -q * g) / degToRad;
      valid.fieldScale = norm(r0) / 2;  // |B| ∝ 1/r²
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
      const double rho = std::hypot(gc.x, gc.y), band = trapBandHalfLength(p.S, p.d);
      const LineScan up = followFieldLine(t.config, p, rho, gc.z, band, turning, p.v);
      const LineScan down = followFieldLine(t.config, p, rho, gc.z, -band, turning, p.v);
      t.peakField = std::min(up.peak, down.peak);
      for (const LineScan* side : {&up, &down})
        if (side->turningZ && sinPitch != 0) t.turningZ.push_back(*side->turningZ);
      t.trapped = turning < *t.peakField;
      valid.fieldScale = valid.larmorRadius > 0
                             ? valid.larmorRadius / std::max({up.worstRatio, down.worstRatio,
                                                              valid.larmorRadius / rho})
                             : rho;
      break;
    }
    default:
      break;
  }
  valid.ratio = valid.fieldScale > 0 ? valid.larmorRadius / valid.fieldScale : infinity;
  valid.holds = valid.ratio <= maxLarmorToScale;
  return t;
}

}  // namespace larmor
