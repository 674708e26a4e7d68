#pragma once

#include "model/FieldVector.h"

namespace larmor {

// A point on the screen [px], x to the right and y downwards from the top left corner.
struct ScreenPoint {
  double x = 0, y = 0;
};

// The camera of the 3-D view: a parallel projection looking at the centre of the region
// from the azimuth (about OZ, from OX towards OY) and the elevation (above the XY plane).
// The region's bounding sphere fills the shorter side of the viewport at zoom 1; the pan
// moves the picture on the screen. Parallel, not perspective: lengths along a helix stay
// comparable wherever it lies, as in the plane views.
class OrbitCamera {
public:
  static constexpr double startAzimuth = 35;    // [deg]
  static constexpr double startElevation = 25;  // [deg]
  static constexpr double degreesPerPixel = 0.5;  // a drag across 180 px turns by 90°
  static constexpr double zoomPerNotch = 1.25;    // one wheel notch (120 units)
  static constexpr double minZoom = 0.2, maxZoom = 50;
  // The view's size as it opens [px]: its proportion is that of a picture of the view.
  static constexpr int startWidth = 800, startHeight = 600;

  OrbitCamera() { orient(); }

  // The region the camera frames: x and y in [-halfXY, halfXY], z in [-halfZ, halfZ] [m].
  void frame(double halfXY, double halfZ);
  void setViewport(int width, int height);
  void setAngles(double azimuthDeg, double elevationDeg);
  // Back to the start view: angles, zoom 1, no pan.
  void reset();

  // A drag of (dx, dy) px: right turns the scene to the right (the azimuth falls), down
  // tilts it towards the viewer (the elevation rises); the elevation stops at ±90°.
  void turn(double dxPx, double dyPx);
  // notches > 0 zooms in, bounded by minZoom and maxZoom.
  void zoomBy(double notches);
  void pan(double dxPx, double dyPx);

  double azimuth() const { return m_azimuth; }
  double elevation() const { return m_elevation; }
  double zoom() const { return m_zoom; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // Pixels per metre.
  double scale() const;

  ScreenPoint project(const Vec3& p) const;

private:
  void orient();

  double m_azimuth = startAzimuth, m_elevation = startElevation, m_zoom = 1;
  double m_panX = 0, m_panY = 0;  // in shorter sides of the viewport
  int m_width = startWidth, m_height = startHeight;
  double m_radius = 1;  // [m] of the region's bounding sphere
  Vec3 m_right, m_up, m_toViewer;  // the screen's right and up, the way to the viewer
};

}  // namespace larmor
