#include "cli/TraceRun.h"

#include "panel/ControlPanel.h"
#include "panel/MeterSteps.h"
#include "panel/TrajectoryCsv.h"

#include <optional>

namespace larmor {

TraceResult runTrace(ControlPanel& panel, RunObserver* drawing, CsvWriter* csv, std::int64_t stepLimit,
                     bool diagnostics, bool theory) {
  RunDriver driver(panel, stepLimit);
  if (drawing) driver.observe(*drawing);
  std::optional<CsvSteps> rows;
  if (csv) driver.observe(rows.emplace(*csv, diagnostics));
  std::optional<MeterSteps> measuring;
  if (theory) driver.observe(measuring.emplace());
  const RunOutcome outcome = driver.drive();
  if (csv) csv->flush();

  TraceResult result;
  result.steps = outcome.steps;
  result.accuracyText = outcome.accuracyText.empty() ? std::string(accuracyDesignCaption) : outcome.accuracyText;
  result.stop = outcome.stop;
  result.integrator = outcome.integrator;
  if (measuring) result.theory = measuring->table(outcome);
  return result;
}

std::string stopLine(const TraceResult& result) {
  const std::string steps = std::to_string(result.steps);
  switch (result.stop) {
    case RunStop::EndTime:
    case RunStop::Observer:
      return {};
    case RunStop::StepLimit:
      return "larmor-trace: the run was cut after " + steps + " steps, before its end time (step limit)";
    case RunStop::NonFinite:
      return "larmor-trace: the run stopped after " + steps +
             " steps, before its end time: the particle's position or velocity is no longer a finite number "
             "(non-finite state)";
    case RunStop::AxisStart:
      return "larmor-trace: the run made no step: this field structure cannot be integrated from a start on the "
             "OZ axis (start on the axis)";
  }
  return {};
}

}  // namespace larmor
