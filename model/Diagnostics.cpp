#include "model/Diagnostics.h"

#include "model/Constants.h"
#include "model/SimParams.h"

#include <limits>

namespace larmor {

ParticleDiagnostics diagnose(FieldConfig config, const SimParams& params, const Vec3& position,
                             const Vec3& velocity) {
  constexpr double undefined = std::numeric_limits<double>::quiet_NaN();
  ParticleDiagnostics d;
  d.rho = std::sqrt(position.x * position.x + position.y * position.y);
  d.z = position.z;

  const Vec3 factor = fieldFactorAt(config, params, position);
  const Vec3 field = params.Bo * factor;
  d.B = norm(field);
  const Vec3& direction = d.B > 0 ? field : factor;
  const double length = norm(direction);
  if (!(length > 0)) {
    d.pitchDeg = d.vPar = d.vPerp = d.mu = undefined;
    return d;
  }
  const Vec3 unit = (1 / length) * direction;
  d.vPar = dot(velocity, unit);
  d.vPerp = norm(cross(velocity, unit));
  // atan2 keeps its accuracy near 0 and 180 degrees, where acos of the cosine loses it.
  d.pitchDeg = std::atan2(d.vPerp, d.vPar) / degToRad;
  d.mu = d.B > 0 ? params.m * d.vPerp * d.vPerp / (2 * d.B) : undefined;
  return d;
}

}  // namespace larmor
