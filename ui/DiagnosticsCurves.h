#pragma once
// The diagnostics window's curves kept in step with the series a run fills.
#include "model/DiagnosticsSeries.h"
#include "ui/DiagnosticsPlots.h"

#include <QString>

#include <cstdint>
#include <vector>

class QCPGraph;
class QCustomPlot;

namespace larmor {

class DiagnosticsCurves {
public:
  struct Curve {
    DiagnosticPlot plot;
    QCPGraph* graph;
    double (*value)(const DiagnosticSample&);
    QString name, unit;  // as the read-out writes them; the unit with the space before it, if any
    int digits;          // significant digits the read-out shows: what tells this quantity's samples apart
  };

  // The six curves, each on its plot's left axis or (|B|) its right one.
  void build(QCustomPlot* const (&plots)[diagnosticPlotCount]);

  const std::vector<Curve>& curves() const { return m_curves; }
  // The curves of one plot, in the order they were added.
  std::vector<const Curve*> of(DiagnosticPlot plot) const;

  // Brings the curves up to the series: appends the new samples when the series only grew
  // since the last update, else sets them whole. False when the series is as last shown.
  bool update(const DiagnosticsSeries& series);
  // Empties the curves; they stay empty until the series changes.
  void clear(const DiagnosticsSeries& series);

private:
  std::vector<Curve> m_curves;
  // What the curves show: the series as it was at that revision.
  std::uint64_t m_shownRevision = 0;
  std::size_t m_shownCount = 0;
  std::int64_t m_shownStride = 1, m_shownOffered = 0;
  DiagnosticSample m_shownLast;
};

}  // namespace larmor
