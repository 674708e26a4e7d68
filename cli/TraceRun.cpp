#include "cli/TraceRun.h"

#include "cli/TraceWriters.h"

#include "model/TrajectoryRun.h"
#include "panel/ControlPanel.h"
#include "views/Views.h"

namespace larmor {

TraceResult runTrace(ControlPanel& panel, Views* views, CsvWriter* csv, std::int64_t stepLimit) {
  SimulationState& state = panel.state();
  if (views) views->Clear();
  panel.RecomputeQuantities();

  TrajectoryRun run(state, panel.decimalSeparator());
  run.limitSteps(stepLimit);
  run.prepare();
  if (views) views->DrawFieldStructure(state);
  if (csv) csv->header();
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    if (csv)
      csv->row(run.stepsDone(), run.t(), state.x, state.y, state.z, run.vxCartesian(), run.vyCartesian(),
               run.vzCartesian(), run.dV());
    if (views) {
      views->PlotTrailSegment(segment);
      views->PlaceMarkers(state);
    }
  }
  if (csv) csv->flush();

  TraceResult result;
  result.steps = run.stepsDone();
  result.accuracyText = run.accuracyText().empty() ? std::string(accuracyDesignCaption) : run.accuracyText();
  result.complete = !run.cutAtStepLimit();
  return result;
}

}  // namespace larmor
