#pragma once

#include "model/FieldVector.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace larmor {

// The path of a run in space, held in bounded memory: once it holds capacity points every
// other point is dropped and from then on only every second step is kept (then every
// fourth, …). The last point given is always the path's end, so the line reaches the
// particle. Memory stays flat however long a run is; a long path is drawn with fewer
// points, which at the view's size no one sees.
class OrbitPath {
public:
  explicit OrbitPath(std::size_t capacity = std::size_t{1} << 19);

  void clear();
  void append(const Vec3& point);

  // The kept points, the last one the latest point given.
  const std::vector<Vec3>& points() const { return m_points; }
  // Points given since the last clear.
  std::int64_t given() const { return m_given; }
  // Every stride-th point given is kept.
  std::int64_t stride() const { return m_stride; }

private:
  std::size_t m_capacity;
  std::vector<Vec3> m_points;
  std::int64_t m_given = 0;
  std::int64_t m_stride = 1;
  bool m_lastIsExtra = false;  // the last point is the latest one, off the stride
};

}  // namespace larmor
