#pragma once

// One classical Runge–Kutta step of the equation of motion m·dv/dt = q·v × B, in the
// Cartesian frame (configurations 1 to 3) or the cylindrical one (4 to 7). Each step is a
// pure function of the start-of-step state; omega and the field are read from the live
// state at every stage. vz and phiDot are rounded to single precision wherever they are
// stored: the shown speed error depends on it. The six-element updates are written out
// because the compiler does not unroll such short loops at the default optimisation, and
// the operations keep the written order: a reordered form changes the last bits, which
// the cylindrical configurations amplify into visible differences.

#include "model/FieldFormulas.h"
#include "model/Precision.h"
#include "model/SimulationState.h"

namespace larmor {

struct CartesianPoint {
  double x, y, z;  // [m]
  double vx, vy;   // [m/s]
  float vz;        // [m/s]
};

struct CylindricalPoint {
  double rho, phi, z;  // [m], [rad], [m]
  double vRho;         // [m/s]
  float phiDot;        // [rad/s]
  float vz;            // [m/s]
};

namespace rk4 {

// Stage increments k = dt·F(U), and h = (dt/2)·F(U), which equals k/2 bit for bit (a
// power-of-two scaling commutes with rounding for every normal or zero result) but spares
// one multiplication on the dependency chain. The sixth increment (Δvz) is single
// precision and is halved as written.
struct CartesianIncrement {
  double x, y, z, vx, vy;
  float vz;
  double hx, hy, hz, hvx, hvy;
};

struct CylindricalIncrement {
  double rho, phi, z, vRho, phiDot;
  float vz;
  double hRho, hPhi, hZ, hVRho, hPhiDot;
};

// Config is a template argument so that the field's switch folds away; 0 stands for a
// configuration without a field in that frame.
template <int Config>
inline CartesianIncrement increment(const CartesianPoint& u, double dt, double halfDt,
                                    const SimulationState& live) {
  const double omega = live.quantities.omega;
  const double f = field::bzXY(Config, live.params, u.x, u.y);
  const double vz = u.vz;
  const double ax = omega * f * u.vy, ay = -omega * f * u.vx;
  // dvz/dt = 0 and dt is finite, so Δvz is exactly 0.
  return {dt * u.vx,     dt * u.vy,     dt * vz,       dt * ax,     dt * ay, 0.0f,
          halfDt * u.vx, halfDt * u.vy, halfDt * vz, halfDt * ax, halfDt * ay};
}

template <int Config>
inline CylindricalIncrement increment(const CylindricalPoint& u, double dt, double halfDt,
                                      const SimulationState& live) {
  const double omega = live.quantities.omega;
  const double phiDot = u.phiDot;
  const double vz = u.vz;
  double aRho, aPhiDot, aZ;
  if (Config == 5) {
    // Azimuthal field of constant magnitude: no field function.
    aRho = u.rho * (phiDot * phiDot) - omega * vz;
    aPhiDot = -2 * u.vRho * phiDot / u.rho;
    aZ = omega * u.vRho;
  } else {
    const double bz = field::bzRZ(Config, live.params, u.rho, u.z);
    const double bRho = field::bRhoRZ(Config, live.params, u.rho, u.z);
    aRho = u.rho * (phiDot * phiDot) + omega * bz * u.rho * phiDot;
    aPhiDot = (omega * (bRho * vz - bz * u.vRho) - 2 * u.vRho * phiDot) / u.rho;
    aZ = -omega * bRho * u.rho * phiDot;
  }
  return {dt * u.vRho,     dt * phiDot,     dt * vz,     dt * aRho,     dt * aPhiDot,
          toSingle(dt * aZ),
          halfDt * u.vRho, halfDt * phiDot, halfDt * vz, halfDt * aRho, halfDt * aPhiDot};
}

// U = Un + k/2.
inline CartesianPoint halfStage(const CartesianPoint& un, const CartesianIncrement& k) {
  return {un.x + k.hx,   un.y + k.hy,   un.z + k.hz,
          un.vx + k.hvx, un.vy + k.hvy, toSingle(un.vz + static_cast<double>(k.vz) / 2)};
}

inline CylindricalPoint halfStage(const CylindricalPoint& un, const CylindricalIncrement& k) {
  return {un.rho + k.hRho,   un.phi + k.hPhi,
          un.z + k.hZ,       un.vRho + k.hVRho,
          toSingle(un.phiDot + k.hPhiDot), toSingle(un.vz + static_cast<double>(k.vz) / 2)};
}

// U = Un + k.
inline CartesianPoint fullStage(const CartesianPoint& un, const CartesianIncrement& k) {
  return {un.x + k.x,   un.y + k.y,   un.z + k.z,
          un.vx + k.vx, un.vy + k.vy, toSingle(un.vz + static_cast<double>(k.vz))};
}

inline CylindricalPoint fullStage(const CylindricalPoint& un, const CylindricalIncrement& k) {
  return {un.rho + k.rho,   un.phi + k.phi,
          un.z + k.z,       un.vRho + k.vRho,
          toSingle(un.phiDot + k.phiDot), toSingle(un.vz + static_cast<double>(k.vz))};
}

// (k1 + 2·k2 + 2·k3 + k4) / 6, summed left to right.
inline double weighted(double k1, double k2, double k3, double k4) {
  return (k1 + 2 * k2 + 2 * k3 + k4) / 6;
}

inline CartesianPoint combine(const CartesianPoint& un, const CartesianIncrement& k1,
                              const CartesianIncrement& k2, const CartesianIncrement& k3,
                              const CartesianIncrement& k4) {
  return {un.x + weighted(k1.x, k2.x, k3.x, k4.x),
          un.y + weighted(k1.y, k2.y, k3.y, k4.y),
          un.z + weighted(k1.z, k2.z, k3.z, k4.z),
          un.vx + weighted(k1.vx, k2.vx, k3.vx, k4.vx),
          un.vy + weighted(k1.vy, k2.vy, k3.vy, k4.vy),
          toSingle(un.vz + weighted(k1.vz, k2.vz, k3.vz, k4.vz))};
}

inline CylindricalPoint combine(const CylindricalPoint& un, const CylindricalIncrement& k1,
                                const CylindricalIncrement& k2, const CylindricalIncrement& k3,
                                const CylindricalIncrement& k4) {
  return {un.rho + weighted(k1.rho, k2.rho, k3.rho, k4.rho),
          un.phi + weighted(k1.phi, k2.phi, k3.phi, k4.phi),
          un.z + weighted(k1.z, k2.z, k3.z, k4.z),
          un.vRho + weighted(k1.vRho, k2.vRho, k3.vRho, k4.vRho),
          toSingle(un.phiDot + weighted(k1.phiDot, k2.phiDot, k3.phiDot, k4.phiDot)),
          toSingle(un.vz + weighted(k1.vz, k2.vz, k3.vz, k4.vz))};
}

template <int Config, typename Point>
inline Point step(const Point& un, double dt, const SimulationState& live) {
  const double halfDt = dt / 2;
  const auto k1 = increment<Config>(un, dt, halfDt, live);
  const auto k2 = increment<Config>(halfStage(un, k1), dt, halfDt, live);
  const auto k3 = increment<Config>(halfStage(un, k2), dt, halfDt, live);
  const auto k4 = increment<Config>(fullStage(un, k3), dt, halfDt, live);
  return combine(un, k1, k2, k3, k4);
}

}  // namespace rk4

// The step of the run in each frame, for the configuration read at this step.
inline CartesianPoint rk4StepCartesian(const CartesianPoint& un, double dt, FieldConfig config,
                                       const SimulationState& live) {
  switch (config) {
    case 1:
      return rk4::step<1>(un, dt, live);
    case 2:
      return rk4::step<2>(un, dt, live);
    case 3:
      return rk4::step<3>(un, dt, live);
    default:
      return rk4::step<0>(un, dt, live);
  }
}

inline CylindricalPoint rk4StepCylindrical(const CylindricalPoint& un, double dt,
                                           FieldConfig config, const SimulationState& live) {
  switch (config) {
    case 4:
      return rk4::step<4>(un, dt, live);
    case 5:
      return rk4::step<5>(un, dt, live);
    case 6:
      return rk4::step<6>(un, dt, live);
    case 7:
      return rk4::step<7>(un, dt, live);
    default:
      return rk4::step<0>(un, dt, live);
  }
}

}  // namespace larmor
