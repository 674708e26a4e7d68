#include "views/Views.h"

#include <cmath>

namespace larmor {

void Views::PlaceMarkers(const SimulationState& state) {
  const double half = state.params.regionSize / 2.0;
  const double L = state.params.regionSize;
  const double x = state.x, y = state.y, z = state.z;
  // Inclusive bounds; each view decides alone, so one marker may stay behind where the
  // particle left its view. A position that is not a number fails both tests.
  if (std::fabs(x) <= half && std::fabs(y) <= half) m_xy.centreMarker(y, x);
  if (std::fabs(z) <= L && std::fabs(x) <= half) m_xz.centreMarker(z, x);
}

void Views::PlotTrailSegment(const TrailSegment& segment) {
  // No visibility test: the pictures clip.
  m_xy.line(static_cast<float>(segment.yFrom), static_cast<float>(segment.xFrom),
            static_cast<float>(segment.yTo), static_cast<float>(segment.xTo), m_trailColour);
  m_xz.line(segment.zFrom, static_cast<float>(segment.xFrom), static_cast<float>(segment.zTo),
            static_cast<float>(segment.xTo), m_trailColour);
}

void Views::DrawStartDirection(const SimulationState& state) {
  const SimParams& p = state.params;
  // Length 2·gridStep·√2, formed left to right with the two direction factors.
  const double unit = m_gridStep * 2 * std::sqrt(2.0);
  const double sinAlpha = std::sin(p.alphaRad);
  const double cosAlpha = std::cos(p.alphaRad);
  const double sinBeta = std::sin(static_cast<double>(p.betaRad));
  const double cosBeta = std::cos(static_cast<double>(p.betaRad));
  const float towardsX = static_cast<float>(p.x0 + unit * sinAlpha * cosBeta);

  m_xy.line(static_cast<float>(p.y0), static_cast<float>(p.x0),
            static_cast<float>(p.y0 + unit * sinAlpha * sinBeta), towardsX, m_trailColour);
  m_xz.line(p.z0, static_cast<float>(p.x0), static_cast<float>(p.z0 + unit * cosAlpha), towardsX,
            m_trailColour);
}

}  // namespace larmor
