#include "model/TrajectoryRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace larmor {
namespace {

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
  double minVz = INFINITY, maxVz = -INFINITY, maxZDrift = 0;
};

RunSummary runToEnd(SimulationState& s, TrajectoryRun& run) {
  RunSummary r;
  run.prepare();
  while (run.hasNextStep()) {
    EXPECT_EQ(run.step().xTo, s.x);
    r.maxAbsDV = std::max(r.maxAbsDV, std::fabs(run.dV()));
    r.minVz = std::min(r.minVz, run.vzCartesian());
    r.maxVz = std::max(r.maxVz, run.vzCartesian());
    r.maxZDrift = std::max(r.maxZDrift, std::fabs(s.z - s.params.z0));
  }
  return r;
}

TEST(TrajectoryRun, StartUpRunInTheUniformField) {
  SimulationState s = stateFor(1);
  TrajectoryRun run(s, ',');
  const RunSummary r = runToEnd(s, run);
  EXPECT_NEAR(run.dt(), 1.3024e-06, 1e-10);
  EXPECT_EQ(run.stepsDone(), 2501);
  EXPECT_NEAR(s.x, 1.015, 5e-4);
  EXPECT_NEAR(s.y, 0.524, 5e-4);
  EXPECT_NEAR(s.z, 4.733, 5e-4);
  EXPECT_GT(r.maxAbsDV, 1e-6f);  // a real, single-precision-shaped error …
  EXPECT_LT(r.maxAbsDV, 1e-3f);  // … of the order of 1e-4 %
  const std::string& text = run.accuracyText();
  EXPECT_EQ(text.rfind("dV=", 0), 0u);
  EXPECT_EQ(text.back(), '%');
  EXPECT_NE(text.find(','), std::string::npos) << "the run's separator";
  EXPECT_EQ(text.find('.'), std::string::npos);
}

TEST(TrajectoryRun, EveryConfigurationBehavesPhysically) {
  const struct {
    FieldConfig config;
    std::int64_t steps;
    bool reflects;
    double minZDrift;
  } cases[] = {
      {1, 2501, false, 8}, {2, 2501, false, 8}, {3, 2501, false, 8}, {4, 7500, true, 0},
      {5, 2501, true, 1},  {6, 2501, true, 10}, {7, 10001, true, 0},
  };
  for (const auto& c : cases) {
    SimulationState s = stateFor(c.config);
    TrajectoryRun run(s);
    const RunSummary r = runToEnd(s, run);
    EXPECT_NEAR(static_cast<double>(run.stepsDone()), static_cast<double>(c.steps), 1) << c.config;
    EXPECT_LT(r.maxAbsDV, 0.01f) << c.config;
    EXPECT_EQ(r.minVz < 0 && r.maxVz > 0, c.reflects) << c.config;
    EXPECT_GE(r.maxZDrift, c.minZDrift) << c.config;
  }
}

TEST(TrajectoryRun, RunLengthEdgesAlwaysEnd) {
  const struct {
    const char* name;
    float periods;
    std::int64_t limit, steps;
  } cases[] = {
      {"zero periods: one step", 0, TrajectoryRun::maxSteps, 1},
      {"negative periods: none", -1, TrajectoryRun::maxSteps, 0},
      {"infinite periods end at the limit", INFINITY, 50, 50},
      {"huge periods end at the limit", 3e38f, 50, 50},
  };
  for (const auto& c : cases) {
    SimulationState s = stateFor(1);
    s.params.periods = c.periods;
    s.computeQuantities();
    TrajectoryRun run(s);
    run.limitSteps(c.limit);
    runToEnd(s, run);
    EXPECT_EQ(run.stepsDone(), c.steps) << c.name;
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
    if (run.hasNextStep()) run.step();
    s.fieldConfig = 4;
    if (run.hasNextStep()) run.step();
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
  // Each step starts from the other frame's values as they stand.
  for (FieldConfig config : {1, 4, 4, 5, 1, 6, 2, 1}) {
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
  EXPECT_EQ(run.vxCartesian(), vx);
  EXPECT_EQ(run.vyCartesian(), vy);
  EXPECT_EQ(run.stepsDone(), 10);
}

TEST(TrajectoryRun, NonFiniteStateEndsTheRun) {
  // A field beyond the single-precision range at the start point.
  SimulationState s = stateFor(2);
  s.params.S = 0.01;
  s.params.x0 = coordinateFromPosition(-50);
  s.computeQuantities();
  TrajectoryRun run(s);
  runToEnd(s, run);
  EXPECT_TRUE(run.stoppedNonFinite());
  EXPECT_EQ(run.stepsDone(), 0);
  EXPECT_EQ(run.accuracyText(), nonFiniteAccuracyText);
  EXPECT_EQ(s.x, s.params.x0);  // the shared position keeps its last finite value
}

}  // namespace
}  // namespace larmor
