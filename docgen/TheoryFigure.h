#pragma once

#include "model/Theory.h"
#include "model/TheoryPrediction.h"

#include <QPointF>
#include <QString>

#include <vector>

namespace larmor {

struct SimulationState;

// What a theory figure draws over the run, in metres: where the guiding-centre theory
// puts the motion of the start it was given.
struct TheoryOverlay {
  // The guiding centre's predicted path over the run's time, drawn in both views: the
  // start's guiding centre moved by the predicted drift and by the motion along the field
  // (uniform field, plane, axial and centrifugal drift).
  std::vector<Vec3> path;
  // z of the predicted turning points, where |B| along the field line through the
  // guiding centre reaches the turning field (traps; a side the particle escapes has none).
  std::vector<double> turningZ;
  // The cone the monopole keeps the particle on: the generatrices that bound its
  // projection, from the apex at the origin, as directions (u, w) of each view; and the
  // cone's axis projected (J, or −J for a cone wider than a half space).
  std::vector<QPointF> xyGeneratrices, xzGeneratrices;
  QPointF xyAxis, xzAxis;
};

// From the start state (quantities computed), its prediction and the time the run took [s].
TheoryOverlay theoryOverlay(const SimulationState& start, const TheoryPrediction& prediction, double duration);

// "ведущий центр по теории", … : what the overlay's colour means in this structure.
QString theoryLegend(FieldConfig config, Language language = Language::Russian);

// The prediction against the measurement for the quantities the overlay shows, one
// sentence: "скорость дрейфа: теория 12,3 м/с, расчёт 12,1 м/с (−1,6 %)", then the table's
// verdict on the first of them with its reason.
QString theoryComparison(const TheoryPrediction& prediction, const std::vector<TheoryQuantity>& table,
                         Language language = Language::Russian);

// A number as the help writes it: three significant digits, a decimal comma (a point in
// English), a power of ten as "·10⁻⁵" outside 0.01 … 100000.
QString numberText(double value, Language language = Language::Russian);

}  // namespace larmor
