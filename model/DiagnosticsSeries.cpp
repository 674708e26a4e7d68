#include "model/DiagnosticsSeries.h"

namespace larmor {

DiagnosticsSeries::DiagnosticsSeries(std::size_t capacity) : m_capacity(capacity < 2 ? 2 : capacity) {
  m_samples.reserve(m_capacity);
}

void DiagnosticsSeries::clear() {
  m_samples.clear();
  m_offered = 0;
  m_stride = 1;
  ++m_revision;
}

bool DiagnosticsSeries::keepsNext() {
  const std::int64_t index = m_offered++;
  if (index % m_stride != 0) return false;
  if (m_samples.size() == m_capacity) {
    // Keep the even ones: the samples at multiples of the doubled stride.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_samples.size(); i += 2) m_samples[kept++] = m_samples[i];
    m_samples.resize(kept);
    m_stride *= 2;
    if (index % m_stride != 0) {
      ++m_revision;
      return false;
    }
  }
  return true;
}

}  // namespace larmor
