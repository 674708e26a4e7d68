#pragma once

#include "views/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>

namespace larmor {

// A Canvas on a retained QImage at a device pixel ratio: one-pixel lines and dots, the
// 11.25-point serif picture font. The marker is not painted into the image: the image
// keeps only the drawing, and the marker's place and colour are kept for whoever shows
// it above the image (a child widget in the window, a last paint in a PNG).
class ImageCanvas : public Canvas {
public:
  static constexpr int markerDiameter = 10;  // [logical pixels]

  ImageCanvas();
  ~ImageCanvas() override;

  // New size in logical pixels; the image is recreated at size × ratio, cleared white.
  void resize(QSize logicalSize, qreal devicePixelRatio = 1.0);
  QSize logicalSize() const { return m_logicalSize; }
  const QImage& image() const { return m_image; }

  // Called with the changed area in logical pixels after every drawing call, so a widget
  // can repaint just that part.
  void setChangedHandler(std::function<void(const QRect&)> handler);

  // Where the marker's top-left corner is, in logical pixels (as last moved).
  QPointF markerTopLeft() const { return m_markerTopLeft; }
  QColor markerColour() const { return m_markerColour; }
  // Paints the marker as a filled circle onto a painter over the image (PNG output).
  void paintMarker(QPainter& painter, QPointF offset = {}) const;

  // Canvas
  void setMapping(const ViewMapping& mapping) override;
  const ViewMapping& mapping() const override { return m_mapping; }
  void line(float u1, float w1, float u2, float w2, Colour colour) override;
  void lineTo(float u, float w, Colour colour) override;
  void dot(float u, float w) override;
  void circle(float u, float w, float r, Colour colour) override;
  void print(std::string_view utf8Text) override;
  void clear() override;
  void setMarkerColour(Colour colour) override;
  float markerWidth() const override;
  float markerHeight() const override;
  void moveMarker(float left, float top) override;

  // The picture font: "Times New Roman" 11.25 pt, met on Linux by its metric twin.
  static QFont pictureFont();

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  QImage m_image;
  QSize m_logicalSize;
  ViewMapping m_mapping;
  QPointF m_markerTopLeft;
  QColor m_markerColour = Qt::red;
};

}  // namespace larmor
