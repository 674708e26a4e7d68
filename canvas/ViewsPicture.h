#pragma once

#include "canvas/ImageCanvas.h"
#include "views/Views.h"

#include <QImage>

namespace larmor {

// The two views of the window, headless: XY width × width, XZ 2·width × width.
class TracePicture {
public:
  static constexpr int gap = 4;  // [px] white between the two views

  explicit TracePicture(int width);

  Views& views() { return m_views; }
  // Both views side by side, (3·width + gap) × width, the markers painted last.
  QImage compose() const;

private:
  int m_width;
  ImageCanvas m_xy;
  ImageCanvas m_xz;
  Views m_views;
};

}  // namespace larmor
