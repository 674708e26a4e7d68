#include "model/FieldVector.h"

#include "model/FieldFormulas.h"

namespace larmor {

Vec3 fieldFactorAt(FieldConfig config, const SimParams& params, const Vec3& position) {
  const double x = position.x, y = position.y, z = position.z;
  const double rho = std::sqrt(x * x + y * y);
  switch (config) {
    case 1:
    case 2:
    case 3:
      return {0, 0, field::bzXY(config, params, x, y)};
    case 4:
    case 6:
    case 7: {
      const double bz = field::bzRZ(config, params, rho, z);
      if (rho == 0) return {0, 0, bz};  // b_rho is 0 on the axis in all three
      const double radial = field::bRhoRZ(config, params, rho, z) / rho;
      return {radial * x, radial * y, bz};
    }
    case 5:
      if (rho == 0) return {};
      return {-y / rho, x / rho, 0};
    default:
      return {};
  }
}

Vec3 fieldAt(FieldConfig config, const SimParams& params, const Vec3& position) {
  return params.Bo * fieldFactorAt(config, params, position);
}

}  // namespace larmor
