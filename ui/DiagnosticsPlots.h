#pragma once
// The building of the diagnostics window's plots: each a QCustomPlot with its title, axes,
// ticks in the window's style of numbers, the cursor's mark, the note shown while it is
// empty, and the read-out line under it.
#include <QString>

class QCPItemText;
class QCPItemTracer;
class QCPTextElement;
class QCustomPlot;
class QFont;
class QLabel;
class QWidget;

namespace larmor {

// The four plots, top left to bottom right; each holds one or two curves.
enum class DiagnosticPlot { SpeedError, MagneticMoment, PitchAndField, Position };
inline constexpr int diagnosticPlotCount = 4;

struct DiagnosticPlotText {
  const char* key;        // in object names: plotSpeedError, readoutSpeedError, …
  const char* fileName;   // suggested for a picture of the plot
  const char* title;      // above the plot, before the method's name
  const char* shortName;  // in the menus
  const char* yTitle;
  const char* y2Title;    // the right axis, where a plot has one
};
const DiagnosticPlotText& plotText(DiagnosticPlot which);
// A text of the table above in the window's language.
QString plotWords(const char* text);

struct PlotParts {
  QCustomPlot* plot = nullptr;
  QLabel* readout = nullptr;
  QCPItemTracer* tracer = nullptr;   // the sample under the mouse, on a layer of its own
  QCPItemText* emptyNote = nullptr;  // shown while the plot has no curve
  bool followsData = true;           // autoscaled at every redraw until the user zooms or pans
};

// Builds a plot and its read-out inside parent; both still to be placed in a layout.
PlotParts buildPlot(DiagnosticPlot which, QWidget* parent, const QFont& windowFont);

// The plot's two curves named in one line of their own under the title, where the legend
// hides no point of them.
void showLegend(QCustomPlot* plot, const QFont& windowFont);

QCPTextElement* plotTitle(const QCustomPlot* plot);
// The title on one line where it fits the plot's width; in a narrow plot the method goes on
// a second line, since a title wider than its plot is cut at both ends.
void fitTitle(QCustomPlot* plot, const QString& name, const QString& method);

QString emptyPlotText();

}  // namespace larmor
