// A run with arbitrary controls in every configuration, with controls and the configuration
// changed between steps as a user would during a pause. The run always ends within its
// step limit, and every step leaves a finite position or says why the run stopped.
#include "panel/ControlPanel.h"

#include "model/TrajectoryRun.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using larmor::Bar;
using larmor::TextBox;

constexpr std::int64_t maxRunSteps = 3000;

// One user action decoded from the input: a bar moved within its range, a text typed into
// S, d or the run-length box, or an entry chosen from the list.
void act(FuzzedDataProvider& in, larmor::ControlPanel& panel) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: {
      // Both ends and zero (the OZ axis for x0 and y0, no charge, no field) come often.
      // The slow-down bar is left out: the run never reads it here.
      static constexpr Bar bars[] = {Bar::VScroll1, Bar::VScroll2, Bar::VScroll4, Bar::VScroll6, Bar::VScroll10,
                                     Bar::VScroll5, Bar::VScroll3, Bar::VScroll7, Bar::VScroll8, Bar::VScroll9};
      const Bar bar = in.PickValueInArray(bars);
      const larmor::BarRange& range = larmor::barRange(bar);
      const int notable[] = {range.lowest, range.highest, std::clamp(0, range.lowest, range.highest)};
      const int pick = in.ConsumeIntegralInRange(0, 3);
      panel.moveBar(bar, pick < 3 ? notable[pick] : in.ConsumeIntegralInRange(range.lowest, range.highest));
      break;
    }
    case 1: {
      static constexpr TextBox boxes[] = {TextBox::Text1, TextBox::Text3, TextBox::Text2};  // S, d, periods
      const TextBox box = in.PickValueInArray(boxes);
      panel.typeText(box, in.ConsumeRandomLengthString(24));
      break;
    }
    default:
      panel.selectEntry(in.ConsumeIntegralInRange(0, 6));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  larmor::ControlPanel panel('.');
  panel.Form_Load();
  panel.selectEntry(in.ConsumeIntegralInRange(0, 6));
  const int settings = in.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < settings; ++i) act(in, panel);
  const auto limit = in.ConsumeIntegralInRange<std::int64_t>(1, maxRunSteps);

  // The start button: recompute, prepare, step while the run goes on.
  larmor::SimulationState& state = panel.state();
  panel.RecomputeQuantities();
  larmor::TrajectoryRun run(state);
  run.limitSteps(limit);
  run.prepare();
  if (run.refusedAxisStart() && run.hasNextStep()) __builtin_trap();
  std::int64_t loops = 0;
  while (run.hasNextStep()) {
    if (++loops > limit) __builtin_trap();  // the limit is not kept: the run might never end
    // Now and then a pause in which the user changes something; the run goes on with it.
    if (in.remaining_bytes() > 0 && in.ConsumeIntegralInRange(0, 63) == 0) act(in, panel);
    run.step();
    // A step either shows its speed error at a finite position or ends the run saying why
    // (a cylindrical step on the OZ axis after a change of configuration, a non-finite state).
    const std::string& said = run.accuracyText();
    if (run.refusedAxisStart()) {
      if (said != larmor::axisStartAccuracyText) __builtin_trap();
    } else if (run.stoppedNonFinite()) {
      if (said != larmor::nonFiniteAccuracyText) __builtin_trap();
    } else {
      if (!std::isfinite(state.x) || !std::isfinite(state.y) || !std::isfinite(state.z)) __builtin_trap();
      if (said.rfind("dV=", 0) != 0) __builtin_trap();
    }
  }
  if (run.stepsDone() > limit) __builtin_trap();
  if (run.refusedAxisStart() && run.accuracyText() != larmor::axisStartAccuracyText) __builtin_trap();
  // The result labels show numbers or the word for an infinite period, never nan or inf.
  for (const int label : {13, 14, 17, 18}) {
    const std::string& text = panel.caption(label);
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos) __builtin_trap();
  }
  return 0;
}
