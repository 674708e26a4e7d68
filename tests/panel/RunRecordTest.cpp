// A recorded run replays step for step: the changes a user made while it waited act from
// the step after the one they followed, a replay ends where the recorded run ended, and it
// makes its steps with the recorded run's integrator.
#include "panel/RunRecord.h"

#include "panel/Run.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace larmor {
namespace {

using Step = std::array<double, 8>;  // t, x, y, z, vx, vy, vz, dV

struct Collect : RunObserver {
  std::vector<Step> steps;
  std::size_t stopAt = SIZE_MAX;
  bool stepped(const Run& run, const SimulationState& s, const TrailSegment&) override {
    steps.push_back({run.t(), s.x, s.y, s.z, run.vxCartesian(), run.vyCartesian(), run.vzCartesian(), run.dV()});
    return steps.size() < stopAt;
  }
};

ControlPanel started() {
  ControlPanel panel('.');
  panel.Form_Load();
  panel.RecomputeQuantities();
  perform(panel, PanelAction::typeText(TextBox::Text2, "3"));
  return panel;
}

// The window's loop: the start's recompute, then after each step the changes made in its wait.
std::vector<Step> runAsTheWindow(ControlPanel panel, const std::vector<RunRecord::Noted>& changes) {
  std::vector<Step> steps;
  panel.RecomputeQuantities();
  Run run(panel);
  run.prepare();
  while (run.hasNextStep()) {
    run.step();
    const SimulationState& s = panel.state();
    steps.push_back({run.t(), s.x, s.y, s.z, run.vxCartesian(), run.vyCartesian(), run.vzCartesian(), run.dV()});
    for (const RunRecord::Noted& change : changes)
      if (change.afterStep == run.stepsDone()) perform(panel, change.action);
  }
  return steps;
}

TEST(RunRecord, ChangesDuringTheRunReplayFromTheStepAfterTheOneTheyFollowed) {
  const std::vector<RunRecord::Noted> changes = {
      {1, PanelAction::moveBar(Bar::VScroll5, 20000)},          // the field doubled after the first step
      {40, PanelAction::selectEntry(2)},                          // the axial drift from step 41
      {40, PanelAction::typeText(TextBox::Text1, "1,5")},         // S read as 1
      {120, PanelAction::recompute()},                            // a resize: nothing the run reads changes
      {250, PanelAction::moveBar(Bar::VScroll1, -2)},             // the charge reversed
  };
  const ControlPanel start = started();
  const std::vector<Step> expected = runAsTheWindow(start, changes);
  ASSERT_EQ(expected.size(), 301u);

  RunRecord record;
  record.begin(start);
  for (const RunRecord::Noted& change : changes) record.note(change.afterStep, change.action);
  Collect replay;
  const ReplayEnd end = replayRun(record, TrajectoryRun::maxSteps, replay);
  EXPECT_EQ(end.steps, 301);
  EXPECT_FALSE(end.stopped);
  EXPECT_TRUE(replay.steps == expected);
  // Without the changes the run is another one: the comparison above can tell them apart.
  EXPECT_FALSE(runAsTheWindow(start, {}) == expected);

  // A run that was ended early (the window closed) replays to the same step; an observer
  // can stop a replay.
  Collect shorter;
  EXPECT_EQ(replayRun(record, 57, shorter).steps, 57);
  EXPECT_TRUE(std::equal(shorter.steps.begin(), shorter.steps.end(), expected.begin()) && shorter.steps.size() == 57);
  Collect stopped;
  stopped.stopAt = 10;
  const ReplayEnd cut = replayRun(record, TrajectoryRun::maxSteps, stopped);
  EXPECT_TRUE(cut.stopped && cut.steps == 10);

  // A run of the Boris integrator replays as one, not as the Runge–Kutta run.
  ControlPanel boris = start;
  boris.chooseIntegrator(Integrator::Boris);
  record.begin(boris);
  for (const RunRecord::Noted& change : changes) record.note(change.afterStep, change.action);
  Collect borisReplay;
  EXPECT_EQ(replayRun(record, TrajectoryRun::maxSteps, borisReplay).steps, 301);
  EXPECT_TRUE(borisReplay.steps == runAsTheWindow(boris, changes));
  EXPECT_FALSE(borisReplay.steps == expected);
}

TEST(RunRecord, NothingRecordedReplaysNothing) {
  Collect none;
  EXPECT_EQ(replayRun(RunRecord{}, TrajectoryRun::maxSteps, none).steps, 0);
  EXPECT_TRUE(none.steps.empty());
}

}  // namespace
}  // namespace larmor
