#include "model/Diagnostics.h"

#include "model/Constants.h"
#include "model/SimParams.h"

#include <cmath>
#include <limits>

namespace larmor {

namespace {

// atan2(y, x) for y >= 0, the pitch angle of every sample of a watched run: within 2 units
// in the last place of the library's atan2 at about half its cost. t = min(y, |x|)/max(…)
// is taken to the nearest eighth c, atan t = atan c + atan u with u = (t − c)/(1 + t·c),
// |u| <= 1/16, where the series of atan u through u^13 is exact to rounding (the next
// term is below 2^-59 of u). Zeros, infinities and NaN take the library's atan2, so the
// pitch of a velocity along the field, or of none, is exactly what it was.
double pitchAtan2(double y, double x) {
  constexpr double infinity = std::numeric_limits<double>::infinity();
  const double a = std::fabs(x);
  if (!(y > 0 && a > 0 && y < infinity && a < infinity)) return std::atan2(y, x);
  static constexpr double atanOfEighths[9] = {0.0, 0.12435499454676144, 0.24497866312686414,
                                              0.35877067027057225, 0.4636476090008061, 0.5585993153435624,
                                              0.6435011087932844, 0.7188299996216245, 0.7853981633974483};
  constexpr double halfPi = 1.5707963267948966, pi = 3.141592653589793;
  const bool steep = y > a;
  const double t = steep ? a / y : y / a;
  const int k = static_cast<int>(t * 8 + 0.5);
  const double c = 0.125 * k;
  const double u = (t - c) / (1 + t * c);
  const double u2 = u * u, u4 = u2 * u2, u8 = u4 * u4;
  const double low = ((-1.0 / 3) + u2 * (1.0 / 5)) + u4 * ((-1.0 / 7) + u2 * (1.0 / 9));
  const double high = (-1.0 / 11) + u2 * (1.0 / 13);
  double angle = atanOfEighths[k] + (u + (u * u2) * (low + u8 * high));
  if (steep) angle = halfPi - angle;
  if (x < 0) angle = pi - angle;
  return angle;
}

}  // namespace

LocalField localField(FieldConfig config, const SimParams& params, const Vec3& position) {
  LocalField f;
  f.factor = fieldFactorAt(config, params, position);
  f.B = params.Bo * f.factor;
  f.b = norm(f.B);
  if (f.b > 0) f.inverseB = 1 / f.b, f.bHat = f.inverseB * f.B;
  return f;
}

ParticleDiagnostics diagnose(FieldConfig config, const SimParams& params, const Vec3& position,
                             const Vec3& velocity) {
  return diagnose(params, position, velocity, localField(config, params, position));
}

ParticleDiagnostics diagnose(const SimParams& params, const Vec3& position, const Vec3& velocity,
                             const LocalField& field) {
  constexpr double undefined = std::numeric_limits<double>::quiet_NaN();
  ParticleDiagnostics d;
  d.rho = std::sqrt(position.x * position.x + position.y * position.y);
  d.z = position.z;
  d.B = field.b;
  if (field.b > 0) {
    // Against B itself rather than its unit vector: the pitch does not wait for the division
    // by |B|, and mu = m·|v×B|²/(2|B|³).
    const double along = dot(velocity, field.B);
    const double across2 = dot(cross(velocity, field.B), cross(velocity, field.B));
    const double across = std::sqrt(across2);
    d.pitchDeg = pitchAtan2(across, along) / degToRad;
    d.mu = params.m * across2 / (2 * field.b * dot(field.B, field.B));
    d.vPar = along * field.inverseB;
    d.vPerp = across * field.inverseB;
    return d;
  }
  // No field: the structure's direction, where it has one.
  const double length = norm(field.factor);
  if (!(length > 0)) {
    d.pitchDeg = d.vPar = d.vPerp = d.mu = undefined;
    return d;
  }
  const Vec3 unit = (1 / length) * field.factor;
  d.vPar = dot(velocity, unit);
  d.vPerp = norm(cross(velocity, unit));
  // An arc tangent keeps its accuracy near 0 and 180 degrees, where acos of the cosine loses it.
  d.pitchDeg = pitchAtan2(d.vPerp, d.vPar) / degToRad;
  d.mu = undefined;
  return d;
}

}  // namespace larmor
