#include "model/TextRules.h"
#include "model/TrajectoryRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace larmor {
namespace {

std::vector<std::string> texts(const ResultCaptions& c) { return {c.frequency, c.period, c.radius, c.pitch}; }
auto kept(const DerivedQuantities& q) { return std::tuple{q.period, q.radius, q.pitch}; }

TEST(Quantities, CaptionsAtStartUpAndAtTheAngleAndChargeEdges) {
  SimulationState s;
  EXPECT_EQ(texts(s.computeQuantities()),
            (std::vector<std::string>{"w=4.824e+04 рад/с", "T=1.302e-04 с", "R=4.526e-01 м", "H=3.492e-01 м"}));
  const DerivedQuantities start = s.quantities;
  EXPECT_EQ(s.computeQuantities(',').frequency, "w=4,824e+04 рад/с");
  const auto at = [&](int degrees) {
    s.params.alpha = static_cast<std::int16_t>(degrees);
    s.params.alphaRad = angleRadFromDegrees(degrees);
    return s.computeQuantities();
  };
  EXPECT_EQ(at(97).pitch, "H=- 3.492e-01 м");
  EXPECT_EQ(at(0).radius, "R=0.000e+00 м");
  at(90);
  EXPECT_NE(s.quantities.pitch, 0.0f);  // the degree factor is not exact
  EXPECT_LT(std::fabs(s.quantities.pitch), 1e-9f);
  // A negative charge turns the other way with the same period, radius and pitch.
  s.params.q = chargeFromPosition(-1);
  at(83);
  EXPECT_LT(s.quantities.omega, 0);
  EXPECT_EQ(kept(s.quantities), kept(start));
}

TEST(Quantities, ZeroOmegaKeepsTheLastPeriodAndRecomputeResetsThePosition) {
  SimulationState s;
  s.computeQuantities();
  const DerivedQuantities before = s.quantities;
  s.params.q = chargeFromPosition(0), s.params.periods = 2;
  s.params.x0 = coordinateFromPosition(-3), s.params.z0 = z0FromPosition(-33);
  s.x = s.y = s.z = 99;
  EXPECT_EQ(texts(s.computeQuantities()),
            (std::vector<std::string>{"w=0.000e+00 рад/с", "T - бесконечен", "R - бесконечен", "H - бесконечен"}));
  EXPECT_EQ(kept(s.quantities), kept(before));
  EXPECT_EQ(s.quantities.tEnd, 2 * before.period);
  EXPECT_EQ(std::tuple(s.x, s.y, s.z), std::tuple(coordinateFromPosition(-3), 0.5, double(-3.3f)));
}

// The start-up state with the configuration chosen as the list does it.
SimulationState stateFor(FieldConfig config) {
  SimulationState s;
  s.fieldConfig = config;
  const bool trap = config == 4 || config == 7;
  if (config >= 4) s.params.x0 = trap ? 1 : 0.3, s.params.z0 = trap ? -4 : -2;
  s.computeQuantities();
  return s;
}

struct RunSummary {
  float maxAbsDV = 0;
  double maxZDrift = 0;
  int vzSigns = 0;  // 1: vz < 0 seen, 2: vz > 0 seen
};

RunSummary runToEnd(SimulationState& s, TrajectoryRun& run, char separator = '.') {
  RunSummary r;
  run.prepare();
  while (run.hasNextStep()) {
    EXPECT_EQ(run.step().xTo, s.x);
    // The run reuses its text while dV keeps to the same four decimals: it must always
    // read as if formatted afresh, with the run's separator.
    if (!run.stoppedNonFinite()) {
      EXPECT_EQ(run.accuracyText(), "dV=" + trimmed(formatNumber(run.dV(), " 0.0000", separator)) + "%");
    }
    r.maxAbsDV = std::max(r.maxAbsDV, std::fabs(run.dV()));
    r.vzSigns |= run.vzCartesian() < 0 ? 1 : run.vzCartesian() > 0 ? 2 : 0;
    r.maxZDrift = std::max(r.maxZDrift, std::fabs(s.z - s.params.z0));
  }
  return r;
}

TEST(TrajectoryRun, StartUpRunInTheUniformField) {
  SimulationState s = stateFor(1);
  TrajectoryRun run(s, ',');
  const RunSummary r = runToEnd(s, run, ',');
  EXPECT_NEAR(run.dt(), 1.3024e-06, 1e-10);
  EXPECT_EQ(run.stepsDone(), 2501);
  EXPECT_LT(std::hypot(s.x - 1.015, s.y - 0.524, s.z - 4.733), 8e-4);
  EXPECT_GT(r.maxAbsDV, 1e-6f);  // a real, single-precision-shaped error …
  EXPECT_LT(r.maxAbsDV, 1e-3f);  // … of the order of 1e-4 %
}

TEST(TrajectoryRun, EveryConfigurationBehavesPhysically) {
  const struct { FieldConfig config; std::int64_t steps; bool reflects; double minZDrift; } cases[] = {
      {1, 2501, false, 8}, {2, 2501, false, 8}, {3, 2501, false, 8}, {4, 7500, true, 0},
      {5, 2501, true, 1},  {6, 2501, true, 10}, {7, 10001, true, 0}};
  for (const auto& c : cases) {
    SimulationState s = stateFor(c.config);
    TrajectoryRun run(s);
    const RunSummary r = runToEnd(s, run);
    EXPECT_NEAR(static_cast<double>(run.stepsDone()), static_cast<double>(c.steps), 1) << c.config;
    EXPECT_LT(r.maxAbsDV, 0.01f) << c.config;
    EXPECT_EQ(r.vzSigns == 3, c.reflects) << c.config;
    EXPECT_GE(r.maxZDrift, c.minZDrift) << c.config;
  }
}

TEST(TrajectoryRun, EveryRunEnds) {
  constexpr std::int64_t all = TrajectoryRun::maxSteps;
  const struct {
    const char* name; FieldConfig config; float periods; double S; int x0; std::int64_t limit, steps;
    const char* text;  // the accuracy caption afterwards, if it matters
  } cases[] = {
      {"zero periods: one step", 1, 0, 3.3, 10, all, 1, nullptr},
      {"negative periods: none", 1, -1, 3.3, 10, all, 0, ""},
      {"infinite periods end at the limit", 1, INFINITY, 3.3, 10, 50, 50, nullptr},
      {"huge periods end at the limit", 1, 3e38f, 3.3, 10, 50, 50, nullptr},
      {"a field beyond the float range stops the run", 2, 25, 0.01, -50, all, 0, nonFiniteAccuracyText},
  };
  for (const auto& c : cases) {
    SimulationState s = stateFor(c.config);
    s.params.periods = c.periods, s.params.S = c.S, s.params.x0 = coordinateFromPosition(c.x0);
    s.computeQuantities();
    TrajectoryRun run(s);
    run.limitSteps(c.limit);
    runToEnd(s, run);
    EXPECT_EQ(run.stepsDone(), c.steps) << c.name;
    EXPECT_TRUE(c.text == nullptr || run.accuracyText() == c.text) << c.name;
    EXPECT_TRUE(c.steps > 0 || s.x == s.params.x0) << c.name << ": the position keeps its last finite value";
  }
}

TEST(TrajectoryRun, StartOnTheAxisIsRefusedInTheCylindricalFrame) {
  // From the axis a Cartesian run makes its step, then meets a cylindrical configuration.
  for (FieldConfig config = 1; config <= 7; ++config) {
    SimulationState s = stateFor(config);
    s.params.x0 = s.params.y0 = 0;
    s.computeQuantities();
    TrajectoryRun run(s);
    run.prepare();
    for (FieldConfig next : {config, FieldConfig(4)}) {
      s.fieldConfig = next;
      if (run.hasNextStep()) run.step();
    }
    EXPECT_TRUE(run.refusedAxisStart()) << config;
    EXPECT_EQ(run.stepsDone(), config >= 4 ? 0 : 1) << config;
    EXPECT_EQ(run.accuracyText(), axisStartAccuracyText) << config;
    EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z)) << config;
  }
}

TEST(TrajectoryRun, ReadsFrameAndChargeChangesBetweenSteps) {
  SimulationState s = stateFor(1);
  TrajectoryRun run(s);
  run.prepare();
  for (FieldConfig config : {1, 4, 4, 5, 1, 6, 2, 1}) {  // each step starts from the other frame's values
    s.fieldConfig = config;
    run.step();
  }
  EXPECT_FALSE(run.stoppedNonFinite());
  // Charge set to 0: the force vanishes from the next step on.
  s.params.q = 0;
  s.computeQuantities();
  run.step();
  const double vx = run.vxCartesian(), vy = run.vyCartesian();
  run.step();
  EXPECT_TRUE(run.vxCartesian() == vx && run.vyCartesian() == vy && run.stepsDone() == 10);
}

}  // namespace
}  // namespace larmor
