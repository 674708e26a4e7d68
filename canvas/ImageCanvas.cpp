#include "canvas/ImageCanvasImpl.h"

#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace larmor {

using canvas_detail::finite;
using canvas_detail::foreground;
using canvas_detail::pixelOf;

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
