#pragma once
// The read-out under a plot: the kept sample nearest the mouse in time, its values written
// in the window's style of numbers, and a mark on the curve where it lies.
#include "ui/DiagnosticsCurves.h"

#include <QPointF>

#include <vector>

namespace larmor {

// The mouse at `at` (plot coordinates) over the plot of parts, whose curves are given; an
// empty read-out and no mark outside the axes.
void showReadout(PlotParts& parts, const std::vector<const DiagnosticsCurves::Curve*>& curves, QPointF at);
// The mark taken away (the mouse has left the plot).
void hideReadoutMark(PlotParts& parts);

}  // namespace larmor
