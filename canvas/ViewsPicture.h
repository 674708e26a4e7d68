#pragma once

#include "canvas/ImageCanvas.h"
#include "views/Views.h"

#include <QImage>

namespace larmor {

// The two views of the window, headless: XY width × width, XZ 2·width × width, side by
// side in one picture. The companion's --png and the window's export draw with it.
class ViewsPicture {
public:
  static constexpr int gap = 4;  // [px] white between the two views

  explicit ViewsPicture(int width);

  Views& views() { return m_views; }
  ImageCanvas& xy() { return m_xy; }
  ImageCanvas& xz() { return m_xz; }
  // Both views side by side, (3·width + gap) × width, the markers painted last; a method's
  // name, when given, in the X0Z view's lower right corner, as the window shows it there.
  QImage compose(const QString& methodNote = {}) const;

private:
  int m_width;
  ImageCanvas m_xy;
  ImageCanvas m_xz;
  Views m_views;
};

}  // namespace larmor
