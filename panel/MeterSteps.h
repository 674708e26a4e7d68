#pragma once

#include "model/Theory.h"
#include "model/TheoryMeter.h"
#include "model/TheoryPrediction.h"
#include "panel/RunDriver.h"

#include <optional>
#include <vector>

namespace larmor {

// The run measured against the guiding-centre theory: the prediction and the meter are
// made for the prepared start, and the meter then observes every step.
class MeterSteps : public RunObserver {
public:
  void prepared(const Run& run, const SimulationState& state) override {
    m_prediction = predictTheory(state);
    m_meter.emplace(state).observe(run, state);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment&) override {
    m_meter->observe(run, state);
    return true;
  }

  // Both exist once the run was prepared.
  const std::optional<TheoryPrediction>& prediction() const { return m_prediction; }
  const std::optional<TheoryMeter>& meter() const { return m_meter; }
  // The table of the run that ended so.
  std::vector<TheoryQuantity> table(const RunOutcome& outcome) const {
    return theoryTable(*m_prediction, &*m_meter, outcome.cutShort());
  }

private:
  std::optional<TheoryPrediction> m_prediction;
  std::optional<TheoryMeter> m_meter;
};

}  // namespace larmor
