#include "canvas/OrbitFollower.h"

namespace larmor {

void OrbitFollower::show(const SimulationState& state) {
  m_start = state;
  ++m_shows;
  m_picture.setScene(OrbitScene::build(state));
  m_picture.path.clear();
  m_picture.particle = Vec3{state.x, state.y, state.z};
  m_changed = m_redraw = true;
}

void OrbitFollower::markerColoursChanged(int chargePosition) {
  m_picture.pathColour = chargePosition > 0 ? colours::positive
                         : chargePosition < 0 ? colours::negative
                                              : colours::neutral;
  m_changed = m_redraw = true;
}

void OrbitFollower::starting(const ControlPanel& panel) {
  m_panel = &panel;
  m_picture.path.clear();
  m_changed = m_redraw = true;
}

void OrbitFollower::prepared(const Run&, const SimulationState& state) {
  // The start's recompute has gone by: the scene is this run's.
  m_picture.path.clear();
  m_picture.path.append({state.x, state.y, state.z});
  m_picture.particle = Vec3{state.x, state.y, state.z};
  m_changed = m_redraw = true;
}

bool OrbitFollower::stepped(const Run&, const SimulationState& state, const TrailSegment& segment) {
  m_picture.path.append({segment.xTo, segment.yTo, segment.zTo});
  m_picture.particle = Vec3{state.x, state.y, state.z};
  m_changed = true;
  return true;
}

}  // namespace larmor
