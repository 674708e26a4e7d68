#include "canvas/ImageCanvas.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace larmor {

namespace {

constexpr std::uint32_t white = 0xFFFFFFFFu;
constexpr std::uint32_t foreground = 0xFF000000u;  // window text: black
constexpr int dotsPerMeter96Dpi = 3780;          // 96 dpi: 11.25 pt is 15 pixels

std::uint32_t pixelOf(Colour colour) { return 0xFF000000u | (colour & 0xFFFFFFu); }

bool finite(double a) { return std::isfinite(a); }

// floor(v) as an integer, for a finite v well inside the range of the type (every
// coordinate reaching the rasteriser is; std::floor is a library call without SSE4.1).
std::int64_t floorToInt(double v) {
  const std::int64_t i = std::int64_t(v);
  return i - (double(i) > v ? 1 : 0);
}

// floor(n / d) for d > 0.
std::int64_t floorDiv(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  if ((n % d != 0) && (n < 0)) --q;
  return q;
}

// Clips the segment to the box in place; false when nothing is left. Each end that lies
// outside is moved onto the box along the line as seen from the other end, so an end near
// the picture keeps the direction exact however far the other end lies.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xMin, double yMin,
                 double xMax, double yMax) {
  auto code = [&](double x, double y) {
    return (x < xMin ? 1 : x > xMax ? 2 : 0) | (y < yMin ? 4 : y > yMax ? 8 : 0);
  };
  int c1 = code(x1, y1), c2 = code(x2, y2);
  for (int round = 0; round < 8; ++round) {
    if ((c1 | c2) == 0) return true;
    if ((c1 & c2) != 0) return false;
    // Move the farther outside end first, seen from the nearer one.
    const bool first = c2 == 0 || (c1 != 0 && std::max(std::fabs(x1), std::fabs(y1)) >=
                                                  std::max(std::fabs(x2), std::fabs(y2)));
    double& px = first ? x1 : x2;
    double& py = first ? y1 : y2;
    const double qx = first ? x2 : x1, qy = first ? y2 : y1;
    const int c = first ? c1 : c2;
    if (c & 8) {
      px = qx + (px - qx) * ((yMax - qy) / (py - qy));
      py = yMax;
    } else if (c & 4) {
      px = qx + (px - qx) * ((yMin - qy) / (py - qy));
      py = yMin;
    } else if (c & 2) {
      py = qy + (py - qy) * ((xMax - qx) / (px - qx));
      px = xMax;
    } else {
      py = qy + (py - qy) * ((xMin - qx) / (px - qx));
      px = xMin;
    }
    if (!finite(px) || !finite(py)) return false;
    (first ? c1 : c2) = code(px, py);
  }
  return (c1 | c2) == 0;
}

}  // namespace

struct ImageCanvas::Impl {
  QImage image;
  QPainter painter;
  QFont font = ImageCanvas::pictureFont();
  std::unique_ptr<QFontMetricsF> metrics;  // of the font on this image
  std::function<void()> changed;

  int width = 0, height = 0;  // [device pixels]
  qreal ratio = 1;
  double scaleX = 0, scaleY = 0;  // [device pixels per view unit]
  double uLeft = 0, wTop = 0;
  float currentU = 0, currentW = 0;
  float backgroundU = 0, backgroundW = 0;  // the current point when the background was kept

  bool pendingClear = true;  // white but not filled yet: a kept background may come first
  bool fresh = true;         // nothing drawn since the last clear
  bool culling = true;

  bool recording = false;
  std::uint64_t recordingKey = 0;
  bool backgroundValid = false;
  std::uint64_t backgroundKey = 0;
  ViewMapping backgroundMapping;
  QImage background;

  std::uint32_t* bits = nullptr;
  qsizetype stride = 0;   // [pixels per row]
  bool writable = false;  // bits point into an image nobody else holds

  // What changed since the changed area was last taken: pixels written [device pixels,
  // inclusive] and areas given in logical pixels; whether the handler was told.
  bool dirty = false;
  int dirtyLeft = 0, dirtyTop = 0, dirtyRight = 0, dirtyBottom = 0;
  QRect changedArea;
  bool told = false;

  double toX(double u) const { return (u - uLeft) * scaleX; }
  double toY(double w) const { return (wTop - w) * scaleY; }

  void newImage() {
    image = QImage(width, height, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(dotsPerMeter96Dpi);
    image.setDotsPerMeterY(dotsPerMeter96Dpi);
    metrics = std::make_unique<QFontMetricsF>(font, &image);
    writable = false;
  }

  void endPainting() {
    if (painter.isActive()) painter.end();
  }

  // Makes the image writable through bits: filled if a clear is pending, never shared.
  void prepareWrite() {
    if (pendingClear) {
      if (!image.isDetached()) {
        endPainting();
        newImage();
      }
      image.fill(white);
      pendingClear = false;
    }
    // Only image() hands the buffer out (and ends the painter): until then bits stay valid.
    if (!writable) {
      bits = reinterpret_cast<std::uint32_t*>(image.bits());
      stride = image.bytesPerLine() / 4;
      writable = true;
    }
    fresh = false;
  }

  QPainter& openPainter() {
    if (!painter.isActive()) {
      prepareWrite();
      painter.begin(&image);
      writable = false;
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setFont(font);
      painter.setPen(QColor(Qt::black));
      painter.setBackgroundMode(Qt::TransparentMode);
      prepareWrite();
    }
    return painter;
  }

  void markDirty(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    if (!dirty) {
      dirty = true;
      dirtyLeft = int(left), dirtyTop = int(top), dirtyRight = int(right), dirtyBottom = int(bottom);
      return;
    }
    dirtyLeft = std::min<int>(dirtyLeft, int(left));
    dirtyTop = std::min<int>(dirtyTop, int(top));
    dirtyRight = std::max<int>(dirtyRight, int(right));
    dirtyBottom = std::max<int>(dirtyBottom, int(bottom));
  }

  // Tells the handler once per taking of the changed area.
  void tell() {
    if (told) return;
    told = true;
    if (changed) changed();
  }

  void endCall() {
    if (dirty) tell();
  }

  void addChangedArea(const QRect& area) {
    changedArea |= area;
    tell();
  }

  // The device pixels written, as the logical pixels that cover them, and what else
  // changed; then nothing.
  QRect takeChangedArea() {
    QRect area = changedArea;
    if (dirty) {
      const int left = int(std::floor(dirtyLeft / ratio));
      const int top = int(std::floor(dirtyTop / ratio));
      const int right = int(std::ceil((dirtyRight + 1) / ratio));
      const int bottom = int(std::ceil((dirtyBottom + 1) / ratio));
      area |= QRect(left, top, right - left, bottom - top);
    }
    dirty = false;
    changedArea = QRect();
    told = false;
    return area;
  }

  void plot(std::int64_t x, std::int64_t y, std::uint32_t pixel) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    bits[y * stride + x] = pixel;
    markDirty(x, y, x, y);
  }

  // Both ends inside the image first (a value not finite fails the test): the end pixels
  // are then the truncated coordinates, which keeps the way from the coordinates to the
  // first pixel written short. Then both ends beyond one edge (a trail far outside): no
  // pixel, as the general case, kept out of line, would find after rounding. The tests
  // are combined without branches: which of them holds follows no pattern.
  void line(double x1, double y1, double x2, double y2, std::uint32_t pixel) {
    const bool inside = (x1 >= 0) & (x1 < width) & (y1 >= 0) & (y1 < height) & (x2 >= 0) &
                        (x2 < width) & (y2 >= 0) & (y2 < height);
    const bool beside = ((x1 < 0) & (x2 < 0)) | ((x1 >= width) & (x2 >= width)) |
                        ((y1 < 0) & (y2 < 0)) | ((y1 >= height) & (y2 >= height));
    if (culling && inside) {
      lineInside(std::int64_t(x1), std::int64_t(y1), std::int64_t(x2), std::int64_t(y2), pixel);
    } else if (!(culling && beside)) {
      lineAnywhere(x1, y1, x2, y2, pixel);
    }
  }
  [[gnu::noinline]] void lineAnywhere(double x1, double y1, double x2, double y2, std::uint32_t pixel);
  void lineInside(std::int64_t X1, std::int64_t Y1, std::int64_t X2, std::int64_t Y2, std::uint32_t pixel);
  void circle(double cx, double cy, double r, std::uint32_t pixel);
};

// The same pixels as line() for end pixels inside the image, so every pixel between them
// is inside too (most trail segments, a few pixels long): no test per pixel, rows and
// columns taken by the same walk, few branches whose way depends on the segment. The walk
// goes from the first end to the second: at a = A1 the quotient and remainder of line()
// are 0 and |DA| without a division, each step along a towards A2 adds 2·DB to the
// remainder, and the quotient is kept in the place of the pixel.
inline void ImageCanvas::Impl::lineInside(std::int64_t X1, std::int64_t Y1, std::int64_t X2, std::int64_t Y2,
                                          std::uint32_t pixel) {
  prepareWrite();
  std::uint32_t* at = bits + Y1 * stride + X1;
  *at = pixel;
  const std::int64_t DX = X2 - X1, DY = Y2 - Y1;
  const bool xMajor = std::llabs(DX) >= std::llabs(DY);
  const std::int64_t DA = xMajor ? DX : DY, DB = xMajor ? DY : DX;
  const std::int64_t D = 2 * std::llabs(DA);
  const std::int64_t increment = 2 * DB;
  const qsizetype along = (xMajor ? 1 : stride) * (DA > 0 ? 1 : -1), across = xMajor ? stride : 1;
  std::int64_t r = std::llabs(DA);
  for (std::int64_t n = std::llabs(DA); n > 0; --n) {
    r += increment;
    const std::int64_t carry = std::int64_t(r >= D) - std::int64_t(r < 0);
    r -= carry * D;
    at += along + carry * across;
    *at = pixel;
  }
  markDirty(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

// Pixels of the whole segment between the pixels holding its ends: along the longer
// direction one pixel per column (or row), the other coordinate rounded from the exact
// slope of the end pixels. The clipped path visits only columns inside the image but
// computes each from the same end pixels, so it lights exactly the same pixels.
void ImageCanvas::Impl::lineAnywhere(double x1, double y1, double x2, double y2, std::uint32_t pixel) {
  // Far ends are cut back (in double precision) to a little beyond the image first; for
  // ordinary coordinates the end pixels are kept as they are. One test for the common
  // case: a value not finite fails it too.
  constexpr double far = 1 << 22;  // [device pixels]
  if (!(std::fabs(x1) <= far) | !(std::fabs(y1) <= far) | !(std::fabs(x2) <= far) | !(std::fabs(y2) <= far)) {
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) return;
    constexpr double margin = 16;
    if (!clipSegment(x1, y1, x2, y2, -margin, -margin, width + margin, height + margin)) return;
  }
  const std::int64_t X1 = floorToInt(x1), Y1 = floorToInt(y1);
  const std::int64_t X2 = floorToInt(x2), Y2 = floorToInt(y2);
  if (culling && (std::max(X1, X2) < 0 || std::min(X1, X2) >= width || std::max(Y1, Y2) < 0 ||
                  std::min(Y1, Y2) >= height)) {
    return;
  }
  prepareWrite();
  const std::int64_t DX = X2 - X1, DY = Y2 - Y1;

  if (DY == 0) {  // a row: one span
    if (Y1 < 0 || Y1 >= height) return;
    const std::int64_t lo = std::max<std::int64_t>(std::min(X1, X2), 0);
    const std::int64_t hi = std::min<std::int64_t>(std::max(X1, X2), width - 1);
    if (lo > hi) return;
    std::uint32_t* row = bits + Y1 * stride;
    std::fill(row + lo, row + hi + 1, pixel);
    markDirty(lo, Y1, hi, Y1);
    return;
  }
  if (DX == 0) {  // a column
    if (X1 < 0 || X1 >= width) return;
    const std::int64_t lo = std::max<std::int64_t>(std::min(Y1, Y2), 0);
    const std::int64_t hi = std::min<std::int64_t>(std::max(Y1, Y2), height - 1);
    if (lo > hi) return;
    for (std::int64_t y = lo; y <= hi; ++y) bits[y * stride + X1] = pixel;
    markDirty(X1, lo, X1, hi);
    return;
  }

  // Along the major axis a (start A1, extent DA), the minor b = B1 + round(t·DB / DA),
  // halves upwards, kept as quotient and remainder of (2·t·DB + DA)·sign / (2·|DA|).
  const bool xMajor = std::llabs(DX) >= std::llabs(DY);
  const std::int64_t A1 = xMajor ? X1 : Y1, B1 = xMajor ? Y1 : X1;
  const std::int64_t DA = xMajor ? DX : DY, DB = xMajor ? DY : DX;
  const std::int64_t aLimit = xMajor ? width : height, bLimit = xMajor ? height : width;
  std::int64_t lo = std::min(A1, A1 + DA), hi = std::max(A1, A1 + DA);
  if (culling) {
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, aLimit - 1);
  }
  const std::int64_t sign = DA > 0 ? 1 : -1;
  const std::int64_t D = 2 * std::llabs(DA);
  const std::int64_t increment = sign * 2 * DB;
  const std::int64_t n0 = sign * (2 * (lo - A1) * DB + DA);
  std::int64_t q = floorDiv(n0, D);
  std::int64_t r = n0 - q * D;
  const bool rising = sign * DB > 0;  // the minor coordinate grows with a
  for (std::int64_t a = lo; a <= hi; ++a) {
    const std::int64_t b = B1 + q;
    if (culling && (rising ? b >= bLimit : b < 0)) break;  // left the image for good
    if (xMajor) {
      plot(a, b, pixel);
    } else {
      plot(b, a, pixel);
    }
    r += increment;
    if (r >= D) {
      r -= D;
      ++q;
    } else if (r < 0) {
      r += D;
      --q;
    }
  }
}


// A true circle: one pixel per column where the outline is flatter than 45°, one per row
// where it is steeper, each at the outline's crossing of the pixel centre line.
void ImageCanvas::Impl::circle(double cx, double cy, double r, std::uint32_t pixel) {
  if (!finite(cx) || !finite(cy) || !finite(r)) return;
  r = std::fabs(r);
  if (culling) {
    // Wholly beside the image, or the image wholly inside the circle: nothing to light.
    if (cx + r < -1 || cx - r > width + 1 || cy + r < -1 || cy - r > height + 1) return;
    const double farX = std::max(std::fabs(cx), std::fabs(cx - width));
    const double farY = std::max(std::fabs(cy), std::fabs(cy - height));
    if (std::hypot(farX, farY) < r - 2) return;
  }
  prepareWrite();
  if (r < 0.5) {  // radius 0 (or under half a pixel): the centre's pixel
    plot(std::int64_t(std::floor(cx)), std::int64_t(std::floor(cy)), pixel);
    return;
  }
  const double k = r * 0.70710678118654752;  // r·cos 45°
  // Range of pixel indices i with |i + 0.5 - c| <= k, limited to the image when culling
  // (and to a sane range for the reference path) before leaving double precision.
  auto range = [&](double c, int limit, std::int64_t& lo, std::int64_t& hi) {
    double from = std::ceil(c - k - 0.5), to = std::floor(c + k - 0.5);
    const double low = culling ? 0 : -1e7, high = culling ? limit - 1 : 1e7;
    from = std::max(from, low);
    to = std::min(to, high);
    lo = std::int64_t(from);
    hi = std::int64_t(to);
  };
  std::int64_t lo, hi;
  range(cx, width, lo, hi);
  for (std::int64_t i = lo; i <= hi; ++i) {
    const double dx = i + 0.5 - cx;
    const double dy = std::sqrt(std::max(0.0, r * r - dx * dx));
    plot(i, std::int64_t(std::floor(cy - dy)), pixel);
    plot(i, std::int64_t(std::floor(cy + dy)), pixel);
  }
  range(cy, height, lo, hi);
  for (std::int64_t j = lo; j <= hi; ++j) {
    const double dy = j + 0.5 - cy;
    const double dx = std::sqrt(std::max(0.0, r * r - dy * dy));
    plot(std::int64_t(std::floor(cx - dx)), j, pixel);
    plot(std::int64_t(std::floor(cx + dx)), j, pixel);
  }
}

ImageCanvas::ImageCanvas() : m_impl(std::make_unique<Impl>()) {
  resize(QSize(1, 1));
}

ImageCanvas::~ImageCanvas() { m_impl->endPainting(); }

void ImageCanvas::resize(QSize logicalSize, qreal devicePixelRatio) {
  Impl& d = *m_impl;
  resolveMarker();
  d.endPainting();
  m_logicalSize = logicalSize.expandedTo(QSize(0, 0));
  d.ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  d.width = std::max(1, int(std::lround(m_logicalSize.width() * d.ratio)));
  d.height = std::max(1, int(std::lround(m_logicalSize.height() * d.ratio)));
  d.newImage();
  d.pendingClear = true;
  d.fresh = true;
  d.recording = false;
  d.backgroundValid = false;
  d.background = QImage();
  setMapping(m_mapping);
}

const QImage& ImageCanvas::image() const {
  Impl& d = *m_impl;
  d.endPainting();
  if (d.pendingClear) {
    // Being read counts as drawn for nothing; the picture stays fresh.
    const bool fresh = d.fresh;
    d.prepareWrite();
    d.fresh = fresh;
  }
  // The caller may keep a copy that shares the buffer: the next write detaches first.
  d.writable = false;
  return d.image;
}

void ImageCanvas::setChangedHandler(std::function<void()> handler) {
  m_impl->changed = std::move(handler);
}

QRect ImageCanvas::takeChangedArea() {
  QRect area = m_impl->takeChangedArea();
  if (m_markerChanged) {
    resolveMarker();
    // Only the part on the picture counts: a marker beside it does not widen the box.
    const QSizeF size(markerDiameter, markerDiameter);
    const QRect picture(QPoint(0, 0), m_logicalSize);
    area |= (QRectF(m_markerTakenTopLeft, size).toAlignedRect() & picture) |
            (QRectF(m_markerTopLeft, size).toAlignedRect() & picture);
    m_markerTakenTopLeft = m_markerTopLeft;
    m_markerChanged = false;
  }
  return area;
}

QPointF ImageCanvas::markerTopLeft() const {
  resolveMarker();
  return m_markerTopLeft;
}

void ImageCanvas::paintMarker(QPainter& painter, QPointF offset) const {
  resolveMarker();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(m_markerColour);
  painter.setBrush(m_markerColour);
  painter.drawEllipse(QRectF(offset + m_markerTopLeft,
                             QSizeF(markerDiameter - 1, markerDiameter - 1)));
  painter.restore();
}

void ImageCanvas::setCulling(bool on) { m_impl->culling = on; }

void ImageCanvas::setMapping(const ViewMapping& mapping) {
  Impl& d = *m_impl;
  resolveMarker();
  m_mapping = mapping;
  d.uLeft = mapping.uLeft;
  d.wTop = mapping.wTop;
  // A degenerate rectangle gives infinite or undefined scales: everything is then skipped.
  d.scaleX = d.width / (double(mapping.uRight) - double(mapping.uLeft));
  d.scaleY = d.height / (double(mapping.wTop) - double(mapping.wBottom));
  // The marker's size in view units, read at every step of a run.
  m_markerWidth = m_logicalSize.width() <= 0
      ? 0.0f
      : float(markerDiameter * (double(mapping.uRight) - mapping.uLeft) / m_logicalSize.width());
  m_markerHeight = m_logicalSize.height() <= 0
      ? 0.0f
      : float(markerDiameter * (double(mapping.wTop) - mapping.wBottom) / m_logicalSize.height());
  // A place within a thousand spans of the corner lies within a thousand picture sizes of
  // it: finite and far inside the bound of moveMarker.
  const double spanU = double(mapping.uRight) - mapping.uLeft;
  const double spanW = double(mapping.wTop) - mapping.wBottom;
  m_markerSafe = finite(spanU) && finite(spanW) && spanU != 0 && spanW != 0 &&
                 m_logicalSize.width() <= 100000 && m_logicalSize.height() <= 100000;
  m_safeSpanU = 1000 * std::fabs(spanU);
  m_safeSpanW = 1000 * std::fabs(spanW);
}

void ImageCanvas::line(float u1, float w1, float u2, float w2, Colour colour) {
  Impl& d = *m_impl;
  d.line(d.toX(u1), d.toY(w1), d.toX(u2), d.toY(w2), pixelOf(colour));
  d.currentU = u2;
  d.currentW = w2;
  d.endCall();
}

void ImageCanvas::lineTo(float u, float w, Colour colour) {
  Impl& d = *m_impl;
  d.line(d.toX(d.currentU), d.toY(d.currentW), d.toX(u), d.toY(w), pixelOf(colour));
  d.currentU = u;
  d.currentW = w;
  d.endCall();
}

void ImageCanvas::dot(float u, float w) {
  Impl& d = *m_impl;
  const double x = d.toX(u), y = d.toY(w);
  if (finite(x) && finite(y) && x >= 0 && y >= 0 && x < d.width && y < d.height) {
    d.prepareWrite();
    d.plot(std::int64_t(x), std::int64_t(y), foreground);
  }
  d.currentU = u;
  d.currentW = w;
  d.endCall();
}

void ImageCanvas::circle(float u, float w, float r, Colour colour) {
  Impl& d = *m_impl;
  d.circle(d.toX(u), d.toY(w), double(r) * d.scaleX, pixelOf(colour));
  d.endCall();
}

void ImageCanvas::print(std::string_view utf8Text) {
  Impl& d = *m_impl;
  const double x = d.toX(d.currentU), y = d.toY(d.currentW);
  if (!finite(x) || !finite(y) || utf8Text.empty()) return;
  // The anchor is the top-left corner of the pixel holding the current point.
  const double left = std::floor(x) / d.ratio, top = std::floor(y) / d.ratio;
  const QString text = QString::fromUtf8(utf8Text.data(), qsizetype(utf8Text.size()));
  const QFontMetricsF& metrics = *d.metrics;
  // Generous bounds: advance plus the widest glyph on either side for overhangs.
  const double slack = metrics.maxWidth() + 2;
  const QRectF bounds(left - slack, top - 2, metrics.horizontalAdvance(text) + 2 * slack,
                      metrics.height() + 4);
  const QRectF picture(0, 0, d.width / d.ratio, d.height / d.ratio);
  if (d.culling && !bounds.intersects(picture)) return;
  if (!d.culling && std::max(std::fabs(left), std::fabs(top)) > 1e6) return;
  d.openPainter().drawText(QPointF(left, top + metrics.ascent()), text);
  const QRect changed = bounds.intersected(picture).toAlignedRect();
  if (!changed.isEmpty()) d.addChangedArea(changed);
}

void ImageCanvas::clear() {
  Impl& d = *m_impl;
  d.pendingClear = true;
  d.fresh = true;
  d.recording = false;
  d.currentU = 0;
  d.currentW = 0;
  d.addChangedArea(QRect(QPoint(0, 0), m_logicalSize));
}

void ImageCanvas::setMarkerColour(Colour colour) {
  m_markerColour = QColor::fromRgb(pixelOf(colour));
  m_markerChanged = true;
  m_impl->tell();
}

float ImageCanvas::markerWidth() const { return m_markerWidth; }

float ImageCanvas::markerHeight() const { return m_markerHeight; }

void ImageCanvas::centreMarker(double u, double w) {
  // The edges of the default, without its three calls through the interface.
  ImageCanvas::moveMarker(static_cast<float>(u - m_markerWidth / 2), static_cast<float>(w + m_markerHeight / 2));
}

void ImageCanvas::moveMarker(float left, float top) {
  if (m_markerSafe && std::fabs(left - double(m_mapping.uLeft)) <= m_safeSpanU &&
      std::fabs(double(m_mapping.wTop) - top) <= m_safeSpanW) {
    m_markerPending = true;
    m_pendingLeft = left;
    m_pendingTop = top;
    m_markerChanged = true;
    m_impl->tell();
    return;
  }
  resolveMarker();
  const QPointF place = markerPixels(left, top);
  const double x = place.x(), y = place.y();
  // A place that cannot be shown leaves the marker where it was.
  if (!finite(x) || !finite(y) || std::fabs(x) > 1e9 || std::fabs(y) > 1e9) return;
  m_markerTopLeft = place;
  m_markerChanged = true;
  m_impl->tell();
}

void ImageCanvas::placeMarker(QPointF topLeft) {
  m_markerPending = false;
  m_markerTopLeft = topLeft;
  m_markerChanged = true;
  m_impl->tell();
}

QPointF ImageCanvas::markerPixels(float left, float top) const {
  const double spanU = double(m_mapping.uRight) - m_mapping.uLeft;
  const double spanW = double(m_mapping.wTop) - m_mapping.wBottom;
  return {(left - double(m_mapping.uLeft)) * m_logicalSize.width() / spanU,
          (double(m_mapping.wTop) - top) * m_logicalSize.height() / spanW};
}

void ImageCanvas::resolveMarker() const {
  if (!m_markerPending) return;
  m_markerPending = false;
  m_markerTopLeft = markerPixels(m_pendingLeft, m_pendingTop);
}

bool ImageCanvas::restoreBackground(std::uint64_t key) {
  Impl& d = *m_impl;
  d.recording = false;
  if (!d.fresh) return false;
  const ViewMapping& kept = d.backgroundMapping;
  const bool sameMapping = kept.uLeft == m_mapping.uLeft && kept.uRight == m_mapping.uRight &&
                           kept.wTop == m_mapping.wTop && kept.wBottom == m_mapping.wBottom;
  if (d.backgroundValid && d.backgroundKey == key && sameMapping) {
    // Copied into the picture's own buffer: no new allocation per redraw.
    d.pendingClear = false;
    d.prepareWrite();
    std::memcpy(d.bits, d.background.constBits(), size_t(d.image.sizeInBytes()));
    d.currentU = d.backgroundU;
    d.currentW = d.backgroundW;
    d.addChangedArea(QRect(QPoint(0, 0), m_logicalSize));
    return true;
  }
  d.recording = true;
  d.recordingKey = key;
  return false;
}

void ImageCanvas::keepBackground() {
  Impl& d = *m_impl;
  if (!d.recording) return;
  d.recording = false;
  const bool fresh = d.fresh;
  d.prepareWrite();
  d.fresh = fresh;
  if (d.background.size() != d.image.size() || d.background.format() != d.image.format()) {
    d.background = QImage(d.image.size(), d.image.format());
  }
  std::memcpy(d.background.bits(), d.image.constBits(), size_t(d.image.sizeInBytes()));
  d.backgroundU = d.currentU;
  d.backgroundW = d.currentW;
  d.backgroundKey = d.recordingKey;
  d.backgroundMapping = m_mapping;
  d.backgroundValid = true;
}

QFont ImageCanvas::pictureFont() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(11.25);
  return font;
}

}  // namespace larmor
