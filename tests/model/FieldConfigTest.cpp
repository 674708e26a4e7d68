#include "model/FieldConfig.h"
#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

enum class Fn { bzXY, bzRZ, bRhoRZ };

float evaluate(Fn fn, FieldConfig config, const SimParams& p, double a, double b) {
  switch (fn) {
    case Fn::bzXY:
      return bzXY(config, p, a, b);
    case Fn::bzRZ:
      return bzRZ(config, p, a, b);
    default:
      return bRhoRZ(config, p, a, b);
  }
}

TEST(FieldFunctions, EdgeCases) {
  const struct {
    const char* name;
    Fn fn;
    FieldConfig config;
    double S, d, a, b;
    float expected;
  } cases[] = {
      {"uniform anywhere", Fn::bzXY, 1, 3.3, 5, -4.7, 123, 1.0f},
      {"plane drift at x = S", Fn::bzXY, 2, 2, 5, 2, 0, static_cast<float>(std::exp(-1.0))},
      {"plane drift on x = 0", Fn::bzXY, 2, 3.3, 5, 0, 7, 1.0f},
      {"axial drift on the axis", Fn::bzXY, 3, 3.3, 5, 0, 0, 1.0f},
      {"plane drift, S = 0: no field", Fn::bzXY, 2, 0, 5, 0, 0, 0.0f},
      {"axial drift, S = 0: no field", Fn::bzXY, 3, 0, 5, 1, 1, 0.0f},
      {"trap inside the tube", Fn::bzRZ, 4, 3.3, 5, 0.04, 1, 20.0f},
      {"trap radial inside the tube", Fn::bRhoRZ, 4, 3.3, 5, 0.04, 1, 0.0f},
      {"trap at the threshold", Fn::bzRZ, 4, 3.3, 5, 0.05, 1, 20.0f},
      {"trap at rho = 2", Fn::bzRZ, 4, 3.3, 5, 2, 1, 0.5f},
      {"trap at rho = 3 in single precision", Fn::bzRZ, 4, 3.3, 5, 3, 0, 1.0f / 3.0f},
      {"trap radial at z = 0", Fn::bRhoRZ, 4, 3.3, 5, 1.7, 0, 0.0f},
      {"trap-2 at the threshold", Fn::bzRZ, 7, 5, 5, 0.05, 0, 100.0f},
      {"trap-2 inside the tube", Fn::bzRZ, 7, 5, 5, 0.049, 0, 20.0f},
      {"trap-2 radial at z = 0", Fn::bRhoRZ, 7, 5, 5, 1.7, 0, 0.0f},
      {"trap, S = 0 at z = d: no field", Fn::bRhoRZ, 4, 0, 5, 1, 5, 0.0f},
      {"trap-2, S = 0 at z = -d: no field", Fn::bRhoRZ, 7, 0, 5, 1, -5, 0.0f},
      {"monopole on the axis", Fn::bzRZ, 6, 1, 5, 0, 1, 1.0f},
      {"monopole radial on the axis", Fn::bRhoRZ, 6, 1, 5, 0, 1, 0.0f},
      {"monopole in the plane z = 0", Fn::bzRZ, 6, 1, 5, 1, 0, 0.0f},
      {"monopole radial in z = 0", Fn::bRhoRZ, 6, 1, 5, 1, 0, 1.0f},
      {"monopole's origin", Fn::bzRZ, 6, 1, 5, 0, 0, 0.0f},
      {"monopole's origin, radial", Fn::bRhoRZ, 6, 1, 5, 0, 0, 0.0f},
      {"axial factor not handled in 5", Fn::bzRZ, 5, 3.3, 5, 1, 1, 0.0f},
      {"radial factor not handled in 1", Fn::bRhoRZ, 1, 3.3, 5, 1, 1, 0.0f},
      {"Cartesian factor not handled in 4", Fn::bzXY, 4, 3.3, 5, 1, 1, 0.0f},
  };
  for (const auto& c : cases) {
    SimParams p;
    p.S = c.S;
    p.d = c.d;
    EXPECT_EQ(evaluate(c.fn, c.config, p, c.a, c.b), c.expected) << c.name;
  }
}

TEST(FieldFunctions, SignsAndLiteralOverflow) {
  SimParams p;  // S = 3.3, d = 5
  EXPECT_GT(bzXY(2, p, -0.1, 0), 1.0f);
  for (FieldConfig config : {4, 7}) {
    // Above the middle the nearer coil pulls the field towards the axis.
    EXPECT_LT(bRhoRZ(config, p, 0.05, 1), 0.0f) << config;
    EXPECT_GT(bRhoRZ(config, p, 1, -1), 0.0f) << config;
    EXPECT_EQ(bRhoRZ(config, p, 1, -2), -bRhoRZ(config, p, 1, 2)) << config;
  }
  // The second trap jumps from 20·S to 20 at the threshold.
  EXPECT_FLOAT_EQ(bzRZ(7, p, 0.05, 0), static_cast<float>(3.3 / 0.05));
  // A factor beyond the single-precision range is infinite, not undefined.
  p.S = 0.01;
  EXPECT_TRUE(std::isinf(bzXY(2, p, -5, 0)));
}

TEST(FieldConfigs, TextsAndSteps) {
  for (FieldConfig c = 1; c <= fieldConfigCount; ++c)
    EXPECT_EQ(fieldConfigFromText(fieldConfigTexts[c - 1]), c);
  EXPECT_EQ(fieldConfigFromText("Ловушка"), 0);
  EXPECT_EQ(fieldConfigTexts[3], "Магнитная ловушка");
  const std::pair<FieldConfig, int> steps[] = {{1, 100}, {3, 100}, {4, 300}, {5, 100}, {7, 400}};
  for (const auto& [config, n] : steps) EXPECT_EQ(stepsPerPeriod(config), n) << config;
  EXPECT_FALSE(isCylindrical(3));
  EXPECT_TRUE(isCylindrical(5));
}

}  // namespace
}  // namespace larmor
