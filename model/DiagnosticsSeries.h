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

// The samples of one run kept for plotting. Memory stays bounded however long the run:
// when the capacity is reached every second sample is dropped and from then on only every
// stride-th step is kept (the stride doubles each time), so the curves keep their shape
// over the whole run with at most `capacity` points.
class DiagnosticsSeries {
public:
  explicit DiagnosticsSeries(std::size_t capacity = 1 << 18);

  void clear();
  // Offered at every step; kept when the step falls on the stride.
  void add(const DiagnosticSample& sample) {
    offer([&sample]() -> const DiagnosticSample& { return sample; });
  }
  // The same, the sample made by make() only for a step that is kept: once the series has
  // been full, most steps are not, and need not be measured.
  template <typename Make>
  void offer(Make&& make) {
    if (!keepsNext()) return;
    m_samples.push_back(make());
    ++m_revision;
  }

  const std::vector<DiagnosticSample>& samples() const { return m_samples; }
  std::int64_t stepsOffered() const { return m_offered; }
  std::int64_t stride() const { return m_stride; }
  // Grows at every change of samples(): a plot that saw the same revision is up to date.
  std::uint64_t revision() const { return m_revision; }

private:
  // Counts the step and makes room; true when the step is to be kept.
  bool keepsNext();

  std::size_t m_capacity;
  std::vector<DiagnosticSample> m_samples;
  std::int64_t m_offered = 0;
  std::int64_t m_stride = 1;
  std::uint64_t m_revision = 0;
};

}  // namespace larmor
