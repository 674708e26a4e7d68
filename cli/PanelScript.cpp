#include "cli/PanelScript.h"

#include "panel/ScenarioActions.h"

namespace larmor {

void applyTraceOptions(ControlPanel& panel, const TraceOptions& options, const Scenario* scenario) {
  startUpAsTheWindow(panel);
  if (scenario) applyScenario(panel, *scenario);
  if (!scenario || options.configurationGiven)
    for (const int config : options.configurations) perform(panel, PanelAction::selectEntry(config - 1));
  for (const PanelAction& action : options.actions) perform(panel, action);
}

ResultCaptions resultCaptions(const ControlPanel& panel) {
  return {panel.caption(13), panel.caption(14), panel.caption(17), panel.caption(18)};
}

}  // namespace larmor
