// The 3-D view's camera, path memory and field lines.
#include "model/MonopoleInvariant.h"
#include "model/SimulationState.h"
#include "model/TheoryPrediction.h"
#include "model/TrajectoryRun.h"
#include "views/OrbitCamera.h"
#include "views/OrbitPath.h"
#include "views/OrbitScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace larmor {
namespace {

constexpr double degree = 3.14159265358979323846 / 180;

// The screen point of p by turning the region instead of the camera: about OZ by minus
// the azimuth (the eye comes to the XZ plane), then about OY by the elevation (the eye
// comes onto OX). What then lies along OY is to the right, along OZ is up.
ScreenPoint byRotation(const Vec3& p, double azimuth, double elevation, int w, int h, double halfXY, double halfZ,
                       double zoom = 1, double panX = 0, double panY = 0) {
  const double a = -azimuth * degree, e = elevation * degree;
  const double x1 = std::cos(a) * p.x - std::sin(a) * p.y, y1 = std::sin(a) * p.x + std::cos(a) * p.y, z1 = p.z;
  const double z2 = -std::sin(e) * x1 + std::cos(e) * z1;
  const double pxPerMetre = zoom * std::min(w, h) / (2 * std::sqrt(2 * halfXY * halfXY + halfZ * halfZ));
  return {w / 2.0 + panX + pxPerMetre * y1, h / 2.0 + panY - pxPerMetre * z2};
}

TEST(OrbitCamera, ProjectsAsTheTurnedRegionDoes) {
  struct Case { double azimuth, elevation, zoom, panX, panY; int w, h; };
  const Case cases[] = {{0, 0, 1, 0, 0, 800, 600}, {35, 25, 1, 0, 0, 800, 600}, {-120, 60, 2.5, 0, 0, 640, 480},
                        {90, 90, 1, 0, 0, 300, 700}, {200, -45, 0.5, 0, 0, 800, 600}, {10, 20, 1, 30, -12, 800, 600}};
  const Vec3 points[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1.5, -2, 3.25}};
  for (const Case& c : cases) {
    OrbitCamera camera;
    camera.frame(2.5, 5);
    camera.setViewport(c.w, c.h);
    camera.setAngles(c.azimuth, c.elevation);
    camera.zoomBy(std::log(c.zoom) / std::log(OrbitCamera::zoomPerNotch));
    camera.pan(c.panX, c.panY);
    for (const Vec3& p : points) {
      const ScreenPoint got = camera.project(p);
      const ScreenPoint want = byRotation(p, c.azimuth, c.elevation, c.w, c.h, 2.5, 5, c.zoom, c.panX, c.panY);
      EXPECT_NEAR(got.x, want.x, 1e-9) << c.azimuth << " " << c.elevation << " (" << p.x << "," << p.y << "," << p.z << ")";
      EXPECT_NEAR(got.y, want.y, 1e-9) << c.azimuth << " " << c.elevation << " (" << p.x << "," << p.y << "," << p.z << ")";
    }
  }
}

TEST(OrbitCamera, TurnsAndZoomsWithinItsBounds) {
  OrbitCamera camera;  // the turn a drag makes is the window test's
  camera.turn(100, -40);
  camera.turn(0, 1000);  // the elevation stops at the pole
  EXPECT_DOUBLE_EQ(camera.elevation(), 90);
  camera.turn(-720, 0);  // 720 px: a whole turn, the same azimuth kept within (-180, 180]
  EXPECT_NEAR(camera.azimuth(), OrbitCamera::startAzimuth - 50, 1e-9);
  for (int i = 0; i < 100; ++i) camera.zoomBy(1);
  EXPECT_DOUBLE_EQ(camera.zoom(), OrbitCamera::maxZoom);
}

TEST(OrbitPath, KeepsEveryStrideThPointInBoundedMemoryAndEndsAtTheLatest) {
  OrbitPath path(64);
  const int given = 64 * 10 + 7;
  for (int i = 0; i < given; ++i) {
    path.append({double(i), 0, 0});
    ASSERT_LE(path.points().size(), 65u);
    ASSERT_EQ(path.points().back().x, i);  // the line reaches the particle
  }
  EXPECT_EQ(path.stride(), 16);  // 647 points into 64: halved four times
  const std::vector<Vec3>& kept = path.points();
  for (std::size_t j = 0; j + 1 < kept.size(); ++j) EXPECT_EQ(kept[j].x, double(j * 16)) << j;
}

// Field lines followed along the run's own field: straight along OZ in the uniform field,
// radial from the monopole, closed rings about OZ in the centrifugal structure (the traps'
// are followed in the theory's test below).
TEST(OrbitScene, FieldLinesHaveTheirStructuresShape) {
  SimulationState state;
  const double L = state.params.regionSize;
  auto build = [&](FieldConfig config) {
    state.fieldConfig = config;
    return OrbitScene::build(state);
  };

  const OrbitScene uniform = build(1);
  ASSERT_EQ(uniform.fieldLines.size(), 9u);
  for (const Polyline3& line : uniform.fieldLines) {
    EXPECT_NEAR(line.points.front().x, line.points.back().x, 1e-9);
    EXPECT_NEAR(line.points.front().y, line.points.back().y, 1e-9);
    EXPECT_NEAR(std::abs(line.points.front().z - line.points.back().z), 2 * L, L / 50);  // across the region
  }

  const OrbitScene monopole = build(6);
  ASSERT_EQ(monopole.fieldLines.size(), 14u);
  for (const Polyline3& line : monopole.fieldLines) {
    const Vec3 a = line.points.front(), b = line.points.back();
    EXPECT_LT(norm(cross(a, b)), 1e-6 * norm(a) * norm(b));  // on one ray from the pole
    EXPECT_GT(norm(b), norm(a));                             // outwards
  }

  const OrbitScene rings = build(5);
  ASSERT_EQ(rings.fieldLines.size(), 9u);
  for (const Polyline3& line : rings.fieldLines) {
    const Vec3 start = line.points.front();
    EXPECT_EQ(std::pair(line.points.back().x, line.points.back().y), std::pair(start.x, start.y));  // closed
    const double r = std::hypot(start.x, start.y);
    double length = 0;
    for (std::size_t i = 1; i < line.points.size(); ++i) {
      const Vec3& p = line.points[i];
      EXPECT_NEAR(std::hypot(p.x, p.y), r, 1e-3 * L);
      EXPECT_NEAR(p.z, start.z, 1e-6);
      length += norm(p + (-1.0) * line.points[i - 1]);
    }
    EXPECT_NEAR(length, 2 * 3.14159265358979323846 * r, L / 50);  // once round
  }

  // Ticks: two to five on a half axis, 1, 2 or 5 times a power of ten apart.
  for (double half = 0.3; half < 100; half *= 1.37) {
    const double step = orbitTickStep(half);
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9) << half;
    EXPECT_GE(std::floor(half / step), 2) << half;
    EXPECT_LE(std::floor(half / step), 5) << half;
  }
}

// The theory in space. Uniform field, the start-up state: the guiding centre rises from
// the start's circle centre, R = 0.4526 m from the start point, by 25 pitches of 0.3492 m,
// and ends R from where the run ends, (1.015, 0.524, 4.733) m. In the trap, each turning
// point lies where |B| reaches the turning field.
TEST(OrbitScene, TheTheorysPathAndTurningPointsLieWhereTheRunAndTheFieldSay) {
  SimulationState state;
  state.computeQuantities();
  std::vector<Polyline3> lines = orbitTheory(state, predictTheory(state));
  ASSERT_EQ(lines.size(), 1u);
  const Vec3 from = lines[0].points.front(), to = lines[0].points.back();
  EXPECT_NEAR(std::hypot(from.x - 1, from.y - 0.5), 0.4526, 5e-4);
  EXPECT_NEAR(from.z, -4, 1e-9);
  EXPECT_NEAR(to.z, 4.733, 5e-3);
  EXPECT_NEAR(std::hypot(to.x - 1.015, to.y - 0.524), 0.4526, 5e-3);

  state.fieldConfig = 4;
  state.params.x0 = 0.5, state.params.y0 = 0, state.params.z0 = 0;
  state.computeQuantities();
  const TheoryPrediction trap = predictTheory(state);
  ASSERT_TRUE(trap.turningField && trap.turningZ.size() == 2u);
  lines = orbitTheory(state, trap);
  int points = 0;
  for (const Polyline3& line : lines) {
    if (line.points.size() != 1) continue;
    ++points;
    EXPECT_NEAR(norm(fieldAt(4, state.params, line.points[0])) / *trap.turningField, 1, 0.02);
  }
  EXPECT_EQ(points, 2);
}

// The monopole: J = m·r×v − q·g·r̂ from the run's own start, and every point the run passes
// keeps the angle acos(−q·g/|J|) to J. Each drawn line lies on that cone (or is its axis
// from the pole, along ±J), and the drawn cone covers the distances from the pole the run covers.
TEST(OrbitScene, TheMonopolesPathLiesOnTheDrawnCone) {
  for (const double charge : {1.0, -3.0}) {
    SimulationState state;
    state.fieldConfig = 6;
    state.params.q *= charge;
    state.params.x0 = 1, state.params.y0 = 0.5, state.params.z0 = -2;
    state.computeQuantities();
    TrajectoryRun run(state);
    run.prepare();
    const SimParams& p = state.params;
    const Vec3 J = monopoleJ(p, {state.x, state.y, state.z}, {run.vxCartesian(), run.vyCartesian(), run.vzCartesian()});
    const double cone = std::acos(-p.q * p.Bo * p.S * p.S / norm(J));
    const auto angleToJ = [&J](const Vec3& r) { return std::acos(std::clamp(dot(r, J) / (norm(r) * norm(J)), -1.0, 1.0)); };
    double nearest = norm(Vec3{state.x, state.y, state.z}), farthest = nearest;
    while (run.hasNextStep()) {
      run.step();
      const Vec3 r{state.x, state.y, state.z};
      ASSERT_NEAR(angleToJ(r), cone, 0.2 * degree) << charge;
      nearest = std::min(nearest, norm(r)), farthest = std::max(farthest, norm(r));
    }
    ASSERT_GT(farthest - nearest, 0.5) << "a path that moves to and from the pole";

    int onCone = 0;
    double drawnNearest = INFINITY, drawnFarthest = 0;
    for (const Polyline3& line : orbitTheory(state, predictTheory(state))) {
      const bool alongJ = std::sin(angleToJ(line.points.back())) < 1e-6 && norm(line.points.front()) == 0;
      onCone += !alongJ;
      for (const Vec3& r : line.points) {
        if (alongJ) continue;
        EXPECT_NEAR(angleToJ(r), cone, 0.01 * degree) << charge;
        drawnNearest = std::min(drawnNearest, norm(r)), drawnFarthest = std::max(drawnFarthest, norm(r));
      }
    }
    EXPECT_GE(onCone, 8) << charge;
    EXPECT_NEAR(drawnNearest, nearest, 0.01 * nearest) << charge;
    EXPECT_NEAR(drawnFarthest, farthest, 0.01 * farthest) << charge;
  }
}

}  // namespace
}  // namespace larmor
