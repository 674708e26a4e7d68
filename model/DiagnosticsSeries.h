#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace larmor {

// What the diagnostics plot of one run step.
struct DiagnosticSample {
  double t = 0;         // [s]
  float dV = 0;         // [%] the speed error, the number the accuracy label shows
  double muRatio = 0;   // μ(t)/μ(0); NaN where μ is undefined
  double pitchDeg = 0;  // [deg] between v and the local B; NaN where B has no direction
  double B = 0;         // [T] |B| at the particle
  double rho = 0;       // [m]
  double z = 0;         // [m]
};

// The samples of one run kept for plotting, in bounded memory however long the run.
// Every step is offered. While the run fits the capacity every sample is kept; when it
// would not, the run is cut into buckets of `stride` steps (from step 0) and of each bucket
// only these samples are kept: its first, and for each plotted value (dV, μ/μ0, the pitch,
// |B|, ρ, z) the sample of its least and of its greatest value in the bucket and the first
// sample where it is NaN. Each kept sample is a whole step's, so a row of the export is one
// step; and each curve keeps every peak and every gap, so that a plot a few thousand pixels
// wide, which draws a column's extremes anyway, shows what all samples would show. The
// stride doubles (and buckets merge) whenever the kept samples reach the capacity; the
// samples since the last merge are kept whole until the next.
class DiagnosticsSeries {
public:
  explicit DiagnosticsSeries(std::size_t capacity = 1 << 14);

  void clear();
  // The sample of the next step.
  void add(const DiagnosticSample& sample);

  // In the order of their steps; the last step offered is always among them.
  const std::vector<DiagnosticSample>& samples() const { return m_samples; }
  std::int64_t stepsOffered() const { return m_offered; }
  // The steps per bucket; 1 while every sample is kept.
  std::int64_t stride() const { return m_stride; }
  // Grows at every change of samples(): a plot that saw the same revision is up to date.
  std::uint64_t revision() const { return m_revision; }

private:
  // Keeps of each bucket of m_stride steps from the sample `from` on only what the class
  // comment says, in place.
  void thin(std::size_t from);

  std::size_t m_capacity;
  std::vector<DiagnosticSample> m_samples;
  std::vector<std::int64_t> m_steps;  // the step of each kept sample, from 0
  std::size_t m_thinned = 0;          // samples()[0, m_thinned) are thinned at this stride
  std::int64_t m_offered = 0;
  std::int64_t m_stride = 1;
  std::uint64_t m_revision = 0;
};

}  // namespace larmor
