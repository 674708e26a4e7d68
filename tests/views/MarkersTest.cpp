#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

TEST(SetMarkerColours, SignOfTheChargeColoursMarkersAndTrail) {
  struct Row {
    const char* name;
    int position;
    Colour colour;
  } rows[] = {{"+1 red", 1, 0xFF0000}, {"-3 blue", -3, 0x0000FF}, {"0 black", 0, 0x000000},
              {"+5 red", 5, 0xFF0000}};
  RecordingCanvas xy, xz;
  Views views(xy, xz);
  for (const Row& row : rows) {
    views.SetMarkerColours(row.position);
    EXPECT_EQ(xy.markerColour, row.colour) << row.name;
    EXPECT_EQ(xz.markerColour, row.colour) << row.name;
    EXPECT_EQ(views.trailColour(), row.colour) << row.name;
  }
}

TEST(PlaceMarkers, InclusiveBoundsAndIndependentViews) {
  // Region 4: the XY view spans ±2 in x and y, the XZ view ±4 in z and ±2 in x.
  struct Row {
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
      {"not a number", std::nan(""), 0, 0, false, false},
  };
  for (const Row& row : rows) {
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.regionSize = 4;
    state.x = row.x, state.y = row.y, state.z = row.z;
    views.PlaceMarkers(state);
    EXPECT_EQ(xy.markerMoves, row.xyMoves ? 1 : 0) << row.name;
    EXPECT_EQ(xz.markerMoves, row.xzMoves ? 1 : 0) << row.name;
    // Centred: the left edge half a width left of u, the top edge half a height above w.
    if (row.xyMoves) {
      EXPECT_EQ(xy.markerLeft, float(row.y - 0.125)) << row.name;
      EXPECT_EQ(xy.markerTop, float(row.x + 0.25)) << row.name;
    }
    if (row.xzMoves) {
      EXPECT_EQ(xz.markerLeft, float(row.z - 0.125)) << row.name;
      EXPECT_EQ(xz.markerTop, float(row.x + 0.25)) << row.name;
    }
  }
}

TEST(DrawStartDirection, StrokeAlongTheStartVelocity) {
  const double length = 0.25 * 2 * std::sqrt(2.0);
  struct Row {
    const char* name;
    int alpha, beta;
    double xyDu, xyDw, xzDu, xzDw;
  } rows[] = {
      {"along OZ: nothing in X0Y, +z in X0Z", 0, 60, 0, 0, length, 0},
      {"along OY: +y in X0Y, nothing in X0Z", 90, 90, length, 0, 0, 0},
      {"along OX: upwards in both", 90, 0, 0, length, 0, length},
  };
  for (const Row& row : rows) {
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.alphaRad = angleRadFromDegrees(row.alpha);
    state.params.betaRad = betaRadFromDegrees(row.beta);
    views.DrawAxes(state);  // sets the grid step the stroke is measured in
    xy.calls.clear(), xz.calls.clear();
    views.DrawStartDirection(state);
    ASSERT_EQ(xy.calls.size(), 1u);
    ASSERT_EQ(xz.calls.size(), 1u);
    const auto& top = xy.calls[0];
    const auto& side = xz.calls[0];
    EXPECT_EQ(top.colour, views.trailColour());
    EXPECT_EQ(top.u1, float(state.params.y0)) << row.name;
    EXPECT_EQ(top.w1, float(state.params.x0)) << row.name;
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
  state.params.regionSize = 5;
  state.x = state.params.x0, state.y = state.params.y0, state.z = state.params.z0;
  views.Redraw(state);
  for (const RecordingCanvas* c : {&xy, &xz}) {
    ASSERT_FALSE(c->calls.empty());
    EXPECT_EQ(c->calls.front().kind, Kind::Clear);
    size_t lastAxes = 0, move = 0, firstField = c->calls.size();
    for (size_t i = 0; i < c->calls.size(); ++i) {
      const auto& call = c->calls[i];
      if (call.kind == Kind::Print) lastAxes = i;
      if (call.kind == Kind::MoveMarker) move = i;
      if (call.colour == colours::field && firstField == c->calls.size()) firstField = i;
    }
    EXPECT_LT(lastAxes, move);
    EXPECT_LT(move, firstField);
    EXPECT_EQ(c->calls.back().colour, views.trailColour());
    EXPECT_EQ(c->calls.back().kind, Kind::Line);
  }
}

}  // namespace
}  // namespace larmor
