#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

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

}  // namespace
}  // namespace larmor
