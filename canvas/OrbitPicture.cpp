#include "canvas/OrbitPicture.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>

#include <cmath>

namespace larmor {

namespace {

QColor toQColor(Colour c) { return QColor::fromRgb(QRgb(c)); }

// QPainter draws nothing, or wrong lines, for coordinates that are not finite or are
// huge: points far off the screen are pulled in to a safe distance along their ray from
// the centre, which keeps the visible part of each line where it was.
QPointF onScreen(const OrbitCamera& camera, const Vec3& p) {
  const ScreenPoint s = camera.project(p);
  const double limit = 1e6;
  if (std::isfinite(s.x) && std::isfinite(s.y) && std::abs(s.x) < limit && std::abs(s.y) < limit) return {s.x, s.y};
  return {std::isfinite(s.x) ? std::copysign(limit, s.x) : 0.0, std::isfinite(s.y) ? std::copysign(limit, s.y) : 0.0};
}

void polyline(QPainter& painter, const OrbitCamera& camera, const std::vector<Vec3>& points) {
  if (points.size() < 2) return;
  std::vector<QPointF> screen;
  screen.reserve(points.size());
  for (const Vec3& p : points) screen.push_back(onScreen(camera, p));
  painter.drawPolyline(screen.data(), static_cast<int>(screen.size()));
}

// The path in chunks: each chunk in its own colour when coloured by time.
void drawPath(QPainter& painter, const OrbitPicture& picture) {
  const std::vector<Vec3>& points = picture.path.points();
  if (points.size() < 2) return;
  std::vector<QPointF> screen;
  screen.reserve(points.size());
  for (const Vec3& p : points) screen.push_back(onScreen(picture.camera, p));
  QPen pen(toQColor(picture.pathColour), 1);
  if (!picture.colourByTime) {
    painter.setPen(pen);
    painter.drawPolyline(screen.data(), static_cast<int>(screen.size()));
    return;
  }
  constexpr int chunks = 64;
  const std::size_t n = screen.size();
  for (int c = 0; c < chunks; ++c) {
    const std::size_t from = n * c / chunks, to = std::min(n - 1, n * (c + 1) / chunks);
    if (to <= from) continue;
    const double t = (c + 0.5) / chunks;
    pen.setColor(QColor::fromHsvF(0.66 * (1 - t), 1, 0.9));
    painter.setPen(pen);
    painter.drawPolyline(screen.data() + from, static_cast<int>(to - from + 1));
  }
}

}  // namespace

void OrbitPicture::setScene(OrbitScene built) {
  scene = std::move(built);
  camera.frame(scene.halfXY, scene.halfZ);
}

void OrbitPicture::draw(QPainter& painter) const {
  drawRetained(painter);
  drawParticle(painter);
}

void OrbitPicture::drawPathFrom(QPainter& painter, std::size_t from) const {
  const std::vector<Vec3>& points = path.points();
  if (from >= points.size() || points.size() - from < 2) return;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(toQColor(pathColour), 1));
  polyline(painter, camera, std::vector<Vec3>(points.begin() + static_cast<std::ptrdiff_t>(from), points.end()));
}

void OrbitPicture::drawParticle(QPainter& painter) const {
  if (!particle) return;
  const QPointF at = onScreen(camera, *particle);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(toQColor(pathColour));
  painter.drawEllipse(at, 4, 4);
  painter.setBrush(Qt::NoBrush);
}

void OrbitPicture::drawRetained(QPainter& painter) const {
  painter.fillRect(0, 0, camera.width(), camera.height(), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, false);

  for (const Polyline3& line : scene.fieldLines) {
    painter.setPen(QPen(toQColor(line.colour), 1));
    polyline(painter, camera, line.points);
  }
  painter.setPen(QPen(toQColor(colours::axis), 1));
  for (const Polyline3& line : scene.axes) polyline(painter, camera, line.points);
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(12);
  painter.setFont(font);
  for (const Label3& label : scene.labels) {
    const QPointF at = onScreen(camera, label.at);
    painter.drawText(at + QPointF(-4, 5), QString::fromStdString(label.text));
  }

  drawPath(painter, *this);

  if (showTheory) {
    for (const Polyline3& line : theory) {
      painter.setPen(QPen(toQColor(line.colour), line.width, Qt::DashLine));
      polyline(painter, camera, line.points);
      if (line.points.size() == 1) {
        painter.setPen(QPen(toQColor(line.colour), 2));
        painter.drawEllipse(onScreen(camera, line.points.front()), 5, 5);
      }
    }
  }

}

QImage OrbitPicture::render(int width, int height, qreal pixelRatio) {
  camera.setViewport(width, height);
  QImage image(QSize(camera.width(), camera.height()) * pixelRatio, QImage::Format_RGB32);
  image.setDevicePixelRatio(pixelRatio);
  QPainter painter(&image);
  draw(painter);
  return image;
}

}  // namespace larmor
