#pragma once

#include "model/FieldVector.h"
#include "model/SimParams.h"

namespace larmor {

// The vector the monopole's field keeps exactly along every path [kg·m²/s]:
//   J = m·r × v − q·g·r/|r|,  g = Bo·S² the monopole's strength [T·m²].
// At the monopole's own point, where r/|r| has no direction, its term is 0 (the field
// functions give 0 there too).
inline Vec3 monopoleJ(const SimParams& p, const Vec3& r, const Vec3& v) {
  const double distance = norm(r);
  return p.m * cross(r, v) + (distance > 0 ? -p.q * p.Bo * p.S * p.S / distance : 0.0) * r;
}

}  // namespace larmor
