#pragma once

#include <cfloat>
#include <cmath>
#include <limits>

namespace larmor {

// Rounds to single precision as the hardware would (nearest, ties to even), overflow
// giving ±inf. A plain cast of a double beyond the float range is undefined behaviour in
// C++, so that case is handled here first; the common case stays one conversion.
[[gnu::cold, gnu::noinline]] inline float toSingleOutOfRange(double x) {
  if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
  // Half an ulp above FLT_MAX still rounds down to it.
  constexpr double roundsToInfinity = static_cast<double>(FLT_MAX) + 0x1p103;
  const float big = std::fabs(x) < roundsToInfinity ? FLT_MAX
                                                    : std::numeric_limits<float>::infinity();
  return x < 0 ? -big : big;
}

inline float toSingle(double x) {
  if (__builtin_expect(std::fabs(x) <= FLT_MAX, 1)) return static_cast<float>(x);
  return toSingleOutOfRange(x);
}

// Single precision that saturates at ±FLT_MAX: for values the user sets (a typed run
// length, the shown pitch), which must stay finite numbers.
inline float toSingleClamped(double x) {
  if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
  if (x > FLT_MAX) return FLT_MAX;
  if (x < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(x);
}

}  // namespace larmor
