#pragma once

#include "model/TheoryTexts.h"

#include <string_view>

namespace larmor {

struct TheoryPrediction;

// Whether the theory's prediction of a quantity can be trusted for this start, judged from
// the lengths that matter for that quantity (never from the run's result).
enum class Holds { unknown, yes, marginal, no };

// "yes", "marginal", "no"; nullptr for unknown (the companion writes null).
const char* holdsKey(Holds holds);
// "выполняется", "на грани", "не выполняется"; "" for unknown.
const char* holdsWord(Holds holds, Language language = Language::Russian);

struct TheoryVerdict {
  Holds holds = Holds::unknown;
  BilingualText why;  // short: the ratios it rests on and what they mean
  bool runErrorComparable = false;  // the run's own error is comparable to the difference (weighRunError)
};

// The grade of the estimated relative size of what the formula leaves out: up to 3 % it
// holds, up to 15 % it is marginal, beyond that it does not hold.
constexpr double holdsUpTo = 0.03, marginalUpTo = 0.15;
Holds gradeOf(double leftOut);

// The verdict on the quantity `key` of the prediction's structure.
TheoryVerdict theoryVerdict(const TheoryPrediction& prediction, std::string_view key);

// A magnetic force keeps the speed, so a run whose speed changed by speedError (a fraction)
// carries an error of its own, about sensitivity·speedError in a quantity that goes as
// v^sensitivity. Where that is comparable to the difference between measurement and
// prediction (a fraction; the measured spread where the prediction is 0), the verdict says
// so and points to the Boris method; the grade stays the theory's.
void weighRunError(TheoryVerdict& verdict, std::string_view key, double difference, double speedError);

}  // namespace larmor
