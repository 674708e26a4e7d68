// The Qt pictures: the two views' canvas, and the 3-D picture drawn offscreen, where a helix
// and the particle land on the pixels the camera gives, worked out here from the angles.
#include "canvas/ImageCanvas.h"
#include "canvas/OrbitPicture.h"
#include "views/Views.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>

namespace larmor {
namespace {

// Pixel that the mapping gives for a view point (the square holding it).
QPoint pixelOf(const ImageCanvas& c, double u, double w) {
  const ViewMapping& m = c.mapping();
  const QSize size = c.image().size();
  return {int(std::floor((u - m.uLeft) * size.width() / (double(m.uRight) - m.uLeft))),
          int(std::floor((m.wTop - w) * size.height() / (double(m.wTop) - m.wBottom)))};
}

QRgb at(const ImageCanvas& c, double u, double w) { return c.image().pixel(pixelOf(c, u, w)) & 0xFFFFFF; }

// A blank picture of region 5 at the given size.
void blank(ImageCanvas& c, QSize size) {
  c.resize(size), c.setMapping({-2.5f, 2.5f, 2.5f, -2.5f}), c.clear();
}

struct Pictures {
  ImageCanvas xy, xz;
  Views views{xy, xz};
  SimulationState state;
  explicit Pictures(qreal ratio = 1.0) {
    xy.resize(QSize(208, 208), ratio), xz.resize(QSize(416, 208), ratio);
    state.x = state.params.x0, state.y = state.params.y0, state.z = state.params.z0;
  }
};

TEST(ImageCanvas, ColoursAtThePositionsTheMappingGives) {
  for (qreal ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    Pictures p(ratio);
    EXPECT_EQ(p.xy.image().size(), QSize(208, 208) * ratio);
    p.views.Redraw(p.state);
    // Grid, background and field lines away from labels, the start stroke and each other.
    const struct { const ImageCanvas& view; double u, w; QRgb colour; } rows[] = {{p.xy, -0.875, -1.25, 0x80FF80}, {p.xy, -1.25, -0.875, 0x80FF80}, {p.xz, 4.75, -1.3, 0x80FF80},
                {p.xy, -0.9, -0.9, 0xFFFFFF},    {p.xz, -3.3, 0.5, 0xFF00FF},     {p.xz, -3.3, 0.62, 0xFFFFFF}};
    for (const auto& row : rows) EXPECT_EQ(at(row.view, row.u, row.w), row.colour) << row.u << ", " << row.w;
    for (const auto& [charge, colour] : {std::pair{2, 0xFF0000u}, {-1, 0x0000FFu}, {0, 0x000000u}}) {
      p.views.SetMarkerColours(charge);
      p.views.PlotTrailSegment(TrailSegment{0.3, -2.1, -3.0f, 0.3, -1.1, -2.0});
      EXPECT_TRUE(at(p.xy, -1.6, 0.3) == colour && at(p.xz, -2.6, 0.3) == colour) << charge;
    }
    // Both halves of every axis, under a field that leaves the axes uncovered in both views.
    p.state.fieldConfig = 5;
    p.views.Redraw(p.state);
    for (const auto& [view, u] : {std::pair{&p.xy, 1.2}, {&p.xz, 3.3}})
      for (const auto& [du, dw] : {std::pair{-u, 0.0}, {u, 0.0}, {0.0, -1.2}, {0.0, 1.2}})
        EXPECT_EQ(at(*view, du, dw), 0x0C0000u) << (view == &p.xy ? "X0Y " : "X0Z ") << du << ", " << dw;
  }
}

TEST(ImageCanvas, MarkerStaysOutOfTheImageAndIsPaintedAboveIt) {
  Pictures p;
  p.views.Redraw(p.state);
  // Start point (x, y) = (1, 0.5) in region 5: 41.6 pixels per metre, marker 10 pixels.
  EXPECT_NEAR(p.xy.markerTopLeft().x(), 3.0 * 41.6 - 5, 1e-3);
  EXPECT_NEAR(p.xy.markerTopLeft().y(), 1.5 * 41.6 - 5, 1e-3);
  const QImage before = p.xy.image().copy();
  // Over a crossing of grid lines, the composite shows the marker's colour.
  p.views.SetMarkerColours(-1);
  p.state.x = -0.75, p.state.y = 0.25;
  p.views.PlaceMarkers(p.state);
  EXPECT_EQ(p.xy.image(), before) << "moving the marker leaves no trace";
  QImage composite = p.xy.image().copy();
  QPainter painter(&composite);
  p.xy.paintMarker(painter);
  painter.end();
  const QPoint centre = pixelOf(p.xy, 0.25, -0.75);
  const auto blueAt = [&](QPoint offset) { return (composite.pixel(centre + offset) & 0xFFFFFF) == 0x0000FFu; };
  EXPECT_EQ(p.xy.image().pixel(centre) & 0xFFFFFF, 0x80FF80u);
  // About 10 pixels wide, and a circle, not a square.
  EXPECT_TRUE(blueAt({0, 0}) && blueAt({4, 0}) && !blueAt({7, -7}));
}

// Lines and circles crossing or missing the picture: skipping and clipping light the same
// pixels as handing every figure to the painter whole.
TEST(ImageCanvas, SkippingAndClippingLightTheSamePixelsAsTheWholeFigure) {
  for (QSize size : {QSize(208, 208), QSize(173, 97)}) {
    ImageCanvas fast, reference;
    reference.setCulling(false);
    for (ImageCanvas* c : {&fast, &reference}) {
      blank(*c, size);
      for (int j = 0; j < 72; ++j) {  // every edge at every slope, from inside and through
        const double a = j * 5 * M_PI / 180;
        c->line(0.3f, -0.2f, float(0.3 + 7 * std::cos(a)), float(-0.2 + 7 * std::sin(a)), 0x112233);
        c->line(float(0.3 + 2 * std::sin(a)), -0.2f, 0.3f, float(-0.2 + 2 * std::cos(a)), 0x778899);  // inside
        c->line(float(9 * std::cos(a)), float(9 * std::sin(a)), float(-9 * std::cos(a + 0.1)),
                float(-9 * std::sin(a + 0.1)), 0x445566);
      }
      for (float e : {-2.5f, 2.5f}) c->line(-2.5f, e, 2.5f, e, 0x00FF00), c->line(e, -3.5f, e, 3.5f, 0);
      // Wholly outside, just outside an edge, a single point.
      c->line(3.0f, 3.0f, 8.0f, 9.0f, 0x00FF00), c->line(-6.0f, -3.0f, 6.0f, -2.6f, 0x00FF00);
      c->line(1.0f, 1.0f, 1.0f, 1.0f, 0x00FF00);
      for (int j = 0; j <= 8; ++j) c->circle(1.2f, -0.7f, 0.5f * j, 0xFF00FF);
      c->circle(-3.0f, 0.0f, 1.0f, 0xFF00FF), c->circle(0.0f, 0.0f, 0.0f, 0xFF00FF);
      c->circle(0.01f, 0.01f, 0.004f, 0xFF00FF);
    }
    EXPECT_EQ(fast.image(), reference.image()) << size.width();
  }
}

// Backgrounds kept from earlier redraws and figures skipped off the picture give the same
// pixels as a fresh picture drawing every figure whole.
TEST(ImageCanvas, RedrawsMatchAFreshWholeDrawingForEveryConfiguration) {
  Pictures kept;
  for (std::int16_t L : {1, 5, 10}) {
    for (FieldConfig config = 1; config <= 7; ++config) {
      kept.state.params.regionSize = L;
      kept.state.fieldConfig = config;
      kept.views.Redraw(kept.state);
      Pictures whole;
      whole.xy.setCulling(false), whole.xz.setCulling(false);
      whole.state = kept.state;
      whole.views.Redraw(whole.state);
      EXPECT_TRUE(kept.xy.image() == whole.xy.image() && kept.xz.image() == whole.xz.image()) << config << " " << L;
    }
  }
  // Not fresh: the background is drawn over what is there, never pasted.
  Pictures over;
  over.views.Redraw(over.state);
  over.views.PlotTrailSegment(TrailSegment{-0.9, -0.9, 0.0f, -0.9, 0.9, 0.0});
  over.views.DrawAxes(over.state);
  EXPECT_EQ(at(over.xy, 0.05, -0.9), 0xFF0000u);
  // A resized picture draws afresh at its new size.
  over.xy.resize(QSize(300, 300));
  over.views.Redraw(over.state);
  EXPECT_EQ(at(over.xy, -0.875, -1.25), 0x80FF80u);
}

TEST(ImageCanvas, NonFiniteAndFarCoordinatesDrawNothingWrong) {
  Pictures p;
  p.views.Redraw(p.state);
  const QImage before = p.xy.image().copy();
  p.xy.line(NAN, 0, 1, 1, 0x00FF00), p.xy.line(0, 0, INFINITY, 1, 0x00FF00);
  p.xy.circle(0, 0, INFINITY, 0x00FF00), p.xy.dot(INFINITY, 0), p.xy.print("x");
  p.views.PlotTrailSegment(TrailSegment{1e30, 1e30, 1e30f, 2e30, -1e30, 1e30});
  p.xy.line(1e30f, 1e30f, 1e30f, 3e30f, 0x00FF00);
  EXPECT_EQ(p.xy.image(), before);
  // A line to a far point lights what the same direction lights near by.
  ImageCanvas far, near;
  for (auto [c, end] : {std::pair{&far, 1e30f}, {&near, 3.0f}}) {
    blank(*c, QSize(208, 208));
    c->line(0.3f, 0.1f, end, 0.1f, 0x123456), c->line(-0.2f, -end, -0.2f, 0.4f, 0x123456);
  }
  EXPECT_EQ(far.image(), near.image());
}

// The handler hears of the first change after each taking of the area, however many
// drawing calls follow; the area taken covers them all, and the marker's old and new place.
TEST(ImageCanvas, ChangedAreaCoversTheDrawing) {
  ImageCanvas c;
  c.resize(QSize(100, 50), 2.0);
  c.setMapping({0, 50, 100, 0});
  int told = 0;
  c.setChangedHandler([&] { ++told; });
  c.line(200, 40, 300, 20, 0x000000);  // outside: nothing changes, nothing told
  EXPECT_EQ(told, 0);
  EXPECT_TRUE(c.takeChangedArea().isEmpty());
  c.clear();
  c.line(10, 40, 30, 20, 0x000000);  // logical pixels (10, 10) to (30, 30)
  EXPECT_EQ(std::pair(told, c.takeChangedArea()), std::pair(1, QRect(0, 0, 100, 50)));
  c.line(10, 40, 30, 20, 0x000000);
  c.line(12, 38, 14, 36, 0x000000);
  const QRect drawn = c.takeChangedArea();
  EXPECT_TRUE(told == 2 && drawn.contains(QRect(10, 10, 20, 20)) && drawn.width() <= 22) << told;
  // From (0, 0) through places never shown to one beside the picture, which adds nothing.
  c.moveMarker(60, 20);
  c.moveMarker(-1000, 20);
  EXPECT_EQ(std::pair(told, c.takeChangedArea()), std::pair(3, QRect(0, 0, 10, 10)));
  c.moveMarker(60, 20);
  EXPECT_EQ(c.takeChangedArea(), QRect(60, 30, 10, 10));
  c.moveMarker(80, 40);
  EXPECT_EQ(std::pair(told, c.takeChangedArea()), std::pair(5, QRect(60, 10, 30, 30)));
  // A place that cannot be shown leaves the marker at the last one that can.
  c.moveMarker(70, 30), c.moveMarker(NAN, 20), c.moveMarker(1e30f, 20);
  EXPECT_EQ(c.markerTopLeft(), QPointF(70, 20));
}

// From straight above (elevation 90°) at azimuth 90°, the screen's right is -OX and its
// up -OY: a point (x, y, z) lands at (w/2 - s·x, h/2 + s·y), s the pixels per metre.
QPoint fromAbove(double x, double y, int w, int h, double s) {
  return {int(std::floor(w / 2.0 - s * x)), int(std::floor(h / 2.0 + s * y))};
}

bool colourNear(const QImage& image, QPoint at, QRgb colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if ((image.pixel(at + QPoint(dx, dy)) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
  return false;
}

TEST(OrbitPicture, AHelixSeenFromAboveIsItsCircleAndTheParticleIsWhereItStands) {
  OrbitPicture picture;
  picture.setScene(OrbitScene{});  // no axes or field lines: the path alone
  picture.camera.setAngles(90, 90);
  picture.pathColour = colours::negative;
  const double radius = 1.2, cx = 0.4, cy = -0.3, pitch = 0.8;  // [m]
  for (int i = 0; i <= 2000; ++i) {
    const double phase = 2 * 3.14159265358979323846 * i / 200;
    picture.path.append({cx + radius * std::cos(phase), cy + radius * std::sin(phase), pitch * phase / 6.28});
  }
  picture.particle = Vec3{2, 2, 0};
  const int w = 800, h = 600;
  const QImage image = picture.render(w, h);
  const double s = std::min(w, h) / (2 * std::sqrt(2 * 2.5 * 2.5 + 5.0 * 5.0));  // the default region

  for (int k = 0; k < 16; ++k) {
    const double phase = 2 * 3.14159265358979323846 * k / 16;
    const QPoint at = fromAbove(cx + radius * std::cos(phase), cy + radius * std::sin(phase), w, h, s);
    EXPECT_TRUE(colourNear(image, at, colours::negative)) << k << " at " << at.x() << "," << at.y();
    // Halfway to the centre there is nothing.
    const QPoint inner = fromAbove(cx + radius / 2 * std::cos(phase), cy + radius / 2 * std::sin(phase), w, h, s);
    EXPECT_EQ(image.pixel(inner) & 0xFFFFFF, 0xFFFFFFu) << k;
  }
  const QPoint particle = fromAbove(2, 2, w, h, s);
  EXPECT_EQ(image.pixel(particle) & 0xFFFFFF, colours::negative);
  // Turned 90° about OZ the circle moves: its left-most point is now the picture's bottom.
  picture.camera.setAngles(180, 90);
  const QImage turned = picture.render(w, h);
  EXPECT_FALSE(colourNear(turned, fromAbove(cx - radius, cy, w, h, s), colours::negative));
}

}  // namespace
}  // namespace larmor
