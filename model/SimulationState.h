#pragma once

#include "FieldConfig.h"
#include "Quantities.h"
#include "SimParams.h"

namespace larmor {

// The program-wide simulation state: what the window, the views and the run share.
struct SimulationState {
  SimParams params;
  FieldConfig fieldConfig = 1;
  DerivedQuantities quantities;
  // Current particle position [m]: reset to the start point by every recompute,
  // advanced by the run, read by the markers.
  double x = 0, y = 0, z = 0;

  // The model's half of a recompute: quantities, captions, position back at the start.
  ResultCaptions computeQuantities(char decimalSeparator = '.', Language language = Language::Russian);
};

}  // namespace larmor
