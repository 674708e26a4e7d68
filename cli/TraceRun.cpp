#include "cli/TraceRun.h"

#include "cli/TraceWriters.h"

#include "panel/ControlPanel.h"
#include "panel/Run.h"
#include "views/Views.h"

#include <optional>

namespace larmor {

TraceResult runTrace(ControlPanel& panel, Views* views, CsvWriter* csv, std::int64_t stepLimit, bool diagnostics,
                     bool theory) {
  SimulationState& state = panel.state();
  if (views) views->Clear();
  panel.RecomputeQuantities();
  std::optional<TheoryPrediction> prediction;
  if (theory) prediction = predictTheory(state);

  Run run(panel);
  run.limitSteps(stepLimit);
  run.prepare();
  if (views) views->DrawFieldStructure(state);
  diagnostics = diagnostics && csv;
  const double muStart = diagnostics ? startMoment(run, state) : 0;
  if (csv) csv->header(diagnostics);
  std::optional<TheoryMeter> meter;
  if (theory) {
    meter.emplace(state);
    meter->observe(run, state);
  }
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    // A state that is no longer finite ends the run and holds nothing to measure.
    if (meter && !run.stoppedNonFinite()) meter->observe(run, state);
    if (diagnostics) {
      const DiagnosticSample sample = diagnosticSample(run, state, muStart);
      csv->row(run, state, &sample);
    } else if (csv) {
      csv->row(run, state);
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
  if (meter) result.theory = theoryTable(*prediction, &*meter, run.cutAtStepLimit() || run.stoppedNonFinite());
  return result;
}

}  // namespace larmor
