#pragma once

#include "model/Language.h"

#include <string>

namespace larmor {

struct SimParams;

// The characteristic quantities of the motion in the reference field. period, radius and
// pitch keep the values of the last computation with a nonzero omega.
struct DerivedQuantities {
  double omega = 0;   // [rad/s] signed, q·Bo/m
  double period = 0;  // [s] 6.283185307 / |omega|
  double vPerp = 0;   // [m/s]
  double vPar = 0;    // [m/s]
  double radius = 0;  // [m]
  float pitch = 0;    // [m] single precision: the shown pitch depends on it
  double vx0 = 0;     // [m/s] start velocity in X0Y
  double vy0 = 0;
  double tEnd = 0;    // [s] period · periods
};

// Texts of the four result labels: Label13, Label14, Label17, Label18.
struct ResultCaptions {
  std::string frequency;
  std::string period;
  std::string radius;
  std::string pitch;
};

// Updates quantities from params (keeping period, radius and pitch when omega is 0) and
// returns the captions with the locale's decimal separator, in the window's language.
ResultCaptions computeQuantities(const SimParams& params, DerivedQuantities& quantities,
                                 char decimalSeparator = '.', Language language = Language::Russian);

}  // namespace larmor
