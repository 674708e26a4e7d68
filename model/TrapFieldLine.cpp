#include "model/TrapFieldLine.h"

#include "model/FieldVector.h"
#include "model/SimParams.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace larmor {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double coreRadius = 0.05;  // [m] inside it the traps' field is the constant 20·Bo along z

// The line in the meridian plane, d rho/dz = b_rho/b_z (b_z > 0 in both traps).
struct Line {
  FieldConfig config;
  const SimParams& p;
  Vec3 factor(double rho, double z) const { return fieldFactorAt(config, p, {rho, 0, z}); }
  double field(double rho, double z) const { return p.Bo * norm(factor(rho, z)); }
  double slope(double rho, double z) const {
    const Vec3 b = factor(rho, z);
    return b.z > 0 ? b.x / b.z : 0.0;
  }
  // One classical Runge–Kutta step of rho from z to z + h.
  double step(double rho, double z, double h) const {
    const double k1 = slope(rho, z), k2 = slope(rho + 0.5 * h * k1, z + 0.5 * h);
    const double k3 = slope(rho + 0.5 * h * k2, z + 0.5 * h), k4 = slope(rho + h * k3, z + h);
    return rho + h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
  }
};

struct Point {
  double z, rho, B;
};

struct SideScan {
  std::vector<Point> points;  // from the start outwards
  double peak = 0;
  std::optional<Point> turning;
  double worstRatio = 0;
};

SideScan scanSide(const Line& line, double rho, double z, double direction, double turningField, double speed) {
  const SimParams& p = line.p;
  const double S = std::fabs(p.S), d = std::fabs(p.d);
  // Fine near the coils (a few hundred steps across S), elsewhere growing with the distance
  // from the start: the line's approach to its asymptote is slow (as 1/z³) but smooth. The
  // steps are bounded in number whatever S and d are.
  const double fine = std::max(0.005 * S, 1e-3), z0 = z;
  const double farthest = std::fabs(z) + 1000 * (S + d + rho + 1);
  SideScan scan;
  scan.points.push_back({z, rho, line.field(rho, z)});
  scan.peak = scan.points.back().B;
  bool reached = true;
  for (int steps = 0; std::fabs(z) < farthest && steps < 200000; ++steps) {
    const Point& last = scan.points.back();
    if (last.rho < coreRadius) {
      // Inside the core the line runs straight along z in the constant field: it rises no further.
      scan.peak = std::max(scan.peak, 20 * p.Bo);
      break;
    }
    double h = std::max(fine, 0.01 * std::fabs(z - z0));
    if (std::fabs(std::fabs(z) - d) < 5 * S) h = std::min(h, std::max(fine, 0.05 * S));
    h *= direction;
    const double rhoNext = line.step(rho, z, h);
    const double B = line.field(rhoNext, z + h);
    if (reached && B >= turningField) {
      // Where |B| = B_turn, by halving the last step.
      double lo = 0, hi = 1;
      for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        (line.field(line.step(rho, z, mid * h), z + mid * h) < turningField ? lo : hi) = mid;
      }
      scan.turning = Point{z + hi * h, line.step(rho, z, hi * h), turningField};
      reached = false;
    }
    if (reached && B > 0) {
      // The gyration here, with mu conserved: v⊥² = v²·B/B_turn.
      const double vPerp = speed * std::sqrt(std::min(1.0, B / turningField));
      const double larmor = p.m * vPerp / (std::fabs(p.q) * B);
      const double ds = std::hypot(h, rhoNext - rho), dB = std::fabs(B - last.B);
      const double alongLine = dB > 0 ? B * ds / dB : infinity;
      scan.worstRatio = std::max(scan.worstRatio, larmor / std::min(rhoNext, alongLine));
    }
    rho = rhoNext, z += h;
    scan.points.push_back({z, rho, B});
    scan.peak = std::max(scan.peak, B);
  }
  return scan;
}

// ∫ ds/v∥ from the start to the turning point zt, v∥ = v·sqrt(1 − B/B_turn). With
// z = zt − (zt − z0)·σ² the square-root zero at zt becomes a smooth integrand in σ.
double halfBounce(const Line& line, double rho, double z0, double zt, double turningField, double speed) {
  constexpr int n = 2000;
  double sum = 0, z = z0, gPrevious = 0, sigmaPrevious = 1;
  for (int k = n - 1; k >= 0; --k) {
    const double sigma = (k + 0.5) / n, zk = zt - (zt - z0) * sigma * sigma;
    rho = line.step(rho, z, zk - z), z = zk;
    double g = 1 - line.field(rho, z) / turningField;
    // Rounding can put the last few points a hair past the turning point: there 1 − B/B_turn
    // falls as σ², as it does between the points before.
    if (!(g > 0)) g = gPrevious * (sigma / sigmaPrevious) * (sigma / sigmaPrevious);
    if (!(g > 0)) continue;
    const double slope = line.slope(rho, z);
    sum += std::sqrt(1 + slope * slope) * 2 * std::fabs(zt - z0) * sigma / (speed * std::sqrt(g));
    gPrevious = g, sigmaPrevious = sigma;
  }
  return sum / n;
}

}  // namespace

TrapFieldLine followTrapFieldLine(FieldConfig config, const SimParams& params, double rho, double z,
                                  double turningField, double speed) {
  const Line line{config, params};
  TrapFieldLine result;
  for (const TrapFieldLine::Side side : {TrapFieldLine::up, TrapFieldLine::down}) {
    const SideScan scan = scanSide(line, rho, z, side == TrapFieldLine::up ? 1 : -1, turningField, speed);
    result.peak[side] = scan.peak;
    if (scan.turning) result.turningZ[side] = scan.turning->z;
    result.worstRatio = std::max(result.worstRatio, scan.worstRatio);
    result.escapeZ[side] = scan.points.back().z;
    for (const Point& point : scan.points)
      if (point.B * (1 + escapeRise) >= scan.peak) {
        result.escapeZ[side] = point.z;
        break;
      }
  }
  if (result.turningZ[0] && result.turningZ[1] && speed > 0) {
    const double time = halfBounce(line, rho, z, *result.turningZ[0], turningField, speed) +
                        halfBounce(line, rho, z, *result.turningZ[1], turningField, speed);
    if (time > 0) result.bouncePeriod = 2 * time;
  }
  return result;
}

}  // namespace larmor
