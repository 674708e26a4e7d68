#include "views/OrbitCamera.h"

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {
constexpr double degree = 3.14159265358979323846 / 180;
}

void OrbitCamera::frame(double halfXY, double halfZ) {
  m_radius = std::sqrt(2 * halfXY * halfXY + halfZ * halfZ);
  if (!(m_radius > 0)) m_radius = 1;
  orient();
}

void OrbitCamera::setViewport(int width, int height) {
  m_width = std::max(width, 1);
  m_height = std::max(height, 1);
}

void OrbitCamera::setAngles(double azimuthDeg, double elevationDeg) {
  m_azimuth = std::remainder(azimuthDeg, 360.0);
  m_elevation = std::clamp(elevationDeg, -90.0, 90.0);
  orient();
}

void OrbitCamera::reset() {
  m_zoom = 1;
  m_panX = m_panY = 0;
  setAngles(startAzimuth, startElevation);
}

void OrbitCamera::turn(double dxPx, double dyPx) {
  setAngles(m_azimuth - degreesPerPixel * dxPx, m_elevation + degreesPerPixel * dyPx);
}

void OrbitCamera::zoomBy(double notches) {
  m_zoom = std::clamp(m_zoom * std::pow(zoomPerNotch, notches), minZoom, maxZoom);
}

void OrbitCamera::pan(double dxPx, double dyPx) {
  // Kept in shorter sides, so that the same view drawn larger (an export) is moved alike;
  // bounded so that the region can always be brought back by panning the other way.
  const double side = std::min(m_width, m_height), limit = 4;
  m_panX = std::clamp(m_panX + dxPx / side, -limit, limit);
  m_panY = std::clamp(m_panY + dyPx / side, -limit, limit);
}

double OrbitCamera::scale() const { return m_zoom * std::min(m_width, m_height) / (2 * m_radius); }

void OrbitCamera::orient() {
  const double a = m_azimuth * degree, e = m_elevation * degree;
  m_toViewer = {std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e)};
  m_right = {-std::sin(a), std::cos(a), 0};
  m_up = cross(m_toViewer, m_right);
}

ScreenPoint OrbitCamera::project(const Vec3& p) const {
  const double s = scale();
  const double side = std::min(m_width, m_height);
  return {m_width / 2.0 + m_panX * side + s * dot(p, m_right), m_height / 2.0 + m_panY * side - s * dot(p, m_up)};
}

}  // namespace larmor
