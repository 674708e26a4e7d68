#pragma once

// The field factors written out for inlining: the run evaluates them four times per step.
// FieldConfig.cpp gives them their public, out-of-line names.

#include "model/FieldConfig.h"
#include "model/Precision.h"
#include "model/SimParams.h"

#include <cmath>

namespace larmor::field {

constexpr double nearAxis = 0.05;  // [m] strict: rho = 0.05 already takes the formula
constexpr float nearAxisBz = 20;   // axial factor inside the near-axis tube

inline float bzXY(FieldConfig config, const SimParams& params, double x, double y) {
  switch (config) {
    case 1:
      return 1;
    case 2:
      // With S = 0 there is no decay length and so no field (exp(-x/0) has no value at x = 0).
      if (params.S == 0) return 0;
      return toSingle(std::exp(-x / params.S));
    case 3:
      if (params.S == 0) return 0;
      return toSingle(std::exp(-std::sqrt(x * x + y * y) / params.S));
    default:
      return 0;
  }
}

inline float bzRZ(FieldConfig config, const SimParams& params, double rho, double z) {
  switch (config) {
    case 4:
      if (rho < nearAxis) return nearAxisBz;
      return toSingle(1 / rho);
    case 6: {
      if (rho == 0 && z == 0) return 0;  // the monopole's own point carries no defined field
      const double S = params.S;
      return toSingle(S * S * z / std::pow(rho * rho + z * z, 1.5));
    }
    case 7:
      if (rho < nearAxis) return nearAxisBz;
      return toSingle(params.S / rho);
    default:
      return 0;
  }
}

// The two coil terms of the traps, centred at z = -d and z = +d.
inline double coilDifference(const SimParams& params, double z) {
  const double S = params.S, d = params.d;
  const double A = std::pow(S * S + (z + d) * (z + d), 1.5);
  const double B = std::pow(S * S + (d - z) * (d - z), 1.5);
  return 1 / A - 1 / B;
}

inline float bRhoRZ(FieldConfig config, const SimParams& params, double rho, double z) {
  const double S = params.S;
  switch (config) {
    case 4:
    case 7: {
      if (rho < nearAxis) return 0;
      // With S = 0 a coil term is 0/0 at z = ±d; the coils have no size, so no field.
      if (S == 0) return 0;
      const double coils = coilDifference(params, z);
      if (config == 4) return toSingle(S * S * coils / rho);
      return toSingle(S * S * S * S * coils / rho);
    }
    case 6:
      if (rho == 0 && z == 0) return 0;
      return toSingle(S * S * rho / std::pow(rho * rho + z * z, 1.5));
    default:
      return 0;
  }
}

}  // namespace larmor::field
