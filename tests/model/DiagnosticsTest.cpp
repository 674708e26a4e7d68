// The field functions at their edges and signs, and what the diagnostics read off the
// field and the particle at known points, and keep of a run for the plots.
#include "model/Constants.h"
#include "model/Diagnostics.h"
#include "model/FieldConfig.h"
#include "model/SimulationState.h"
#include "model/DiagnosticsSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace larmor {
namespace {

TEST(Diagnostics, FieldPitchAndMagneticMomentAtKnownPointsOfEveryConfiguration) {
  // |b| = |B|/Bo, the pitch and the split of v worked out by hand from the field formulas.
  const struct {
    const char* name; FieldConfig config; double S, d; Vec3 r, v; double b, vPar, vPerp, pitchDeg;
  } cases[] = {
      {"uniform", 1, 3.3, 5, {1, 0.5, -4}, {3000, 4000, 12000}, 1, 12000, 5000, 22.6198649},
      {"plane drift at x = S", 2, 2, 5, {2, 7, 0}, {1000, 0, 2000}, 0.367879441, 2000, 1000, 26.5650512},
      {"axial drift at rho = S", 3, 5, 5, {3, 4, 1}, {1000, 0, 2000}, 0.367879441, 2000, 1000, 26.5650512},
      {"trap on the axis: b_z = 20", 4, 0.3, 5, {0, 0, 7}, {0, 3000, 4000}, 20, 4000, 3000, 36.8698976},
      // b_rho = 5^-1.5 − 1, b_z = 1/rho = 1: the radial part points to the axis above z = 0.
      {"trap at z = d", 4, 1, 1, {0.6, 0.8, 1}, {0, 0, 1000}, 1.35244762, 739.400171, 673.266209, 42.3196557},
      {"centrifugal: B = Bo·phi_hat = -Bo·x_hat", 5, 3.3, 5, {0, 2, 3}, {3000, 0, 4000}, 1, -3000, 4000, 126.869898},
      {"monopole in its plane", 6, 5, 5, {3, 4, 0}, {1000, 0, 0}, 1, 600, 800, 53.1301024},
      {"monopole on the axis below it", 6, 2, 5, {0, 0, -2}, {0, 0, 1000}, 1, -1000, 0, 180},
      {"trap-2 at z = 0: b_z = S/rho", 7, 5, 5, {1.2, 1.6, 0}, {0, 3000, 4000}, 2.5, 4000, 3000, 36.8698976},
  };
  for (const auto& c : cases) {
    SimParams p;
    p.S = c.S, p.d = c.d;
    const ParticleDiagnostics d = diagnose(c.config, p, c.r, c.v);
    const double B = p.Bo * c.b;
    EXPECT_NEAR(d.B / B, 1, 2e-7) << c.name;  // the field factors are single precision
    EXPECT_NEAR(d.vPar, c.vPar, 1e-3) << c.name;
    EXPECT_NEAR(d.vPerp, c.vPerp, 1e-3) << c.name;
    EXPECT_NEAR(d.pitchDeg, c.pitchDeg, 1e-6) << c.name;
    EXPECT_NEAR(d.mu, p.m * c.vPerp * c.vPerp / (2 * B), 1e-6 * d.mu + 1e-40) << c.name;
    EXPECT_EQ(d.rho, std::hypot(c.r.x, c.r.y)) << c.name;
  }
}

TEST(Diagnostics, PitchOfTheStartVelocityInTheUniformField) {
  for (int alpha : {0, 90, 180}) {
    for (int charge : {1, -1}) {
      SimulationState s;
      s.params.alpha = static_cast<std::int16_t>(alpha), s.params.alphaRad = angleRadFromDegrees(alpha);
      s.params.q = chargeFromPosition(charge);
      s.computeQuantities();
      const DerivedQuantities& k = s.quantities;
      const ParticleDiagnostics d = diagnose(1, s.params, {s.x, s.y, s.z}, {k.vx0, k.vy0, k.vPar});
      EXPECT_NEAR(d.pitchDeg, alpha, 1e-9) << alpha << " " << charge;
      // Across the field: mu = m·v²/(2·Bo) = 1.66053906892e-27·22000²/1e-3; along it: 0.
      EXPECT_NEAR(d.mu, alpha == 90 ? 8.03700909e-16 : 0, 1e-23) << alpha << " " << charge;
    }
  }
}

// The pitch is the angle the velocity was set at, to its last few bits, at every angle
// (near 0 and 180° too) and at every speed.
TEST(Diagnostics, PitchIsTheAngleOfTheVelocityToItsLastBits) {
  SimParams p;
  constexpr double pi = 3.14159265358979323846;
  std::vector<double> angles;
  for (int i = 0; i <= 7200; ++i) angles.push_back(i * (pi / 7200));
  for (const double tiny : {1e-15, 1e-9, 1e-4}) angles.insert(angles.end(), {tiny, pi - tiny});
  for (const double Bo : {5e-4, -2e-2}) {
    p.Bo = Bo;
    for (const double speed : {1e-3, 22000.0, 3e8}) {
      for (const double alpha : angles) {
        // Against B: along -z where Bo < 0.
        const double along = Bo > 0 ? std::cos(alpha) : -std::cos(alpha);
        const Vec3 v{0.6 * speed * std::sin(alpha), 0.8 * speed * std::sin(alpha), speed * along};
        const double pitch = diagnose(1, p, {1, 0.5, -4}, v).pitchDeg;
        // The angle of the rounded velocity: within an ulp of alpha but for sin(pi - tiny).
        const double expected = std::atan2(speed * std::sin(alpha), speed * std::cos(alpha)) / degToRad;
        const double ulp = std::nextafter(expected, 1e9) - expected;
        ASSERT_LE(std::fabs(pitch - expected), 8 * ulp) << Bo << " " << speed << " " << alpha;
      }
    }
  }
}

TEST(Diagnostics, WhereTheFieldVanishes) {
  SimParams p;
  const Vec3 v{0, 3000, 4000};
  // No field strength, but the structure's direction: the pitch is kept, mu has no value.
  p.Bo = 0;
  ParticleDiagnostics d = diagnose(1, p, {1, 0.5, -4}, v);
  EXPECT_EQ(d.B, 0);
  EXPECT_NEAR(d.pitchDeg, 36.8698976, 1e-6);
  EXPECT_TRUE(std::isnan(d.mu));
  // No direction at all: the azimuthal field on its axis, the monopole's own point.
  p = SimParams{};
  for (const auto& [config, r] : {std::pair<FieldConfig, Vec3>{5, {0, 0, 3}}, {6, {0, 0, 0}}}) {
    d = diagnose(config, p, r, v);
    EXPECT_EQ(d.B, 0) << config;
    EXPECT_TRUE(std::isnan(d.pitchDeg) && std::isnan(d.vPerp) && std::isnan(d.mu)) << config;
  }
}

// The plotted values of a sample, as the plots take them.
std::vector<double> plotted(const DiagnosticSample& s) { return {s.dV, s.muRatio, s.pitchDeg, s.B, s.rho, s.z}; }

// Step i of a made-up run (t = i): fast oscillations (dV, ρ, z), a single spike on a fast
// ripple (μ/μ0), a stretch where the value is undefined (the pitch), a constant (|B|).
DiagnosticSample madeUpStep(int i) {
  DiagnosticSample s;
  s.t = i;
  s.dV = static_cast<float>(std::sin(0.9 * i));
  s.muRatio = i == 1234 ? 5.0 : 1 + 1e-3 * std::sin(1.7 * i);
  s.pitchDeg = i >= 2000 && i < 2100 ? std::nan("") : 90 + std::cos(2.1 * i);
  s.B = 1e-4;
  s.rho = 0.5 + 0.1 * std::sin(2.3 * i);
  s.z = std::sin(i * 2 * 3.14159265358979 / 7.3);
  return s;
}

// However long the run, the series stays within its capacity and keeps, of every bucket of
// stride steps, each curve's least and greatest value and its gaps: every peak a plot
// column would show. A run that fits is kept whole.
TEST(DiagnosticsSeries, KeepsEveryPeakAndGapOfEachCurveWithinItsCapacity) {
  const std::size_t capacity = 256;
  DiagnosticsSeries series(capacity);
  // Long runs first: each recompute empties the series, which then starts again at step 0.
  for (const int steps : {40000, 3000, 256, 255, 200, 1}) {
    series.clear();
    for (int i = 0; i < steps; ++i) {
      series.add(madeUpStep(i));
      // At every step, a run may end at any: within the capacity, the curves ending where the run is.
      ASSERT_LE(series.samples().size(), capacity) << i;
      ASSERT_EQ(series.samples().back().t, i);
    }
    const auto& kept = series.samples();
    EXPECT_EQ(series.stepsOffered(), steps);
    if (steps < int(capacity)) { EXPECT_EQ(kept.size(), std::size_t(steps)) << "a run that fits is kept whole"; }
    if (steps > int(capacity)) { EXPECT_GT(series.stride(), 1) << steps; }
    EXPECT_EQ(kept.front().t, 0);
    for (std::size_t k = 0; k < kept.size(); ++k) {
      if (k > 0) { ASSERT_LT(kept[k - 1].t, kept[k].t) << steps; }
      const std::vector<double> given = plotted(madeUpStep(int(kept[k].t))), shown = plotted(kept[k]);
      for (std::size_t v = 0; v < given.size(); ++v)
        EXPECT_TRUE(std::isnan(given[v]) ? std::isnan(shown[v]) : given[v] == shown[v]) << "a sample of no step";
    }
    const std::int64_t stride = series.stride();
    for (std::int64_t first = 0; first < steps; first += stride) {
      const std::int64_t last = std::min<std::int64_t>(first + stride, steps);
      for (std::size_t v = 0; v < 6; ++v) {
        double low = INFINITY, high = -INFINITY, keptLow = INFINITY, keptHigh = -INFINITY;
        bool gap = false, keptGap = false;
        for (std::int64_t i = first; i < last; ++i) {
          const double value = plotted(madeUpStep(int(i)))[v];
          gap = gap || std::isnan(value);
          if (!std::isnan(value)) low = std::min(low, value), high = std::max(high, value);
        }
        for (const DiagnosticSample& s : kept) {
          if (s.t < double(first) || s.t >= double(last)) continue;
          const double value = plotted(s)[v];
          keptGap = keptGap || std::isnan(value);
          if (!std::isnan(value)) keptLow = std::min(keptLow, value), keptHigh = std::max(keptHigh, value);
        }
        EXPECT_EQ(keptLow, low) << steps << " steps, value " << v << ", bucket from " << first;
        EXPECT_EQ(keptHigh, high) << steps << " steps, value " << v << ", bucket from " << first;
        EXPECT_EQ(keptGap, gap) << steps << " steps, value " << v << ", bucket from " << first;
      }
    }
  }
}

TEST(FieldFunctions, EdgeCases) {
  using Fn = float (*)(FieldConfig, const SimParams&, double, double);
  const Fn xy = bzXY, z = bzRZ, rho = bRhoRZ;
  const struct {
    const char* name;
    Fn fn;
    FieldConfig config;
    double S, d, a, b;
    float expected;
  } cases[] = {
      {"uniform", xy, 1, 3.3, 5, -4.7, 123, 1.0f},  {"plane at x = S", xy, 2, 2, 5, 2, 0, float(std::exp(-1.0))},
      {"plane at x = 0", xy, 2, 3.3, 5, 0, 7, 1.0f},  {"axial drift on axis", xy, 3, 3.3, 5, 0, 0, 1.0f},
      {"plane, S = 0: none", xy, 2, 0, 5, 0, 0, 0.0f},  {"axial, S = 0: none", xy, 3, 0, 5, 1, 1, 0.0f},
      {"trap in the tube", z, 4, 3.3, 5, 0.04, 1, 20.0f},  {"trap radial in tube", rho, 4, 3.3, 5, 0.04, 1, 0.0f},
      {"trap at threshold", z, 4, 3.3, 5, 0.05, 1, 20.0f},  {"trap at rho 2", z, 4, 3.3, 5, 2, 1, 0.5f},
      {"trap at rho 3, float", z, 4, 3.3, 5, 3, 0, 1.0f / 3.0f},  {"trap radial, z = 0", rho, 4, 3.3, 5, 1.7, 0, 0.0f},
      {"trap-2 at threshold", z, 7, 5, 5, 0.05, 0, 100.0f},  {"trap-2 in the tube", z, 7, 5, 5, 0.049, 0, 20.0f},
      {"trap-2 radial, z = 0", rho, 7, 5, 5, 1.7, 0, 0.0f},  {"trap, S = 0, z = d", rho, 4, 0, 5, 1, 5, 0.0f},
      {"trap-2, S = 0, z = -d", rho, 7, 0, 5, 1, -5, 0.0f},  {"monopole on axis", z, 6, 1, 5, 0, 1, 1.0f},
      {"monopole radial, axis", rho, 6, 1, 5, 0, 1, 0.0f},  {"monopole at z = 0", z, 6, 1, 5, 1, 0, 0.0f},
      {"monopole radial, z = 0", rho, 6, 1, 5, 1, 0, 1.0f},  {"monopole origin", z, 6, 1, 5, 0, 0, 0.0f},
      {"monopole origin, radial", rho, 6, 1, 5, 0, 0, 0.0f},  {"no axial factor in 5", z, 5, 3.3, 5, 1, 1, 0.0f},
      {"no radial factor in 1", rho, 1, 3.3, 5, 1, 1, 0.0f},  {"no Cartesian in 4", xy, 4, 3.3, 5, 1, 1, 0.0f},
      {"trap-2 jumps to S/rho", z, 7, 3.3, 5, 0.05, 0, 66.0f},  {"beyond float: infinite", xy, 2, 0.01, 5, -5, 0, INFINITY},
  };
  for (const auto& c : cases) {
    SimParams p;
    p.S = c.S;
    p.d = c.d;
    EXPECT_EQ(c.fn(c.config, p, c.a, c.b), c.expected) << c.name;
  }
}

TEST(FieldFunctions, Signs) {
  SimParams p;  // S = 3.3, d = 5
  EXPECT_GT(bzXY(2, p, -0.1, 0), 1.0f);
  for (FieldConfig config : {4, 7}) {
    // Above the middle the nearer coil pulls the field towards the axis.
    EXPECT_LT(bRhoRZ(config, p, 0.05, 1), 0.0f) << config;
    EXPECT_GT(bRhoRZ(config, p, 1, -1), 0.0f) << config;
    EXPECT_EQ(bRhoRZ(config, p, 1, -2), -bRhoRZ(config, p, 1, 2)) << config;
  }
}

}  // namespace
}  // namespace larmor
