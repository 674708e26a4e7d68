#pragma once

#include "model/FieldConfig.h"

#include <cmath>

namespace larmor {

struct SimParams;

// A Cartesian vector: a position [m], a velocity [m/s] or a field [T].
struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double k, const Vec3& a) { return {k * a.x, k * a.y, k * a.z}; }
inline double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double norm(const Vec3& a) { return std::sqrt(dot(a, a)); }

// The field divided by Bo at a Cartesian point, in Cartesian components, from the same
// field functions (and so the same single-precision factors) as the RK4 run. The
// cylindrical components b_rho·rho_hat + b_z·z_hat are turned with the point's azimuth,
// cos phi = x/rho and sin phi = y/rho.
// On the OZ axis, where the azimuth is undefined:
//  - the traps (4, 7) are inside their near-axis tube, b_rho = 0 and b_z = 20: along z;
//  - the monopole (6) has b_rho = 0 there and b_z = S²·z/|z|³, the field's own limit: along z;
//  - the azimuthal field (5) points every way around the axis, so it has no value there:
//    the zero vector, the mean of its directions and the only value that favours none.
// At the monopole's own point (the origin) the field functions give 0, and so does this.
Vec3 fieldFactorAt(FieldConfig config, const SimParams& params, const Vec3& position);

// The field B = Bo·(the factor above) [T].
Vec3 fieldAt(FieldConfig config, const SimParams& params, const Vec3& position);

}  // namespace larmor
