#include "ui/PictureBox.h"

#include "ui/MarkerShape.h"

#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>

namespace larmor {

PictureBox::PictureBox(const QString& markerName, QWidget* parent)
    : QWidget(parent), m_marker(new MarkerShape(ImageCanvas::markerDiameter, this)) {
  m_marker->setObjectName(markerName);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  m_canvas.setChangedHandler([this] {
    QMetaObject::invokeMethod(this, &PictureBox::flushChanges, Qt::QueuedConnection);
  });
  fitCanvas();
  syncMarker();
}

void PictureBox::fitCanvas() {
  const qreal ratio = devicePixelRatioF();
  const QSize wanted = size().expandedTo(QSize(1, 1));
  const QSize pixels = (QSizeF(wanted) * ratio).toSize();
  if (m_canvas.logicalSize() == wanted && m_canvas.image().size() == pixels) return;
  m_canvas.resize(wanted, ratio);
  update();
}

void PictureBox::syncMarker() {
  const QPointF topLeft = m_canvas.markerTopLeft();
  const QPoint place(qRound(topLeft.x()), qRound(topLeft.y()));
  if (m_marker->pos() != place) m_marker->move(place);
  m_marker->setColour(m_canvas.markerColour());
}

void PictureBox::flushChanges() {
  // One bounding box rather than a region: repainting a little more of a copied image
  // costs less than keeping a region of thousands of small rectangles.
  const QRect area = m_canvas.takeChangedArea() & rect();
  if (!area.isEmpty()) update(area);
  syncMarker();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage& image = m_canvas.image();
  const qreal ratio = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
  const QRectF target(event->rect());
  const QRectF source(target.topLeft() * ratio, target.size() * ratio);
  painter.fillRect(event->rect(), Qt::white);  // beyond the image, should it lag a resize
  painter.drawImage(target, image, source);
}

void PictureBox::resizeEvent(QResizeEvent*) { fitCanvas(); }

}  // namespace larmor
