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

// A Canvas on a retained QImage at a device pixel ratio: one-device-pixel lines and dots
// without antialiasing, the 11.25-point serif picture font. The marker is not painted into
// the image: the image keeps only the drawing, and the marker's place and colour are kept
// for whoever shows it above the image (a child widget in the window, a last paint in a PNG).
//
// Pixel rule: the world rectangle spans the whole image; a point lights the pixel whose
// square contains it, so the right and bottom edges of the rectangle fall just outside.
// Lines, dots and circles are rasterised here, clipped to the image in a way that lights
// exactly the pixels the whole figure would; nothing that is not finite is ever drawn.
class ImageCanvas : public Canvas {
public:
  static constexpr int markerDiameter = 10;  // [logical pixels]

  ImageCanvas();
  ~ImageCanvas() override;
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  // New size in logical pixels; the image is recreated at size × ratio, cleared white.
  void resize(QSize logicalSize, qreal devicePixelRatio = 1.0);
  QSize logicalSize() const { return m_logicalSize; }
  // The finished drawing (any painting still open is ended first).
  const QImage& image() const;

  // Called when the picture or its marker changes for the first time since the changed
  // area was last taken: a widget then asks for one repaint, however many drawing calls
  // follow before it takes the area (a run at full speed makes thousands).
  void setChangedHandler(std::function<void()> handler);
  // The bounding box in logical pixels of what changed since the last call, the marker's
  // place at that call and its place now included; empty when nothing changed.
  QRect takeChangedArea();

  // Where the marker's top-left corner is, in logical pixels (as last moved).
  QPointF markerTopLeft() const;
  // Puts the marker's top-left corner at a place in logical pixels: a marker that another
  // picture left where a run took it, copied into a fresh picture of the same view.
  void placeMarker(QPointF topLeft);
  QColor markerColour() const { return m_markerColour; }
  // Paints the marker as a filled circle onto a painter over the image (PNG output).
  void paintMarker(QPainter& painter, QPointF offset = {}) const;

  // Skipping of figures that cannot touch the image, on by default. Off, every pixel of
  // every figure is visited: the reference the faster path must match.
  void setCulling(bool on);

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
  void centreMarker(double u, double w) override;
  bool restoreBackground(std::uint64_t key) override;
  void keepBackground() override;

  // The picture font: "Times New Roman" 11.25 pt, met on Linux by its metric twin.
  static QFont pictureFont();

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  QSize m_logicalSize;
  ViewMapping m_mapping;
  // The marker's last place in view units, not yet turned into pixels: a run moves it at
  // every step, and only the place it has when it is read matters. Kept only for a place
  // that surely converts to a finite pixel; turned into pixels before the mapping or the
  // size change.
  void resolveMarker() const;
  // A place in view units as logical pixels of the current mapping and size.
  QPointF markerPixels(float left, float top) const;
  mutable bool m_markerPending = false;
  mutable float m_pendingLeft = 0, m_pendingTop = 0;
  bool m_markerSafe = false;                  // the mapping has finite, nonzero spans
  double m_safeSpanU = 0, m_safeSpanW = 0;    // [view units] around the top-left corner
  mutable QPointF m_markerTopLeft;
  QPointF m_markerTakenTopLeft;  // where the marker was when the changed area was last taken
  bool m_markerChanged = false;  // moved or recoloured since then
  float m_markerWidth = 0, m_markerHeight = 0;  // [view units] of the current mapping and size
  QColor m_markerColour = Qt::red;
};

}  // namespace larmor
