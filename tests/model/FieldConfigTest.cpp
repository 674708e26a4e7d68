#include "model/FieldConfig.h"
#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

TEST(FieldFunctions, EdgeCases) {
  using Fn = float (*)(FieldConfig, const SimParams&, double, double);
  const Fn xy = bzXY, z = bzRZ, rho = bRhoRZ;
  const struct {
    const char* name;
    Fn fn;
    FieldConfig config;
    double S, d, a, b;
    float expected;
  } cases[] = {
      {"uniform", xy, 1, 3.3, 5, -4.7, 123, 1.0f},  {"plane at x = S", xy, 2, 2, 5, 2, 0, float(std::exp(-1.0))},
      {"plane at x = 0", xy, 2, 3.3, 5, 0, 7, 1.0f},  {"axial drift on axis", xy, 3, 3.3, 5, 0, 0, 1.0f},
      {"plane, S = 0: none", xy, 2, 0, 5, 0, 0, 0.0f},  {"axial, S = 0: none", xy, 3, 0, 5, 1, 1, 0.0f},
      {"trap in the tube", z, 4, 3.3, 5, 0.04, 1, 20.0f},  {"trap radial in tube", rho, 4, 3.3, 5, 0.04, 1, 0.0f},
      {"trap at threshold", z, 4, 3.3, 5, 0.05, 1, 20.0f},  {"trap at rho 2", z, 4, 3.3, 5, 2, 1, 0.5f},
      {"trap at rho 3, float", z, 4, 3.3, 5, 3, 0, 1.0f / 3.0f},  {"trap radial, z = 0", rho, 4, 3.3, 5, 1.7, 0, 0.0f},
      {"trap-2 at threshold", z, 7, 5, 5, 0.05, 0, 100.0f},  {"trap-2 in the tube", z, 7, 5, 5, 0.049, 0, 20.0f},
      {"trap-2 radial, z = 0", rho, 7, 5, 5, 1.7, 0, 0.0f},  {"trap, S = 0, z = d", rho, 4, 0, 5, 1, 5, 0.0f},
      {"trap-2, S = 0, z = -d", rho, 7, 0, 5, 1, -5, 0.0f},  {"monopole on axis", z, 6, 1, 5, 0, 1, 1.0f},
      {"monopole radial, axis", rho, 6, 1, 5, 0, 1, 0.0f},  {"monopole at z = 0", z, 6, 1, 5, 1, 0, 0.0f},
      {"monopole radial, z = 0", rho, 6, 1, 5, 1, 0, 1.0f},  {"monopole origin", z, 6, 1, 5, 0, 0, 0.0f},
      {"monopole origin, radial", rho, 6, 1, 5, 0, 0, 0.0f},  {"no axial factor in 5", z, 5, 3.3, 5, 1, 1, 0.0f},
      {"no radial factor in 1", rho, 1, 3.3, 5, 1, 1, 0.0f},  {"no Cartesian in 4", xy, 4, 3.3, 5, 1, 1, 0.0f},
      {"trap-2 jumps to S/rho", z, 7, 3.3, 5, 0.05, 0, 66.0f},  {"beyond float: infinite", xy, 2, 0.01, 5, -5, 0, INFINITY},
  };
  for (const auto& c : cases) {
    SimParams p;
    p.S = c.S;
    p.d = c.d;
    EXPECT_EQ(c.fn(c.config, p, c.a, c.b), c.expected) << c.name;
  }
}

TEST(FieldFunctions, Signs) {
  SimParams p;  // S = 3.3, d = 5
  EXPECT_GT(bzXY(2, p, -0.1, 0), 1.0f);
  for (FieldConfig config : {4, 7}) {
    // Above the middle the nearer coil pulls the field towards the axis.
    EXPECT_LT(bRhoRZ(config, p, 0.05, 1), 0.0f) << config;
    EXPECT_GT(bRhoRZ(config, p, 1, -1), 0.0f) << config;
    EXPECT_EQ(bRhoRZ(config, p, 1, -2), -bRhoRZ(config, p, 1, 2)) << config;
  }
}

}  // namespace
}  // namespace larmor
