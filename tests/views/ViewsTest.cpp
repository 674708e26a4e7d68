// The two views' drawing procedures against a recording canvas: tick labels, axes and grid,
// markers, the start direction, the order of a redraw, and the field structure of every
// configuration.
#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

TEST(TickLabel, PlainDecimalWithBlankOrMinusInFrontAndOneBlankAfter) {
  const std::pair<double, const char*> rows[] = {
      {0.0, " 0 "},   {-0.0, " 0 "},       {-2.0, "-2 "},           {10.0, " 10 "},
      {0.5, " 0.5 "}, {-0.25, "-0.25 "},   {2.5e-7, " 0.00000025 "}, {1.0 / 3.0, " 0.333333333333333 "}};
  for (const auto& [value, text] : rows) EXPECT_EQ(tickLabel(value), text) << value;
}

bool spans(const RecordingCanvas::Call& c, float u1, float w1, float u2, float w2) {
  return c.u1 == u1 && c.w1 == w1 && c.u2 == u2 && c.w2 == w2;
}

std::vector<std::string> labels(int from, int to) {
  std::vector<std::string> out;
  for (int v = from; v <= to; ++v) out.push_back(tickLabel(v));
  return out;
}

TEST(DrawAxes, GridAxesTicksAndLabelsForRegionSizes) {
  // Tick labels seen along and up, in X0Y and in X0Z.
  const struct { std::int16_t L; int N; std::vector<std::string> visible[2][2]; } cases[] = {
      {1, 4, {{labels(0, 0), labels(0, 0)}, {labels(-1, 0), labels(0, 0)}}},
      {5, 20, {{labels(-2, 2), labels(-2, 2)}, {labels(-5, 4), labels(-2, 2)}}},
      {10, 40, {{labels(-5, 4), labels(-4, 5)}, {labels(-10, 9), labels(-4, 5)}}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.L);
    RecordingCanvas canvases[2];
    Views views(canvases[0], canvases[1]);
    SimulationState state;
    state.params.regionSize = t.L;
    views.DrawAxes(state);
    EXPECT_EQ(views.gridHalfCount(), t.N);
    const float half = t.L / 2.0f;
    for (int view = 0; view < 2; ++view) {
      const RecordingCanvas& c = canvases[view];
      const ViewMapping& m = c.mapping();
      EXPECT_TRUE(m.uLeft == (view ? -float(t.L) : -half) && m.uRight == -m.uLeft && m.wTop == half && m.wBottom == -half);
      const auto grid = c.of(Kind::Line, colours::grid), axes = c.of(Kind::Line, colours::axis);
      ASSERT_EQ(grid.size(), size_t(2 * (2 * t.N + 1)));
      ASSERT_EQ(axes.size(), grid.size());
      EXPECT_EQ(c.of(Kind::Dot, 0).size(), grid.size() + 2);
      // Pass k: a line of constant w = k/4 across the width, then one of constant u = k/4;
      // then both axes again, each over its whole length.
      for (int k = -t.N; k <= t.N; ++k) {
        const size_t i = size_t(2 * (k + t.N));
        const float ks = k * 0.25f;
        EXPECT_TRUE(spans(grid[i], m.uLeft, ks, m.uRight, ks) && spans(grid[i + 1], ks, -half, ks, half)) << k;
        EXPECT_TRUE(spans(axes[i], m.uLeft, 0, m.uRight, 0) && spans(axes[i + 1], 0, -half, 0, half)) << k;
      }
      // Tick labels alternate between the axes; only those anchored inside the picture
      // (right and bottom edges excluded) can be seen.
      std::vector<std::string> visible[2];
      int index = 0;
      for (const auto& p : c.calls)
        if (p.kind == Kind::Print && index++ < 2 * (2 * t.N + 1) && p.u1 >= m.uLeft && p.u1 < m.uRight &&
            p.w1 <= m.wTop && p.w1 > m.wBottom)
          visible[(index - 1) % 2].push_back(p.text);
      EXPECT_EQ(visible[0], t.visible[view][0]);
      EXPECT_EQ(visible[1], t.visible[view][1]);
      EXPECT_EQ(c.nonFinite, 0);
      // The axis names last: Y or Z near the right end, then Cyrillic Kha for x at the top.
      ASSERT_GE(c.calls.size(), 3u);
      const auto &name = c.calls[c.calls.size() - 3], &kha = c.calls.back();
      EXPECT_EQ(name.text, view ? "Z,м" : "Y,м");
      EXPECT_TRUE(kha.text == "\xD0\xA5,\xD0\xBC" && kha.u1 == 0.0f && kha.w1 == half);
    }
  }
}

TEST(PlaceMarkers, InclusiveBoundsAndIndependentViews) {
  // Region 4: the XY view spans ±2 in x and y, the XZ view ±4 in z and ±2 in x.
  const struct { const char* name; double x, y, z; bool xyMoves, xzMoves; } rows[] = {
      {"centre", 0, 0, 0, true, true},          {"y exactly on the edge", 1, 2, 0, true, true},
      {"x exactly on the edge", -2, -2, -4, true, true},
      {"y beyond: only the side view follows", 1, 2.0001, 3, false, true},
      {"z beyond: only the top view follows", 1, 1, -4.0001, true, false},
      {"x beyond: neither", 2.0001, 0, 0, false, false},
      {"far away", 1e30, 1e30, 1e30, false, false}, {"not a number", NAN, 0, 0, false, false},
  };
  for (const auto& row : rows) {
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.regionSize = 4;
    state.x = row.x, state.y = row.y, state.z = row.z;
    views.PlaceMarkers(state);
    ASSERT_EQ(xy.of(Kind::MoveMarker, 0).size(), row.xyMoves ? 1u : 0u) << row.name;
    ASSERT_EQ(xz.of(Kind::MoveMarker, 0).size(), row.xzMoves ? 1u : 0u) << row.name;
    // Centred: the left edge half a width left of u, the top edge half a height above w.
    const float top = float(row.x + 0.25);
    EXPECT_TRUE(!row.xyMoves || (xy.calls.back().u1 == float(row.y - 0.125) && xy.calls.back().w1 == top)) << row.name;
    EXPECT_TRUE(!row.xzMoves || (xz.calls.back().u1 == float(row.z - 0.125) && xz.calls.back().w1 == top)) << row.name;
  }
}

TEST(DrawStartDirection, StrokeAlongTheStartVelocity) {
  const double length = 0.25 * 2 * std::sqrt(2.0);
  const struct { const char* name; int alpha, beta; double d[4]; /* du, dw in X0Y, then in X0Z */ } rows[] = {{"along OZ: nothing in X0Y, +z in X0Z", 0, 60, {0, 0, length, 0}},
              {"along OY: +y in X0Y, nothing in X0Z", 90, 90, {length, 0, 0, 0}},
              {"along OX: upwards in both", 90, 0, {0, length, 0, length}}};
  for (const auto& row : rows) {
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.alphaRad = angleRadFromDegrees(row.alpha);
    state.params.betaRad = betaRadFromDegrees(row.beta);
    views.DrawAxes(state);  // sets the grid step the stroke is measured in
    xy.calls.clear(), xz.calls.clear();
    views.DrawStartDirection(state);
    ASSERT_TRUE(xy.calls.size() == 1 && xz.calls.size() == 1) << row.name;
    const auto &top = xy.calls[0], &side = xz.calls[0];
    EXPECT_TRUE(top.kind == Kind::Line && top.colour == views.trailColour()) << row.name;
    EXPECT_TRUE(top.u1 == float(state.params.y0) && top.w1 == float(state.params.x0) && side.u1 == state.params.z0);
    const double d[] = {top.u2 - top.u1, top.w2 - top.w1, side.u2 - side.u1, side.w2 - side.w1};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(d[i], row.d[i], 1e-6) << row.name << ", " << i;
  }
}

TEST(Redraw, ClearAxesMarkersFieldThenStartDirection) {
  RecordingCanvas xy, xz;
  Views views(xy, xz);
  SimulationState state;
  state.x = state.params.x0, state.y = state.params.y0, state.z = state.params.z0;
  views.Redraw(state);
  for (const RecordingCanvas* c : {&xy, &xz}) {
    ASSERT_FALSE(c->calls.empty());
    size_t lastPrint = 0, move = 0, firstField = c->calls.size();
    for (size_t i = 0; i < c->calls.size(); ++i) {
      if (c->calls[i].kind == Kind::Print) lastPrint = i;
      if (c->calls[i].kind == Kind::MoveMarker) move = i;
      if (c->calls[i].colour == colours::field) firstField = std::min(firstField, i);
    }
    EXPECT_TRUE(c->calls.front().kind == Kind::Clear && lastPrint < move && move < firstField);
    EXPECT_TRUE(c->calls.back().kind == Kind::Line && c->calls.back().colour == views.trailColour());
  }
}

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

// The figures of each configuration are counted by the tests of their geometry below.
TEST(DrawFieldStructure, MagentaOnlyBesidesTheTrapsStartDotsAndNothingOutsideOneToSeven) {
  for (FieldConfig config = 0; config <= 8; ++config) {
    const Drawing drawing(config, 5);
    size_t calls = 0, other = 0;
    for (const RecordingCanvas* c : {&drawing.xy, &drawing.xz})
      for (const Call& call : c->calls) ++calls, other += call.colour == colours::field ? 0 : 1;
    EXPECT_EQ(other, config == 4 || config == 7 ? 24u : 0u) << config;
    EXPECT_EQ(calls == 0, config == 0 || config == 8) << config;
  }
}

TEST(DrawFieldStructure, CrossesAndArrowheadsAtRegion5) {
  const Drawing drawing(1, 5);
  const auto xy = drawing.xy.of(Kind::Line), xz = drawing.xz.of(Kind::Line);
  ASSERT_TRUE(xy.size() == 242 && xz.size() == 33);
  for (size_t i = 0; i < xy.size(); i += 2) {  // falling first: upper left to lower right, 0.1 m
    EXPECT_TRUE(std::fabs(xy[i].u2 - xy[i].u1 - 0.1f) < 1e-6f && std::fabs(xy[i].w1 - xy[i].w2 - 0.1f) < 1e-6f) << i;
  }
  for (size_t i = 0; i < xz.size(); i += 3) {  // a line across, then two wings 0.25 m back, 0.05 m across
    for (int wing : {1, 2}) {
      EXPECT_TRUE(xz[i + wing].u1 == 2.5f && std::fabs(xz[i + wing].u2 - 2.25f) < 1e-6f);
      EXPECT_NEAR(xz[i + wing].w2 - xz[i].w1, wing == 1 ? 0.05 : -0.05, 1e-6);
    }
  }
}

// What changes by equal steps from one level to the next: the height itself, the field
// factor exp(-x/S) of the drifts, or 1/r of the traps.
double even(double v, double) { return v; }
double decay(double v, double S) { return std::exp(-v / S); }
double inverse(double v, double) { return 1 / v; }

TEST(DrawFieldStructure, RowsAndRingsStepTheFieldFactorEvenlyFromEdgeToEdge) {
  const struct { const char* name; FieldConfig config; std::int16_t L; double S; double first, last; double (*factor)(double, double); } rows[] = {
      {"uniform: even rows from the bottom", 1, 5, 3.3, -2.5, 2.5, even},
      {"plane drift: rows crowd at small x, first at the top", 2, 5, 3.3, 2.5, -2.5, decay},
      {"plane drift, S short against the region", 2, 1, 0.25, 0.5, -0.5, decay},
      {"plane drift, S = 1000: nearly even", 2, 10, 1000, 5, -5, decay},
      {"axial drift: rings from the edge to the axis", 3, 5, 3.3, 2.5, 0, decay},
      {"trap: radii 0.5, 0.595, 0.735, 0.962, 1.389, 2.5", 4, 5, 3.3, 0.5, 2.5, inverse},
      {"second trap, region 10", 7, 10, 3.3, 1, 5, inverse},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const bool rings = row.config >= 3;
    const size_t levels = rings ? 6 : 11, strokesPerLevel = rings ? 32 : 22;
    const double from = row.factor(row.first, row.S), to = row.factor(row.last, row.S);
    const auto expectLevel = [&](size_t k, double v) {
      EXPECT_NEAR(row.factor(v, row.S), from + double(k) / double(levels - 1) * (to - from), 1e-5 * std::fabs(to - from)) << "level " << k << " at " << v;
    };
    const Drawing drawing(row.config, row.L, row.S);
    const auto strokes = drawing.xy.of(Kind::Line);
    ASSERT_EQ(strokes.size(), levels * strokesPerLevel);
    for (size_t i = 0; i < strokes.size(); i += 2) {  // the first stroke of each cross
      const Call& s = strokes[i];
      EXPECT_EQ(s.w2 > s.w1, rings) << i << ": rings draw the rising stroke first, rows the falling one";
      const double u = (s.u1 + s.u2) / 2.0, w = (s.w1 + s.w2) / 2.0;
      expectLevel(i / strokesPerLevel, rings ? std::hypot(u, w) : w);
      EXPECT_TRUE(rings || std::fabs(u - row.L * (double(i / 2 % 11) / 10 - 0.5)) < 1e-6) << i << ": columns L/10 apart";
    }
    // The side view's lines across: one per row; the axial drift's at +r, then at -r.
    std::vector<Call> across;
    for (const Call& c : drawing.xz.of(Kind::Line))
      if (c.u1 == -row.L && c.u2 == row.L && c.w1 == c.w2) across.push_back(c);
    const size_t perLevel = row.config == 3 ? 2 : rings ? 0 : 1;
    ASSERT_EQ(across.size(), levels * perLevel);
    for (size_t i = 0; i < across.size(); ++i) expectLevel(i / perLevel, perLevel == 2 && i % 2 ? -across[i].w1 : across[i].w1);
    if (perLevel) { EXPECT_EQ(drawing.xz.of(Kind::Line).size(), 3 * across.size()) << "each with its arrowhead"; }
  }
}

TEST(DrawFieldStructure, TrapCurvesStopBeforeCrossingTheAxisAndMirrorEachOther) {
  const Drawing drawing(4, 5);
  const double radii[] = {0.5, 0.595};  // the two smallest rings
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
    EXPECT_EQ(curve.arrowStrokes, 0) << i << ": only the second trap has arrowheads";
    const float lastZ = curve.steps.back().u2;
    if (i / 4 < 2) {
      EXPECT_LT(std::fabs(lastZ), 4.9f) << i;
      EXPECT_LT(radii[i / 4] - (f(0) - f(std::fabs(lastZ) + 0.025)), 0.001) << i << ": the next point crosses";
    } else {
      EXPECT_TRUE(curve.steps.size() == 200 || curve.steps.size() == 201) << i;
      EXPECT_NEAR(std::fabs(lastZ), 5.0f, 0.025f) << i;
    }
    // Mirror images: upper/lower in w, right/left in u.
    ASSERT_TRUE(all[i ^ 2].steps.size() == curve.steps.size() && all[i ^ 1].steps.size() == curve.steps.size()) << i;
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
    ASSERT_GE(s.size(), 2u);
    const float h = float(row.L / 100.0);
    EXPECT_NEAR(s[0].u1, row.firstTip, 1e-5);
    EXPECT_FLOAT_EQ(s[0].u2, s[0].u1 - 5 * h);
    EXPECT_NEAR(s[1].w1 - s[0].w2, 2 * h, 1e-6);
    EXPECT_TRUE(s[1].u2 == s[0].u1 && s[1].w2 == s[0].w1);
  }
}

TEST(DrawFieldStructure, CirclesAndRadialLines) {
  const Drawing centrifugal(5, 5);
  ASSERT_EQ(centrifugal.xy.calls.size(), 6u);
  for (size_t j = 0; j < 6; ++j) {
    const Call& circle = centrifugal.xy.calls[j];
    EXPECT_TRUE(circle.kind == Kind::Circle && circle.r == 0.5f * j && circle.u1 == 0.0f && circle.w1 == 0.0f) << j;
  }
  EXPECT_TRUE(centrifugal.xz.calls.empty()) << "the side view gets no field strokes at all";
  const Drawing monopole(6, 5);
  for (const auto& lines : {monopole.xy.of(Kind::Line), monopole.xz.of(Kind::Line)}) {
    ASSERT_EQ(lines.size(), 11u);
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
  const auto flat = curves(Drawing(7, 10, 0, 5).xz);
  ASSERT_EQ(flat.size(), 24u);
  for (const Curve& curve : flat) {
    ASSERT_FALSE(curve.steps.empty());
    EXPECT_EQ(curve.steps.back().w2, curve.startW);
    EXPECT_NEAR(std::fabs(curve.steps.back().u2), 10.0, 0.05);
  }
}

// The traps' profile is kept between drawings: one Views, redrawn as the region, S, d and
// the structure change (and change back), draws what a fresh one draws every time.
TEST(DrawFieldStructure, KeptTrapProfileFollowsEveryChange) {
  const auto same = [](const RecordingCanvas& a, const RecordingCanvas& b) {
    return std::equal(a.calls.begin(), a.calls.end(), b.calls.begin(), b.calls.end(), [](const Call& x, const Call& y) {
      return x.kind == y.kind && x.u1 == y.u1 && x.w1 == y.w1 && x.u2 == y.u2 && x.w2 == y.w2 && x.colour == y.colour;
    });
  };
  RecordingCanvas xy, xz;
  Views kept(xy, xz);
  const struct { FieldConfig config; std::int16_t L; double S, d; } steps[] = {
      {4, 5, 3.3, 5}, {4, 5, 2, 5}, {4, 5, 2, 1}, {7, 5, 2, 1}, {7, 3, 2, 1}, {1, 3, 2, 1}, {7, 3, 2, 1}, {4, 5, 3.3, 5}};
  for (const auto& step : steps) {
    SimulationState state;
    state.fieldConfig = step.config;
    state.params.regionSize = step.L, state.params.S = step.S, state.params.d = step.d;
    xy.calls.clear(), xz.calls.clear();
    kept.DrawFieldStructure(state);
    const Drawing fresh(step.config, step.L, step.S, step.d);
    EXPECT_TRUE(same(xy, fresh.xy) && same(xz, fresh.xz) && !xz.calls.empty())
        << step.config << " L " << step.L << " S " << step.S << " d " << step.d;
  }
}

}  // namespace
}  // namespace larmor
