#include "assets/tool/PictureStyle.h"
#include "assets/tool/Pictures.h"

#include "model/Constants.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <cmath>

namespace larmor {

namespace {

struct Vec3 {
  double x, y, z;
};

// Oblique sketch: OZ up, OY to the right, OX towards the viewer (down and to the left).
class Sketch {
public:
  explicit Sketch(QPointF origin, double scale) : m_origin(origin), m_scale(scale) {}
  QPointF operator()(Vec3 p) const {
    return {m_origin.x() + m_scale * (p.y - 0.55 * p.x), m_origin.y() + m_scale * (0.42 * p.x - p.z)};
  }

private:
  QPointF m_origin;
  double m_scale;
};

void arrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour, double width) {
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  const QPointF unit = d / length, normal(-unit.y(), unit.x());
  const double head = 6 + 2 * width;
  painter.drawLine(from, to - unit * head * 0.6);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF{to, to - unit * head + normal * head * 0.38, to - unit * head - normal * head * 0.38});
  painter.setBrush(Qt::NoBrush);
}

}  // namespace

QImage velocityPicture(Language language) {
  const bool english = language == Language::English;
  QImage image = blankPicture();
  QPainter painter(&image);
  beginPicture(painter, QString::fromUtf8(english ? "The start velocity" : "Начальная скорость частицы"), 18, 24);

  const Sketch at(QPointF(128, 150), 92);
  const Vec3 o{0, 0, 0};
  const QColor axisColour(20, 20, 20);
  arrow(painter, at(o), at({1.35, 0, 0}), axisColour, 1.2);
  arrow(painter, at(o), at({0, 1.5, 0}), axisColour, 1.2);
  arrow(painter, at(o), at({0, 0, 1.2}), axisColour, 1.2);
  painter.setPen(axisColour);
  painter.setFont(pictureFont(16, Face::Italic));
  painter.drawText(at({1.35, 0, 0}) + QPointF(-14, 4), QStringLiteral("X"));
  painter.drawText(at({0, 1.5, 0}) + QPointF(-4, 18), QStringLiteral("Y"));
  painter.drawText(at({0, 0, 1.2}) + QPointF(8, 8), QStringLiteral("Z"));
  painter.drawText(at(o) + QPointF(-16, 2), QStringLiteral("O"));

  // The velocity at α = 40° from OZ, its transverse part at β = 55° from OX.
  const double alpha = 40 * pi / 180, beta = 55 * pi / 180, speed = 1.05;
  const Vec3 v{speed * std::sin(alpha) * std::cos(beta), speed * std::sin(alpha) * std::sin(beta),
               speed * std::cos(alpha)};
  const Vec3 transverse{v.x, v.y, 0};

  QPen dashed(QColor(70, 70, 160), 1.2, Qt::DashLine);
  painter.setPen(dashed);
  painter.drawLine(at(o), at(transverse));
  painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
  painter.drawLine(at(transverse), at(v));
  painter.drawLine(at(transverse), at({v.x, 0, 0}));
  painter.drawLine(at(transverse), at({0, v.y, 0}));

  arrow(painter, at(o), at(v), QColor(200, 0, 0), 2.4);
  painter.setPen(QColor(200, 0, 0));
  painter.setFont(pictureFont(19, Face::BoldItalic));
  painter.drawText(at(v) + QPointF(6, -2), QStringLiteral("v"));
  painter.setPen(QColor(70, 70, 160));
  painter.setFont(pictureFont(15, Face::Italic));
  painter.drawText(at(transverse) + QPointF(4, 14), QString::fromUtf8("v⊥"));

  // α: the arc from OZ to v; β: the arc in X0Y from OX to the transverse part.
  QPainterPath alphaArc, betaArc;
  for (int i = 0; i <= 24; ++i) {
    const double a = alpha * i / 24, r = 0.42;
    const QPointF p = at({r * std::sin(a) * std::cos(beta), r * std::sin(a) * std::sin(beta), r * std::cos(a)});
    i == 0 ? alphaArc.moveTo(p) : alphaArc.lineTo(p);
    const double b = beta * i / 24, rb = 0.38;
    const QPointF q = at({rb * std::cos(b), rb * std::sin(b), 0});
    i == 0 ? betaArc.moveTo(q) : betaArc.lineTo(q);
  }
  painter.setPen(QPen(QColor(0, 120, 0), 1.6));
  painter.drawPath(alphaArc);
  painter.drawPath(betaArc);
  painter.setPen(QColor(0, 110, 0));
  painter.setFont(pictureFont(18, Face::Italic));
  {
    const double a = alpha / 2, r = 0.55;
    painter.drawText(at({r * std::sin(a) * std::cos(beta), r * std::sin(a) * std::sin(beta), r * std::cos(a)}) +
                         QPointF(-4, 4),
                     QString::fromUtf8("α"));
    const double b = beta / 2, rb = 0.52;
    painter.drawText(at({rb * std::cos(b), rb * std::sin(b), 0}) + QPointF(-4, 10), QString::fromUtf8("β"));
  }

  painter.setPen(Qt::black);
  painter.setFont(pictureFont(13));
  painter.drawText(QRectF(6, 206, pictureWidth - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(english ? "α — angle between the velocity and the OZ axis" : "α — угол между скоростью и осью OZ"));
  painter.drawText(QRectF(6, 224, pictureWidth - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(english ? "β — angle of the transverse velocity from OX" : "β — угол между поперечной скоростью и осью OX"));
  return image;
}

}  // namespace larmor
