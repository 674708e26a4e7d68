#include "docgen/FigureRenderer.h"

#include "canvas/ImageCanvas.h"
#include "model/BorisRun.h"
#include "model/TrajectoryRun.h"
#include "views/Views.h"

#include <QPainter>

#include <qcustomplot.h>

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

// One run's speed error after every step; the times once, from the first run.
template <typename Run>
void recordSpeedError(SimulationState state, std::vector<double>* t, std::vector<double>* dV) {
  Run run(state);
  run.prepare();
  while (run.hasNextStep()) {
    run.step();
    if (run.stoppedNonFinite() || run.refusedAxisStart()) break;
    if (t) t->push_back(run.t());
    dV->push_back(run.dV());
  }
}

QImage renderSpeedError(const FigureRequest& request, const FigureStyle& style) {
  const SpeedErrorCurves curves = speedErrorCurves(request);
  // As wide as the two views of the other figures, a little taller than they are.
  const QSize logical(3 * style.viewHeight + style.gap, style.viewHeight + 2 * style.captionHeight);
  QCustomPlot plot;
  plot.resize(logical);
  plot.setLocale(QLocale(QLocale::Russian));
  const QFont font(QStringLiteral("Liberation Sans"), 9);
  plot.setFont(font);
  const auto toVector = [](const std::vector<double>& v) { return QVector<double>(v.begin(), v.end()); };
  const QVector<double> t = toVector(curves.t);
  const struct {
    const std::vector<double>& dV;
    QColor colour;
    const char* name;
  } runs[] = {{curves.rk4, QColor(200, 0, 0), "метод Рунге–Кутты"}, {curves.boris, QColor(0, 0, 200), "метод Бориса"}};
  for (const auto& run : runs) {
    QCPGraph* graph = plot.addGraph();
    graph->setData(t.mid(0, static_cast<qsizetype>(run.dV.size())), toVector(run.dV), true);
    graph->setPen(QPen(run.colour, 1.5));
    graph->setName(QString::fromUtf8(run.name));
  }
  for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
    axis->setLabelFont(font);
    axis->setTickLabelFont(font);
  }
  plot.xAxis->setLabel(QStringLiteral("t, с"));
  plot.yAxis->setLabel(QStringLiteral("dV, %"));
  plot.rescaleAxes();
  plot.yAxis->scaleRange(1.1);
  plot.legend->setVisible(true);
  plot.legend->setFont(font);
  plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
  QImage image = plot.toPixmap(logical.width(), logical.height(), style.pixelRatio).toImage();
  image.setDevicePixelRatio(style.pixelRatio);
  return image;
}

}  // namespace

SpeedErrorCurves speedErrorCurves(const FigureRequest& request) {
  const SimulationState state = figureState(request);
  SpeedErrorCurves curves;
  recordSpeedError<TrajectoryRun>(state, &curves.t, &curves.rk4);
  recordSpeedError<BorisRun>(state, nullptr, &curves.boris);
  return curves;
}

std::int64_t figureRunSteps(const FigureRequest& request) {
  if (request.kind == FigureRequest::Kind::SpeedError) return std::int64_t(speedErrorCurves(request).t.size());
  if (request.kind != FigureRequest::Kind::Run) return 0;
  SimulationState state = figureState(request);
  return runTrajectory(state, nullptr);
}

QImage renderFigure(const FigureRequest& request, const FigureStyle& style) {
  if (request.kind == FigureRequest::Kind::SpeedError) return renderSpeedError(request, style);
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
