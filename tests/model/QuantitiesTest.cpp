#include "model/SimulationState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

void setAlpha(SimParams& p, int degrees) {
  p.alpha = static_cast<std::int16_t>(degrees);
  p.alphaRad = angleRadFromDegrees(degrees);
}

TEST(Quantities, StartUpCaptions) {
  SimulationState s;
  const ResultCaptions c = s.computeQuantities();
  EXPECT_EQ(c.frequency, "w=4.824e+04 рад/с");
  EXPECT_EQ(c.period, "T=1.302e-04 с");
  EXPECT_EQ(c.radius, "R=4.526e-01 м");
  EXPECT_EQ(c.pitch, "H=3.492e-01 м");
  EXPECT_EQ(s.computeQuantities(',').frequency, "w=4,824e+04 рад/с");
}

TEST(Quantities, AngleAndChargeEdges) {
  SimulationState s;
  const ResultCaptions start = s.computeQuantities();
  const DerivedQuantities base = s.quantities;

  setAlpha(s.params, 97);
  EXPECT_EQ(s.computeQuantities().pitch, "H=- 3.492e-01 м");

  setAlpha(s.params, 0);
  EXPECT_EQ(s.computeQuantities().radius, "R=0.000e+00 м");

  setAlpha(s.params, 90);
  s.computeQuantities();
  EXPECT_NE(s.quantities.pitch, 0.0f);  // the degree factor is not exact
  EXPECT_LT(std::fabs(s.quantities.pitch), 1e-9f);

  // A negative charge turns the other way with the same shown figures.
  setAlpha(s.params, 83);
  s.params.q = chargeFromPosition(-1);
  const ResultCaptions negative = s.computeQuantities();
  EXPECT_LT(s.quantities.omega, 0);
  EXPECT_EQ(negative.frequency, start.frequency);
  EXPECT_EQ(negative.period, start.period);
  EXPECT_EQ(s.quantities.radius, base.radius);
  EXPECT_EQ(s.quantities.pitch, base.pitch);
}

TEST(Quantities, ZeroOmegaKeepsTheLastPeriod) {
  SimulationState s;
  s.computeQuantities();
  const DerivedQuantities before = s.quantities;
  s.params.q = chargeFromPosition(0);
  s.params.periods = 2;
  const ResultCaptions c = s.computeQuantities();
  EXPECT_EQ(c.frequency, "w=0.000e+00 рад/с");
  EXPECT_EQ(c.period, "T - бесконечен");
  EXPECT_EQ(c.radius, "R - бесконечен");
  EXPECT_EQ(c.pitch, "H - бесконечен");
  EXPECT_EQ(s.quantities.period, before.period);
  EXPECT_EQ(s.quantities.radius, before.radius);
  EXPECT_EQ(s.quantities.pitch, before.pitch);
  EXPECT_EQ(s.quantities.tEnd, 2 * before.period);
}

TEST(Quantities, RecomputeResetsThePosition) {
  SimulationState s;
  s.x = s.y = s.z = 99;
  s.params.x0 = coordinateFromPosition(-3);
  s.params.z0 = z0FromPosition(-33);
  s.computeQuantities();
  EXPECT_EQ(s.x, coordinateFromPosition(-3));
  EXPECT_EQ(s.y, 0.5);
  EXPECT_EQ(s.z, static_cast<double>(-3.3f));
}

}  // namespace
}  // namespace larmor
