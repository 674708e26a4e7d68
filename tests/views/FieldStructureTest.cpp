#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

struct Drawing {
  RecordingCanvas xy, xz;
  Drawing(FieldConfig config, std::int16_t L, double S = 3.3, double d = 5) {
    Views views(xy, xz);
    SimulationState state;
    state.fieldConfig = config;
    state.params.regionSize = L, state.params.S = S, state.params.d = d;
    views.DrawFieldStructure(state);
  }
};

// A trap curve starts at a dot, then goes on by lineTo steps (and arrowhead strokes).
struct Curve {
  float startW;
  std::vector<Call> steps;
  int arrowStrokes = 0;
};

std::vector<Curve> curves(const RecordingCanvas& xz) {
  std::vector<Curve> out;
  for (const Call& call : xz.calls) {
    if (call.kind == Kind::Dot) out.push_back({call.w1, {}, 0});
    else if (!out.empty() && call.kind == Kind::LineTo) out.back().steps.push_back(call);
    else if (!out.empty() && call.kind == Kind::Line) out.back().arrowStrokes++;
  }
  return out;
}

TEST(DrawFieldStructure, FigureCountsForEveryConfiguration) {
  const struct { const char* name; FieldConfig config; size_t xyLines, xyCircles, xzLines; } rows[] = {
      {"uniform: 121 crosses; 11 lines with arrowheads", 1, 242, 0, 33},
      {"plane drift: 11 rows of 11 crosses; 11 lines", 2, 242, 0, 33},
      {"axial drift: 6 rings of 16 crosses; 12 lines", 3, 192, 0, 36},
      {"trap: 6 rings; curves only", 4, 192, 0, 0},
      {"centrifugal: 6 circles, empty side view", 5, 0, 6, 0},
      {"monopole: 11 radial lines in each view", 6, 11, 0, 11},
      {"nothing outside 1 to 7", 8, 0, 0, 0}, {"nothing for an unknown text's 0", 0, 0, 0, 0},
  };
  for (const auto& row : rows) {
    const Drawing drawing(row.config, 5);
    EXPECT_EQ(drawing.xy.of(Kind::Line).size(), row.xyLines) << row.name;
    EXPECT_EQ(drawing.xy.of(Kind::Circle).size(), row.xyCircles) << row.name;
    EXPECT_EQ(drawing.xz.of(Kind::Line).size(), row.xzLines) << row.name;
    size_t field = 0;  // only magenta, besides the trap's start dots
    for (const RecordingCanvas* c : {&drawing.xy, &drawing.xz})
      for (const Call& call : c->calls) field += call.colour == colours::field ? 1 : 0;
    EXPECT_EQ(drawing.xy.calls.size() + drawing.xz.calls.size(), field + (row.config == 4 ? 24 : 0)) << row.name;
  }
}

TEST(DrawFieldStructure, UniformFieldCrossesAndArrowheadsAtRegion5) {
  const Drawing drawing(1, 5);
  const auto xy = drawing.xy.of(Kind::Line), xz = drawing.xz.of(Kind::Line);
  std::set<std::pair<float, float>> centres;
  for (size_t i = 0; i < xy.size(); i += 2) {
    const Call& falling = xy[i];  // drawn first: upper left to lower right, 0.1 m
    EXPECT_NEAR(falling.u2 - falling.u1, 0.1f, 1e-6);
    EXPECT_NEAR(falling.w1 - falling.w2, 0.1f, 1e-6);
    centres.insert({std::round(falling.u1 + falling.u2), std::round(falling.w1 + falling.w2)});
  }
  // Every multiple of 0.5 m from -2.5 to 2.5, both ways (centres doubled).
  EXPECT_TRUE(centres.size() == 121 && centres.begin()->first == -5.0f && centres.rbegin()->second == 5.0f);
  for (size_t i = 0; i < xz.size(); i += 3) {  // a line across, then two wings 0.25 m back
    EXPECT_TRUE(xz[i].u1 == -5.0f && xz[i].u2 == 5.0f);
    for (int wing : {1, 2}) {
      EXPECT_TRUE(xz[i + wing].u1 == 2.5f && std::fabs(xz[i + wing].u2 - 2.25f) < 1e-6f);
      EXPECT_NEAR(xz[i + wing].w2 - xz[i].w1, wing == 1 ? 0.05 : -0.05, 1e-6);
    }
  }
}

TEST(DrawFieldStructure, TrapRingRadiiAndCurveStops) {
  const Drawing drawing(4, 5);
  const auto strokes = drawing.xy.of(Kind::Line);
  const double radii[] = {0.5, 0.595, 0.735, 0.962, 1.389, 2.5};
  for (int k = 0; k < 6 * 16; ++k) {
    const Call& rising = strokes[size_t(2 * k)];  // rings draw the rising stroke first
    EXPECT_GT(rising.w2, rising.w1);
    EXPECT_NEAR(std::hypot(rising.u1 + rising.u2, rising.w1 + rising.w2) / 2, radii[k / 16], 1e-3) << k;
  }
  // With S = 3.3 and d = 5 the curve falls by f(0) - f(L) = 0.72 m over the view:
  // the two smallest rings' curves stop early, the others run to the edge.
  const auto f = [](double z) { return (5 + z) / std::hypot(3.3, 5 + z) + (5 - z) / std::hypot(3.3, 5 - z); };
  const auto all = curves(drawing.xz);
  ASSERT_EQ(all.size(), 24u);
  for (size_t i = 0; i < all.size(); ++i) {
    const Curve& curve = all[i];
    ASSERT_FALSE(curve.steps.empty());
    // Begins with a zero-length step and stays on its side of the axis.
    EXPECT_TRUE(curve.steps.front().u2 == 0.0f && std::fabs(curve.steps.front().w2 - curve.startW) < 1e-6f);
    for (const Call& step : curve.steps) EXPECT_TRUE(curve.startW > 0 ? step.w2 >= 0 : step.w2 <= 0) << i;
    const float lastZ = curve.steps.back().u2;
    if (i / 4 < 2) {
      EXPECT_LT(std::fabs(lastZ), 4.9f) << i;
      EXPECT_LT(radii[i / 4] - (f(0) - f(std::fabs(lastZ) + 0.025)), 0.001) << i << ": the next point crosses";
    } else {
      EXPECT_TRUE(curve.steps.size() == 200 || curve.steps.size() == 201) << i;
      EXPECT_NEAR(std::fabs(lastZ), 5.0f, 0.025f) << i;
    }
    // Mirror images: upper/lower in w, right/left in u.
    ASSERT_EQ(all[i ^ 2].steps.size(), curve.steps.size());
    EXPECT_FLOAT_EQ(all[i ^ 2].steps.back().w2, -curve.steps.back().w2);
    EXPECT_FLOAT_EQ(all[i ^ 1].steps.back().u2, -lastZ);
  }
}

TEST(DrawFieldStructure, SecondTrapArrowheadsNearATenthOfTheRegion) {
  const struct { std::int16_t L; int arrowsPerRightCurve; float firstTip; } rows[] = {
      {1, 4, 0.1f}, {2, 2, 0.2f}, {5, 1, 0.5f}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.L);
    const Drawing drawing(7, row.L);
    const auto all = curves(drawing.xz);
    ASSERT_EQ(all.size(), 24u);
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].arrowStrokes, i % 2 ? 0 : 2 * row.arrowsPerRightCurve);
    // The first arrowhead: tip on the curve, wings 5h back and h across; the second
    // stroke ends on the tip so the curve goes on from there.
    const auto s = drawing.xz.of(Kind::Line);
    const float h = float(row.L / 100.0);
    EXPECT_NEAR(s[0].u1, row.firstTip, 1e-5);
    EXPECT_FLOAT_EQ(s[0].u2, s[0].u1 - 5 * h);
    EXPECT_NEAR(s[1].w1 - s[0].w2, 2 * h, 1e-6);
    EXPECT_TRUE(s[1].u2 == s[0].u1 && s[1].w2 == s[0].w1);
  }
}

TEST(DrawFieldStructure, CirclesAndRadialLines) {
  const auto circles = Drawing(5, 5).xy.of(Kind::Circle);
  for (size_t j = 0; j < circles.size(); ++j)
    EXPECT_TRUE(circles[j].r == 0.5f * j && circles[j].u1 == 0.0f && circles[j].w1 == 0.0f) << j;
  const Drawing monopole(6, 5);
  for (const auto& lines : {monopole.xy.of(Kind::Line), monopole.xz.of(Kind::Line)}) {
    for (size_t j = 0; j < lines.size(); ++j) {
      const Call& line = lines[j];
      EXPECT_NEAR(std::atan2(line.w1, line.u1) * 180 / M_PI, 15.0 * (j + 1), 1e-4);
      EXPECT_NEAR(std::hypot(line.u1, line.w1), 5.0, 1e-5);
      EXPECT_TRUE(line.u2 == -line.u1 && line.w2 == -line.w1);
    }
  }
}

TEST(DrawFieldStructure, ZeroLengthsNeverGiveNonFiniteCoordinates) {
  const struct { const char* name; FieldConfig config; double S, d; bool drawsField; } rows[] = {
      {"plane drift, S = 0: skipped", 2, 0, 5, false},
      {"axial drift, S = 0: outer ring skipped, the rest on the axis", 3, 0, 5, true},
      {"trap, S = 0 and d = 0: rings only", 4, 0, 0, true},      {"trap, S = 0", 4, 0, 5, true},
      {"second trap, S = 0 and d = 0", 7, 0, 0, true},           {"second trap, S = 0: flat curves", 7, 0, 5, true},
      {"monopole, S = 0", 6, 0, 5, true},
  };
  for (const auto& row : rows) {
    for (std::int16_t L : {1, 5, 10}) {
      const Drawing drawing(row.config, L, row.S, row.d);
      EXPECT_EQ(drawing.xy.nonFinite + drawing.xz.nonFinite, 0) << row.name;
      EXPECT_EQ(!drawing.xy.calls.empty(), row.drawsField) << row.name;
    }
  }
  // With S = 0 and d = 0 every curve point is 0/0: the curves keep only their start dots.
  const Drawing both(4, 5, 0, 0);
  EXPECT_TRUE(both.xz.of(Kind::LineTo).empty() && both.xz.of(Kind::Dot, 0).size() == 24u);
  // With S = 0 and d = 5 the profile is 2 between the coils: the curves are flat at ±r.
  for (const Curve& curve : curves(Drawing(7, 10, 0, 5).xz)) {
    ASSERT_FALSE(curve.steps.empty());
    EXPECT_EQ(curve.steps.back().w2, curve.startW);
    EXPECT_NEAR(std::fabs(curve.steps.back().u2), 10.0, 0.05);
  }
}

}  // namespace
}  // namespace larmor
