#include "ui/MarkerShape.h"

#include <QPainter>

namespace larmor {

MarkerShape::MarkerShape(int diameter, QWidget* parent) : QWidget(parent) {
  setFixedSize(diameter, diameter);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MarkerShape::setColour(const QColor& colour) {
  if (colour == m_colour) return;
  m_colour = colour;
  update();
}

void MarkerShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(m_colour, 1));
  painter.setBrush(m_colour);
  painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace larmor
