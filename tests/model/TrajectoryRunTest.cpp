#include "model/Rk4Step.h"
#include "model/TrajectoryRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace larmor {
namespace {

// The start-up state with the configuration chosen as the list does it.
SimulationState stateFor(FieldConfig config) {
  SimulationState s;
  s.fieldConfig = config;
  if (config >= 4) {
    const bool trap = config == 4 || config == 7;
    s.params.x0 = trap ? 1 : 0.3;
    s.params.z0 = trap ? -4 : -2;
  }
  s.computeQuantities();
  return s;
}

struct RunSummary {
  std::int64_t steps = 0;
  float maxAbsDV = 0;
  double minVz = INFINITY, maxVz = -INFINITY, maxZDrift = 0;
};

RunSummary runToEnd(SimulationState& s, TrajectoryRun& run) {
  RunSummary r;
  run.prepare();
  const double z0 = s.params.z0;
  while (run.hasNextStep()) {
    const TrailSegment seg = run.step();
    EXPECT_EQ(seg.xTo, s.x);
    r.maxAbsDV = std::max(r.maxAbsDV, std::fabs(run.dV()));
    r.minVz = std::min(r.minVz, run.vzCartesian());
    r.maxVz = std::max(r.maxVz, run.vzCartesian());
    r.maxZDrift = std::max(r.maxZDrift, std::fabs(s.z - z0));
  }
  r.steps = run.stepsDone();
  return r;
}

TEST(TrajectoryRun, StartUpRunInTheUniformField) {
  SimulationState s = stateFor(1);
  TrajectoryRun run(s);
  const RunSummary r = runToEnd(s, run);
  EXPECT_NEAR(run.dt(), 1.3024e-06, 1e-10);
  EXPECT_EQ(r.steps, 2501);
  EXPECT_NEAR(s.x, 1.015, 5e-4);
  EXPECT_NEAR(s.y, 0.524, 5e-4);
  EXPECT_NEAR(s.z, 4.733, 5e-4);
  EXPECT_GT(r.maxAbsDV, 1e-6f);  // a real, single-precision-shaped error …
  EXPECT_LT(r.maxAbsDV, 1e-3f);  // … of the order of 1e-4 %
  EXPECT_EQ(run.accuracyText().rfind("dV=", 0), 0u);
  EXPECT_EQ(run.accuracyText().back(), '%');
  EXPECT_FALSE(run.stoppedNonFinite());
}

// Uniform field, analytic helix: position after time t from the start of the run.
void helix(const SimulationState& s, double t, double& x, double& y) {
  const double w = s.quantities.omega, vx0 = s.quantities.vx0, vy0 = s.quantities.vy0;
  x = s.params.x0 + (vx0 * std::sin(w * t) - vy0 * std::cos(w * t) + vy0) / w;
  y = s.params.y0 + (vx0 * std::cos(w * t) - vx0 + vy0 * std::sin(w * t)) / w;
}

TEST(TrajectoryRun, Rk4ErrorFallsSixteenfoldWithHalfTheStep) {
  SimulationState s = stateFor(1);
  double error[2];
  for (int i = 0; i < 2; ++i) {
    const int steps = 20 << i;
    const double dt = s.quantities.period / steps;
    CartesianPoint u{s.params.x0, s.params.y0, s.params.z0, s.quantities.vx0, s.quantities.vy0,
                     static_cast<float>(s.quantities.vPar)};
    for (int k = 0; k < steps; ++k) u = rk4StepCartesian(u, dt, 1, s);
    double x, y;
    helix(s, steps * dt, x, y);
    error[i] = std::hypot(u.x - x, u.y - y);
  }
  EXPECT_GT(error[0] / error[1], 13.0);
  EXPECT_LT(error[0] / error[1], 19.0);
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
    EXPECT_NEAR(static_cast<double>(r.steps), static_cast<double>(c.steps), 1) << c.config;
    EXPECT_LT(r.maxAbsDV, 0.01f) << c.config;
    EXPECT_EQ(r.minVz < 0 && r.maxVz > 0, c.reflects) << c.config;
    EXPECT_GE(r.maxZDrift, c.minZDrift) << c.config;
  }
}

TEST(TrajectoryRun, PerpendicularStartStaysInItsPlane) {
  SimulationState s = stateFor(1);
  s.params.alpha = 90;
  s.params.alphaRad = angleRadFromDegrees(90);
  s.computeQuantities();
  TrajectoryRun run(s);
  const RunSummary r = runToEnd(s, run);
  EXPECT_LT(r.maxZDrift, 1e-6);
  EXPECT_LT(r.maxAbsDV, 1e-3f);
  // 25 whole circles and one more step: one step's arc away from the start.
  EXPECT_NEAR(std::hypot(s.x - s.params.x0, s.y - s.params.y0), s.params.v * run.dt(), 1e-4);
}

TEST(TrajectoryRun, RunLengthEdges) {
  const struct {
    const char* name;
    float periods;
    std::int64_t limit;
    std::int64_t steps;
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
    EXPECT_EQ(runToEnd(s, run).steps, c.steps) << c.name;
    EXPECT_FALSE(run.hasNextStep()) << c.name;
  }
}

TEST(TrajectoryRun, StartOnTheAxis) {
  for (FieldConfig config = 1; config <= 7; ++config) {
    SimulationState s = stateFor(config);
    s.params.x0 = s.params.y0 = 0;
    s.computeQuantities();
    TrajectoryRun run(s);
    const RunSummary r = runToEnd(s, run);
    const bool cylindrical = config >= 4;
    EXPECT_EQ(run.refusedAxisStart(), cylindrical) << config;
    EXPECT_EQ(r.steps == 0, cylindrical) << config;
    EXPECT_EQ(run.accuracyText() == axisStartAccuracyText, cylindrical) << config;
    EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z)) << config;
  }
}

TEST(TrajectoryRun, ChangesDuringARun) {
  // Charge set to 0 between steps: the force vanishes from the next step on.
  SimulationState s = stateFor(1);
  TrajectoryRun run(s);
  run.prepare();
  for (int i = 0; i < 10; ++i) run.step();
  s.params.q = 0;
  s.computeQuantities();
  run.step();
  const double vx = run.vxCartesian(), vy = run.vyCartesian();
  run.step();
  EXPECT_EQ(run.vxCartesian(), vx);
  EXPECT_EQ(run.vyCartesian(), vy);

  // Cartesian to cylindrical and back: the other frame's start-of-step values as they stand.
  SimulationState t = stateFor(1);
  TrajectoryRun switching(t);
  switching.prepare();
  for (FieldConfig config : {1, 4, 4, 5, 1, 6, 2}) {
    t.fieldConfig = config;
    switching.step();
  }
  EXPECT_EQ(switching.stepsDone(), 7);
  EXPECT_FALSE(switching.stoppedNonFinite());

  // On the axis in a Cartesian run, then a cylindrical configuration: no step is made.
  SimulationState a = stateFor(1);
  a.params.x0 = a.params.y0 = 0;
  a.computeQuantities();
  TrajectoryRun axis(a);
  axis.prepare();
  axis.step();
  a.fieldConfig = 4;
  axis.step();
  EXPECT_EQ(axis.stepsDone(), 1);
  EXPECT_FALSE(axis.hasNextStep());
  EXPECT_EQ(axis.accuracyText(), axisStartAccuracyText);
}

TEST(TrajectoryRun, NonFiniteStateEndsTheRun) {
  // A field beyond the single-precision range at the start point.
  SimulationState s = stateFor(2);
  s.params.S = 0.01;
  s.params.x0 = coordinateFromPosition(-50);
  s.computeQuantities();
  TrajectoryRun run(s, ',');
  runToEnd(s, run);
  EXPECT_TRUE(run.stoppedNonFinite());
  EXPECT_EQ(run.stepsDone(), 0);
  EXPECT_EQ(run.accuracyText(), nonFiniteAccuracyText);
  EXPECT_EQ(s.x, s.params.x0);  // the shared position keeps its last finite value
}

TEST(TrajectoryRun, AccuracyTextUsesTheRunsSeparator) {
  SimulationState s = stateFor(1);
  TrajectoryRun run(s, ',');
  run.prepare();
  run.step();
  EXPECT_NE(run.accuracyText().find(','), std::string::npos);
  EXPECT_EQ(run.accuracyText().find('.'), std::string::npos);
}

}  // namespace
}  // namespace larmor
