#pragma once

#include "panel/RunDriver.h"
#include "ui/Form1.h"
#include "ui/OrbitView.h"

#include <QPointer>

namespace larmor {

// The run as the 3-D view sees it: every call handed to the view's follower while the
// view is open, opened mid-run included; nothing when it is not, so a run nobody watches
// in space pays nothing for it.
class Form1::OrbitRelay : public RunObserver {
public:
  explicit OrbitRelay(Form1& window) : m_self(&window) {}

  void starting(const ControlPanel& panel) override {
    if (OrbitView* view = this->view()) view->follower().starting(panel);
  }
  void prepared(const Run& run, const SimulationState& state) override {
    if (OrbitView* view = this->view()) view->follower().prepared(run, state);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment& segment) override {
    if (OrbitView* view = this->view()) view->follower().stepped(run, state, segment);
    return true;  // the window's own observer ends the run when it has to
  }

private:
  // The window may have gone away inside the previous step's pause.
  OrbitView* view() const { return m_self ? m_self->m_orbitView.data() : nullptr; }

  QPointer<Form1> m_self;
};

}  // namespace larmor
