#include "model/TheoryVerdict.h"

#include "model/TheoryPrediction.h"

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

TheoryVerdict graded(double leftOut, BilingualText why) { return {gradeOf(leftOut), std::move(why)}; }

TheoryVerdict exact(BilingualText why) { return {Holds::yes, std::move(why)}; }

// The traps: everything rests on mu kept along the line, to order rL/L; near the loss cone's
// edge an error of that order decides between trapped and lost.
TheoryVerdict trapVerdict(const TheoryPrediction& p, std::string_view key) {
  const double ratio = p.scales.alongLineRatio;
  TheoryVerdict verdict = graded(ratio, phrase(Phrase::trapLine, {ratio}));
  if (key == "bouncePeriod" && p.bounceSensitivity > ratio) {
    // Near a turning point where |B| hardly rises, a small error of mu moves the turning
    // point far, and the time spent there with it.
    verdict.holds = std::max(verdict.holds, gradeOf(p.bounceSensitivity));
    const BilingualText slow = phrase(Phrase::bounceSensitive, {p.bounceSensitivity});
    verdict.why.russian += slow.russian, verdict.why.english += slow.english;
  }
  if ((key == "trapped" || key == "bouncePeriod") && p.turningField && p.peakField && *p.peakField > 0) {
    const double margin = std::fabs(*p.turningField / *p.peakField - 1);
    if (margin <= std::max(2 * ratio, 0.01)) {
      verdict.holds = std::max(verdict.holds, Holds::marginal);
      const BilingualText edge = phrase(Phrase::lossConeEdge, {margin});
      verdict.why.russian += edge.russian, verdict.why.english += edge.english;
    }
  }
  return verdict;
}

// Exponent of the speed in the quantity: how a relative speed error carries into it.
double speedSensitivity(std::string_view key) {
  if (key == "muSpread" || key == "driftVelocity" || key == "turningField") return 2;
  if (key == "poincareSpread" || key == "coneAngleDeg" || key == "bouncePeriod" || key == "radius" ||
      key == "pitch")
    return 1;
  return 0;  // the uniform field's period does not depend on the speed; flags and counts are not weighed
}

}  // namespace

const char* holdsKey(Holds holds) {
  switch (holds) {
    case Holds::yes: return "yes";
    case Holds::marginal: return "marginal";
    case Holds::no: return "no";
    case Holds::unknown: break;
  }
  return nullptr;
}

const char* holdsWord(Holds holds, Language language) {
  if (language == Language::English) {
    switch (holds) {
      case Holds::yes: return "holds";
      case Holds::marginal: return "marginal";
      case Holds::no: return "fails";
      case Holds::unknown: return "";
    }
  }
  switch (holds) {
    case Holds::yes: return "выполняется";
    case Holds::marginal: return "на грани";
    case Holds::no: return "не выполняется";
    case Holds::unknown: break;
  }
  return "";
}

Holds gradeOf(double leftOut) {
  if (!(leftOut <= marginalUpTo)) return Holds::no;  // NaN included
  return leftOut <= holdsUpTo ? Holds::yes : Holds::marginal;
}

TheoryVerdict theoryVerdict(const TheoryPrediction& p, std::string_view key) {
  if (!p.applicable) return {Holds::unknown, p.notApplicableReason};
  if (key == "reflections") return {Holds::unknown, phrase(Phrase::reflectionsCount)};
  const TheoryScales& s = p.scales;
  switch (p.config) {
    case 1:
      return exact(phrase(Phrase::exactUniform));
    case 6:
      return exact(phrase(key == "muSpread" ? Phrase::exactMonopoleMu : Phrase::exactMonopole,
                          {s.larmorRadius / s.monopoleDistance}));
    case 2: {
      if (key == "muSpread") return exact(phrase(Phrase::exactOnAverage));
      const double e = s.larmorRadius / s.gradientLength;
      return graded(e * e, phrase(Phrase::planeDrift, {e, e * e}));
    }
    case 3: {
      const double alongS = s.larmorRadius / s.gradientLength, acrossAxis = s.larmorRadius / s.axisDistance;
      // A gyration that reaches round the axis has no centre that moves slowly: the drift and
      // the per-gyration average both lose their meaning; mu still only needs |B| to change
      // little across the gyration (over S).
      if (key == "muSpread")
        return acrossAxis < 1 ? exact(phrase(Phrase::exactOnAverage)) : graded(alongS, phrase(Phrase::adiabaticS, {alongS}));
      if (!(acrossAxis < 1)) return {Holds::no, phrase(Phrase::encirclesAxis, {acrossAxis})};
      const double leftOut = alongS * alongS + acrossAxis * acrossAxis;
      return graded(leftOut, phrase(Phrase::axialDrift, {alongS, acrossAxis, leftOut}));
    }
    case 5: {
      if (key == "muSpread") return exact(phrase(Phrase::exactOnAverage));
      // The averaged motion across the bent line gives the drift a first correction of
      // 3·(r∥² − rL²)/Rc² relative to itself; the next one is of the order of the square of
      // (r∥² + rL²)/Rc².
      const double across = s.larmorRadius / s.axisDistance, along = s.parallelRadius / s.axisDistance;
      const double correction = 3 * (along * along - across * across);
      const double next = along * along + across * across;
      return graded(std::fabs(correction) + 3 * next * next, phrase(Phrase::centrifugalDrift, {across, along, correction}));
    }
    case 4:
    case 7:
      if (key == "turningField" && !p.turningField) return {Holds::unknown, phrase(Phrase::alongTheField)};
      if (key == "bouncePeriod" && !p.bouncePeriod) return {Holds::unknown, phrase(Phrase::notTrapped)};
      return trapVerdict(p, key);
    default:
      return {};
  }
}

void weighRunError(TheoryVerdict& verdict, std::string_view key, double difference, double speedError) {
  const double own = speedSensitivity(key) * speedError;
  if (!(difference >= 1e-3) || !(own >= difference / 3)) return;
  const BilingualText note =
      phrase(own >= difference ? Phrase::numericalError : Phrase::numericalShare, {speedError, difference});
  verdict.why.russian += note.russian, verdict.why.english += note.english;
  verdict.runErrorComparable = true;
}

}  // namespace larmor
