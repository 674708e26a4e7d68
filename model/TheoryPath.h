#pragma once

#include "model/FieldVector.h"
#include "model/TheoryPrediction.h"

#include <vector>

namespace larmor {

struct SimulationState;

// The guiding centre's path the theory predicts over duration [s]: the start's guiding
// centre moved by the predicted drift and by the motion along the field (uniform field,
// plane, axial and centrifugal drift); empty in the other structures and where the theory
// does not apply. start holds the quantities of its recompute.
std::vector<Vec3> predictedGuidingCentrePath(const SimulationState& start, const TheoryPrediction& prediction,
                                             double duration);

}  // namespace larmor
