// The run driver owns the start sequence and every stop rule: a run ends at its end time,
// at its step limit, on a state that is no longer finite, on a start on the OZ axis, or
// when an observer ends it; no observer ever sees a step that did not happen. A recorded
// run replays bit for bit. And the mathematics of every step run with the vector
// registers' upper halves clean, whatever an observer left in them.
#include "panel/RunDriver.h"

#include "panel/ControlPanel.h"
#include "panel/CpuState.h"
#include "panel/ParallelFeed.h"
#include "panel/Run.h"
#include "panel/RunRecord.h"
#include "model/TheoryMeter.h"
#include "tests/probe/MathProbe.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <cmath>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

namespace larmor {
namespace {

using Step = std::array<double, 8>;  // t, x, y, z, vx, vy, vz, dV

// Keeps every step it is handed and what else it was told; can end the run or act on the
// panel as a user does in a pause.
struct Recorder : RunObserver {
  std::vector<Step> steps;
  std::vector<std::string> calls;
  std::int64_t stopAfter = -1;
  ControlPanel* panel = nullptr;
  RunRecord* record = nullptr;
  std::vector<RunRecord::Noted> actions;  // made after the step they name, as in the window
  bool dirtyState = false;

  void starting(const ControlPanel&) override { calls.push_back("starting"); }
  void prepared(const Run&, const SimulationState&) override { calls.push_back("prepared"); }
  bool stepped(const Run& run, const SimulationState& s, const TrailSegment& segment) override {
    EXPECT_TRUE(std::isfinite(segment.xTo) && std::isfinite(s.x) && std::isfinite(run.vxCartesian()));
    steps.push_back({run.t(), s.x, s.y, s.z, run.vxCartesian(), run.vyCartesian(), run.vzCartesian(), run.dV()});
    for (const RunRecord::Noted& a : actions)
      if (a.afterStep == run.stepsDone()) {
        perform(*panel, a.action);
        record->note(a.afterStep, a.action);
      }
    if (dirtyState) probe::dirtyUpperState();  // as the toolkit may leave it
    return run.stepsDone() != stopAfter;
  }
  void finished(const Run&, const SimulationState&, RunStop stop) override {
    calls.push_back(std::string("finished: ") + stopName(stop));
  }
};

ControlPanel panelFor(int row, const std::vector<PanelAction>& actions) {
  ControlPanel panel('.');
  panel.Form_Load();
  panel.selectEntry(row);
  for (const PanelAction& action : actions) perform(panel, action);
  return panel;
}

TEST(RunDriver, EveryStopRuleEndsTheRunAndNoObserverSeesABrokenStep) {
  constexpr std::int64_t all = RunClock::maxSteps;
  const struct {
    const char* name;
    int row;  // list entry: the structure minus one
    std::vector<PanelAction> actions;
    std::int64_t limit, stopAfter;
    RunStop stop;
    std::int64_t steps;    // 100 steps per period in the uniform field, 300 in the trap
    const char* text;      // the accuracy label after the run
  } cases[] = {
      {"three periods", 0, {PanelAction::typeText(TextBox::Text2, "3")}, all, -1, RunStop::EndTime, 301, "dV=0.0000%"},
      {"zero periods: the start step only", 0, {PanelAction::typeText(TextBox::Text2, "0")}, all, -1,
       RunStop::EndTime, 1, "dV=0.0000%"},
      {"negative periods: no step", 0, {PanelAction::typeText(TextBox::Text2, "-1")}, all, -1, RunStop::EndTime, 0, ""},
      {"the step limit", 0, {}, 57, -1, RunStop::StepLimit, 57, "dV=0.0000%"},
      {"endless periods end at the limit", 0, {PanelAction::typeText(TextBox::Text2, "1e999")}, 40, -1,
       RunStop::StepLimit, 40, "dV=0.0000%"},
      {"a field beyond the float range", 1,
       {PanelAction::typeText(TextBox::Text1, "0.01"), PanelAction::moveBar(Bar::VScroll7, -50)}, all, -1,
       RunStop::NonFinite, 0, "dV не определена"},
      {"a trap started on the axis", 3,
       {PanelAction::moveBar(Bar::VScroll7, 0), PanelAction::moveBar(Bar::VScroll8, 0)}, all, -1,
       RunStop::AxisStart, 0, "Старт на оси OZ"},
      {"an observer ends it", 3, {}, all, 10, RunStop::Observer, 10, "dV=0.0000%"},
  };
  for (const auto& c : cases) {
    ControlPanel panel = panelFor(c.row, c.actions);
    Recorder first, second;
    first.stopAfter = c.stopAfter;
    const double x0 = panel.state().params.x0;
    const RunOutcome outcome = RunDriver(panel, c.limit).observe(first).observe(second).drive();
    EXPECT_EQ(outcome.stop, c.stop) << c.name;
    EXPECT_EQ(outcome.steps, c.steps) << c.name;
    EXPECT_EQ(outcome.accuracyText, c.text) << c.name;
    EXPECT_EQ(std::int64_t(first.steps.size()), c.steps) << c.name;
    // The second observer is not handed the step on which the first one ended the run.
    EXPECT_EQ(second.steps.size(), c.stop == RunStop::Observer ? first.steps.size() - 1 : first.steps.size()) << c.name;
    EXPECT_EQ(outcome.whole(), c.stop == RunStop::EndTime) << c.name;
    // Told in the window's order; an observer that ended the run is told nothing more.
    std::vector<std::string> expected = {"starting", "prepared"};
    if (c.stop != RunStop::Observer) expected.push_back(std::string("finished: ") + stopName(c.stop));
    EXPECT_EQ(first.calls, expected) << c.name;
    // A run that made no step leaves the particle at its start.
    if (c.steps == 0) {
      EXPECT_EQ(panel.state().x, x0) << c.name;
    }
  }
}

// Nobody watching, a cylindrical step leaves its Cartesian values for the end: the run must
// still end where a watched one ends, to the bit, whether at its end time or cut.
TEST(RunDriver, AnUnwatchedRunEndsWhereAWatchedOneEnds) {
  for (int row = 0; row < 7; ++row)
    for (const std::int64_t limit : {std::int64_t(777), RunClock::maxSteps}) {
      ControlPanel watched = panelFor(row, {PanelAction::typeText(TextBox::Text2, "2")});
      ControlPanel unwatched = panelFor(row, {PanelAction::typeText(TextBox::Text2, "2")});
      Recorder recorder;
      const RunOutcome seen = RunDriver(watched, limit).observe(recorder).drive();
      const RunOutcome alone = RunDriver(unwatched, limit).drive();
      EXPECT_EQ(alone.stop, seen.stop) << row;
      EXPECT_EQ(alone.steps, seen.steps) << row;
      EXPECT_EQ(alone.accuracyText, seen.accuracyText) << row;
      const SimulationState &a = unwatched.state(), &b = watched.state();
      EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "row " << row << " limit " << limit;
    }
}

TEST(RunDriver, ARecordedRunReplaysBitForBitWithTheChangesMadeInItsPauses) {
  for (const Integrator integrator : {Integrator::Rk4, Integrator::Boris}) {
    ControlPanel panel = panelFor(0, {PanelAction::typeText(TextBox::Text2, "3")});
    panel.chooseIntegrator(integrator);
    RunRecord record;
    record.begin(panel);
    Recorder original;
    original.panel = &panel;
    original.record = &record;
    original.actions = {
        {1, PanelAction::moveBar(Bar::VScroll5, 20000)},   // the field doubled after the first step
        {40, PanelAction::selectEntry(2)},                   // the axial drift from step 41
        {40, PanelAction::typeText(TextBox::Text1, "1,5")},  // S read as 1
        {120, PanelAction::recompute()},                     // a resize: nothing the run reads changes
        {250, PanelAction::moveBar(Bar::VScroll1, -2)},      // the charge reversed
    };
    const RunOutcome outcome = RunDriver(panel).observe(original).drive();
    ASSERT_EQ(outcome.steps, 301);

    Recorder replay;
    const ReplayEnd end = replayRun(record, outcome.steps, replay);
    EXPECT_EQ(end.steps, 301);
    EXPECT_FALSE(end.stopped);
    EXPECT_TRUE(replay.steps == original.steps);
    // Without the changes it is another run: the comparison above can tell them apart.
    RunRecord unchanged;
    unchanged.begin(record.startPanel());
    Recorder plain;
    replayRun(unchanged, outcome.steps, plain);
    EXPECT_FALSE(plain.steps == original.steps);

    // A replay ends where the recorded run ended, or where an observer ends it.
    Recorder shorter;
    EXPECT_EQ(replayRun(record, 57, shorter).steps, 57);
    EXPECT_TRUE(std::equal(shorter.steps.begin(), shorter.steps.end(), original.steps.begin()));
    Recorder stopped;
    stopped.stopAfter = 10;
    const ReplayEnd cut = replayRun(record, outcome.steps, stopped);
    EXPECT_TRUE(cut.stopped && cut.steps == 10);
  }
  Recorder none;
  EXPECT_EQ(replayRun(RunRecord{}, RunClock::maxSteps, none).steps, 0);
  EXPECT_TRUE(none.steps.empty());
}

// The diagnostics window's sampling and theory meter, fed after every step, in line or on
// a second core.
struct Diagnostics : RunObserver {
  DiagnosticsSeries series;
  std::optional<TheoryMeter> meter;
  std::optional<ParallelFeed> parallel;
  bool inParallel = false;
  void prepared(const Run& run, const SimulationState& state) override {
    meter.emplace(state);
    if (!inParallel) return meter->observe(run, state);
    parallel.emplace(state, 2.0, series, &*meter);
    parallel->recordStart(run, state);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment&) override {
    if (parallel)
      parallel->record(run, state);
    else
      feedDiagnostics(run, state, 2.0, series, &*meter);
    return true;
  }
  void finished(const Run&, const SimulationState&, RunStop) override { parallel.reset(); }
};

// Fed on a second core, through a ring far shorter than the run, the series and the meter
// end with the bits they get in line.
TEST(RunDriver, DiagnosticsFedOnASecondCoreEndAsWhenFedInLine) {
  for (const auto& [row, periods] : {std::pair{0, "200"}, {3, "70"}, {5, "200"}}) {
    Diagnostics inLine, parallel;
    parallel.inParallel = true;
    for (Diagnostics* d : {&inLine, &parallel}) {
      ControlPanel panel = panelFor(row, {PanelAction::typeText(TextBox::Text2, periods)});
      RunDriver(panel).observe(*d).drive();
    }
    const auto& a = inLine.series.samples();
    const auto& b = parallel.series.samples();
    ASSERT_EQ(a.size(), b.size()) << row;
    EXPECT_GT(inLine.series.stepsOffered(), 16384) << "long enough to be thinned";
    EXPECT_EQ(inLine.series.stepsOffered(), parallel.series.stepsOffered());
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::array<double, 7> x{a[i].t, a[i].dV, a[i].muRatio, a[i].pitchDeg, a[i].B, a[i].rho, a[i].z};
      const std::array<double, 7> y{b[i].t, b[i].dV, b[i].muRatio, b[i].pitchDeg, b[i].B, b[i].rho, b[i].z};
      ASSERT_EQ(std::memcmp(x.data(), y.data(), sizeof x), 0) << "row " << row << ", sample " << i;
    }
    const TheoryMeter &m = *inLine.meter, &n = *parallel.meter;
    EXPECT_TRUE(m.period() && m.period() == n.period() && m.radius() == n.radius() && m.muSpread() == n.muSpread());
    EXPECT_TRUE(m.speedError() == n.speedError() && m.reflections() == n.reflections() &&
                m.turningField() == n.turningField() && m.poincareSpread() == n.poincareSpread());
    if (row == 3) EXPECT_GT(m.reflections(), 2);
  }
}

TEST(RunDriver, EveryStepsMathematicsRunWithTheUpperRegisterStateClean) {
  if (!upperRegisterStateReadable()) GTEST_SKIP() << "this CPU does not report the upper register state (XGETBV 1)";
  probe::dirtyUpperState();
  EXPECT_TRUE(upperRegisterStateInUse());  // the probe sees what it is to see
  clearUpperRegisterState();
  EXPECT_FALSE(upperRegisterStateInUse());

  // exp in the plane drift, pow in the traps and the monopole; the diagnostics' sample and
  // the theory meter read the field after every step too.
  for (const int row : {1, 3, 5, 6}) {
    ControlPanel panel = panelFor(row, {PanelAction::typeText(TextBox::Text2, "2")});
    Recorder dirtying;
    dirtying.dirtyState = true;
    Diagnostics diagnostics;
    probe::resetMathCalls();
    RunDriver(panel).observe(dirtying).observe(diagnostics).drive();
    const probe::MathCalls calls = probe::mathCalls();
    EXPECT_GT(calls.all, 100) << row;
    EXPECT_EQ(calls.dirty, 0) << "structure " << row + 1 << ": " << calls.dirty << " of " << calls.all;
  }
}

}  // namespace
}  // namespace larmor
