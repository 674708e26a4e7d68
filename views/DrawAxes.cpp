#include "views/Views.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace larmor {

namespace {

// The axis names: "Х,м" begins with the Cyrillic capital Kha, "Y" and "Z" are Latin.
constexpr const char* xName = "\u0425,\u043C";
constexpr const char* yName = "Y,\u043C";
constexpr const char* zName = "Z,\u043C";
constexpr const char* englishNames[] = {"X,m", "Y,m", "Z,m"};

// One view's background: grid, axes, ticks with labels, axis names. uHalf is the half
// width of the view [m]; every coordinate is computed in double and rounded at the call.
void drawBackground(Canvas& canvas, double uHalf, double half, int gridHalfCount,
                    double gridStep) {
  for (int k = -gridHalfCount; k <= gridHalfCount; ++k) {
    const float ks = static_cast<float>(k * gridStep);
    canvas.line(static_cast<float>(-uHalf), ks, static_cast<float>(uHalf), ks, colours::grid);
    canvas.line(ks, static_cast<float>(-half), ks, static_cast<float>(half), colours::grid);
    // The axes go over every grid line: they are drawn again in every pass.
    canvas.line(static_cast<float>(-uHalf), 0.0f, static_cast<float>(uHalf), 0.0f, colours::axis);
    canvas.line(0.0f, static_cast<float>(-half), 0.0f, static_cast<float>(half), colours::axis);
    const double tick = (4 * k) * gridStep;
    const std::string label = tickLabel(tick);
    canvas.dot(static_cast<float>(tick), 0.0f);
    canvas.print(label);
    canvas.dot(0.0f, static_cast<float>(tick));
    canvas.print(label);
  }
}

}  // namespace

void Views::DrawAxes(const SimulationState& state) {
  const std::int16_t L = state.params.regionSize;
  const double half = L / 2.0;

  m_xy.setMapping(ViewMapping{static_cast<float>(-half), static_cast<float>(half),
                              static_cast<float>(half), static_cast<float>(-half)});
  m_xz.setMapping(ViewMapping{static_cast<float>(-static_cast<double>(L)), static_cast<float>(half),
                              static_cast<float>(L), static_cast<float>(-half)});

  // 4·L to the nearest integer, halves to even (the default rounding mode), kept in the
  // 16-bit range of the count.
  const double count = std::nearbyint(4.0 * L);
  m_gridHalfCount = static_cast<std::int16_t>(
      count > std::numeric_limits<std::int16_t>::max() ? std::numeric_limits<std::int16_t>::max()
      : count < 0 ? 0 : count);
  m_gridStep = static_cast<double>(L) / m_gridHalfCount;

  // The background depends on the region size alone (and on each picture's own size),
  // so a picture may hand back the pixels it kept from the last time.
  // The names' language is part of the background.
  const std::uint64_t key = static_cast<std::uint16_t>(L) | (std::uint64_t{m_language == Language::English} << 16);
  const bool english = m_language == Language::English;
  const char* const xShown = english ? englishNames[0] : xName;
  const char* const yShown = english ? englishNames[1] : yName;
  const char* const zShown = english ? englishNames[2] : zName;

  if (!m_xy.restoreBackground(key)) {
    drawBackground(m_xy, half, half, m_gridHalfCount, m_gridStep);
    m_xy.dot(static_cast<float>(0.9 * half), static_cast<float>(0.1 * half));
    m_xy.print(yShown);
    m_xy.dot(0.0f, static_cast<float>(half));
    m_xy.print(xShown);
    m_xy.keepBackground();
  }
  if (!m_xz.restoreBackground(key)) {
    drawBackground(m_xz, L, half, m_gridHalfCount, m_gridStep);
    // 0.95·L from L in single precision times the double 0.95.
    m_xz.dot(static_cast<float>(static_cast<double>(static_cast<float>(L)) * 0.95),
             static_cast<float>(0.1 * half));
    m_xz.print(zShown);
    m_xz.dot(0.0f, static_cast<float>(half));
    m_xz.print(xShown);
    m_xz.keepBackground();
  }
}

}  // namespace larmor
