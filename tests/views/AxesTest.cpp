#include "RecordingCanvas.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace larmor {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

TEST(TickLabel, PlainDecimalWithBlankOrMinusInFrontAndOneBlankAfter) {
  struct Row {
    const char* name;
    double value;
    const char* text;
  } rows[] = {
      {"zero", 0.0, " 0 "},
      {"negative zero has no sign", -0.0, " 0 "},
      {"minus two", -2.0, "-2 "},
      {"ten", 10.0, " 10 "},
      {"half keeps its leading zero", 0.5, " 0.5 "},
      {"minus a quarter", -0.25, "-0.25 "},
      {"no exponent", 2.5e-7, " 0.00000025 "},
      {"fifteen significant digits", 1.0 / 3.0, " 0.333333333333333 "},
  };
  for (const Row& row : rows) EXPECT_EQ(tickLabel(row.value), row.text) << row.name;
}

struct AxesCase {
  const char* name;
  std::int16_t L;
  int N;
  std::vector<std::string> xyAlong, xyUp, xzAlong, xzUp;  // labels whose anchor is inside
};

std::vector<std::string> labels(int from, int to) {
  std::vector<std::string> out;
  for (int v = from; v <= to; ++v) out.push_back(tickLabel(v));
  return out;
}

// Labels of one view: prints alternate between the horizontal and the vertical axis; only
// those anchored inside the rectangle (right and bottom edges excluded) can be seen.
void visibleLabels(const RecordingCanvas& c, int N, std::vector<std::string>& along,
                   std::vector<std::string>& up) {
  const ViewMapping& m = c.mapping();
  int index = 0;
  for (const auto& call : c.calls) {
    if (call.kind != Kind::Print) continue;
    if (index < 2 * (2 * N + 1)) {
      const bool inside = call.u1 >= m.uLeft && call.u1 < m.uRight && call.w1 <= m.wTop &&
                          call.w1 > m.wBottom;
      if (inside) (index % 2 == 0 ? along : up).push_back(call.text);
    }
    ++index;
  }
}

TEST(DrawAxes, GridAxesTicksAndLabelsForRegionSizes) {
  const AxesCase cases[] = {
      {"region 1", 1, 4, labels(0, 0), labels(0, 0), labels(-1, 0), labels(0, 0)},
      {"region 5", 5, 20, labels(-2, 2), labels(-2, 2), labels(-5, 4), labels(-2, 2)},
      {"region 10", 10, 40, labels(-5, 4), labels(-4, 5), labels(-10, 9), labels(-4, 5)},
  };
  for (const AxesCase& t : cases) {
    SCOPED_TRACE(t.name);
    RecordingCanvas xy, xz;
    Views views(xy, xz);
    SimulationState state;
    state.params.regionSize = t.L;
    views.DrawAxes(state);

    EXPECT_EQ(views.gridHalfCount(), t.N);
    EXPECT_EQ(views.gridStep(), 0.25);
    const float half = t.L / 2.0f;
    EXPECT_EQ(xy.mapping().uRight, half);
    EXPECT_EQ(xz.mapping().uLeft, -float(t.L));
    for (const RecordingCanvas* c : {&xy, &xz}) {
      EXPECT_EQ(c->mapping().wBottom, -half);
      const auto grid = c->of(Kind::Line, colours::grid);
      const auto axes = c->of(Kind::Line, colours::axis);
      ASSERT_EQ(grid.size(), size_t(2 * (2 * t.N + 1)));
      EXPECT_EQ(axes.size(), size_t(2 * (2 * t.N + 1)));
      // Pass k: a line of constant w = k/4 across the width, then one of constant u = k/4.
      for (int k = -t.N; k <= t.N; ++k) {
        const auto& across = grid[size_t(2 * (k + t.N))];
        const auto& upright = grid[size_t(2 * (k + t.N) + 1)];
        EXPECT_EQ(across.w1, k * 0.25f);
        EXPECT_EQ(across.w2, k * 0.25f);
        EXPECT_EQ(across.u1, c->mapping().uLeft);
        EXPECT_EQ(across.u2, c->mapping().uRight);
        EXPECT_EQ(upright.u1, k * 0.25f);
        EXPECT_EQ(upright.w1, -half);
        EXPECT_EQ(upright.w2, half);
      }
      EXPECT_EQ(c->of(Kind::Dot, 0).size(), size_t(2 * (2 * t.N + 1) + 2));
      EXPECT_EQ(c->nonFinite, 0);
    }
    std::vector<std::string> xyAlong, xyUp, xzAlong, xzUp;
    visibleLabels(xy, t.N, xyAlong, xyUp);
    visibleLabels(xz, t.N, xzAlong, xzUp);
    EXPECT_EQ(xyAlong, t.xyAlong);
    EXPECT_EQ(xyUp, t.xyUp);
    EXPECT_EQ(xzAlong, t.xzAlong);
    EXPECT_EQ(xzUp, t.xzUp);

    // The axis names last: Latin Y and Z, Cyrillic Kha for x, anchored as described.
    const auto& xyName = xy.calls[xy.calls.size() - 3];
    EXPECT_EQ(xyName.text, "Y,м");
    EXPECT_FLOAT_EQ(xyName.u1, 0.9f * half);
    EXPECT_FLOAT_EQ(xyName.w1, 0.1f * half);
    const auto& xzName = xz.calls[xz.calls.size() - 3];
    EXPECT_EQ(xzName.text, "Z,м");
    EXPECT_FLOAT_EQ(xzName.u1, 0.95f * t.L);
    for (const RecordingCanvas* c : {&xy, &xz}) {
      EXPECT_EQ(c->calls.back().text, "\xD0\xA5,\xD0\xBC");
      EXPECT_EQ(c->calls.back().u1, 0.0f);
      EXPECT_EQ(c->calls.back().w1, half);
    }
  }
}

}  // namespace
}  // namespace larmor
