#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

struct Drawing {
  RecordingCanvas xy, xz;
};

void draw(Drawing& out, FieldConfig config, std::int16_t L, double S = 3.3, double d = 5) {
  Views views(out.xy, out.xz);
  SimulationState state;
  state.fieldConfig = config;
  state.params.regionSize = L;
  state.params.S = S;
  state.params.d = d;
  views.DrawFieldStructure(state);
}

std::vector<Call> fieldCalls(const RecordingCanvas& c) {
  std::vector<Call> out;
  for (const Call& call : c.calls)
    if (call.colour == colours::field) out.push_back(call);
  return out;
}

// Curves of a trap drawing: each starts at a dot, followed by its lineTo steps (and, for
// the second trap, arrowhead strokes).
struct Curve {
  float startW;
  std::vector<Call> steps;
  int arrowStrokes = 0;
};

std::vector<Curve> curves(const RecordingCanvas& xz) {
  std::vector<Curve> out;
  for (const Call& call : xz.calls) {
    if (call.kind == Kind::Dot) {
      out.push_back({call.w1, {}, 0});
    } else if (!out.empty() && call.kind == Kind::LineTo) {
      out.back().steps.push_back(call);
    } else if (!out.empty() && call.kind == Kind::Line) {
      out.back().arrowStrokes++;
    }
  }
  return out;
}

TEST(DrawFieldStructure, FigureCountsForEveryConfiguration) {
  struct Row {
    const char* name;
    FieldConfig config;
    size_t xyLines, xyCircles, xzLines;
  } rows[] = {
      {"uniform: 121 crosses; 11 lines with arrowheads", 1, 242, 0, 33},
      {"plane drift: 11 rows of 11 crosses; 11 lines", 2, 242, 0, 33},
      {"axial drift: 6 rings of 16 crosses; 12 lines", 3, 192, 0, 36},
      {"trap: 6 rings; curves only", 4, 192, 0, 0},
      {"centrifugal: 6 circles, empty side view", 5, 0, 6, 0},
      {"monopole: 11 radial lines in each view", 6, 11, 0, 11},
      {"nothing outside 1 to 7", 8, 0, 0, 0},
      {"nothing for 0", 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    Drawing drawing;
    draw(drawing, row.config, 5);
    EXPECT_EQ(drawing.xy.of(Kind::Line, colours::field).size(), row.xyLines) << row.name;
    EXPECT_EQ(drawing.xy.of(Kind::Circle, colours::field).size(), row.xyCircles) << row.name;
    EXPECT_EQ(drawing.xz.of(Kind::Line, colours::field).size(), row.xzLines) << row.name;
    EXPECT_EQ(drawing.xy.calls.size() + drawing.xz.calls.size(),
              fieldCalls(drawing.xy).size() + fieldCalls(drawing.xz).size() +
                  (row.config == 4 ? 4 * 6 : 0))
        << row.name << ": only magenta, besides the trap's start dots";
  }
}

TEST(DrawFieldStructure, UniformFieldLatticeAndArrowheadsAtRegion5) {
  Drawing drawing;
  draw(drawing, 1, 5);
  const auto strokes = drawing.xy.of(Kind::Line, colours::field);
  std::set<std::pair<float, float>> centres;
  for (size_t i = 0; i < strokes.size(); i += 2) {
    const Call& falling = strokes[i];  // drawn first: upper left to lower right, 0.1 m
    EXPECT_NEAR(falling.u2 - falling.u1, 0.1f, 1e-6);
    EXPECT_NEAR(falling.w1 - falling.w2, 0.1f, 1e-6);
    centres.insert({std::round(falling.u1 + falling.u2), std::round(falling.w1 + falling.w2)});
  }
  EXPECT_EQ(centres.size(), 121u);  // every multiple of 0.5 m from -2.5 to 2.5, both ways
  EXPECT_EQ(centres.begin()->first, -5.0f);
  EXPECT_EQ(centres.rbegin()->second, 5.0f);
  const auto xz = drawing.xz.of(Kind::Line, colours::field);
  for (size_t i = 0; i < xz.size(); i += 3) {
    EXPECT_EQ(xz[i].u1, -5.0f);
    EXPECT_EQ(xz[i].u2, 5.0f);
    for (int wing : {1, 2}) {
      EXPECT_EQ(xz[i + wing].u1, 2.5f);
      EXPECT_FLOAT_EQ(xz[i + wing].u2, 2.25f);
      EXPECT_NEAR(xz[i + wing].w2 - xz[i].w1, wing == 1 ? 0.05 : -0.05, 1e-6);
    }
  }
}

TEST(DrawFieldStructure, TrapRingRadiiAndCurveStops) {
  Drawing drawing;
  draw(drawing, 4, 5);
  const auto strokes = drawing.xy.of(Kind::Line, colours::field);
  const double radii[] = {0.5, 0.595, 0.735, 0.962, 1.389, 2.5};
  for (int level = 0; level < 6; ++level) {
    for (int j = 0; j < 16; ++j) {
      const Call& rising = strokes[size_t(32 * level + 2 * j)];
      // Rings draw the rising stroke first.
      EXPECT_GT(rising.w2, rising.w1);
      const double u = (rising.u1 + rising.u2) / 2.0, w = (rising.w1 + rising.w2) / 2.0;
      EXPECT_NEAR(std::hypot(u, w), radii[level], 1e-3) << "level " << level;
    }
  }

  // With S = 3.3 and d = 5 the curve falls by f(0) - f(L) = 0.72 m over the view:
  // the two smallest rings' curves stop early, the others run to the edge.
  const auto all = curves(drawing.xz);
  ASSERT_EQ(all.size(), 24u);
  const double S = 3.3, d = 5;
  auto f = [&](double z) {
    return (d + z) / std::sqrt(S * S + (d + z) * (d + z)) +
           (d - z) / std::sqrt(S * S + (d - z) * (d - z));
  };
  for (size_t i = 0; i < all.size(); ++i) {
    const Curve& curve = all[i];
    const int level = int(i / 4);
    const bool upper = curve.startW > 0;
    ASSERT_FALSE(curve.steps.empty());
    EXPECT_EQ(curve.steps.front().u2, 0.0f);  // begins with a zero-length step
    EXPECT_FLOAT_EQ(curve.steps.front().w2, curve.startW);
    for (const Call& step : curve.steps) EXPECT_TRUE(upper ? step.w2 >= 0 : step.w2 <= 0);
    const float lastZ = curve.steps.back().u2;
    if (level < 2) {
      EXPECT_LT(std::fabs(lastZ), 4.9f) << "curve " << i;
      // The next point would have crossed the axis.
      const double next = std::fabs(lastZ) + 0.025;
      EXPECT_LT(radii[level] - (f(0) - f(next)), 0.001) << "curve " << i;
    } else {
      EXPECT_GE(curve.steps.size(), 200u) << "curve " << i;
      EXPECT_LE(curve.steps.size(), 201u) << "curve " << i;
      EXPECT_NEAR(std::fabs(lastZ), 5.0f, 0.025f) << "curve " << i;
    }
    // Mirror images: upper/lower in w, right/left in u.
    const Curve& mirror = all[i ^ 2];
    ASSERT_EQ(mirror.steps.size(), curve.steps.size());
    EXPECT_FLOAT_EQ(mirror.steps.back().w2, -curve.steps.back().w2);
    EXPECT_FLOAT_EQ(all[i ^ 1].steps.back().u2, -lastZ);
  }
}

TEST(DrawFieldStructure, SecondTrapArrowheadsNearATenthOfTheRegion) {
  struct Row {
    const char* name;
    std::int16_t L;
    int arrowsPerRightCurve;
    float firstTip;
  } rows[] = {
      {"region 1: four in a row from z = 0.1", 1, 4, 0.1f},
      {"region 2: two, at z = 0.2 and 0.21", 2, 2, 0.2f},
      {"region 5: one at z = 0.5", 5, 1, 0.5f},
  };
  for (const Row& row : rows) {
    Drawing drawing;
    draw(drawing, 7, row.L);
    const auto all = curves(drawing.xz);
    ASSERT_EQ(all.size(), 24u) << row.name;
    const float h = float(row.L / 100.0);
    for (size_t i = 0; i < all.size(); ++i) {
      const bool right = i % 2 == 0;
      EXPECT_EQ(all[i].arrowStrokes, right ? 2 * row.arrowsPerRightCurve : 0) << row.name << i;
    }
    // The first arrowhead: tip on the curve, wings 5h back and h across; the second
    // stroke ends on the tip so the curve goes on from there.
    std::vector<Call> strokes = drawing.xz.of(Kind::Line, colours::field);
    ASSERT_GE(strokes.size(), 2u);
    EXPECT_NEAR(strokes[0].u1, row.firstTip, 1e-5) << row.name;
    EXPECT_FLOAT_EQ(strokes[0].u2, strokes[0].u1 - 5 * h);
    EXPECT_NEAR(strokes[1].w1 - strokes[0].w2, 2 * h, 1e-6);
    EXPECT_EQ(strokes[1].u2, strokes[0].u1);
    EXPECT_EQ(strokes[1].w2, strokes[0].w1);
  }
}

TEST(DrawFieldStructure, CircleAndRadialLines) {
  Drawing centrifugal;
  draw(centrifugal, 5, 5);
  const auto circles = centrifugal.xy.of(Kind::Circle, colours::field);
  ASSERT_EQ(circles.size(), 6u);
  for (int j = 0; j < 6; ++j) {
    EXPECT_FLOAT_EQ(circles[size_t(j)].r, 0.5f * j);
    EXPECT_EQ(circles[size_t(j)].u1, 0.0f);
    EXPECT_EQ(circles[size_t(j)].w1, 0.0f);
  }
  EXPECT_TRUE(centrifugal.xz.calls.empty());

  Drawing monopole;
  draw(monopole, 6, 5);
  for (const RecordingCanvas* c : {&monopole.xy, &monopole.xz}) {
    const auto lines = c->of(Kind::Line, colours::field);
    ASSERT_EQ(lines.size(), 11u);
    for (int j = 0; j < 11; ++j) {
      const Call& line = lines[size_t(j)];
      const double degrees = std::atan2(line.w1, line.u1) * 180 / 3.141592653589793;
      EXPECT_NEAR(degrees, 15.0 * (j + 1), 1e-4);
      EXPECT_NEAR(std::hypot(line.u1, line.w1), 5.0, 1e-5);
      EXPECT_FLOAT_EQ(line.u2, -line.u1);
      EXPECT_FLOAT_EQ(line.w2, -line.w1);
    }
  }
}

TEST(DrawFieldStructure, ZeroLengthsNeverGiveNonFiniteCoordinates) {
  struct Row {
    const char* name;
    FieldConfig config;
    double S, d;
    bool drawsField;
  } rows[] = {
      {"plane drift, S = 0: skipped", 2, 0, 5, false},
      {"axial drift, S = 0: outer ring skipped, the rest on the axis", 3, 0, 5, true},
      {"trap, S = 0 and d = 0: rings only", 4, 0, 0, true},
      {"trap, S = 0", 4, 0, 5, true},
      {"second trap, S = 0 and d = 0", 7, 0, 0, true},
      {"second trap, S = 0: flat curves", 7, 0, 5, true},
      {"monopole, S = 0", 6, 0, 5, true},
  };
  for (const Row& row : rows) {
    for (std::int16_t L : {1, 5, 10}) {
      Drawing drawing;
      draw(drawing, row.config, L, row.S, row.d);
      EXPECT_EQ(drawing.xy.nonFinite + drawing.xz.nonFinite, 0) << row.name;
      EXPECT_EQ(!fieldCalls(drawing.xy).empty(), row.drawsField) << row.name;
    }
  }
  // With S = 0 and d = 0 every curve point is 0/0: the curves keep only their start dots.
  Drawing both;
  draw(both, 4, 5, 0, 0);
  EXPECT_TRUE(both.xz.of(Kind::LineTo, colours::field).empty());
  EXPECT_EQ(both.xz.of(Kind::Dot, 0).size(), 24u);
  // With S = 0 and d = 5 the profile is 2 between the coils: the curves are flat at ±r.
  Drawing flat;
  draw(flat, 7, 10, 0, 5);
  for (const Curve& curve : curves(flat.xz)) {
    ASSERT_FALSE(curve.steps.empty());
    EXPECT_EQ(curve.steps.back().w2, curve.startW);
    EXPECT_NEAR(std::fabs(curve.steps.back().u2), 10.0, 0.05);
  }
}

}  // namespace
}  // namespace larmor
