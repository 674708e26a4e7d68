#pragma once

#include "panel/ControlPanel.h"
#include "panel/PanelAction.h"
#include "panel/RunDriver.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace larmor {

// What it takes to make a run again without keeping its steps: the panel as the start
// button found it, and every action the user made while the run waited, with the step it
// followed. A run is deterministic, so replaying these gives every step again, bit for bit;
// the window keeps this instead of the trajectory, and its memory stays flat however long
// a run is.
class RunRecord {
public:
  struct Noted {
    std::int64_t afterStep;  // the action came while the run waited after this step
    PanelAction action;
  };

  // A run begins: the panel as it is before the start button's recompute. Forgets the
  // previous run.
  void begin(const ControlPanel& panel);
  void note(std::int64_t afterStep, PanelAction action);
  void clear();

  bool holdsRun() const { return m_start.has_value(); }
  const ControlPanel& startPanel() const { return *m_start; }
  const std::vector<Noted>& actions() const { return m_actions; }

private:
  std::optional<ControlPanel> m_start;
  std::vector<Noted> m_actions;
};

struct ReplayEnd {
  std::int64_t steps = 0;  // steps replayed
  bool stopped = false;    // the observer ended it before the run's end
  int recomputeCount = 0;  // the replayed panel's count at the end, to compare with the window's
};

// Replays the recorded run on a copy of its start panel with the run driver, each recorded
// action applied after the step it followed, up to steps (the steps the recorded run made;
// a run ends earlier by itself only where it did the first time). The observers see the
// steps in their order; the copy's own changes (recomputes, marker colours) go to
// panelObserver. The run has the integrator the start panel names, as in the window.
ReplayEnd replayRun(const RunRecord& record, std::int64_t steps, std::initializer_list<RunObserver*> observers,
                    PanelObserver* panelObserver = nullptr);
inline ReplayEnd replayRun(const RunRecord& record, std::int64_t steps, RunObserver& observer,
                           PanelObserver* panelObserver = nullptr) {
  return replayRun(record, steps, {&observer}, panelObserver);
}

}  // namespace larmor
