#pragma once

#include "docgen/FigureRequest.h"
#include "model/Language.h"

#include <QImage>

#include <vector>

namespace larmor {

// How a figure is laid out: the two views side by side, as in the window (X0Y square,
// X0Z twice as wide), each with a thin frame and its name below.
struct FigureStyle {
  int viewHeight = 260;      // [logical pixels] height of both views
  int gap = 16;              // [logical pixels] between the views
  int captionHeight = 22;    // [logical pixels] room for the view names below
  qreal pixelRatio = 2.0;    // image pixels per logical pixel: sharp when printed
  Language language = Language::Russian;  // of the words drawn in the figure
};

// Draws the figure with the program's own views on image canvases: the recompute's
// picture (grid, axes, markers, field structure, start direction), and for a run the
// field structure drawn again, the trail of every step and the markers where the run
// ended. A speed-error figure is a plot as wide as the two views: dV [%] against t [s] of
// the RK4 run and of the Boris run from the same state, with a legend. A theory figure is
// a run figure with the guiding-centre theory's prediction for its start drawn over the
// views in a colour of its own (TheoryFigure.h) and, under the view names, what that
// colour shows and the predicted values against the measured ones, on as many lines as
// they take. The result carries the device pixel ratio of the style.
QImage renderFigure(const FigureRequest& request, const FigureStyle& style = {});

// The speed error after every step of the two runs of a speed-error figure.
struct SpeedErrorCurves {
  std::vector<double> t, rk4, boris;  // [s], [%], [%]; the two runs have the same steps
};
SpeedErrorCurves speedErrorCurves(const FigureRequest& request);

}  // namespace larmor
