#include "model/Diagnostics.h"

#include "model/Constants.h"
#include "model/SimParams.h"

#include <cmath>
#include <limits>

namespace larmor {

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
    d.pitchDeg = std::atan2(across, along) / degToRad;
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
  d.pitchDeg = std::atan2(d.vPerp, d.vPar) / degToRad;
  d.mu = undefined;
  return d;
}

}  // namespace larmor
