#include "panel/RunRecord.h"

#include "panel/RunDriver.h"

namespace larmor {

void RunRecord::begin(const ControlPanel& panel) {
  m_start.emplace(panel);
  m_start->setObserver(nullptr);  // the copy reports to nobody until a replay says to whom
  m_actions.clear();
}

void RunRecord::note(std::int64_t afterStep, PanelAction action) {
  if (m_start) m_actions.push_back({afterStep, std::move(action)});
}

void RunRecord::clear() {
  m_start.reset();
  m_actions.clear();
}

namespace {

// Applies the recorded actions after the step each followed, as the user made them in
// the window's pause after that step.
class RecordedActions : public RunObserver {
public:
  RecordedActions(ControlPanel& panel, const std::vector<RunRecord::Noted>& actions)
      : m_panel(panel), m_next(actions.begin()), m_end(actions.end()) {}
  bool stepped(const Run& run, const SimulationState&, const TrailSegment&) override {
    for (; m_next != m_end && m_next->afterStep <= run.stepsDone(); ++m_next) perform(m_panel, m_next->action);
    return true;
  }

private:
  ControlPanel& m_panel;
  std::vector<RunRecord::Noted>::const_iterator m_next, m_end;
};

}  // namespace

ReplayEnd replayRun(const RunRecord& record, std::int64_t steps, std::initializer_list<RunObserver*> observers,
                    PanelObserver* panelObserver) {
  ReplayEnd end;
  if (!record.holdsRun()) return end;
  ControlPanel panel = record.startPanel();
  panel.setObserver(panelObserver);
  if (panelObserver) panelObserver->markerColoursChanged(panel.position(Bar::VScroll1));

  // Actions noted after a step the run never made (it cannot happen in a window, whose
  // steps come first) are not applied: they would not have touched this run.
  RecordedActions actions(panel, record.actions());
  RunDriver driver(panel, steps);
  for (RunObserver* observer : observers) driver.observe(*observer);
  const RunOutcome outcome = driver.observe(actions).drive();
  end.steps = outcome.steps;
  end.stopped = outcome.stop == RunStop::Observer;
  end.recomputeCount = panel.recomputeCount();
  return end;
}

}  // namespace larmor
