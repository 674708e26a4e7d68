#pragma once

// The Boris pusher for m·dv/dt = q·v × B, in Cartesian components and double precision.
// It is a leapfrog: the position lives at whole steps t_n, the velocity at half steps
// t_n + dt/2. Each step turns the velocity about the field at the position (an exact
// rotation, so the speed is kept to rounding whatever the step) and then moves the
// position the whole step with the new velocity.

#include "model/FieldVector.h"

namespace larmor {

// The magnetic rotation of the standard scheme with the rotation vector t = (q·B/m)·h/2 of
// a step h: v' = v + v × t, v⁺ = v + v' × s with s = 2t/(1 + t²). It turns v by the angle
// 2·atan(|t|) about B, clockwise seen from where B points for q·B/m > 0 (as q·v × B does);
// t and −t undo each other.
inline Vec3 borisRotate(const Vec3& v, const Vec3& t) {
  const Vec3 s = (2 / (1 + dot(t, t))) * t;
  const Vec3 vPrime = v + cross(v, t);
  return v + cross(vPrime, s);
}

// The rotation vector t of a step h [s] in the field factor b = B/Bo, with omega = q·Bo/m
// [rad/s]: the run forms it from the live omega, as the RK4 run does.
inline Vec3 borisRotationVector(double omega, const Vec3& b, double h) {
  return (omega * h / 2) * b;
}

struct BorisPoint {
  Vec3 position;      // [m] at t_n
  Vec3 halfVelocity;  // [m/s] at t_n − dt/2 before the step, t_n + dt/2 after it
};

// One step from t_n to t_(n+1), with b the field factor at the start-of-step position.
inline BorisPoint borisStep(const BorisPoint& un, double omega, const Vec3& b, double dt) {
  const Vec3 v = borisRotate(un.halfVelocity, borisRotationVector(omega, b, dt));
  return {un.position + dt * v, v};
}

}  // namespace larmor
