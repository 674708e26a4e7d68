// The marker of ImageCanvas: kept apart from the image (a child widget in the window, a last
// paint in a PNG), its place resolved into pixels only when read.
#include "canvas/ImageCanvasImpl.h"

#include <QRectF>

#include <cmath>

namespace larmor {

using canvas_detail::finite;
using canvas_detail::pixelOf;

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

}  // namespace larmor
