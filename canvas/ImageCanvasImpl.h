#pragma once
// The inside of ImageCanvas, shared by its files: the image and its painter, what changed
// since the changed area was last taken, the background kept for a redraw, and the
// rasteriser's entry points (ImageCanvasRaster.cpp). Not for use outside canvas/.
#include "canvas/ImageCanvas.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

namespace larmor {

namespace canvas_detail {

constexpr std::uint32_t white = 0xFFFFFFFFu;
constexpr std::uint32_t foreground = 0xFF000000u;  // window text: black
constexpr int dotsPerMeter96Dpi = 3780;          // 96 dpi: 11.25 pt is 15 pixels

inline std::uint32_t pixelOf(Colour colour) { return 0xFF000000u | (colour & 0xFFFFFFu); }

inline bool finite(double a) { return std::isfinite(a); }

}  // namespace canvas_detail

struct ImageCanvas::Impl {
  static constexpr std::uint32_t white = canvas_detail::white;
  static constexpr int dotsPerMeter96Dpi = canvas_detail::dotsPerMeter96Dpi;

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

}  // namespace larmor
