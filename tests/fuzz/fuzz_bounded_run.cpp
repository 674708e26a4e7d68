// A run with arbitrary controls in every configuration, with controls and the configuration
// changed between steps as a user would during a pause. The run always ends within its
// step limit, and every step leaves a finite position or says why the run stopped.
#include "cli/ScriptedUser.h"
#include "cli/TraceOptions.h"

#include "model/TrajectoryRun.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using larmor::TraceAction;
using larmor::TraceControl;

constexpr std::int64_t maxRunSteps = 3000;

// One user action decoded from the input: a bar moved within its range, a text typed into
// S, d or the run-length box, or a configuration chosen from the list.
void act(FuzzedDataProvider& in, larmor::ScriptedUser& user) {
  struct Bar {
    TraceControl control;
    int min, max;
  };
  static constexpr Bar bars[] = {
      {TraceControl::Charge, -5, 5},   {TraceControl::Mass, 0, 10},      {TraceControl::Speed, 1, 30000},
      {TraceControl::Alpha, 0, 180},   {TraceControl::Beta, -180, 180},  {TraceControl::Field, 0, 30000},
      {TraceControl::Region, 1, 10},   {TraceControl::X0, -50, 50},      {TraceControl::Y0, -50, 50},
      {TraceControl::Z0, -100, 100},
  };
  static constexpr TraceControl boxes[] = {TraceControl::S, TraceControl::D, TraceControl::Periods};
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: {
      // Both ends and zero (the OZ axis for x0 and y0, no charge, no field) come often.
      const Bar& bar = in.PickValueInArray(bars);
      const int notable[] = {bar.min, bar.max, std::clamp(0, bar.min, bar.max)};
      const int pick = in.ConsumeIntegralInRange(0, 3);
      const int position = pick < 3 ? notable[pick] : in.ConsumeIntegralInRange(bar.min, bar.max);
      user.apply(TraceAction{bar.control, position, {}});
      break;
    }
    case 1:
      user.apply(TraceAction{in.PickValueInArray(boxes), 0, in.ConsumeRandomLengthString(24)});
      break;
    default:
      user.selectConfiguration(in.ConsumeIntegralInRange(1, 7));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  larmor::ScriptedUser user('.');
  user.startUp();
  user.selectConfiguration(in.ConsumeIntegralInRange(1, 7));
  const int settings = in.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < settings; ++i) act(in, user);
  const auto limit = in.ConsumeIntegralInRange<std::int64_t>(1, maxRunSteps);

  // The start button: recompute, prepare, step while the run goes on.
  larmor::SimulationState& state = user.state();
  user.recompute();
  larmor::TrajectoryRun run(state);
  run.limitSteps(limit);
  run.prepare();
  if (run.refusedAxisStart() && run.hasNextStep()) __builtin_trap();
  std::int64_t loops = 0;
  while (run.hasNextStep()) {
    if (++loops > limit) __builtin_trap();  // the limit is not kept: the run might never end
    // Now and then a pause in which the user changes something; the run goes on with it.
    if (in.remaining_bytes() > 0 && in.ConsumeIntegralInRange(0, 63) == 0) act(in, user);
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
  const larmor::ResultCaptions& shown = user.captions();
  for (const std::string* text : {&shown.frequency, &shown.period, &shown.radius, &shown.pitch})
    if (text->find("nan") != std::string::npos || text->find("inf") != std::string::npos) __builtin_trap();
  return 0;
}
