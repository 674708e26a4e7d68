#include "model/SimulationState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

TEST(Quantities, CaptionsAtStartUpAndAtTheAngleAndChargeEdges) {
  SimulationState s;
  const ResultCaptions start = s.computeQuantities();
  const DerivedQuantities base = s.quantities;
  EXPECT_EQ(start.frequency, "w=4.824e+04 рад/с");
  EXPECT_EQ(start.period, "T=1.302e-04 с");
  EXPECT_EQ(start.radius, "R=4.526e-01 м");
  EXPECT_EQ(start.pitch, "H=3.492e-01 м");
  EXPECT_EQ(s.computeQuantities(',').frequency, "w=4,824e+04 рад/с");
  const auto setAlpha = [&](int degrees) {
    s.params.alpha = static_cast<std::int16_t>(degrees);
    s.params.alphaRad = angleRadFromDegrees(degrees);
  };
  setAlpha(97);
  EXPECT_EQ(s.computeQuantities().pitch, "H=- 3.492e-01 м");
  setAlpha(0);
  EXPECT_EQ(s.computeQuantities().radius, "R=0.000e+00 м");
  setAlpha(90);
  s.computeQuantities();
  EXPECT_NE(s.quantities.pitch, 0.0f);  // the degree factor is not exact
  EXPECT_LT(std::fabs(s.quantities.pitch), 1e-9f);
  // A negative charge turns the other way with the same shown figures.
  setAlpha(83);
  s.params.q = chargeFromPosition(-1);
  const ResultCaptions negative = s.computeQuantities();
  EXPECT_LT(s.quantities.omega, 0);
  EXPECT_EQ(negative.period, start.period);
  EXPECT_EQ(s.quantities.radius, base.radius);
  EXPECT_EQ(s.quantities.pitch, base.pitch);
}

TEST(Quantities, ZeroOmegaKeepsTheLastPeriodAndRecomputeResetsThePosition) {
  SimulationState s;
  s.computeQuantities();
  const DerivedQuantities before = s.quantities;
  s.params.q = chargeFromPosition(0);
  s.params.periods = 2;
  s.params.x0 = coordinateFromPosition(-3);
  s.params.z0 = z0FromPosition(-33);
  s.x = s.y = s.z = 99;
  const ResultCaptions c = s.computeQuantities();
  EXPECT_EQ(c.frequency, "w=0.000e+00 рад/с");
  EXPECT_EQ(c.period, "T - бесконечен");
  EXPECT_EQ(c.radius, "R - бесконечен");
  EXPECT_EQ(c.pitch, "H - бесконечен");
  EXPECT_EQ(s.quantities.period, before.period);
  EXPECT_EQ(s.quantities.radius, before.radius);
  EXPECT_EQ(s.quantities.pitch, before.pitch);
  EXPECT_EQ(s.quantities.tEnd, 2 * before.period);
  EXPECT_EQ(s.x, coordinateFromPosition(-3));
  EXPECT_EQ(s.y, 0.5);
  EXPECT_EQ(s.z, static_cast<double>(-3.3f));
}

}  // namespace
}  // namespace larmor
