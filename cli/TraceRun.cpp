#include "cli/TraceRun.h"

#include "cli/TraceWriters.h"

#include "panel/ControlPanel.h"
#include "panel/Run.h"
#include "views/Views.h"

namespace larmor {

TraceResult runTrace(ControlPanel& panel, Views* views, CsvWriter* csv, std::int64_t stepLimit, bool diagnostics) {
  SimulationState& state = panel.state();
  if (views) views->Clear();
  panel.RecomputeQuantities();

  Run run(panel);
  run.limitSteps(stepLimit);
  run.prepare();
  if (views) views->DrawFieldStructure(state);
  diagnostics = diagnostics && csv;
  const double muStart = diagnostics ? startMoment(run, state) : 0;
  if (csv) csv->header(diagnostics);
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    if (diagnostics) {
      const DiagnosticSample sample = diagnosticSample(run, state, muStart);
      csv->row(run.stepsDone(), run.t(), state.x, state.y, state.z, run.vxCartesian(), run.vyCartesian(),
               run.vzCartesian(), run.dV(), &sample);
    } else if (csv) {
      csv->row(run.stepsDone(), run.t(), state.x, state.y, state.z, run.vxCartesian(), run.vyCartesian(),
               run.vzCartesian(), run.dV());
    }
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
  result.integrator = run.integrator();
  return result;
}

}  // namespace larmor
