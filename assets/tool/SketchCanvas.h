#pragma once

#include "views/Canvas.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace larmor {

// A Canvas that paints the views' field drawing into one panel of an illustration:
// antialiased, without the grid, tick dots and labels (too dense at this size), and with
// the field's crosses and arrowheads enlarged so that they read in a 300 × 250 picture.
class SketchCanvas : public Canvas {
public:
  // markScale: how much larger the crosses and arrowheads are drawn than the views make them.
  SketchCanvas(QPainter& painter, QRectF panel, float markScale);

  void setMapping(const ViewMapping& mapping) override { m_mapping = mapping; }
  const ViewMapping& mapping() const override { return m_mapping; }
  void line(float u1, float w1, float u2, float w2, Colour colour) override;
  void lineTo(float u, float w, Colour colour) override;
  void dot(float u, float w) override { m_current = {u, w}; }
  void circle(float u, float w, float r, Colour colour) override;
  void print(std::string_view) override {}
  void clear() override {}
  void setMarkerColour(Colour) override {}
  float markerWidth() const override { return 0; }
  float markerHeight() const override { return 0; }
  void moveMarker(float, float) override {}

  QPointF toPixels(double u, double w) const;

private:
  void stroke(QPointF from, QPointF to, Colour colour);

  QPainter& m_painter;
  QRectF m_panel;
  float m_markScale;
  ViewMapping m_mapping;
  QPointF m_current;  // view units
};

}  // namespace larmor
