#pragma once

#include "cli/TraceOptions.h"

#include "model/Quantities.h"
#include "panel/ControlPanel.h"
#include "panel/Scenario.h"

namespace larmor {

// Drives the control panel as a user of the window would: start-up and the first resize's
// recompute; then the scenario, if one is given, as the window opens it; then the options'
// selections of a structure (without a scenario, the first structure when none is given);
// then their other controls, in the order given.
void applyTraceOptions(ControlPanel& panel, const TraceOptions& options, const Scenario* scenario = nullptr);

// The four result captions the panel shows (Label13, Label14, Label17, Label18).
ResultCaptions resultCaptions(const ControlPanel& panel);

}  // namespace larmor
