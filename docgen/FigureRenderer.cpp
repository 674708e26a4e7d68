#include "docgen/FigureRenderer.h"

#include "canvas/ImageCanvas.h"
#include "model/TrajectoryRun.h"
#include "views/Views.h"

#include <QPainter>

namespace larmor {

namespace {

// Runs the trajectory of a run figure; the views are given the segments when present.
std::int64_t runTrajectory(SimulationState& state, Views* views) {
  TrajectoryRun run(state);
  run.prepare();
  if (views) views->DrawFieldStructure(state);
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    if (views) views->PlotTrailSegment(segment);
  }
  if (views) views->PlaceMarkers(state);
  return run.stepsDone();
}

}  // namespace

std::int64_t figureRunSteps(const FigureRequest& request) {
  if (request.kind != FigureRequest::Kind::Run) return 0;
  SimulationState state = figureState(request);
  return runTrajectory(state, nullptr);
}

QImage renderFigure(const FigureRequest& request, const FigureStyle& style) {
  const int h = style.viewHeight;
  ImageCanvas xy;
  ImageCanvas xz;
  xy.resize(QSize(h, h), style.pixelRatio);
  xz.resize(QSize(2 * h, h), style.pixelRatio);

  SimulationState state = figureState(request);
  Views views(xy, xz);
  views.SetMarkerColours(figureChargePosition(request));
  views.Redraw(state);
  if (request.kind == FigureRequest::Kind::Run) runTrajectory(state, &views);

  const QSize logical(3 * h + style.gap, h + style.captionHeight);
  QImage figure(logical * style.pixelRatio, QImage::Format_RGB32);
  figure.setDevicePixelRatio(style.pixelRatio);
  figure.fill(Qt::white);

  QPainter painter(&figure);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF xyAt(0, 0);
  const QPointF xzAt(h + style.gap, 0);
  painter.drawImage(xyAt, xy.image());
  painter.drawImage(xzAt, xz.image());
  xy.paintMarker(painter, xyAt);
  xz.paintMarker(painter, xzAt);

  painter.setPen(QPen(QColor(96, 96, 96), 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(xyAt, QSizeF(h, h)).adjusted(0.5, 0.5, -0.5, -0.5));
  painter.drawRect(QRectF(xzAt, QSizeF(2 * h, h)).adjusted(0.5, 0.5, -0.5, -0.5));

  painter.setPen(Qt::black);
  painter.setFont(ImageCanvas::pictureFont());
  const int captionTop = h + 2;
  painter.drawText(QRectF(xyAt.x(), captionTop, h, style.captionHeight - 2),
                   Qt::AlignCenter, QStringLiteral("плоскость X0Y"));
  painter.drawText(QRectF(xzAt.x(), captionTop, 2 * h, style.captionHeight - 2),
                   Qt::AlignCenter, QStringLiteral("плоскость X0Z"));
  return figure;
}

}  // namespace larmor
