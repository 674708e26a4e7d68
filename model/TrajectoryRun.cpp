#include "model/TrajectoryRun.h"

#include "model/AccuracyText.h"
#include "model/Precision.h"
#include "model/Rk4Step.h"

#include <cmath>

namespace larmor {

namespace {

// Azimuth of the start point [rad], by these rules in this order (piLiteral, not π).
double startAzimuth(double x0, double y0) {
  if (x0 == 0 && y0 > 0) return piLiteral / 2;
  if (x0 == 0 && y0 < 0) return threePiLiteral / 2;
  if (x0 < 0 && y0 >= 0) return piLiteral - std::atan(std::fabs(y0 / x0));
  if (x0 < 0 && y0 < 0) return std::atan(std::fabs(y0 / x0)) + piLiteral;
  // The OZ axis has no azimuth: 0 keeps every cylindrical start value finite.
  if (x0 == 0 && y0 == 0) return 0;
  return std::atan(y0 / x0);
}

// True when every value is finite: a - a is 0 for a finite value and NaN otherwise, and a
// NaN makes the sum NaN. One test for the whole state instead of one per value.
template <typename... T>
bool allFinite(T... values) {
  return ((static_cast<double>(values) - static_cast<double>(values)) + ...) == 0;
}

// The position in the X0Y plane and the velocity's components there, of a cylindrical state
// whose tangential speed is rho · phiDot.
struct PlaneValues {
  double x, y, vx, vy;
};
PlaneValues planeValues(double rho, double phi, double vRho, double tangential) {
  const double c = std::cos(phi), s = std::sin(phi);
  return {rho * c, rho * s, vRho * c - tangential * s, vRho * s + tangential * c};
}

// The speed error [%] of a speed given by its square, against the set speed v.
float speedError(double speedSquared, double v) { return toSingle(100 * (1 - std::sqrt(speedSquared) / v)); }

// A speed error that surely comes out finite: a speed of at most 1e30 m/s against a set
// speed of at least 1e-3 m/s gives at most 1e35 % in size, inside the float range.
bool speedErrorSurelyFinite(double speedSquared, double v) { return speedSquared <= 1e60 && v >= 1e-3; }

}  // namespace

TrajectoryRun::TrajectoryRun(SimulationState& state, char decimalSeparator) : ClockedRun(state, decimalSeparator) {}

void TrajectoryRun::prepare() {
  const SimParams& p = m_state.params;
  const DerivedQuantities& k = m_state.quantities;
  const FieldConfig config = m_state.fieldConfig;

  startClock();
  m_refusedAxisStart = false;
  m_accuracyText.clear();
  m_accuracyStale = false;
  m_dV = 0;
  m_dVPending = false;

  m_xn = p.x0;
  m_yn = p.y0;
  m_zn = p.z0;
  m_vxn = k.vx0;
  m_vyn = k.vy0;
  m_vzn = toSingle(k.vPar);
  m_vx = m_vxn;
  m_vy = m_vyn;
  m_vz = m_vzn;

  // Cylindrical start values, formed for every configuration.
  const double betaRad = p.betaRad;
  m_rhon = std::sqrt(p.x0 * p.x0 + p.y0 * p.y0);
  m_phin = startAzimuth(p.x0, p.y0);
  m_vRhon = std::cos(m_phin - betaRad) * k.vPerp;
  m_phiDotn = m_rhon == 0 ? 0.0f : toSingle(std::sin(betaRad - m_phin) * k.vPerp / m_rhon);
  m_rho = m_rhon;
  m_phi = m_phin;
  m_vRho = m_vRhon;
  m_phiDot = m_phiDotn;

  if (m_rhon == 0 && isCylindrical(config)) {
    m_refusedAxisStart = true;
    m_accuracyText = axisStartAccuracyText;
  }
}

void TrajectoryRun::stopNonFinite() {
  m_stoppedNonFinite = true;
  m_accuracyText = nonFiniteAccuracyText;
  m_accuracyStale = false;
}

float TrajectoryRun::dV() const {
  if (m_dVPending) {
    m_dV = speedError(m_speedSquared, m_setSpeed);
    m_dVPending = false;
  }
  return m_dV;
}

const std::string& TrajectoryRun::accuracyText() const {
  if (m_accuracyStale) {
    m_accuracyText = speedErrorText(dV(), m_decimalSeparator);
    m_accuracyStale = false;
  }
  return m_accuracyText;
}

TrailSegment TrajectoryRun::step() {
  const FieldConfig config = m_state.fieldConfig;
  const double v = m_state.params.v;
  TrailSegment segment{m_xn, m_yn, m_zn, m_xn, m_yn, m_zn};

  double x, y, z, vx, vy, speedSquared;
  float vz;
  CylindricalPoint cylinder{};
  const bool cylindrical = isCylindrical(config);
  if (cylindrical) {
    // Reached only when the configuration changed to a cylindrical one during a run that
    // started on the axis: the equations cannot start there either.
    if (m_rhon == 0) {
      m_refusedAxisStart = true;
      m_accuracyText = axisStartAccuracyText;
      m_accuracyStale = false;
      return segment;
    }
    const CylindricalPoint un{m_rhon, m_phin, m_zn, m_vRhon, m_phiDotn, m_vzn};
    cylinder = rk4StepCylindrical(un, m_clock.dt, config, m_state);
    const double phiDot = cylinder.phiDot;
    const double tangential = cylinder.rho * phiDot;
    z = cylinder.z;
    vz = cylinder.vz;
    speedSquared = cylinder.vRho * cylinder.vRho + tangential * tangential + static_cast<double>(vz) * vz;
    if (m_cartesianDeferred) {
      // Finite as they stand; the cylindrical values below decide whether the step holds
      // (from finite ones, and a finite speed, the Cartesian ones are finite too).
      m_cartesianStale = true;
      x = m_state.x, y = m_state.y, vx = m_vx, vy = m_vy;
    } else {
      const PlaneValues plane = planeValues(cylinder.rho, cylinder.phi, cylinder.vRho, tangential);
      x = plane.x, y = plane.y, vx = plane.vx, vy = plane.vy;
    }
  } else {
    const CartesianPoint un{m_xn, m_yn, m_zn, m_vxn, m_vyn, m_vzn};
    const CartesianPoint u = rk4StepCartesian(un, m_clock.dt, config, m_state);
    x = u.x;
    y = u.y;
    z = u.z;
    vx = u.vx;
    vy = u.vy;
    vz = u.vz;
    speedSquared = vx * vx + vy * vy + static_cast<double>(vz) * vz;
  }

  // The speed error is shown, never integrated: its square root and division wait until
  // it is asked for, unless its finiteness, which decides whether the run goes on, is in
  // doubt.
  const bool dVPending = speedErrorSurelyFinite(speedSquared, v);
  const float dV = dVPending ? 0.0f : speedError(speedSquared, v);
  const float zn = toSingle(z);
  if (!(allFinite(x, y, z, zn, vx, vy, vz, dV, cylinder.rho, cylinder.phi, cylinder.vRho,
                  cylinder.phiDot))) {
    stopNonFinite();
    return segment;
  }

  m_dV = dV;
  m_dVPending = dVPending;
  m_speedSquared = speedSquared;
  m_setSpeed = v;
  m_accuracyStale = true;

  m_vx = vx;
  m_vy = vy;
  m_vz = vz;
  m_state.x = x;
  m_state.y = y;
  m_state.z = z;
  segment.xTo = x;
  segment.yTo = y;
  segment.zTo = z;

  // New start-of-step values.
  m_xn = x;
  m_yn = y;
  if (cylindrical) {
    m_rho = m_rhon = cylinder.rho;
    m_phi = m_phin = cylinder.phi;
    m_vRho = m_vRhon = cylinder.vRho;
    m_phiDot = m_phiDotn = cylinder.phiDot;
  } else {
    m_vxn = vx;
    m_vyn = vy;
  }
  m_zn = zn;
  m_vzn = vz;

  m_clock.tick();
  return segment;
}

void TrajectoryRun::settle() {
  if (!m_cartesianStale) return;
  m_cartesianStale = false;
  // As the step works them out, from the values it kept.
  const PlaneValues plane = planeValues(m_rho, m_phi, m_vRho, m_rho * static_cast<double>(m_phiDot));
  m_state.x = m_xn = plane.x;
  m_state.y = m_yn = plane.y;
  m_vx = plane.vx, m_vy = plane.vy;
}

}  // namespace larmor
