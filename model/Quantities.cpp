#include "model/Quantities.h"

#include "model/Precision.h"
#include "model/SimParams.h"
#include "model/TextRules.h"

#include <cmath>

namespace larmor {

namespace {

constexpr std::string_view resultPattern = " 0.000e+00";

std::string caption(const char* prefix, double value, const char* unit, char separator) {
  return prefix + trimmed(formatNumber(value, resultPattern, separator)) + unit;
}

}  // namespace

ResultCaptions computeQuantities(const SimParams& params, DerivedQuantities& quantities,
                                 char decimalSeparator, Language language) {
  DerivedQuantities& k = quantities;
  ResultCaptions captions;
  const bool ru = language == Language::Russian;

  k.omega = params.q * params.Bo / params.m;
  captions.frequency = caption("w=", std::fabs(k.omega), ru ? " рад/с" : " rad/s", decimalSeparator);

  // With omega = 0 the motion has no period: the last finite period, radius and pitch
  // are kept, so the run's step and end time still come from them.
  const bool turning = k.omega != 0;
  if (turning) {
    k.period = twoPiLiteral / std::fabs(k.omega);
    captions.period = caption("T=", std::fabs(k.period), ru ? " с" : " s", decimalSeparator);
  } else {
    captions.period = ru ? "T - бесконечен" : "T - infinite";
  }

  const double v = params.v;  // 16-bit speed taken to double before any arithmetic
  k.vPerp = std::sin(params.alphaRad) * v;
  k.vPar = std::cos(params.alphaRad) * v;

  if (turning) {
    k.radius = k.vPerp / std::fabs(k.omega);
    captions.radius = caption("R=", k.radius, ru ? " м" : " m", decimalSeparator);
    k.pitch = toSingleClamped(k.period * k.vPar);
    captions.pitch = caption("H=", k.pitch, ru ? " м" : " m", decimalSeparator);
  } else {
    captions.radius = ru ? "R - бесконечен" : "R - infinite";
    captions.pitch = ru ? "H - бесконечен" : "H - infinite";
  }

  k.vx0 = std::cos(static_cast<double>(params.betaRad)) * k.vPerp;
  k.vy0 = std::sin(static_cast<double>(params.betaRad)) * k.vPerp;
  k.tEnd = k.period * params.periods;
  return captions;
}

}  // namespace larmor
