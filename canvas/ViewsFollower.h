#pragma once

#include "panel/ControlPanel.h"
#include "panel/RunDriver.h"
#include "views/Views.h"

namespace larmor {

// The two views following a panel and its run as the window's pictures do: redrawn at
// every recompute, in the charge's colour, cleared before a start, the field structure
// drawn once more when the run is prepared, a trail segment and the markers after every
// step. The companion's picture, the window's exports and the documents' figures draw
// with it.
class ViewsFollower : public PanelObserver, public RunObserver {
public:
  ViewsFollower(const ControlPanel& panel, Views& views) : m_panel(&panel), m_views(views) {}

  // Follows another panel (a replay's copy) from now on.
  void follow(const ControlPanel& panel) { m_panel = &panel; }

  void markerColoursChanged(int chargePosition) override { m_views.SetMarkerColours(chargePosition); }
  void recomputed() override { m_views.Redraw(m_panel->state()); }

  void starting(const ControlPanel& panel) override {
    m_panel = &panel;
    m_views.Clear();
  }
  void prepared(const Run&, const SimulationState& state) override { m_views.DrawFieldStructure(state); }
  bool stepped(const Run&, const SimulationState& state, const TrailSegment& segment) override {
    m_views.PlotTrailSegment(segment);
    m_views.PlaceMarkers(state);
    return true;
  }

private:
  const ControlPanel* m_panel;
  Views& m_views;
};

}  // namespace larmor
