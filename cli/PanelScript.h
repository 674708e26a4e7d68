#pragma once

#include "cli/TraceOptions.h"

#include "model/Quantities.h"
#include "panel/ControlPanel.h"

namespace larmor {

// Drives the control panel as a user of the window would after start-up: the first
// resize's recompute, then each option as its control, in the order given.
void startUpAsTheWindow(ControlPanel& panel);
// The list's selection of configuration 1..7; any other number selects no entry.
void selectConfiguration(ControlPanel& panel, int config);
void applyTraceAction(ControlPanel& panel, const TraceAction& action);
// Start-up, then the options' selections, then their other controls.
void applyTraceOptions(ControlPanel& panel, const TraceOptions& options);

// The four result captions the panel shows (Label13, Label14, Label17, Label18).
ResultCaptions resultCaptions(const ControlPanel& panel);

}  // namespace larmor
