#include "panel/RunRecord.h"

#include "panel/Run.h"

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

ReplayEnd replayRun(const RunRecord& record, std::int64_t steps, RunObserver& observer,
                    PanelObserver* panelObserver) {
  ReplayEnd end;
  if (!record.holdsRun()) return end;
  ControlPanel panel = record.startPanel();
  panel.setObserver(panelObserver);
  if (panelObserver) panelObserver->markerColoursChanged(panel.position(Bar::VScroll1));

  observer.starting(panel);
  panel.RecomputeQuantities();
  Run run(panel);
  run.limitSteps(steps);
  run.prepare();
  observer.prepared(run, panel.state());

  const std::vector<RunRecord::Noted>& actions = record.actions();
  auto next = actions.begin();
  // Actions noted after a step the run never made (it cannot happen in a window, whose
  // steps come first) are not applied: they would not have touched this run.
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    if (run.stoppedNonFinite() || run.refusedAxisStart()) break;  // the window draws nothing more
    if (!observer.stepped(run, panel.state(), segment)) {
      end.stopped = true;
      break;
    }
    for (; next != actions.end() && next->afterStep <= run.stepsDone(); ++next) perform(panel, next->action);
  }
  end.steps = run.stepsDone();
  end.recomputeCount = panel.recomputeCount();
  return end;
}

}  // namespace larmor
