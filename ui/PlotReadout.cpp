#include "ui/PlotReadout.h"

#include "ui/DiagnosticsNumbers.h"

#include <QCoreApplication>
#include <QLabel>

#include <qcustomplot.h>

#include <cmath>

namespace larmor {

namespace {

constexpr int timeDigits = 5;  // tells neighbouring steps apart in a run of a few hundred periods

}  // namespace

void showReadout(PlotParts& parts, const std::vector<const DiagnosticsCurves::Curve*>& curves, QPointF at) {
  QCustomPlot* p = parts.plot;
  if (curves.empty()) return;
  const bool inside = p->axisRect()->rect().contains(at.toPoint());
  const double mouseT = p->xAxis->pixelToCoord(at.x());
  // The nearest kept sample in time: every curve of a plot has the same times.
  const QSharedPointer<QCPGraphDataContainer> data = curves.front()->graph->data();
  int index = -1;
  if (inside && !data->isEmpty()) {
    auto it = data->findBegin(mouseT, false);  // the first at or after the mouse
    if (it == data->constEnd() || (it != data->constBegin() && mouseT - (it - 1)->key < it->key - mouseT)) --it;
    index = static_cast<int>(it - data->constBegin());
  }
  if (!inside) {
    parts.readout->clear();
  } else {
    QString text = QCoreApplication::translate("larmor::PlotReadout", "t = %1 с").arg(diagnosticNumber(index < 0 ? mouseT : data->at(index)->key, timeDigits));
    for (const DiagnosticsCurves::Curve* curve : curves) {
      const double value = index < 0 ? std::nan("") : curve->graph->data()->at(index)->value;
      text += QStringLiteral("    %1 = %2").arg(curve->name, diagnosticNumber(value, curve->digits));
      if (!std::isnan(value)) text += curve->unit;
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

void hideReadoutMark(PlotParts& parts) {
  if (!parts.tracer->visible()) return;
  parts.tracer->setVisible(false);
  parts.tracer->layer()->replot();
}

}  // namespace larmor
