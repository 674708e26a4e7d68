#pragma once

#include "model/FieldVector.h"
#include "model/SimulationState.h"
#include "model/TheoryPrediction.h"
#include "views/Colour.h"

#include <string>
#include <vector>

namespace larmor {

// A line in space through its points, in one colour.
struct Polyline3 {
  std::vector<Vec3> points;
  Colour colour = colours::axis;
  int width = 2;  // [px] of a theory's line (the scene's are 1 px)
};

// A text placed at a point in space (an axis name, a tick value).
struct Label3 {
  Vec3 at;
  std::string text;
};

// What the 3-D view shows around the path: the region of the plane views (x and y within
// half its size, z within its size), the axes OX, OY, OZ with their names and ticks in
// metres, and the field lines of the chosen structure, followed along the same field the
// run integrates.
struct OrbitScene {
  double halfXY = 2.5, halfZ = 5;  // [m]
  std::vector<Polyline3> axes;     // the three axes and their ticks
  std::vector<Label3> labels;
  std::vector<Polyline3> fieldLines;

  static OrbitScene build(const SimulationState& state);
};

// What the theory predicts for the run from start (quantities computed) over its planned
// time, in the same space: the guiding centre's path (uniform field and drifts); in the
// traps the field line through the start's guiding centre between the turning points, with
// each turning point as a line of one point; for the monopole the cone about J with its
// apex at the pole that the path keeps to, as generators and rings over the distances the
// path covers, and J's axis from the pole. Empty where nothing is predicted.
std::vector<Polyline3> orbitTheory(const SimulationState& start, const TheoryPrediction& prediction);

// The distance between two ticks [m]: 1, 2 or 5 times a power of ten, giving two to five
// ticks on a half axis of this length.
double orbitTickStep(double halfLength);

// The field line through start, followed both ways (or forwards only) in steps of step
// metres along B, until it leaves the box, meets a point without a field, closes on
// itself or has made maxSteps steps each way. The points run from one end to the other.
std::vector<Vec3> traceFieldLine(FieldConfig config, const SimParams& params, const Vec3& start, double step,
                                 double halfXY, double halfZ, bool bothWays = true, int maxSteps = 1500);

}  // namespace larmor
