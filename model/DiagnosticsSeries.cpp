#include "model/DiagnosticsSeries.h"

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

// The plotted values of a sample, in the order of the curves.
constexpr int valueCount = 6;
void valuesOf(const DiagnosticSample& s, double (&values)[valueCount]) {
  values[0] = s.dV, values[1] = s.muRatio, values[2] = s.pitchDeg;
  values[3] = s.B, values[4] = s.rho, values[5] = s.z;
}

// Most kept samples of one bucket: its first, and a least, a greatest and a NaN per value
// (and the last sample of the series in the last bucket, beside these).
constexpr std::size_t keptPerBucket = 1 + 3 * valueCount;

}  // namespace

DiagnosticsSeries::DiagnosticsSeries(std::size_t capacity)
    : m_capacity(capacity < 4 * keptPerBucket ? 4 * keptPerBucket : capacity) {
  m_samples.reserve(m_capacity);
  m_steps.reserve(m_capacity);
}

void DiagnosticsSeries::clear() {
  m_samples.clear();
  m_steps.clear();
  m_thinned = 0;
  m_offered = 0;
  m_stride = 1;
  ++m_revision;
}

void DiagnosticsSeries::add(const DiagnosticSample& sample) {
  m_samples.push_back(sample);
  m_steps.push_back(m_offered++);
  ++m_revision;
  if (m_samples.size() < m_capacity) return;
  // The samples added since the last thinning, then coarser buckets until at most half the
  // capacity is left, so that thinning costs a constant per step. One bucket keeps at most
  // keptPerBucket samples, so a long enough stride always gets there.
  thin(m_thinned);
  while (m_samples.size() > m_capacity / 2) {
    m_stride *= 2;
    thin(0);
  }
  m_thinned = m_samples.size();
}

void DiagnosticsSeries::thin(std::size_t from) {
  if (from >= m_samples.size()) return;
  // From the first sample of the bucket that holds the sample `from`: the samples before it
  // are thinned at this stride already.
  std::size_t begin = from;
  while (begin > 0 && m_steps[begin - 1] / m_stride == m_steps[from] / m_stride) --begin;
  const std::size_t size = m_samples.size();
  std::size_t kept = begin;
  while (begin < size) {
    const std::int64_t bucket = m_steps[begin] / m_stride;
    std::size_t end = begin + 1;
    while (end < size && m_steps[end] / m_stride == bucket) ++end;
    std::size_t least[valueCount], greatest[valueCount], gap[valueCount];
    double low[valueCount] = {}, high[valueCount] = {};
    for (int k = 0; k < valueCount; ++k) least[k] = greatest[k] = gap[k] = end;
    for (std::size_t i = begin; i < end; ++i) {
      double values[valueCount];
      valuesOf(m_samples[i], values);
      for (int k = 0; k < valueCount; ++k) {
        const double v = values[k];
        if (std::isnan(v)) {
          if (gap[k] == end) gap[k] = i;
          continue;
        }
        // The first of equal extremes.
        if (least[k] == end || v < low[k]) least[k] = i, low[k] = v;
        if (greatest[k] == end || v > high[k]) greatest[k] = i, high[k] = v;
      }
    }
    std::size_t keep[keptPerBucket + 1];
    std::size_t count = 0;
    keep[count++] = begin;
    for (int k = 0; k < valueCount; ++k)
      for (const std::size_t i : {least[k], greatest[k], gap[k]})
        if (i != end) keep[count++] = i;
    if (end == size) keep[count++] = size - 1;  // the run's last step so far: the curves end where the run is
    std::sort(keep, keep + count);
    count = static_cast<std::size_t>(std::unique(keep, keep + count) - keep);
    for (std::size_t j = 0; j < count; ++j, ++kept) {
      m_samples[kept] = m_samples[keep[j]];
      m_steps[kept] = m_steps[keep[j]];
    }
    begin = end;
  }
  if (kept == size) return;
  m_samples.resize(kept);
  m_steps.resize(kept);
  ++m_revision;
}

}  // namespace larmor
