#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

TEST(SetMarkerColours, SignOfTheChargeColoursMarkersAndTrail) {
  RecordingCanvas xy, xz;
  Views views(xy, xz);
  for (const auto& [charge, colour] : {std::pair{1, 0xFF0000u}, {-3, 0x0000FFu}, {0, 0x000000u}, {5, 0xFF0000u}}) {
    views.SetMarkerColours(charge);
    EXPECT_TRUE(xy.markerColour == colour && xz.markerColour == colour) << charge;
    EXPECT_EQ(views.trailColour(), colour) << charge;
  }
}

TEST(PlaceMarkers, InclusiveBoundsAndIndependentViews) {
  // Region 4: the XY view spans ±2 in x and y, the XZ view ±4 in z and ±2 in x.
  const struct {
    const char* name;
    double x, y, z;
    bool xyMoves, xzMoves;
  } rows[] = {
      {"centre", 0, 0, 0, true, true},
      {"y exactly on the edge", 1, 2, 0, true, true},
      {"x exactly on the edge", -2, -2, -4, true, true},
      {"y beyond: only the side view follows", 1, 2.0001, 3, false, true},
      {"z beyond: only the top view follows", 1, 1, -4.0001, true, false},
      {"x beyond: neither", 2.0001, 0, 0, false, false},
      {"far away", 1e30, 1e30, 1e30, false, false},
      {"not a number", NAN, 0, 0, false, false},
  };
  for (const auto& row : rows) {
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.regionSize = 4;
    state.x = row.x, state.y = row.y, state.z = row.z;
    views.PlaceMarkers(state);
    EXPECT_EQ(xy.markerMoves, row.xyMoves ? 1 : 0) << row.name;
    EXPECT_EQ(xz.markerMoves, row.xzMoves ? 1 : 0) << row.name;
    // Centred: the left edge half a width left of u, the top edge half a height above w.
    const float top = float(row.x + 0.25);
    EXPECT_TRUE(!row.xyMoves || (xy.calls.back().u1 == float(row.y - 0.125) && xy.calls.back().w1 == top)) << row.name;
    EXPECT_TRUE(!row.xzMoves || (xz.calls.back().u1 == float(row.z - 0.125) && xz.calls.back().w1 == top)) << row.name;
  }
}

TEST(DrawStartDirection, StrokeAlongTheStartVelocity) {
  const double length = 0.25 * 2 * std::sqrt(2.0);
  const struct {
    const char* name;
    int alpha, beta;
    double xyDu, xyDw, xzDu, xzDw;
  } rows[] = {
      {"along OZ: nothing in X0Y, +z in X0Z", 0, 60, 0, 0, length, 0},
      {"along OY: +y in X0Y, nothing in X0Z", 90, 90, length, 0, 0, 0},
      {"along OX: upwards in both", 90, 0, 0, length, 0, length},
  };
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
    EXPECT_TRUE(top.u1 == float(state.params.y0) && top.w1 == float(state.params.x0)) << row.name;
    EXPECT_EQ(side.u1, state.params.z0) << row.name;
    EXPECT_NEAR(top.u2 - top.u1, row.xyDu, 1e-6) << row.name;
    EXPECT_NEAR(top.w2 - top.w1, row.xyDw, 1e-6) << row.name;
    EXPECT_NEAR(side.u2 - side.u1, row.xzDu, 1e-6) << row.name;
    EXPECT_NEAR(side.w2 - side.w1, row.xzDw, 1e-6) << row.name;
  }
}

TEST(Redraw, ClearAxesMarkersFieldThenStartDirection) {
  RecordingCanvas xy, xz;
  Views views(xy, xz);
  SimulationState state;
  state.x = state.params.x0, state.y = state.params.y0, state.z = state.params.z0;
  views.Redraw(state);
  for (const RecordingCanvas* c : {&xy, &xz}) {
    size_t lastPrint = 0, move = 0, firstField = c->calls.size();
    for (size_t i = 0; i < c->calls.size(); ++i) {
      if (c->calls[i].kind == Kind::Print) lastPrint = i;
      if (c->calls[i].kind == Kind::MoveMarker) move = i;
      if (c->calls[i].colour == colours::field) firstField = std::min(firstField, i);
    }
    EXPECT_EQ(c->calls.front().kind, Kind::Clear);
    EXPECT_LT(lastPrint, move);
    EXPECT_LT(move, firstField);
    EXPECT_TRUE(c->calls.back().kind == Kind::Line && c->calls.back().colour == views.trailColour());
  }
}

}  // namespace
}  // namespace larmor
