#pragma once

#include "panel/ControlPanel.h"
#include "panel/PanelAction.h"
#include "panel/Scenario.h"

#include <vector>

namespace larmor {

// The user's actions that set the panel to the scenario, from whatever it showed before.
// The selection rewrites x0, z0 and S, so the bars and texts it leaves alone come first,
// then the selection, then the three it rewrote; the result depends on the file alone.
std::vector<PanelAction> scenarioActions(const Scenario& scenario);
void applyScenario(ControlPanel& panel, const Scenario& scenario);

}  // namespace larmor
