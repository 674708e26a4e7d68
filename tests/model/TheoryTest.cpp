#include "model/Theory.h"
#include "model/TrajectoryRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace larmor {
namespace {

// A start set as the controls set it: charge and mass by bar position, v, alpha, beta.
struct Start {
  FieldConfig config; int charge, mass, v, alpha, beta; double Bo, x0, y0, z0, S, d; float periods;
};

struct Outcome {
  TheoryPrediction prediction;
  std::vector<TheoryQuantity> table;
  std::optional<TheoryMeter> meter;
  const TheoryQuantity& operator[](const char* key) const {
    for (const TheoryQuantity& q : table)
      if (std::strcmp(q.key, key) == 0) return q;
    throw std::out_of_range(key);
  }
  double measured(const char* key) const { return (*this)[key].measured.value_or(NAN); }
  double predicted(const char* key) const { return (*this)[key].predicted.value_or(NAN); }
};

// Runs the RK4 run of the start to its end, with the meter fed after prepare and every step.
Outcome run(const Start& c) {
  SimulationState s;
  SimParams& p = s.params;
  s.fieldConfig = c.config;
  p.q = chargeFromPosition(c.charge), p.m = massFromPosition(c.mass), p.v = static_cast<std::int16_t>(c.v);
  p.alpha = static_cast<std::int16_t>(c.alpha), p.alphaRad = angleRadFromDegrees(c.alpha);
  p.beta = static_cast<std::int16_t>(c.beta), p.betaRad = betaRadFromDegrees(c.beta);
  p.Bo = c.Bo, p.x0 = c.x0, p.y0 = c.y0, p.z0 = static_cast<float>(c.z0), p.S = c.S, p.d = c.d;
  p.periods = c.periods;
  s.computeQuantities();
  Outcome o{predictTheory(s), {}, std::nullopt};
  TrajectoryRun trajectory(s);
  trajectory.prepare();
  TheoryMeter meter(s);
  meter.observe(trajectory, s);
  while (trajectory.hasNextStep()) {
    trajectory.step();
    meter.observe(trajectory, s);
  }
  o.table = theoryTable(o.prediction, &meter, trajectory.cutAtStepLimit());
  o.meter = meter;
  return o;
}

void expectAgreement(const Outcome& o, const char* key, double tolerance, const char* name) {
  const TheoryQuantity& q = o[key];
  ASSERT_TRUE(q.predicted && q.measured) << name << " " << key << ": " << q.notMeasuredReason;
  EXPECT_TRUE(q.approximationHolds) << name;
  EXPECT_NEAR(*q.measured / *q.predicted, 1, tolerance) << name << " " << key;
  // Signed: positive where the run exceeds the prediction.
  EXPECT_NEAR(q.relativeDifference.value_or(NAN), (*q.measured - *q.predicted) / std::fabs(*q.predicted), 1e-12) << name;
}

TEST(Theory, UniformFieldHelixMeasuredAgainstPeriodRadiusAndPitch) {
  const struct { const char* name; Start start; } cases[] = {
      {"proton, start values", {1, 1, 1, 22000, 83, 60, 5e-4, 1, 0.5, -4, 3.3, 5, 25}},
      {"electron backwards, strong field", {1, -1, 0, 3000, 120, -45, 1.5e-3, 0, 0, 0, 3.3, 5, 10}},
      {"alpha ion, slow", {1, 2, 4, 100, 30, 170, 1e-4, 1, 1, 2, 3.3, 5, 3}},
  };
  for (const auto& c : cases) {
    const Outcome o = run(c.start);
    for (const char* key : {"period", "radius", "pitch"}) expectAgreement(o, key, 0.01, c.name);
    EXPECT_LT(o.measured("muSpread"), 1e-4) << c.name;
  }
  // Half a period holds no whole gyration: nothing is measured, and the table says why.
  const Outcome half = run({1, 1, 1, 22000, 83, 60, 5e-4, 1, 0.5, -4, 3.3, 5, 0.5f});
  EXPECT_FALSE(half["period"].measured);
  EXPECT_EQ(half["pitch"].notMeasuredReason, "нет ни одного полного оборота");
  EXPECT_NE(theoryJson(half.table).find("\"period\": {\"predicted\": 0.0001302"), std::string::npos);
  EXPECT_NE(theoryJson(half.table).find("\"measured\": null}"), std::string::npos);
}

TEST(Theory, GradientAndCentrifugalDriftsAgreeReverseWithChargeAndGrowWithVPerpSquared) {
  // Protons and electrons at Bo = 1.5e-3 T: Larmor radius 0.3 to 0.7 % of S (or of rho).
  // Where B × ∇B and R_c × B point, for a positive charge: plane drift −y (B falls along +x),
  // axial drift −phi (B falls outwards), centrifugal drift +z (rho_hat × phi_hat). In the
  // centrifugal field the start (1, 0, z) with v in X0Y at 45° splits v evenly along B = Bo·y_hat
  // and across it along x, so both charges circle about a centre at rho = 1.
  for (FieldConfig config : {2, 3, 5}) {
    const int alpha = 90, beta = config == 5 ? 45 : 60;
    const double direction = config == 5 ? 1 : -1;
    const auto drift = [&](int charge, int v) {
      const Outcome o = run({config, charge, 1, v, alpha, beta, 1.5e-3, 1, config == 5 ? 0 : 0.5, -4, 3.3, 5, 20});
      expectAgreement(o, "driftVelocity", 0.02, "drift");
      EXPECT_LT(o.measured("muSpread"), 1e-3) << config;
      return o.measured("driftVelocity");
    };
    const double slow = drift(1, 1000), fast = drift(1, 2000), negative = drift(-1, 1000);
    EXPECT_GT(slow * direction, 0) << config;
    EXPECT_LT(negative * direction, 0) << config;
    EXPECT_NEAR(negative / slow, -1, 0.02) << config;
    EXPECT_NEAR(fast / slow, 4, 0.08) << config;  // ∝ v⊥² (v∥² for the centrifugal drift)
  }
}

TEST(Theory, WhereTheLarmorRadiusIsLargeTheTableShowsNoAgreement) {
  // A proton at 8 km/s in about 1e-3 T circles with a radius near 0.1 m in fields that change
  // over 1 m (S) or 0.3 m (the field lines' radius).
  for (FieldConfig config : {2, 3, 5}) {
    const Outcome o = run({config, 1, 1, 8000, 90, 60, 1.5e-3, 0.3, 0, -4, 1, 5, 20});
    EXPECT_FALSE(o["driftVelocity"].approximationHolds) << config;
    EXPECT_TRUE(o["driftVelocity"].predicted && o["driftVelocity"].measured) << config;
    EXPECT_FALSE(o["driftVelocity"].relativeDifference) << config;
    EXPECT_NE(o["driftVelocity"].explanation.find("не выполняется"), std::string::npos) << config;
  }
}

TEST(Theory, MonopoleKeepsJAndMovesOnItsCone) {
  for (int charge : {1, -3}) {
    const Outcome o = run({6, charge, 1, 22000, 83, 60, 5e-4, 1, 0.5, -2, 5, 5, 25});
    EXPECT_LT(o.measured("poincareSpread"), 1e-4) << charge;
    expectAgreement(o, "coneAngleDeg", 1e-3, "monopole");
    EXPECT_LT(o.meter->coneAngleRangeDeg().value(), 0.01) << charge;
    // A positive charge circles below the plane through the origin normal to J, a negative
    // one above it.
    EXPECT_EQ(o.predicted("coneAngleDeg") > 90, charge > 0);
  }
}

TEST(Theory, TrapsHoldAParticleOutsideTheLossConeAndLoseOneInsideIt) {
  // Proton at rho = 3 m, z = 0 (the field minimum): Larmor radius at most 1 % of S.
  // Trap: S = 0.3, d = 1, mirror ratio about 5 (loss cone 27°); trap-2: S = 1, d = 2, about
  // 1.9 (loss cone 46°).
  const struct { const char* name; Start start; bool trapped; } cases[] = {
      {"trap, 45°", {4, 1, 1, 200, 45, 60, 1.5e-3, 3, 0, 0, 0.3, 1, 1000}, true},
      {"trap, 15°", {4, 1, 1, 200, 15, 60, 1.5e-3, 3, 0, 0, 0.3, 1, 600}, false},
      {"trap-2, 70°", {7, 1, 1, 500, 70, 60, 1.5e-3, 3, 0, 0, 1, 2, 1200}, true},
      {"trap-2, 30°", {7, 1, 1, 500, 30, 60, 1.5e-3, 3, 0, 0, 1, 2, 600}, false},
  };
  for (const auto& c : cases) {
    const Outcome o = run(c.start);
    EXPECT_EQ(o.predicted("trapped"), c.trapped) << c.name;
    EXPECT_EQ(o.measured("trapped"), c.trapped) << c.name;
    EXPECT_LT(o.measured("muSpread"), 1e-3) << c.name;
    if (c.trapped) {
      EXPECT_GE(o.measured("reflections"), 3) << c.name;
      expectAgreement(o, "turningField", 0.01, c.name);
      EXPECT_GT(o.measured("bouncePeriod"), 0) << c.name;
    } else {
      EXPECT_EQ(o.measured("reflections"), 0) << c.name;
      EXPECT_EQ(o["turningField"].notMeasuredReason, "частица ни разу не отразилась") << c.name;
    }
  }
}

}  // namespace
}  // namespace larmor
