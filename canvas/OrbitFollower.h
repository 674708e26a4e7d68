#pragma once

#include "canvas/OrbitPicture.h"
#include "panel/ControlPanel.h"
#include "panel/RunDriver.h"

namespace larmor {

// The 3-D picture following a panel and its run as the plane views do: a new scene and
// an empty path at every recompute, in the charge's colour; the path begun when the run is
// prepared and extended after every step, the particle at its end.
class OrbitFollower : public PanelObserver, public RunObserver {
public:
  explicit OrbitFollower(OrbitPicture& picture) : m_picture(picture) {}

  // Something was drawn since the last call.
  bool takeChanged() {
    const bool changed = m_changed;
    m_changed = false;
    return changed;
  }
  // Since the last call, more changed than points added to the path (a new scene, colour
  // or an emptied path): a retained picture of it is to be drawn whole.
  bool takeRedraw() {
    const bool redraw = m_redraw;
    m_redraw = false;
    return redraw;
  }

  // A recompute left this state: its scene, no path, the particle at the start.
  void show(const SimulationState& state);
  // The state of the last show, the run's start: what the theory predicts from.
  const SimulationState& start() const { return m_start; }
  // How many times show was called: a new start each time.
  int shows() const { return m_shows; }

  void markerColoursChanged(int chargePosition) override;
  void recomputed() override {
    if (m_panel) show(m_panel->state());
  }
  void starting(const ControlPanel& panel) override;
  void prepared(const Run&, const SimulationState& state) override;
  bool stepped(const Run&, const SimulationState& state, const TrailSegment& segment) override;

private:
  OrbitPicture& m_picture;
  const ControlPanel* m_panel = nullptr;
  SimulationState m_start;
  int m_shows = 0;
  bool m_changed = false, m_redraw = false;
};

}  // namespace larmor
