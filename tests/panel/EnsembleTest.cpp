// An ensemble is many runs of the run driver: in both traps the trapped fraction of an isotropic
// start is cos α_lc; a cone wholly inside or outside the loss cone all escapes or all
// stays; the gradient drift averages to the guiding-centre value; the results are the same
// bits whatever the number of threads or slices; a cancel ends it mid-run.
#include "panel/Ensemble.h"
#include "panel/EnsembleCsv.h"

#include "model/FieldVector.h"
#include "panel/ControlPanel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <chrono>
#include <functional>
#include <thread>

namespace larmor {
namespace {

ControlPanel panelFor(int row, int alphaDeg = -1) {
  ControlPanel panel('.');
  panel.Form_Load();
  panel.selectEntry(row);
  if (alphaDeg >= 0) panel.moveBar(Bar::VScroll6, alphaDeg);
  return panel;
}

EnsembleSettings settingsOf(std::int64_t particles, float periods = 400, std::uint64_t seed = 1) {
  EnsembleSettings settings;
  settings.particles = particles, settings.periods = periods, settings.seed = seed;
  return settings;
}

// A trap with a Larmor radius of a few centimetres (3,000 m/s in 1.5 mT), started in its
// middle plane at rho = 2.5 m, where mu is well kept; the second trap with S = 0.3 m, so that
// its field line there stays clear of the axis.
ControlPanel adiabaticTrap(int alphaDeg = -1, int row = 3) {
  ControlPanel panel = panelFor(row, alphaDeg);
  if (row == 6) panel.typeText(TextBox::Text1, "0.3");
  panel.moveBar(Bar::VScroll4, 3000);
  panel.moveBar(Bar::VScroll5, 30000);
  panel.moveBar(Bar::VScroll7, 25);
  panel.moveBar(Bar::VScroll8, 0);
  panel.moveBar(Bar::VScroll9, 0);
  return panel;
}

// cos α_lc with sin² α_lc = B0/Bmax, by hand. In the first trap B_z = Bo/rho and
// B_rho = Bo·S²·(A⁻³ − B⁻³)/rho with A² = S² + (z + d)², B² = S² + (z − d)², so the line
// has d rho/dz = S²·(A⁻³ − B⁻³), which integrates to rho = rho0 + g(z) − g(z0) with
// g = (z + d)/A − (z − d)/B; |B| along it is Bo/rho·sqrt(1 + (d rho/dz)²). The second has
// B_z = Bo·S/rho and B_rho = Bo·S⁴·(A⁻³ − B⁻³)/rho: each S once more. Bmax is the smaller
// of the largest |B| up and down the line.
double lossConeCosine(const ControlPanel& panel) {
  const SimParams& p = panel.state().params;
  const double S = p.S, d = p.d, rho0 = std::hypot(p.x0, p.y0), z0 = p.z0;
  const auto A = [&](double z) { return std::sqrt(S * S + (z + d) * (z + d)); };
  const auto B = [&](double z) { return std::sqrt(S * S + (z - d) * (z - d)); };
  const auto g = [&](double z) { return (z + d) / A(z) - (z - d) / B(z); };
  const double k = panel.state().fieldConfig == 7 ? S : 1;
  const auto field = [&](double z) {
    const double rho = rho0 + k * (g(z) - g(z0)), slope = k * S * S * (1 / std::pow(A(z), 3) - 1 / std::pow(B(z), 3));
    EXPECT_GT(rho, 0.05) << "the line must stay clear of the axis";
    return p.Bo * k / rho * std::sqrt(1 + slope * slope);
  };
  double peak[2] = {0, 0};
  for (int side = 0; side < 2; ++side)
    for (double dz = 0; dz < 200; dz += 2e-4) peak[side] = std::max(peak[side], field(z0 + (side ? -dz : dz)));
  return std::sqrt(1 - field(z0) / std::min(peak[0], peak[1]));
}

TEST(Ensemble, TrappedFractionOfAnIsotropicStartIsTheCosineOfTheLossCone) {
  for (const int row : {3, 6}) {
    const ControlPanel panel = adiabaticTrap(-1, row);
    const EnsembleSettings settings = settingsOf(150, 100, 7);
    const Ensemble ensemble(panel, settings);
    const EnsembleSummary s = summarizeEnsemble(ensemble.run(2));
    const double expected = lossConeCosine(panel);
    ASSERT_TRUE(s.measured && s.error) << row;
    const double sigma = std::sqrt(expected * (1 - expected) / settings.particles);  // binomial
    EXPECT_NEAR(*s.measured, expected, 3 * sigma) << row;
    EXPECT_NEAR(*s.error / sigma, 1, 0.25) << row;
    EXPECT_NEAR(*ensemble.prediction().trappedFraction, expected, 2e-3) << row;
    // Particles leave through both ends; the others are slow to turn at both.
    EXPECT_GT(s.escapedUp, 0);
    EXPECT_GT(s.escapedDown, 0);
    EXPECT_EQ(s.trapped + s.undecided + s.escapedUp + s.escapedDown, s.particles);
  }
}

TEST(Ensemble, AConeInsideTheLossConeAllEscapesOneOutsideItAllStays) {
  const double lossConeDeg = std::acos(lossConeCosine(adiabaticTrap())) / 0.017453292519943295;
  EnsembleSettings settings = settingsOf(12, 100);
  settings.distribution = Distribution::cone, settings.spreadDeg = 3;
  const int inside = static_cast<int>(lossConeDeg) - 5, outside = static_cast<int>(lossConeDeg) + 6;
  const EnsembleSummary escaping = summarizeEnsemble(Ensemble(adiabaticTrap(inside), settings).run(2));
  EXPECT_EQ(escaping.escapedUp, settings.particles);
  const EnsembleSummary backwards = summarizeEnsemble(Ensemble(adiabaticTrap(180 - inside), settings).run(2));
  EXPECT_EQ(backwards.escapedDown, settings.particles);
  const EnsembleSummary staying = summarizeEnsemble(Ensemble(adiabaticTrap(outside), settings).run(2));
  EXPECT_EQ(staying.escapedUp + staying.escapedDown, 0);
  EXPECT_EQ(staying.measured, 1.0);
}

TEST(Ensemble, TheGradientDriftAveragesToTheGuidingCentreValue) {
  const ControlPanel panel = panelFor(1);
  const std::vector<ParticleResult> results = Ensemble(panel, settingsOf(40, 6)).run(2);
  const EnsembleSummary s = summarizeEnsemble(results);
  ASSERT_TRUE(s.driftMeasured && s.driftError);
  // B = Bo·exp(−x/S) ẑ: the drift is −m·v⊥²/(2qBS) along y, and isotropic ⟨v⊥²⟩ = ⅔v².
  const SimParams& p = panel.state().params;
  const double B = p.Bo * std::exp(-p.x0 / p.S), v = p.v;
  double meanSquare = 0;
  for (const ParticleResult& r : results) meanSquare += std::pow(v * std::sin(r.pitchDeg * 0.017453292519943295), 2);
  meanSquare /= static_cast<double>(results.size());
  const double sample = -p.m * meanSquare / (2 * p.q * B * p.S);
  EXPECT_NEAR(*s.driftMeasured, sample, 0.05 * std::fabs(sample));
  EXPECT_EQ(s.trapped + s.escapedUp + s.escapedDown + s.undecided, 0);
}

bool sameBits(const ParticleResult& a, const ParticleResult& b) {
  return a.index == b.index && a.outcome == b.outcome && a.steps == b.steps &&
         std::memcmp(&a.pitchDeg, &b.pitchDeg, sizeof(double)) == 0 && std::memcmp(&a.t, &b.t, sizeof(double)) == 0 &&
         std::memcmp(&a.driftMeasured, &b.driftMeasured, sizeof(double)) == 0;
}

TEST(Ensemble, ThreadsAndSlicesGiveTheSameBitsAsOneWholeRun) {
  const ControlPanel panel = panelFor(3);
  EnsembleSettings settings = settingsOf(9, 400, 11);
  const Ensemble ensemble(panel, settings);
  const std::vector<ParticleResult> one = ensemble.run(1);
  for (const unsigned threads : {2u, 4u}) {
    const std::vector<ParticleResult> many = ensemble.run(threads);
    ASSERT_EQ(many.size(), one.size());
    for (std::size_t i = 0; i < one.size(); ++i) EXPECT_TRUE(sameBits(one[i], many[i])) << threads << " " << i;
  }
  // Keeping the first paths changes no bit. Each starts at the start point and holds at most
  // the limit of points but, thinned by halves, never fewer than half of it.
  std::vector<ParticlePath> paths(5);
  const std::vector<ParticleResult> watched = ensemble.run(4, nullptr, &paths);
  for (std::size_t i = 0; i < one.size(); ++i) EXPECT_TRUE(sameBits(one[i], watched[i])) << i;
  std::int64_t longest = 0;
  const SimParams& p = panel.state().params;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::vector<std::array<double, 3>>& points = paths[i].points;
    EXPECT_EQ(paths[i].index, static_cast<std::int64_t>(i));
    EXPECT_EQ(paths[i].outcome, one[i].outcome);
    ASSERT_GE(points.size(), 2u);
    EXPECT_LE(points.size(), pathPointLimit);
    EXPECT_GE(static_cast<std::int64_t>(points.size()), std::min<std::int64_t>(one[i].steps + 1, pathPointLimit / 2));
    EXPECT_EQ(points[0], (std::array<double, 3>{p.x0, p.y0, static_cast<double>(p.z0)}));
    longest = std::max(longest, one[i].steps);
  }
  EXPECT_GT(longest, static_cast<std::int64_t>(2 * pathPointLimit)) << "thinned at least twice";
  // Three slices written as CSV and read back merge to the whole.
  std::vector<EnsembleCsvRead> slices;
  for (const int k : {3, 1, 2}) {
    const auto [first, last] = Ensemble::shard(settings.particles, k, 3);
    std::string text = ensembleCsvHeader(ensembleHeader(ensemble));
    for (const ParticleResult& r : ensemble.run(2, first, last)) text += ensembleCsvRow(r);
    std::istringstream in(text);
    slices.push_back(readEnsembleCsv(in));
    ASSERT_EQ(slices.back().error, "");
  }
  EnsembleCsvRead missing = mergeEnsembleSlices({slices[0], slices[1]});
  EXPECT_EQ(missing.error, "particle missing: 3");
  EXPECT_EQ(mergeEnsembleSlices({slices[0], slices[1], slices[1], slices[2]}).error, "particle given twice: 0");
  const EnsembleCsvRead whole = mergeEnsembleSlices(slices);
  ASSERT_EQ(whole.error, "");
  ASSERT_EQ(whole.results.size(), one.size());
  for (std::size_t i = 0; i < one.size(); ++i) EXPECT_TRUE(sameBits(one[i], whole.results[i])) << i;
  // A different seed starts different particles.
  settings.seed = 12;
  EXPECT_FALSE(sameBits(Ensemble(panel, settings).runParticle(0), one[0]));
}

// The ensemble run on two threads, cancelled once wait returns.
std::vector<ParticleResult> cancelledRun(const Ensemble& ensemble, EnsembleProgress& progress, const std::function<void()>& wait) {
  std::vector<ParticleResult> results;
  std::thread worker([&] { results = ensemble.run(2, &progress); });
  wait();
  progress.cancelled = true;
  worker.join();
  return results;
}

TEST(Ensemble, ACancelEndsTheRunMidParticleAndKeepsWhatFinished) {
  EnsembleSettings settings = settingsOf(100000);
  // Short particles: a cancel keeps every one that finished.
  EnsembleProgress shortOnes;
  const std::vector<ParticleResult> results =
      cancelledRun(Ensemble(panelFor(3), settings), shortOnes, [&] { while (shortOnes.finished.load() < 3) std::this_thread::yield(); });
  const EnsembleSummary s = summarizeEnsemble(results);
  EXPECT_EQ(s.particles, shortOnes.finished.load());
  EXPECT_LT(s.particles, 1000);
  for (const ParticleResult& r : results)
    if (r.outcome != Outcome::notRun) { EXPECT_GT(r.steps, 0); }
  // Particles of millions of steps each (seconds): cancelled well inside the first ones, none
  // of them is finished, so the threads stopped mid-particle.
  settings.periods = 1e6;
  EnsembleProgress longOnes;
  const auto wait = [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); };
  EXPECT_EQ(summarizeEnsemble(cancelledRun(Ensemble(panelFor(0), settings), longOnes, wait)).particles, 0);
  EXPECT_EQ(longOnes.finished.load(), 0);
}

}  // namespace
}  // namespace larmor
