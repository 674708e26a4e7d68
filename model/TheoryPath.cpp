#include "model/TheoryPath.h"

#include "model/SimulationState.h"

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

constexpr double pi = 3.14159265358979323846;

// Enough points that an arc about the axis or a helix looks smooth at print size.
int pathSamples(double turns) { return std::clamp(static_cast<int>(64 * turns), 400, 20000); }

// The guiding centre going round OZ at a fixed distance: azimuth and z linear in time.
std::vector<Vec3> aroundTheAxis(const Vec3& gc, double phiRate, double zRate, double duration) {
  const double rho = std::hypot(gc.x, gc.y), phi0 = std::atan2(gc.y, gc.x);
  const int n = pathSamples(std::fabs(phiRate) * duration / (2 * pi));
  std::vector<Vec3> path;
  for (int i = 0; i <= n; ++i) {
    const double t = duration * i / n, phi = phi0 + phiRate * t;
    path.push_back({rho * std::cos(phi), rho * std::sin(phi), gc.z + zRate * t});
  }
  return path;
}

}  // namespace

std::vector<Vec3> predictedGuidingCentrePath(const SimulationState& start, const TheoryPrediction& prediction,
                                             double duration) {
  std::vector<Vec3> path;
  if (!prediction.applicable) return path;
  const SimParams& p = start.params;
  const Vec3 gc = prediction.guidingCentre;
  // The run holds vz in single precision from its first step.
  const double vz = static_cast<float>(start.quantities.vPar);
  const double drift = prediction.driftVelocity.value_or(0);
  switch (prediction.config) {
    case 1:
    case 2:
      // The field is along z: the guiding centre drifts along y and follows vz exactly.
      for (const double t : {0.0, duration}) path.push_back(gc + t * Vec3{0, drift, vz});
      break;
    case 3: {
      const double rho = std::hypot(gc.x, gc.y);
      if (rho > 0) path = aroundTheAxis(gc, drift / rho, vz, duration);
      break;
    }
    case 5: {
      // Along the circular field line at the speed the conserved m·rho·v_phi gives there,
      // drifting along z.
      const double rho0 = std::hypot(p.x0, p.y0), rhoGc = std::hypot(gc.x, gc.y);
      if (!(rho0 > 0) || !(rhoGc > 0)) break;
      const double vPhi0 = (p.x0 * start.quantities.vy0 - p.y0 * start.quantities.vx0) / rho0;
      path = aroundTheAxis(gc, vPhi0 * rho0 / (rhoGc * rhoGc), drift, duration);
      break;
    }
    default:
      break;
  }
  return path;
}

}  // namespace larmor
