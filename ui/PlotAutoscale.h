#pragma once

class QCustomPlot;

namespace larmor {

// Fits a plot's axes to its curves, with a little room above and below; a curve that is
// constant (or constant but for rounding) gets a span of its own about its value.
void autoscalePlot(QCustomPlot* plot);

}  // namespace larmor
