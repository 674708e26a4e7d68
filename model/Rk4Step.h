#pragma once

// One classical Runge–Kutta step of the equation of motion m·dv/dt = q·v × B, in the
// Cartesian frame (configurations 1 to 3) or the cylindrical one (4 to 7). Each step is a
// pure function of the start-of-step state; omega and the field are read from the live
// state at every stage. vz and phiDot are rounded to single precision wherever they are
// stored: the shown speed error depends on it. The six-element updates are written out
// because the compiler does not unroll such short loops at the default optimisation.

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

// Stage increments dt·F(U); the sixth (Δvz) is single precision.
struct CartesianIncrement {
  double x, y, z, vx, vy;
  float vz;
};

struct CylindricalIncrement {
  double rho, phi, z, vRho, phiDot;
  float vz;
};

inline CartesianIncrement increment(const CartesianPoint& u, double dt, FieldConfig config,
                                    const SimulationState& live) {
  const double omega = live.quantities.omega;
  const double f = field::bzXY(config, live.params, u.x, u.y);
  const double vz = u.vz;
  return {dt * u.vx,
          dt * u.vy,
          dt * vz,
          dt * (omega * f * u.vy),
          dt * (-omega * f * u.vx),
          toSingle(dt * 0.0)};  // no force along the field
}

inline CylindricalIncrement increment(const CylindricalPoint& u, double dt, FieldConfig config,
                                      const SimulationState& live) {
  const double omega = live.quantities.omega;
  const double phiDot = u.phiDot;
  const double vz = u.vz;
  double aRho, aPhiDot, aZ;
  if (config == 5) {
    // Azimuthal field of constant magnitude: no field function.
    aRho = u.rho * (phiDot * phiDot) - omega * vz;
    aPhiDot = -2 * u.vRho * phiDot / u.rho;
    aZ = omega * u.vRho;
  } else {
    const double bz = field::bzRZ(config, live.params, u.rho, u.z);
    const double bRho = field::bRhoRZ(config, live.params, u.rho, u.z);
    aRho = u.rho * (phiDot * phiDot) + omega * bz * u.rho * phiDot;
    aPhiDot = (omega * (bRho * vz - bz * u.vRho) - 2 * u.vRho * phiDot) / u.rho;
    aZ = -omega * bRho * u.rho * phiDot;
  }
  return {dt * u.vRho, dt * phiDot, dt * vz, dt * aRho, dt * aPhiDot, toSingle(dt * aZ)};
}

// U = Un + k·w with w = 1/2 or 1 (division by 2 and multiplication by 1/2 agree exactly).
inline CartesianPoint stage(const CartesianPoint& un, const CartesianIncrement& k, double w) {
  return {un.x + k.x * w,   un.y + k.y * w,   un.z + k.z * w,
          un.vx + k.vx * w, un.vy + k.vy * w, toSingle(un.vz + k.vz * w)};
}

inline CylindricalPoint stage(const CylindricalPoint& un, const CylindricalIncrement& k,
                              double w) {
  return {un.rho + k.rho * w,   un.phi + k.phi * w,
          un.z + k.z * w,       un.vRho + k.vRho * w,
          toSingle(un.phiDot + k.phiDot * w), toSingle(un.vz + k.vz * w)};
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

template <typename Point>
inline Point step(const Point& un, double dt, FieldConfig config, const SimulationState& live) {
  const auto k1 = increment(un, dt, config, live);
  const auto k2 = increment(stage(un, k1, 0.5), dt, config, live);
  const auto k3 = increment(stage(un, k2, 0.5), dt, config, live);
  const auto k4 = increment(stage(un, k3, 1.0), dt, config, live);
  return combine(un, k1, k2, k3, k4);
}

}  // namespace rk4

// The step of the run in each frame.
inline CartesianPoint rk4StepCartesian(const CartesianPoint& un, double dt, FieldConfig config,
                                       const SimulationState& live) {
  return rk4::step(un, dt, config, live);
}

inline CylindricalPoint rk4StepCylindrical(const CylindricalPoint& un, double dt,
                                           FieldConfig config, const SimulationState& live) {
  return rk4::step(un, dt, config, live);
}

}  // namespace larmor
