#pragma once

#include "model/TheoryMeter.h"
#include "model/TheoryPrediction.h"
#include "model/TheoryTexts.h"
#include "model/TheoryVerdict.h"

#include <optional>
#include <string>
#include <vector>

namespace larmor {

// One row of the theory table: a quantity of the current structure, predicted from the
// start state and measured from the run, in SI units (degrees for angles), with the verdict
// on whether the prediction can be trusted here.
struct TheoryQuantity {
  enum class Kind { number, count, flag };  // how the companion writes the values
  const char* key = "";         // the companion's name: period, radius, driftVelocity, …
  const char* name = "";        // the table's Russian name
  const char* unit = "";        // "с", "м", "м/с", "Тл", "°", "" (Russian, as shown)
  Kind kind = Kind::number;
  std::optional<double> predicted;  // a flag is 1 or 0
  std::optional<double> measured;
  // (measured − predicted)/|predicted|; none when either is missing or the prediction is 0.
  std::optional<double> relativeDifference;
  Holds holds = Holds::unknown;
  BilingualText why;          // the verdict's reason, one line
  bool runErrorComparable = false;  // the why names the run's own error
  BilingualText explanation;  // the formula, how it is measured, one line
  std::string notPredictedReason; // set exactly when predicted is empty (Russian)
  std::string notMeasuredReason;  // set exactly when measured is empty (Russian)
  BilingualText notPredictedText, notMeasuredText;  // the same two in both languages
};

// The table for the current structure. Without a meter (after a recompute, before a run)
// only the predictions are filled. runCutShort: the run stopped before its end (the step
// limit, a non-finite state), which the reasons then mention.
std::vector<TheoryQuantity> theoryTable(const TheoryPrediction& prediction, const TheoryMeter* meter = nullptr,
                                        bool runCutShort = false);

// {"period": {"predicted": 1.3e-04, "measured": 1.3e-04, "holds": "yes", "why": "…"}, …} with
// null where a value or a verdict is missing, true/false for flags, whole numbers for counts
// and the English reason.
std::string theoryJson(const std::vector<TheoryQuantity>& table);

}  // namespace larmor
