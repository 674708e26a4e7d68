#pragma once

#include "Canvas.h"
#include "Colour.h"
#include "model/Language.h"
#include "model/SimulationState.h"
#include "model/TrajectoryRun.h"

#include <cstdint>
#include <memory>

namespace larmor {

struct TrapProfile;

// The two projection pictures and the drawing procedures over them: the XY view shows
// y to the right and x upwards, the XZ view z to the right and x upwards.
class Views {
public:
  Views(Canvas& xyView, Canvas& xzView);

  // Sets both mappings from the region size and draws grid, axes, ticks, labels, names.
  void DrawAxes(const SimulationState& state);
  // The structure of the current field configuration, magenta, over what is there.
  void DrawFieldStructure(const SimulationState& state);
  // Moves each marker to the current position when it lies inside its view (inclusive).
  void PlaceMarkers(const SimulationState& state);
  // One trail piece in both views in the trail colour.
  void PlotTrailSegment(const TrailSegment& segment);
  // Stroke from the start point along the start velocity, in the trail colour.
  void DrawStartDirection(const SimulationState& state);
  // Red, blue or black by the sign of the charge bar's position; markers and trail.
  void SetMarkerColours(int chargePosition);

  // Clears both pictures, then DrawAxes, PlaceMarkers, DrawFieldStructure,
  // DrawStartDirection: the drawing half of a recompute.
  void Redraw(const SimulationState& state);
  void Clear();

  // The language of the axis names ("Х,м" or "X,m"); the next DrawAxes writes them.
  void setLanguage(Language language) { m_language = language; }

  std::int16_t gridHalfCount() const { return m_gridHalfCount; }
  double gridStep() const { return m_gridStep; }
  Colour trailColour() const { return m_trailColour; }

private:
  // The traps' axial profile for this region, S and d: kept from the last drawing.
  const TrapProfile& trapProfile(float L, double S, double d);

  Canvas& m_xy;
  Canvas& m_xz;
  std::shared_ptr<TrapProfile> m_trapProfile;
  std::int16_t m_gridHalfCount = 20;
  double m_gridStep = 0.25;
  Colour m_trailColour = colours::positive;
  Language m_language = Language::Russian;
};

// Tick label of a value: a blank or "-" in front, plain decimal, one blank after (" 1 ").
std::string tickLabel(double value);

}  // namespace larmor
