#pragma once

#include "canvas/ImageCanvas.h"

#include <QRect>
#include <QWidget>

namespace larmor {

class MarkerShape;

// A drawing surface: a retained image the size of the widget (at the screen's pixel
// ratio), so covering and uncovering the window never loses a drawing, with the particle
// marker as a child widget above it.
//
// Drawing calls only collect the changed area in the canvas; the widget asks for one
// repaint of it and moves the marker once per turn of the event loop. A run at full speed
// makes thousands of drawing calls between two turns, and a repaint request or a marker
// move for each of them costs more than the drawing itself.
class PictureBox : public QWidget {
  Q_OBJECT

public:
  explicit PictureBox(const QString& markerName, QWidget* parent = nullptr);

  ImageCanvas& canvas() { return m_canvas; }
  const ImageCanvas& canvas() const { return m_canvas; }
  MarkerShape* marker() const { return m_marker; }

  // Recreates the image when the widget's size or pixel ratio differ from it (which
  // clears it); the window calls this right after placing the widget, so the redraw that
  // follows draws into an image of the final size even before the widget is shown.
  void fitCanvas();
  // Moves the marker to the canvas's marker place and gives it the canvas's colour now,
  // without waiting for the next turn of the event loop.
  void syncMarker();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // Repaints what changed since the last time and moves the marker; queued by the
  // canvas's first change after it.
  void flushChanges();

  ImageCanvas m_canvas;
  MarkerShape* m_marker = nullptr;
};

}  // namespace larmor
