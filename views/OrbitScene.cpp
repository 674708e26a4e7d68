#include "views/OrbitScene.h"

#include "model/TheoryPath.h"
#include "views/Views.h"

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

constexpr double turn = 2 * 3.14159265358979323846;

bool inside(const Vec3& p, double halfXY, double halfZ) {
  return std::abs(p.x) <= halfXY && std::abs(p.y) <= halfXY && std::abs(p.z) <= halfZ;
}

// The unit field direction at p, or nothing where the field vanishes or is not finite.
bool direction(FieldConfig config, const SimParams& params, const Vec3& p, Vec3& out) {
  const Vec3 b = fieldFactorAt(config, params, p);
  const double size = norm(b);
  if (!(size > 0) || !std::isfinite(size)) return false;
  out = (1 / size) * b;
  return true;
}

// One way of a field line: midpoint steps of h along the unit field (h < 0 against it).
std::vector<Vec3> follow(FieldConfig config, const SimParams& params, const Vec3& start, double h, double halfXY,
                         double halfZ, int maxSteps) {
  std::vector<Vec3> points;
  Vec3 p = start;
  for (int i = 0; i < maxSteps; ++i) {
    Vec3 d1, d2;
    if (!direction(config, params, p, d1)) break;
    if (!direction(config, params, p + (h / 2) * d1, d2)) break;
    p = p + h * d2;
    if (!std::isfinite(p.x + p.y + p.z)) break;
    points.push_back(p);
    if (!inside(p, halfXY, halfZ)) break;  // the piece to the border is kept
    // A ring closes on its start: stop after going once round.
    if (i > 8 && norm(p + (-1.0) * start) < std::abs(h)) {
      points.back() = start;
      break;
    }
  }
  return points;
}

void addAxis(OrbitScene& scene, const Vec3& unit, double half, const char* name) {
  const Vec3 across = unit.z != 0 ? Vec3{1, 0, 0} : Vec3{0, 0, 1};
  scene.axes.push_back({{(-half) * unit, half * unit}, colours::axis});
  const double step = orbitTickStep(half);
  const double tick = std::min(scene.halfXY, scene.halfZ) / 40;
  for (int k = -static_cast<int>(half / step); k <= static_cast<int>(half / step); ++k) {
    if (k == 0) continue;
    const Vec3 at = (k * step) * unit;
    scene.axes.push_back({{at + (-tick) * across, at + tick * across}, colours::axis});
    scene.labels.push_back({at + (3 * tick) * across, tickLabel(k * step)});
  }
  scene.labels.push_back({(half * 1.08) * unit, name});
}

}  // namespace

double orbitTickStep(double halfLength) {
  if (!(halfLength > 0) || !std::isfinite(halfLength)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(halfLength / 2)));
  for (double factor : {1.0, 2.0, 5.0, 10.0})
    if (halfLength / (factor * power) <= 5) return factor * power;
  return 10 * power;
}

std::vector<Vec3> traceFieldLine(FieldConfig config, const SimParams& params, const Vec3& start, double step,
                                 double halfXY, double halfZ, bool bothWays, int maxSteps) {
  std::vector<Vec3> line;
  if (bothWays) {
    line = follow(config, params, start, -step, halfXY, halfZ, maxSteps);
    std::reverse(line.begin(), line.end());
    // A closed ring came round to its start the other way: the one way is the whole ring.
    if (!line.empty() && line.front().x == start.x && line.front().y == start.y && line.front().z == start.z) {
      line.push_back(start);
      return line;
    }
  }
  line.push_back(start);
  const std::vector<Vec3> forward = follow(config, params, start, step, halfXY, halfZ, maxSteps);
  line.insert(line.end(), forward.begin(), forward.end());
  return line;
}

namespace {

constexpr Colour theoryColour = 0x008C00;  // green: neither a charge's nor the field's colour

// The monopole's cone: r keeps the angle coneAngle to J, so the whole path lies on the cone
// with its apex at the pole about J. Drawn over the distances from the pole the path
// covers in the planned time, which follow exactly from the start: the speed is kept and
// d(r·v)/dt = v², so |r(t)|² = |r0|² + 2·(r0·v0)·t + v²·t². Generators every 45° and rings at
// the nearest, the middle and the farthest distance, and the cone's axis (along J, or
// against it where the cone opens away from J) from the pole to the farthest ring; thin, so
// that the path stays visible through them.
void addMonopoleCone(const SimulationState& start, const TheoryPrediction& prediction, std::vector<Polyline3>& lines) {
  if (!prediction.J || !prediction.coneAngleDeg) return;
  const Vec3 J = *prediction.J;
  const double size = norm(J);
  if (!(size > 0) || !std::isfinite(size)) return;
  const Vec3 axis = (1 / size) * J;
  const Vec3 r0{start.params.x0, start.params.y0, static_cast<double>(start.params.z0)};
  const Vec3 v0{start.quantities.vx0, start.quantities.vy0, static_cast<double>(static_cast<float>(start.quantities.vPar))};
  const double v2 = dot(v0, v0), rv = dot(r0, v0), T = start.quantities.tEnd;
  if (!(v2 > 0) || !(T > 0)) return;
  const auto distance = [&](double t) { return std::sqrt(std::max(0.0, dot(r0, r0) + 2 * rv * t + v2 * t * t)); };
  const double nearest = distance(std::clamp(-rv / v2, 0.0, T)), farthest = std::max(distance(0), distance(T));
  if (!std::isfinite(farthest)) return;
  // Two directions across J: the cone's circle is drawn in them.
  const Vec3 other = std::abs(axis.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  const Vec3 e1 = (1 / norm(cross(axis, other))) * cross(axis, other), e2 = cross(axis, e1);
  const double angle = *prediction.coneAngleDeg * turn / 360;
  const auto onCone = [&](double s, double phi) {
    return (s * std::cos(angle)) * axis + (s * std::sin(angle)) * (std::cos(phi) * e1 + std::sin(phi) * e2);
  };
  for (int k = 0; k < 8; ++k)
    lines.push_back({{onCone(nearest, k * turn / 8), onCone(farthest, k * turn / 8)}, theoryColour, 1});
  for (const double s : {nearest, (nearest + farthest) / 2, farthest}) {
    Polyline3 ring{{}, theoryColour, 1};
    for (int k = 0; k <= 72; ++k) ring.points.push_back(onCone(s, k * turn / 72));
    lines.push_back(std::move(ring));
  }
  lines.push_back({{Vec3{0, 0, 0}, (farthest * std::cos(angle)) * axis}, theoryColour, 1});
}

}  // namespace

std::vector<Polyline3> orbitTheory(const SimulationState& start, const TheoryPrediction& prediction) {
  std::vector<Polyline3> lines;
  std::vector<Vec3> path = predictedGuidingCentrePath(start, prediction, start.quantities.tEnd);
  if (path.size() > 1) lines.push_back({std::move(path), theoryColour});
  const FieldConfig config = start.fieldConfig;
  if (config == 6) addMonopoleCone(start, prediction, lines);
  if ((config != 4 && config != 7) || prediction.turningZ.empty()) return lines;
  const double L = start.params.regionSize;
  // The guiding centre follows its field line; the turning points lie on it where z is the
  // predicted one.
  const std::vector<Vec3> line =
      traceFieldLine(config, start.params, prediction.guidingCentre, L / 400, L / 2, L, true, 4000);
  const double zLow = *std::min_element(prediction.turningZ.begin(), prediction.turningZ.end());
  const double zHigh = *std::max_element(prediction.turningZ.begin(), prediction.turningZ.end());
  Polyline3 between{{}, theoryColour};
  for (std::size_t i = 1; i < line.size(); ++i) {
    const Vec3 &a = line[i - 1], &b = line[i];
    for (double zTurn : prediction.turningZ)
      if ((a.z - zTurn) * (b.z - zTurn) <= 0 && a.z != b.z) {
        const double f = (zTurn - a.z) / (b.z - a.z);
        lines.push_back({{a + f * (b + (-1.0) * a)}, theoryColour});
      }
    if (prediction.turningZ.size() > 1 && b.z >= zLow && b.z <= zHigh) between.points.push_back(b);
  }
  if (between.points.size() > 1) lines.push_back(std::move(between));
  return lines;
}

OrbitScene OrbitScene::build(const SimulationState& state) {
  OrbitScene scene;
  const double L = state.params.regionSize;
  scene.halfXY = L / 2;
  scene.halfZ = L;
  addAxis(scene, {1, 0, 0}, scene.halfXY, "X");
  addAxis(scene, {0, 1, 0}, scene.halfXY, "Y");
  addAxis(scene, {0, 0, 1}, scene.halfZ, "Z");

  const FieldConfig config = state.fieldConfig;
  const double h = L / 100;
  std::vector<Vec3> seeds;
  bool bothWays = true;
  switch (config) {
    case 5:  // rings about the axis, at three heights
      for (double z : {-L / 2, 0.0, L / 2})
        for (double r : {L / 8, L / 4, 3 * L / 8}) seeds.push_back({r, 0, z});
      break;
    case 6:  // radial lines from the pole, each followed outwards
      bothWays = false;
      for (int k = 0; k < 14; ++k) {
        // Six along the axes and eight along the diagonals of a cube.
        const Vec3 u = k < 6 ? Vec3{k == 0 ? 1.0 : k == 1 ? -1.0 : 0, k == 2 ? 1.0 : k == 3 ? -1.0 : 0,
                                    k == 4 ? 1.0 : k == 5 ? -1.0 : 0}
                             : (1 / std::sqrt(3.0)) * Vec3{(k & 1) ? 1.0 : -1.0, (k & 2) ? 1.0 : -1.0,
                                                           (k & 4) ? 1.0 : -1.0};
        seeds.push_back((L / 20) * u);
      }
      break;
    case 4:
    case 7:  // lines through the mid-plane on two rings, converging to the coils
      for (double r : {L / 12, L / 5})
        for (int k = 0; k < 6; ++k) seeds.push_back({r * std::cos(k * turn / 6), r * std::sin(k * turn / 6), 0});
      break;
    default:  // the uniform field and the drifts: a square of lines through the mid-plane
      for (double x : {-L / 4, 0.0, L / 4})
        for (double y : {-L / 4, 0.0, L / 4}) seeds.push_back({x, y, 0});
      break;
  }
  for (const Vec3& seed : seeds) {
    std::vector<Vec3> line = traceFieldLine(config, state.params, seed, h, scene.halfXY, scene.halfZ, bothWays);
    if (line.size() > 1) scene.fieldLines.push_back({std::move(line), colours::field});
  }
  return scene;
}

}  // namespace larmor
