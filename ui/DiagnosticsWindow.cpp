#include "ui/DiagnosticsWindow.h"

#include "panel/TrajectoryCsv.h"  // writeNumber: the shortest text that reads back exactly
#include "ui/Services.h"
#include "ui/TheoryTable.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSaveFile>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace larmor {

struct DiagnosticsWindow::Curve {
  Plot plot;
  QCPGraph* graph;
  double (*value)(const DiagnosticSample&);
  QString name, unit;  // as the read-out writes them; the unit with the space before it, if any
};

namespace {

// At most this often while a run goes on [ms]: about the screen's rate, and never more
// than the plots can take (four plots of 250,000 points redraw in about 10 ms).
constexpr int redrawIntervalMs = 33;

// Significant digits of the tick labels: enough for neighbouring ticks to differ when a
// curve changes little about a large value (a pitch angle of 83° drifting by 1e-4°).
int tickDigits(const QCPRange& range) {
  const double magnitude = std::max(std::fabs(range.lower), std::fabs(range.upper));
  if (!(range.size() > 0) || !(magnitude > 0) || !std::isfinite(magnitude / range.size())) return 6;
  return std::clamp(static_cast<int>(std::ceil(std::log10(magnitude / range.size()))) + 2, 6, 15);
}

// Ticks asked of the time axis for a plot this wide [px]. The ticker rounds the step to a
// readable one and may give about half as many ticks again as asked for, so a tick is
// asked for every one and a half label widths ("0.00025"): narrow plots get fewer ticks and
// their labels never run into each other; three at least, so that two or more are shown.
int timeTickCount(int axisWidth, const QFont& labelFont) {
  const int label = QFontMetrics(labelFont).horizontalAdvance(QStringLiteral("0.00025"));
  return std::clamp(2 * axisWidth / std::max(1, 3 * label), 3, 5);
}

const QString emptyNoteText = QStringLiteral("Нет данных: кривые появятся во время расчёта (ПУСК)");

struct PlotText {
  const char* key;    // object names and file names
  const char* title;  // above the plot, before the method's name
  const char* shortName;  // in the menus
  const char* yTitle;
  const char* y2Title;  // the right axis, where a plot has one
};

constexpr PlotText plotTexts[DiagnosticsWindow::plotCount] = {
    {"SpeedError", "Погрешность скорости dV", "dV", "dV, %", nullptr},
    {"MagneticMoment", "Магнитный момент μ/μ0", "μ/μ0", "μ/μ0", nullptr},
    {"PitchAndField", "Питч-угол и |B| у частицы", "питч-угол и |B|", "питч-угол, °", "|B|, Тл"},
    {"Position", "Высота z и расстояние до оси ρ", "z и ρ", "z, ρ, м", nullptr},
};

const QColor curveColours[] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 130, 0),
                               QColor(200, 110, 0), QColor(150, 0, 150), QColor(0, 130, 150)};

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The same sample to the bit (NaN included): the curves still show the series' prefix.
bool sameSample(const DiagnosticSample& a, const DiagnosticSample& b) {
  return sameBits(a.t, b.t) && sameBits(a.dV, b.dV) && sameBits(a.muRatio, b.muRatio) &&
         sameBits(a.pitchDeg, b.pitchDeg) && sameBits(a.B, b.B) && sameBits(a.rho, b.rho) && sameBits(a.z, b.z);
}

QString valueText(double value) {
  return std::isnan(value) ? QStringLiteral("—") : QLocale().toString(value, 'g', 6);
}

}  // namespace

DiagnosticsWindow::DiagnosticsWindow(const DiagnosticsSeries& series, Dialogs& dialogs, FileDialogs& files,
                                     QWidget* parent)
    : QMainWindow(parent), m_series(series), m_dialogs(dialogs), m_files(&files) {
  setObjectName(QStringLiteral("DiagnosticsWindow"));
  setWindowTitle(QStringLiteral("Диагностика"));
  m_timer = new QTimer(this);
  m_timer->setInterval(redrawIntervalMs);
  connect(m_timer, &QTimer::timeout, this, [this] {
    if (!m_stale) return m_timer->stop();
    m_stale = false;
    updateCurves();
  });
  buildPlots();
  buildMenus();
  updateTitles();
  clear();
  resize(980, 840);
}

DiagnosticsWindow::~DiagnosticsWindow() = default;

QString DiagnosticsWindow::methodName(Integrator integrator) {
  return QString::fromUtf8(methodCaption(integrator));
}

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

QIcon DiagnosticsWindow::plotIcon() {
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

QIcon DiagnosticsWindow::borisIcon() {
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

void DiagnosticsWindow::buildPlots() {
  // The plots above the table; the user drags the border between them, and the plots take
  // what the window gains.
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName(QStringLiteral("diagnosticsSplitter"));
  splitter->setChildrenCollapsible(false);
  setCentralWidget(splitter);
  auto* central = new QWidget(splitter);
  auto* grid = new QGridLayout(central);
  m_theory = new TheoryTable(splitter);
  splitter->addWidget(central);
  splitter->addWidget(m_theory);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);

  for (int i = 0; i < plotCount; ++i) {
    const PlotText& text = plotTexts[i];
    PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
    auto* chart = new QCustomPlot(central);
    chart->setObjectName(QStringLiteral("plot") + QLatin1String(text.key));
    chart->setMinimumSize(240, 160);
    chart->setLocale(QLocale());
    chart->setMouseTracking(true);
    chart->installEventFilter(this);
    chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    chart->plotLayout()->insertRow(0);
    chart->plotLayout()->addElement(0, 0, new QCPTextElement(chart, QString(), QFont(font().family(), 10, QFont::Bold)));
    chart->xAxis->setLabel(QStringLiteral("t, с"));
    chart->yAxis->setLabel(QString::fromUtf8(text.yTitle));
    QList<QCPAxis*> valueAxes{chart->yAxis};
    if (text.y2Title) {
      chart->yAxis2->setVisible(true);
      chart->yAxis2->setLabel(QString::fromUtf8(text.y2Title));
      valueAxes << chart->yAxis2;
    }
    chart->axisRect()->setRangeDragAxes({chart->xAxis}, valueAxes);
    chart->axisRect()->setRangeZoomAxes({chart->xAxis}, valueAxes);
    for (QCPAxis* axis : valueAxes << chart->xAxis) {
      connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this, i, axis](const QCPRange& range) {
        axis->setNumberPrecision(tickDigits(range));
        if (!m_autoranging) m_plots[static_cast<std::size_t>(i)].followsData = false;
      });
    }
    // The time axis' ticks follow the plot's width: set once the layout is known, and drawn
    // again at once when the count changes (only on a resize).
    connect(chart, &QCustomPlot::afterLayout, this, [chart] {
      const int count = timeTickCount(chart->axisRect()->width(), chart->xAxis->tickLabelFont());
      if (chart->xAxis->ticker()->tickCount() == count) return;
      chart->xAxis->ticker()->setTickCount(count);
      chart->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(chart, &QCustomPlot::mouseMove, this, [this, i](QMouseEvent* event) { showReadout(Plot(i), event); });
    connect(chart, &QCustomPlot::mouseDoubleClick, this, [this, i] {
      autoscale(Plot(i));
      plot(Plot(i))->replot();
    });

    // The cursor's point on a layer of its own: moving it redraws only that layer.
    chart->addLayer(QStringLiteral("cursor"), chart->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    chart->layer(QStringLiteral("cursor"))->setMode(QCPLayer::lmBuffered);
    auto* tracer = new QCPItemTracer(chart);
    tracer->setLayer(QStringLiteral("cursor"));
    tracer->setStyle(QCPItemTracer::tsCircle);
    tracer->setSize(7);
    tracer->setPen(QPen(Qt::black));
    tracer->setVisible(false);

    auto* note = new QCPItemText(chart);
    note->position->setType(QCPItemPosition::ptAxisRectRatio);
    note->position->setCoords(0.5, 0.5);
    note->setText(emptyNoteText);
    note->setColor(QColor(110, 110, 110));

    auto* readout = new QLabel(central);
    readout->setObjectName(QStringLiteral("readout") + QLatin1String(text.key));
    readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout->setMinimumWidth(1);  // a long read-out never widens the window

    auto* cell = new QVBoxLayout;
    cell->addWidget(chart, 1);
    cell->addWidget(readout);
    grid->addLayout(cell, i / 2, i % 2);
    parts = {chart, readout, tracer, note, true};

    // A context menu of the plot's own.
    auto* fit = new QAction(QStringLiteral("Автомасштаб"), chart);
    connect(fit, &QAction::triggered, this, [this, i] {
      autoscale(Plot(i));
      plot(Plot(i))->replot();
    });
    auto* png = new QAction(QStringLiteral("Сохранить в PNG…"), chart);
    connect(png, &QAction::triggered, this, [this, i] { exportPicture(Plot(i), false); });
    auto* svg = new QAction(QStringLiteral("Сохранить в SVG…"), chart);
    connect(svg, &QAction::triggered, this, [this, i] { exportPicture(Plot(i), true); });
    chart->addActions({fit, png, svg});
    chart->setContextMenuPolicy(Qt::ActionsContextMenu);
  }

  auto addCurve = [this](Plot which, bool rightAxis, double (*value)(const DiagnosticSample&), const char* name,
                         const char* unit) {
    QCustomPlot* p = plot(which);
    QCPGraph* graph = p->addGraph(p->xAxis, rightAxis ? p->yAxis2 : p->yAxis);
    graph->setName(QString::fromUtf8(name));
    graph->setPen(QPen(curveColours[m_curves.size()], 1));
    m_curves.push_back({which, graph, value, QString::fromUtf8(name), QString::fromUtf8(unit)});
  };
  addCurve(Plot::SpeedError, false, [](const DiagnosticSample& s) { return double(s.dV); }, "dV", " %");
  addCurve(Plot::MagneticMoment, false, [](const DiagnosticSample& s) { return s.muRatio; }, "μ/μ0", "");
  addCurve(Plot::PitchAndField, false, [](const DiagnosticSample& s) { return s.pitchDeg; }, "питч-угол", "°");
  addCurve(Plot::PitchAndField, true, [](const DiagnosticSample& s) { return s.B; }, "|B|", " Тл");
  addCurve(Plot::Position, false, [](const DiagnosticSample& s) { return s.z; }, "z", " м");
  addCurve(Plot::Position, false, [](const DiagnosticSample& s) { return s.rho; }, "ρ", " м");

  // Two curves in a plot: a legend says which is which, in one line of its own under the
  // title, where it hides no curve (inside the axes it covered ρ in a trap and the pitch
  // angle's peaks); and each value axis takes its curve's colour.
  for (Plot which : {Plot::PitchAndField, Plot::Position}) {
    QCustomPlot* p = plot(which);
    p->legend->setVisible(true);
    p->legend->setFont(QFont(font().family(), 9));
    p->legend->setBorderPen(Qt::NoPen);
    p->legend->setBrush(Qt::NoBrush);
    p->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    p->axisRect()->insetLayout()->take(p->legend);
    p->plotLayout()->insertRow(1);
    p->plotLayout()->addElement(1, 0, p->legend);
    p->plotLayout()->setRowStretchFactor(1, 0.001);
  }
  for (QCPAxis* axis : {plot(Plot::PitchAndField)->yAxis, plot(Plot::PitchAndField)->yAxis2}) {
    const QColor colour = curveColours[axis == plot(Plot::PitchAndField)->yAxis ? 2 : 3];
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
  }
}

void DiagnosticsWindow::buildMenus() {
  auto named = [](QAction* action, const QString& name) {
    action->setObjectName(name);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  connect(named(file->addAction(QStringLiteral("Сохранить данные в CSV…")), QStringLiteral("mnuDiagExportCsv")),
          &QAction::triggered, this, &DiagnosticsWindow::exportCsv);
  for (const bool svg : {false, true}) {
    QMenu* pictures = file->addMenu(svg ? QStringLiteral("Сохранить график в SVG") : QStringLiteral("Сохранить график в PNG"));
    for (int i = 0; i < plotCount; ++i) {
      const QString name = QStringLiteral("mnuDiagExport%1%2").arg(svg ? QStringLiteral("Svg") : QStringLiteral("Png"),
                                                                QLatin1String(plotTexts[i].key));
      QAction* item = named(pictures->addAction(QString::fromUtf8(plotTexts[i].shortName) + QStringLiteral("…")), name);
      connect(item, &QAction::triggered, this, [this, i, svg] { exportPicture(Plot(i), svg); });
    }
  }
  file->addSeparator();
  connect(named(file->addAction(QStringLiteral("Закрыть")), QStringLiteral("mnuDiagClose")), &QAction::triggered,
          this, &QWidget::close);

  QMenu* view = menuBar()->addMenu(QStringLiteral("Вид"));
  connect(named(view->addAction(QStringLiteral("Автомасштаб всех графиков")), QStringLiteral("mnuDiagAutoscale")),
          &QAction::triggered, this, [this] {
            for (int i = 0; i < plotCount; ++i) {
              autoscale(Plot(i));
              plot(Plot(i))->replot();
            }
          });
}

void DiagnosticsWindow::setIntegrator(Integrator integrator) {
  m_integrator = integrator;
  updateTitles();
}

void DiagnosticsWindow::updateTitles() {
  for (int i = 0; i < plotCount; ++i) fitTitle(Plot(i));
}

void DiagnosticsWindow::fitTitle(Plot which) {
  // One line where it fits; in a narrow plot the method goes on a second line, since a
  // title wider than its plot is cut at both ends.
  QCustomPlot* p = plot(which);
  auto* title = static_cast<QCPTextElement*>(p->plotLayout()->element(0, 0));
  const QString name = QString::fromUtf8(plotTexts[static_cast<std::size_t>(which)].title);
  const QString line = name + QStringLiteral(" — ") + methodName(m_integrator);
  const bool fits = QFontMetrics(title->font()).horizontalAdvance(line) + 2 * titleMargin <= p->width();
  const QString text = fits ? line : name + QLatin1Char('\n') + methodName(m_integrator);
  if (title->text() == text) return;
  title->setText(text);
  p->replot(QCustomPlot::rpQueuedReplot);
}

void DiagnosticsWindow::showTheory(const std::vector<TheoryQuantity>& rows) { m_theory->setRows(rows); }

void DiagnosticsWindow::refresh() {
  m_stale = true;
  if (!m_timer->isActive()) m_timer->start();
}

void DiagnosticsWindow::finish() {
  m_stale = false;
  m_timer->stop();
  updateCurves();
}

void DiagnosticsWindow::clear() {
  m_stale = false;
  m_timer->stop();
  for (const Curve& curve : m_curves) curve.graph->data()->clear();
  m_shownRevision = m_series.revision();
  m_shownCount = 0;
  m_autoranging = true;
  for (int i = 0; i < plotCount; ++i) {
    PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
    parts.followsData = true;
    parts.tracer->setVisible(false);
    parts.readout->clear();
    parts.emptyNote->setVisible(true);
    parts.emptyNote->setText(emptyNoteText);
    parts.plot->xAxis->setRange(0, 1);
    parts.plot->yAxis->setRange(0, 1);
    parts.plot->yAxis2->setRange(0, 1);
    parts.plot->replot(QCustomPlot::rpQueuedReplot);
  }
  m_autoranging = false;
}

void DiagnosticsWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  updateCurves();  // a hidden window skips its redraws
}

void DiagnosticsWindow::updateCurves() {
  if (!isVisible() || m_series.revision() == m_shownRevision) return;
  const std::vector<DiagnosticSample>& samples = m_series.samples();
  const bool grew = m_shownCount > 0 && m_series.stride() == m_shownStride && samples.size() >= m_shownCount &&
                    m_series.stepsOffered() >= m_shownOffered && sameSample(samples[m_shownCount - 1], m_shownLast);
  const std::size_t from = grew ? m_shownCount : 0;
  const auto count = static_cast<qsizetype>(samples.size() - from);
  QVector<double> t(count), y(count);
  for (qsizetype k = 0; k < count; ++k) t[k] = samples[from + static_cast<std::size_t>(k)].t;
  for (const Curve& curve : m_curves) {
    for (qsizetype k = 0; k < count; ++k) y[k] = curve.value(samples[from + static_cast<std::size_t>(k)]);
    if (grew) curve.graph->addData(t, y, true);
    else curve.graph->setData(t, y, true);
  }
  m_shownRevision = m_series.revision();
  m_shownCount = samples.size();
  m_shownStride = m_series.stride();
  m_shownOffered = m_series.stepsOffered();
  if (!samples.empty()) m_shownLast = samples.back();

  for (int i = 0; i < plotCount; ++i) {
    PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
    parts.emptyNote->setVisible(samples.empty());
    if (parts.followsData) autoscale(Plot(i));
    parts.plot->replot();
  }
}

void DiagnosticsWindow::awaitRunEnd() {
  for (PlotParts& parts : m_plots) {
    parts.emptyNote->setText(QStringLiteral("Идёт расчёт: кривые появятся, когда он закончится"));
    parts.plot->replot();
  }
}

void DiagnosticsWindow::autoscale(Plot which) {
  PlotParts& parts = m_plots[static_cast<std::size_t>(which)];
  m_autoranging = true;
  // The time axis from the sorted keys' ends; each curve's values scanned once, here
  // (rescaleAxes() would scan them once more).
  parts.plot->xAxis->rescale();
  // A little room above and below, so that a curve never runs along the frame. A constant
  // curve (|B| in the uniform field) would keep the axis' old span about its value, which
  // reads as if it were 0: it gets a span of its own, 2 % of its value.
  for (QCPAxis* axis : {parts.plot->yAxis, parts.plot->yAxis2}) {
    bool found = false;
    QCPRange values;
    for (QCPGraph* graph : axis->graphs()) {
      bool foundHere = false;
      const QCPRange range = graph->getValueRange(foundHere);
      if (foundHere) values = found ? QCPRange(std::min(values.lower, range.lower), std::max(values.upper, range.upper)) : range;
      found = found || foundHere;
    }
    if (found) axis->setRange(values);
    // The same holds for a curve constant but for rounding (|B| on the circular field lines
    // of the centrifugal drift varies in its 16th digit): stretched over the plot, its noise
    // would hide the other curve and every tick label would read the same.
    // A constant on the right axis is drawn at two thirds of the height, one on the left at
    // half: in the uniform field across it the pitch angle (90°) and |B| are both constant,
    // and drawn at the same height |B| covered the pitch angle.
    const double level = std::max(std::fabs(values.lower), std::fabs(values.upper));
    if (found && values.size() <= 1e-12 * level) {
      const double value = values.center();
      const double span = value != 0 ? 0.02 * std::fabs(value) : 2;
      const double below = axis == parts.plot->yAxis2 ? 2.0 / 3 : 0.5;
      axis->setRange(value - below * span, value + (1 - below) * span);
    } else if (axis->range().size() > 0) {
      axis->scaleRange(1.08);
    }
  }
  m_autoranging = false;
  parts.followsData = true;
}

bool DiagnosticsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (int i = 0; i < plotCount; ++i)
      if (plot(Plot(i)) == watched) fitTitle(Plot(i));
  }
  if (event->type() == QEvent::Leave) {
    for (PlotParts& parts : m_plots) {
      if (parts.plot != watched || !parts.tracer->visible()) continue;
      parts.tracer->setVisible(false);
      parts.tracer->layer()->replot();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void DiagnosticsWindow::showReadout(Plot which, const QMouseEvent* event) {
  PlotParts& parts = m_plots[static_cast<std::size_t>(which)];
  QCustomPlot* p = parts.plot;
  const QPointF at = event->position();
  const bool inside = p->axisRect()->rect().contains(at.toPoint());
  const double mouseT = p->xAxis->pixelToCoord(at.x());
  // The nearest kept sample in time: every curve of a plot has the same times.
  const Curve* first = nullptr;
  for (const Curve& curve : m_curves) {
    if (curve.plot == which) {
      first = &curve;
      break;
    }
  }
  const QSharedPointer<QCPGraphDataContainer> data = first->graph->data();
  int index = -1;
  if (inside && !data->isEmpty()) {
    auto it = data->findBegin(mouseT, false);  // the first at or after the mouse
    if (it == data->constEnd() || (it != data->constBegin() && mouseT - (it - 1)->key < it->key - mouseT)) --it;
    index = static_cast<int>(it - data->constBegin());
  }
  if (!inside) {
    parts.readout->clear();
  } else {
    QString text = QStringLiteral("t = %1 с").arg(index < 0 ? valueText(mouseT) : valueText(data->at(index)->key));
    for (const Curve& curve : m_curves) {
      if (curve.plot != which) continue;
      const double value = index < 0 ? std::nan("") : curve.graph->data()->at(index)->value;
      text += QStringLiteral("    %1 = %2").arg(curve.name, valueText(value));
      if (!std::isnan(value)) text += curve.unit;
    }
    parts.readout->setText(text);
  }
  const bool mark = index >= 0 && !std::isnan(data->at(index)->value);
  if (mark) parts.tracer->position->setCoords(data->at(index)->key, data->at(index)->value);
  if (mark || parts.tracer->visible()) {
    parts.tracer->setVisible(mark);
    parts.tracer->layer()->replot();
  }
}

void DiagnosticsWindow::exportCsv() {
  const QString path = m_files->saveFileName(this, QStringLiteral("Сохранить данные диагностики"),
                                             QStringLiteral("diagnostics.csv"), QStringLiteral("CSV (*.csv)"),
                                             QStringLiteral("csv"));
  if (path.isEmpty()) return;
  // One row per kept sample, every number as the shortest text that reads back exactly;
  // dV is the single-precision value the accuracy label shows, widened exactly.
  QByteArray bytes("t,dV,mu_ratio,pitch_deg,B,rho,z\n");
  bytes.reserve(bytes.size() + static_cast<qsizetype>(m_series.samples().size()) * 7 * 24);
  char field[32];
  for (const DiagnosticSample& s : m_series.samples()) {
    const double values[] = {s.t, double(s.dV), s.muRatio, s.pitchDeg, s.B, s.rho, s.z};
    for (const double value : values) {
      bytes.append(field, writeNumber(field, field + sizeof field, value) - field);
      bytes.append(',');
    }
    bytes.back() = '\n';
  }
  writeFile(path, bytes);
}

void DiagnosticsWindow::exportPicture(Plot which, bool svg) {
  const PlotText& text = plotTexts[static_cast<std::size_t>(which)];
  const QString suffix = svg ? QStringLiteral("svg") : QStringLiteral("png");
  const QString path = m_files->saveFileName(
      this, QStringLiteral("Сохранить график «%1»").arg(QString::fromUtf8(text.shortName)),
      QLatin1String(text.key) + QLatin1Char('.') + suffix, svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)"),
      suffix);
  if (path.isEmpty()) return;
  QCustomPlot* p = plot(which);
  const int w = std::max(1, p->width()), h = std::max(1, p->height());
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(w, h));
    generator.setViewBox(QRect(0, 0, w, h));
    generator.setTitle(static_cast<QCPTextElement*>(p->plotLayout()->element(0, 0))->text());
    QCPPainter painter;
    if ((drawn = painter.begin(&generator))) {
      p->toPainter(&painter, w, h);
      drawn = painter.end();
    }
  } else {
    drawn = p->toPixmap(w, h).save(&buffer, "PNG");
  }
  if (!drawn) return cannotWrite(path, QStringLiteral("рисунок не удалось построить"));
  writeFile(path, bytes);
}

bool DiagnosticsWindow::writeFile(const QString& path, const QByteArray& bytes) {
  // Written beside the target and renamed over it only when whole: a failure leaves
  // neither a partial file nor a changed old one.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return cannotWrite(path, file.errorString()), false;
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return cannotWrite(path, reason), false;
  }
  return true;
}

void DiagnosticsWindow::cannotWrite(const QString& path, const QString& reason) {
  m_dialogs.warning(this, QStringLiteral("Диагностика"),
                    QStringLiteral("Не удалось записать файл %1.\n%2").arg(QDir::toNativeSeparators(path), reason));
}

}  // namespace larmor
