#include "views/OrbitPath.h"

#include <algorithm>

namespace larmor {

OrbitPath::OrbitPath(std::size_t capacity) : m_capacity(std::max<std::size_t>(capacity, 4)) {}

void OrbitPath::clear() {
  m_points.clear();
  m_given = 0;
  m_stride = 1;
  m_lastIsExtra = false;
}

void OrbitPath::append(const Vec3& point) {
  if (m_lastIsExtra) {
    m_points.pop_back();
    m_lastIsExtra = false;
  }
  const bool onStride = m_given % m_stride == 0;
  ++m_given;
  if (!onStride) {
    m_points.push_back(point);
    m_lastIsExtra = true;
    return;
  }
  if (m_points.size() >= m_capacity) {
    // Keep points 0, 2, 4, …: the points on the doubled stride.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_points.size(); i += 2) m_points[kept++] = m_points[i];
    m_points.resize(kept);
    m_stride *= 2;
    if ((m_given - 1) % m_stride != 0) {
      m_points.push_back(point);
      m_lastIsExtra = true;
      return;
    }
  }
  m_points.push_back(point);
}

}  // namespace larmor
