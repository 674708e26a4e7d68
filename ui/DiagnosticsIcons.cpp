#include "ui/DiagnosticsIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace larmor {

namespace {

// Icons drawn at every size a menu may ask for, sharp at any device pixel ratio.
template <typename Draw>
QIcon drawnIcon(Draw draw, bool checked = false) {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);
    draw(painter);
    icon.addPixmap(pixmap, QIcon::Normal, QIcon::Off);
    if (checked) {
      // The chosen state: the same picture with a green check mark in its corner.
      painter.setPen(QPen(QColor(255, 255, 255), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      const QPointF mark[] = {{15, 23}, {20, 28}, {29, 16}};
      painter.drawPolyline(mark, 3);
      painter.setPen(QPen(QColor(0, 150, 40), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawPolyline(mark, 3);
      icon.addPixmap(pixmap, QIcon::Normal, QIcon::On);
    }
  }
  return icon;
}

}  // namespace

QIcon diagnosticsPlotIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(184, 196, 214), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(5, 4), QPointF(5, 27));
    p.drawLine(QPointF(5, 27), QPointF(29, 27));
    QPainterPath curve(QPointF(6, 22));
    for (int x = 7; x <= 28; ++x) curve.lineTo(x, 16 - 8 * std::sin((x - 6) * 0.6) * std::exp(-(x - 6) * 0.05));
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
  });
}

QIcon borisMethodIcon() {
  return drawnIcon(
      [](QPainter& p) {
        // A velocity turned about the field: an arc with an arrow head on a blue disc.
        p.setPen(QPen(QColor(13, 47, 117), 1));
        p.setBrush(QColor(42, 92, 192));
        p.drawEllipse(QRectF(0.5, 0.5, 31, 31));
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 8, 16, 16), 100 * 16, 260 * 16);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        const QPointF head[] = {{13.5, 4.5}, {13.5, 13.5}, {19.5, 9}};
        p.drawPolygon(head, 3);
      },
      true);
}

QIcon ensembleIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(184, 196, 214), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    // Paths from the centre: the blue ones turn back between two mirrors, the red ones leave.
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 6; ++k) {
      const bool escapes = k == 0 || k == 3;
      const double angle = k * 3.14159265358979 / 3 + 0.3;
      QPainterPath path(QPointF(16, 16));
      const double reach = escapes ? 15 : 9;
      path.quadTo(QPointF(16 + reach * std::cos(angle + 0.5), 16 + reach * std::sin(angle + 0.5)),
                  QPointF(16 + reach * std::cos(angle), 16 + reach * std::sin(angle)));
      p.setPen(QPen(escapes ? QColor(210, 60, 40) : QColor(40, 90, 200), 2));
      p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16, 16), 2.5, 2.5);
  });
}

QIcon orbitViewIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 28), QPointF(8, 3));    // OZ
    p.drawLine(QPointF(8, 28), QPointF(30, 28));  // OY
    p.drawLine(QPointF(8, 28), QPointF(2, 31));   // OX, towards the viewer
    QPainterPath helix(QPointF(20, 26));
    for (int i = 1; i <= 64; ++i) {
      const double phase = i * 0.3;
      helix.lineTo(20 + 7 * std::sin(phase), 26 - 0.33 * i + 2.5 * std::cos(phase) - 2.5);
    }
    p.setPen(QPen(QColor(200, 0, 0), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(helix);
  });
}

}  // namespace larmor
