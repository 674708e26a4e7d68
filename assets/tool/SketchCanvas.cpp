#include "assets/tool/SketchCanvas.h"

#include "views/Colour.h"

#include <QColor>
#include <QPen>

#include <cmath>

namespace larmor {

namespace {

QColor toQColor(Colour c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

bool near(double a, double b) { return std::abs(a - b) <= 1e-4 * std::max(1.0, std::abs(b)); }

}  // namespace

SketchCanvas::SketchCanvas(QPainter& painter, QRectF panel, float markScale)
    : m_painter(painter), m_panel(panel), m_markScale(markScale) {}

QPointF SketchCanvas::toPixels(double u, double w) const {
  const double x = m_panel.left() + (u - m_mapping.uLeft) / (m_mapping.uRight - m_mapping.uLeft) * m_panel.width();
  const double y = m_panel.top() + (m_mapping.wTop - w) / (m_mapping.wTop - m_mapping.wBottom) * m_panel.height();
  return {x, y};
}

void SketchCanvas::line(float u1, float w1, float u2, float w2, Colour colour) {
  m_current = {u2, w2};
  if (colour == colours::grid) return;
  QPointF from(u1, w1), to(u2, w2);
  if (colour == colours::field) {
    // The field marks are sized by h = region / 100 (the height of either view is the
    // region): a cross stroke spans 2h in both directions, an arrowhead wing 5h by h from
    // its tip. Enlarge them about the cross's centre or the arrow's tip.
    const double h = std::abs(m_mapping.wTop - m_mapping.wBottom) / 100.0;
    const double du = std::abs(u2 - u1), dw = std::abs(w2 - w1);
    if (near(du, 2 * h) && near(dw, 2 * h)) {
      const QPointF centre = (from + to) / 2;
      from = centre + (from - centre) * m_markScale;
      to = centre + (to - centre) * m_markScale;
    } else if (near(du, 5 * h) && near(dw, h)) {
      const QPointF tip = u1 > u2 ? from : to;
      from = tip + (from - tip) * m_markScale;
      to = tip + (to - tip) * m_markScale;
    }
  }
  stroke(from, to, colour);
}

void SketchCanvas::lineTo(float u, float w, Colour colour) {
  const QPointF from = m_current;
  m_current = {u, w};
  if (colour != colours::grid) stroke(from, m_current, colour);
}

void SketchCanvas::circle(float u, float w, float r, Colour colour) {
  const QPointF centre = toPixels(u, w);
  const double radius = r / (m_mapping.uRight - m_mapping.uLeft) * m_panel.width();
  m_painter.setClipRect(m_panel);
  m_painter.setPen(QPen(toQColor(colour), 1.3));
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawEllipse(centre, std::abs(radius), std::abs(radius));
}

void SketchCanvas::stroke(QPointF from, QPointF to, Colour colour) {
  if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) || !std::isfinite(to.y()))
    return;
  m_painter.setClipRect(m_panel);  // the two panels share one painter
  m_painter.setPen(QPen(toQColor(colour), colour == colours::field ? 1.3 : 1.0, Qt::SolidLine, Qt::RoundCap));
  m_painter.drawLine(toPixels(from.x(), from.y()), toPixels(to.x(), to.y()));
}

}  // namespace larmor
