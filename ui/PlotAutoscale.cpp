#include "ui/PlotAutoscale.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace larmor {

void autoscalePlot(QCustomPlot* plot) {
  // The time axis from the sorted keys' ends; each curve's values scanned once, here
  // (rescaleAxes() would scan them once more).
  plot->xAxis->rescale();
  // A little room above and below, so that a curve never runs along the frame. A constant
  // curve (|B| in the uniform field) would keep the axis' old span about its value, which
  // reads as if it were 0: it gets a span of its own, 2 % of its value.
  for (QCPAxis* axis : {plot->yAxis, plot->yAxis2}) {
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
      const double below = axis == plot->yAxis2 ? 2.0 / 3 : 0.5;
      axis->setRange(value - below * span, value + (1 - below) * span);
    } else if (axis->range().size() > 0) {
      axis->scaleRange(1.08);
    }
  }
}

}  // namespace larmor
