// The 3-D picture drawn offscreen: a helix and the particle land on the pixels the camera
// gives, worked out here from the angles.
#include "canvas/OrbitPicture.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

namespace larmor {
namespace {

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
