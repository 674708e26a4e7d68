#include "views/Views.h"

namespace larmor {

Views::Views(Canvas& xyView, Canvas& xzView) : m_xy(xyView), m_xz(xzView) {}

void Views::SetMarkerColours(int chargePosition) {
  Colour colour = colours::neutral;
  if (chargePosition > 0) {
    colour = colours::positive;
  } else if (chargePosition < 0) {
    colour = colours::negative;
  }
  m_xy.setMarkerColour(colour);
  m_trailColour = colour;
  m_xz.setMarkerColour(colour);
}

void Views::Clear() {
  m_xy.clear();
  m_xz.clear();
}

void Views::Redraw(const SimulationState& state) {
  Clear();
  DrawAxes(state);
  PlaceMarkers(state);
  DrawFieldStructure(state);
  DrawStartDirection(state);
}

}  // namespace larmor
