#include "docgen/FigureRenderer.h"

#include "canvas/ImageCanvas.h"
#include "canvas/OrbitFollower.h"
#include "canvas/ViewsFollower.h"
#include "docgen/TheoryFigure.h"
#include "model/TheoryMeter.h"
#include "panel/MeterSteps.h"
#include "panel/PanelControls.h"
#include "panel/RunDriver.h"
#include "views/Views.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>

#include <qcustomplot.h>

namespace larmor {

namespace {

// The theory's colour: apart from the trails (red, blue, black), the field (magenta) and
// the grid (light green) in print.
const QColor theoryColour(0, 150, 160);
constexpr qreal theoryPenWidth = 2, theoryDotRadius = 4;  // [logical pixels]

// What a run figure's run did.
struct FigureRun {
  std::int64_t steps = 0;
  double duration = 0;  // [s] the run's time at its end
  bool cutShort = false;
};

// Runs the start button of a run figure's panel; the views follow it, the theory measures
// it when given.
FigureRun runFigure(ControlPanel& panel, Views& views, MeterSteps* measuring = nullptr) {
  ViewsFollower follower(panel, views);
  panel.setObserver(&follower);  // the start's recompute redraws the views it clears
  RunDriver driver(panel);
  driver.observe(follower);
  if (measuring) driver.observe(*measuring);
  const RunOutcome outcome = driver.drive();
  return {outcome.steps, outcome.t, outcome.cutShort()};
}

// One run's speed error after every step; the times once, from the first run.
class SpeedErrorSteps : public RunObserver {
public:
  SpeedErrorSteps(std::vector<double>* t, std::vector<double>* dV) : m_t(t), m_dV(dV) {}
  bool stepped(const Run& run, const SimulationState&, const TrailSegment&) override {
    if (m_t) m_t->push_back(run.t());
    m_dV->push_back(run.dV());
    return true;
  }

private:
  std::vector<double>* m_t;
  std::vector<double>* m_dV;
};

void recordSpeedError(ControlPanel panel, Integrator integrator, std::vector<double>* t, std::vector<double>* dV) {
  panel.chooseIntegrator(integrator);
  SpeedErrorSteps steps(t, dV);
  RunDriver(panel).observe(steps).drive();
}

QImage renderSpeedError(const FigureRequest& request, const FigureStyle& style) {
  const bool english = style.language == Language::English;
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
  } runs[] = {{curves.rk4, QColor(200, 0, 0), methodCaption(Integrator::Rk4, style.language)},
              {curves.boris, QColor(0, 0, 200), methodCaption(Integrator::Boris, style.language)}};
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
  plot.xAxis->setLabel(english ? QStringLiteral("t, s") : QStringLiteral("t, с"));
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

// A view's picture placed in the figure: its mapping turns metres into logical pixels.
struct PlacedView {
  const ImageCanvas& canvas;
  QPointF at;
  // Held within a margin far outside the view, where the painter still draws true lines:
  // a far end of a straight path keeps its direction in both views (along y or along z
  // at fixed x).
  QPointF pixel(double u, double w) const {
    constexpr double far = 1e5;
    const ViewMapping& m = canvas.mapping();
    const QSizeF size = canvas.logicalSize();
    return at + QPointF(std::clamp((u - m.uLeft) / (double(m.uRight) - m.uLeft) * size.width(), -far, far),
                        std::clamp((w - m.wTop) / (double(m.wBottom) - m.wTop) * size.height(), -far, far));
  }
  QRectF rect() const { return QRectF(at, QSizeF(canvas.logicalSize())); }
};

// The theory's drawing over the run, clipped to each view: the guiding centre's path (in
// X0Y y against x, in X0Z z against x) ending in a dot where the run ended, the turning
// points as dashed lines across X0Z, the cone's edges from the origin with its axis
// dashed. Every line has a white border first, so it reads over a dense trail.
void drawOverlay(QPainter& painter, const TheoryOverlay& overlay, const PlacedView (&views)[2]) {
  const auto ray = [](const PlacedView& view, const QPointF& direction) {
    // Long enough to leave the view whatever its region: the clip ends it.
    const ViewMapping& m = view.canvas.mapping();
    const double reach = 4 * std::max(std::fabs(m.uLeft), std::fabs(m.wTop));
    const double n = std::hypot(direction.x(), direction.y());
    return n > 0 ? QLineF(view.pixel(0, 0), view.pixel(reach * direction.x() / n, reach * direction.y() / n))
                 : QLineF();
  };
  for (int v = 0; v < 2; ++v) {
    const PlacedView& view = views[v];
    const ViewMapping& m = view.canvas.mapping();
    QPolygonF path;
    for (const Vec3& r : overlay.path)
      if (std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z))
        path << (v == 0 ? view.pixel(r.y, r.x) : view.pixel(r.z, r.x));
    std::vector<QLineF> solidLines, dashedLines;
    for (const QPointF& g : v == 0 ? overlay.xyGeneratrices : overlay.xzGeneratrices) solidLines.push_back(ray(view, g));
    const QPointF axis = v == 0 ? overlay.xyAxis : overlay.xzAxis;
    if (!axis.isNull()) dashedLines.push_back(ray(view, axis));
    if (v == 1)
      for (const double z : overlay.turningZ) dashedLines.emplace_back(view.pixel(z, m.wTop), view.pixel(z, m.wBottom));

    painter.save();
    painter.setClipRect(view.rect());
    for (const bool border : {true, false}) {
      QPen pen(border ? QColor(Qt::white) : theoryColour, theoryPenWidth + (border ? 2 : 0), Qt::SolidLine,
               Qt::RoundCap, Qt::RoundJoin);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawPolyline(path);
      for (const QLineF& line : solidLines) painter.drawLine(line);
      if (!border) pen.setStyle(Qt::DashLine);
      painter.setPen(pen);
      for (const QLineF& line : dashedLines) painter.drawLine(line);
      if (!path.isEmpty()) {
        painter.setPen(border ? pen : Qt::NoPen);
        painter.setBrush(theoryColour);
        painter.drawEllipse(path.back(), theoryDotRadius, theoryDotRadius);
      }
    }
    painter.restore();
  }
}

}  // namespace

SpeedErrorCurves speedErrorCurves(const FigureRequest& request) {
  const ControlPanel panel = figurePanel(request);
  SpeedErrorCurves curves;
  recordSpeedError(panel, Integrator::Rk4, &curves.t, &curves.rk4);
  recordSpeedError(panel, Integrator::Boris, nullptr, &curves.boris);
  return curves;
}

QImage renderFigure(const FigureRequest& request, const FigureStyle& style) {
  const bool english = style.language == Language::English;
  if (request.kind == FigureRequest::Kind::SpeedError) return renderSpeedError(request, style);
  if (request.kind == FigureRequest::Kind::Space) {
    // As wide as the two views, three quarters as high: the 3-D view's start view.
    ControlPanel panel = figurePanel(request);
    OrbitPicture picture;
    OrbitFollower follower(picture);
    follower.show(panel.state());
    follower.markerColoursChanged(panel.position(Bar::VScroll1));
    RunDriver(panel).observe(follower).drive();
    const int width = 3 * style.viewHeight + style.gap;
    return picture.render(width, width * 3 / 4, style.pixelRatio);
  }
  const int h = style.viewHeight;
  ImageCanvas xy;
  ImageCanvas xz;
  xy.resize(QSize(h, h), style.pixelRatio);
  xz.resize(QSize(2 * h, h), style.pixelRatio);

  ControlPanel panel = figurePanel(request);
  const SimulationState start = panel.state();
  Views views(xy, xz);
  views.setLanguage(style.language);  // the axis names too
  views.SetMarkerColours(panel.position(Bar::VScroll1));
  views.Redraw(start);
  const bool theory = request.kind == FigureRequest::Kind::Theory;
  MeterSteps measuring;
  FigureRun run;
  if (request.kind != FigureRequest::Kind::Field) run = runFigure(panel, views, theory ? &measuring : nullptr);

  // A theory figure says below the views what its colour shows and how the prediction
  // compares with the run: as many lines as that takes.
  const QFont font = ImageCanvas::pictureFont();
  const qreal width = 3 * h + style.gap;
  const qreal swatch = 28;  // [logical pixels] the colour's sample before the text
  QString comparison;
  TheoryOverlay overlay;
  qreal comparisonHeight = 0;
  if (theory) {
    const TheoryPrediction& prediction = *measuring.prediction();
    overlay = theoryOverlay(start, prediction, run.duration);
    comparison = theoryLegend(start.fieldConfig, style.language) + QStringLiteral("; ") +
                 theoryComparison(prediction, theoryTable(prediction, &*measuring.meter(), run.cutShort), style.language) +
                 QStringLiteral(".");
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDevicePixelRatio(style.pixelRatio);
    comparisonHeight = QFontMetricsF(font, &probe)
                           .boundingRect(QRectF(swatch, 0, width - swatch, 1000), Qt::TextWordWrap, comparison)
                           .height() + 4;
  }

  const QSizeF logical(width, h + style.captionHeight + comparisonHeight);
  QImage figure((logical * style.pixelRatio).toSize(), QImage::Format_RGB32);
  figure.setDevicePixelRatio(style.pixelRatio);
  figure.fill(Qt::white);

  QPainter painter(&figure);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF xyAt(0, 0);
  const QPointF xzAt(h + style.gap, 0);
  painter.drawImage(xyAt, xy.image());
  painter.drawImage(xzAt, xz.image());
  if (theory) drawOverlay(painter, overlay, {{xy, xyAt}, {xz, xzAt}});
  xy.paintMarker(painter, xyAt);
  xz.paintMarker(painter, xzAt);

  painter.setPen(QPen(QColor(96, 96, 96), 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(xyAt, QSizeF(h, h)).adjusted(0.5, 0.5, -0.5, -0.5));
  painter.drawRect(QRectF(xzAt, QSizeF(2 * h, h)).adjusted(0.5, 0.5, -0.5, -0.5));

  painter.setPen(Qt::black);
  painter.setFont(font);
  const int captionTop = h + 2;
  painter.drawText(QRectF(xyAt.x(), captionTop, h, style.captionHeight - 2),
                   Qt::AlignCenter, english ? QStringLiteral("plane X0Y") : QStringLiteral("плоскость X0Y"));
  painter.drawText(QRectF(xzAt.x(), captionTop, 2 * h, style.captionHeight - 2),
                   Qt::AlignCenter, english ? QStringLiteral("plane X0Z") : QStringLiteral("плоскость X0Z"));
  if (theory) {
    const qreal top = h + style.captionHeight + 2;
    const qreal middle = top + QFontMetricsF(font, &figure).height() / 2;
    painter.setPen(QPen(theoryColour, theoryPenWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(2, middle), QPointF(swatch - 6, middle));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(swatch, top, width - swatch, comparisonHeight), Qt::TextWordWrap, comparison);
  }
  return figure;
}

}  // namespace larmor
