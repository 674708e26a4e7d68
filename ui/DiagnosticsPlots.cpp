#include "ui/DiagnosticsPlots.h"

#include "ui/DiagnosticsNumbers.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>

#include <qcustomplot.h>

#include <algorithm>

namespace larmor {

QString emptyPlotText() {
  return QCoreApplication::translate("larmor::DiagnosticsPlots", "Нет данных: кривые появятся во время расчёта (ПУСК)");
}

QString plotWords(const char* text) { return QCoreApplication::translate("larmor::DiagnosticsPlots", text); }

namespace {

// The texts are looked up in the window's language where they are shown (plotWords).
constexpr DiagnosticPlotText plotTexts[diagnosticPlotCount] = {
    {"SpeedError",
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "погрешность-скорости"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "Погрешность скорости dV"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "dV"), QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "dV, %"), nullptr},
    {"MagneticMoment",
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "магнитный-момент"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "Магнитный момент μ/μ0"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "μ/μ0"), QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "μ/μ0"), nullptr},
    {"PitchAndField",
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "питч-угол-и-поле"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "Питч-угол и |B| у частицы"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "питч-угол и |B|"), QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "питч-угол, °"), QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "|B|, Тл")},
    {"Position",
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "высота-и-расстояние-до-оси"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "Высота z и расстояние до оси ρ"),
     QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "z и ρ"), QT_TRANSLATE_NOOP("larmor::DiagnosticsPlots", "z, ρ, м"), nullptr},
};

constexpr int titleMargin = 6;  // [px] kept free on either side of a plot's title

// Tick labels in the window's style of numbers, one form for the whole axis.
class StyledTicker : public QCPAxisTicker {
protected:
  QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale&, QChar, int) override {
    return tickLabels(ticks);
  }
};

// Ticks asked of the time axis for a plot this wide [px]. The ticker rounds the step to a
// readable one and may give about half as many ticks again as asked for, so a tick is
// asked for every one and a half label widths: narrow plots get fewer ticks and their
// labels never run into each other; three at least, so that two or more are shown.
int timeTickCount(int axisWidth, const QFont& labelFont) {
  const int label = QFontMetrics(labelFont).horizontalAdvance(tickLabels({0.00025, 0.0005}).constFirst());
  return std::clamp(2 * axisWidth / std::max(1, 3 * label), 3, 5);
}

// The same for a value axis this high [px]: a tick every two and a half lines at least.
int valueTickCount(int axisHeight, const QFont& labelFont) {
  const int line = QFontMetrics(labelFont).height();
  return std::clamp(2 * axisHeight / std::max(1, 5 * line), 2, 5);
}

}  // namespace

const DiagnosticPlotText& plotText(DiagnosticPlot which) { return plotTexts[static_cast<int>(which)]; }

PlotParts buildPlot(DiagnosticPlot which, QWidget* parent, const QFont& windowFont) {
  const DiagnosticPlotText& text = plotText(which);
  auto* chart = new QCustomPlot(parent);
  chart->setObjectName(QStringLiteral("plot") + QLatin1String(text.key));
  // The least at which two value axes leave the time axis room for three labels, and a
  // two-line title and a legend leave the value axes room for two.
  chart->setMinimumSize(320, 210);
  chart->setMouseTracking(true);
  chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  chart->plotLayout()->insertRow(0);
  chart->plotLayout()->addElement(0, 0, new QCPTextElement(chart, QString(), QFont(windowFont.family(), 10, QFont::Bold)));
  chart->xAxis->setLabel(QCoreApplication::translate("larmor::DiagnosticsPlots", "t, с"));
  chart->yAxis->setLabel(plotWords(text.yTitle));
  QList<QCPAxis*> valueAxes{chart->yAxis};
  if (text.y2Title) {
    chart->yAxis2->setVisible(true);
    chart->yAxis2->setLabel(plotWords(text.y2Title));
    valueAxes << chart->yAxis2;
  }
  chart->axisRect()->setRangeDragAxes({chart->xAxis}, valueAxes);
  chart->axisRect()->setRangeZoomAxes({chart->xAxis}, valueAxes);
  for (QCPAxis* axis : {chart->xAxis, chart->yAxis, chart->yAxis2}) axis->setTicker(QSharedPointer<StyledTicker>::create());
  // The ticks follow the plot's size: set once the layout is known, and drawn again at once
  // when a count changes (only on a resize).
  QObject::connect(chart, &QCustomPlot::afterLayout, chart, [chart] {
    const int time = timeTickCount(chart->axisRect()->width(), chart->xAxis->tickLabelFont());
    const int value = valueTickCount(chart->axisRect()->height(), chart->yAxis->tickLabelFont());
    bool changed = false;
    for (QCPAxis* axis : {chart->xAxis, chart->yAxis, chart->yAxis2}) {
      const int count = axis == chart->xAxis ? time : value;
      if (axis->ticker()->tickCount() == count) continue;
      axis->ticker()->setTickCount(count);
      changed = true;
    }
    if (changed) chart->replot(QCustomPlot::rpQueuedReplot);
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
  note->setText(emptyPlotText());
  note->setColor(QColor(110, 110, 110));

  auto* readout = new QLabel(parent);
  readout->setObjectName(QStringLiteral("readout") + QLatin1String(text.key));
  readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
  readout->setMinimumWidth(1);  // a long read-out never widens the window
  return {chart, readout, tracer, note, true};
}

void showLegend(QCustomPlot* p, const QFont& windowFont) {
  p->legend->setVisible(true);
  p->legend->setFont(QFont(windowFont.family(), 9));
  p->legend->setBorderPen(Qt::NoPen);
  p->legend->setBrush(Qt::NoBrush);
  p->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
  p->axisRect()->insetLayout()->take(p->legend);
  p->plotLayout()->insertRow(1);
  p->plotLayout()->addElement(1, 0, p->legend);
  p->plotLayout()->setRowStretchFactor(1, 0.001);
}

QCPTextElement* plotTitle(const QCustomPlot* p) { return static_cast<QCPTextElement*>(p->plotLayout()->element(0, 0)); }

void fitTitle(QCustomPlot* p, const QString& name, const QString& method) {
  QCPTextElement* title = plotTitle(p);
  const QString line = name + QStringLiteral(" — ") + method;
  const bool fits = QFontMetrics(title->font()).horizontalAdvance(line) + 2 * titleMargin <= p->width();
  const QString text = fits ? line : name + QLatin1Char('\n') + method;
  if (title->text() == text) return;
  title->setText(text);
  p->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace larmor
