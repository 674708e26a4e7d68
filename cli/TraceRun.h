#pragma once

#include "model/RunClock.h"
#include "model/Theory.h"
#include "panel/PanelControls.h"
#include "panel/RunDriver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace larmor {

class CsvWriter;
class ControlPanel;

// The accuracy label's caption before any run has made a step.
inline constexpr const char* accuracyDesignCaption = "Точность вычислений";

struct TraceResult {
  std::int64_t steps = 0;
  std::string accuracyText;           // the accuracy label after the run
  RunStop stop = RunStop::EndTime;    // why the run ended; only EndTime is a whole run
  Integrator integrator = Integrator::Rk4;  // the run's
  // The theory table of the run, predicted from its start and measured along it; only
  // when asked for, since the meter costs time at every step.
  std::optional<std::vector<TheoryQuantity>> theory;
};

// The start button driven without a window: every step written to csv (with the
// diagnostics' columns when asked for) and handed to the extra observer (the picture's
// views), either may be null. stepLimit can only tighten the run's own limit. With theory,
// the run is also measured against the guiding-centre theory.
TraceResult runTrace(ControlPanel& panel, RunObserver* drawing, CsvWriter* csv,
                     std::int64_t stepLimit = RunClock::maxSteps, bool diagnostics = false, bool theory = false);

// The line on standard error for a run that did not reach its end time; empty for a whole run.
std::string stopLine(const TraceResult& result);

}  // namespace larmor
