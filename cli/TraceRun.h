#pragma once

#include "model/Theory.h"
#include "model/TrajectoryRun.h"
#include "panel/PanelControls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace larmor {

class CsvWriter;
class ControlPanel;
class Views;

// The accuracy label's caption before any run has made a step.
inline constexpr const char* accuracyDesignCaption = "Точность вычислений";

struct TraceResult {
  std::int64_t steps = 0;
  std::string accuracyText;  // the accuracy label after the run
  bool complete = true;      // false when the run was cut at its step limit before its end time
  Integrator integrator = Integrator::Rk4;  // the run's
  // The theory table of the run, predicted from its start and measured along it; only
  // when asked for, since the meter costs time at every step.
  std::optional<std::vector<TheoryQuantity>> theory;
};

// The start button: clear both pictures, recompute, prepare the run with the panel's
// integrator, draw the field structure once more, then step to the end, writing each step
// to csv (with the diagnostics' columns when asked for) and drawing the trail and the
// markers into views (either may be null). stepLimit can only tighten the run's own limit.
// With theory, the run is also measured against the guiding-centre theory.
TraceResult runTrace(ControlPanel& panel, Views* views, CsvWriter* csv,
                     std::int64_t stepLimit = TrajectoryRun::maxSteps, bool diagnostics = false,
                     bool theory = false);

}  // namespace larmor
