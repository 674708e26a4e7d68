#include "ui/DiagnosticsCurves.h"

#include <QCoreApplication>

#include <qcustomplot.h>

#include <cstring>

namespace larmor {

namespace {

const QColor curveColours[] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 130, 0),
                               QColor(200, 110, 0), QColor(150, 0, 150), QColor(0, 130, 150)};

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The same sample to the bit (NaN included): the curves still show the series' prefix.
bool sameSample(const DiagnosticSample& a, const DiagnosticSample& b) {
  return sameBits(a.t, b.t) && sameBits(a.dV, b.dV) && sameBits(a.muRatio, b.muRatio) &&
         sameBits(a.pitchDeg, b.pitchDeg) && sameBits(a.B, b.B) && sameBits(a.rho, b.rho) && sameBits(a.z, b.z);
}

}  // namespace

void DiagnosticsCurves::build(QCustomPlot* const (&plots)[diagnosticPlotCount]) {
  auto add = [this, &plots](DiagnosticPlot which, bool rightAxis, double (*value)(const DiagnosticSample&),
                            const char* name, const char* unit, int digits) {
    QCustomPlot* p = plots[static_cast<int>(which)];
    QCPGraph* graph = p->addGraph(p->xAxis, rightAxis ? p->yAxis2 : p->yAxis);
    // The names and units in the window's language; the window is built again in another one.
    const QString shownName = QCoreApplication::translate("larmor::DiagnosticsCurves", name);
    graph->setName(shownName);
    graph->setPen(QPen(curveColours[m_curves.size()], 1));
    m_curves.push_back({which, graph, value, shownName, QCoreApplication::translate("larmor::DiagnosticsCurves", unit), digits});
  };
  // dV as the accuracy label rounds it; μ/μ0 and the pitch angle drift in their fifth or
  // sixth digit, which is what the plots show of them; lengths to a millimetre or so.
  add(DiagnosticPlot::SpeedError, false, [](const DiagnosticSample& s) { return double(s.dV); }, "dV", " %", 4);
  add(DiagnosticPlot::MagneticMoment, false, [](const DiagnosticSample& s) { return s.muRatio; }, "μ/μ0", "", 7);
  add(DiagnosticPlot::PitchAndField, false, [](const DiagnosticSample& s) { return s.pitchDeg; }, QT_TRANSLATE_NOOP("larmor::DiagnosticsCurves", "питч-угол"), "°", 7);
  add(DiagnosticPlot::PitchAndField, true, [](const DiagnosticSample& s) { return s.B; }, "|B|", QT_TRANSLATE_NOOP("larmor::DiagnosticsCurves", " Тл"), 5);
  add(DiagnosticPlot::Position, false, [](const DiagnosticSample& s) { return s.z; }, "z", QT_TRANSLATE_NOOP("larmor::DiagnosticsCurves", " м"), 4);
  add(DiagnosticPlot::Position, false, [](const DiagnosticSample& s) { return s.rho; }, "ρ", QT_TRANSLATE_NOOP("larmor::DiagnosticsCurves", " м"), 4);
}

std::vector<const DiagnosticsCurves::Curve*> DiagnosticsCurves::of(DiagnosticPlot plot) const {
  std::vector<const Curve*> found;
  for (const Curve& curve : m_curves)
    if (curve.plot == plot) found.push_back(&curve);
  return found;
}

bool DiagnosticsCurves::update(const DiagnosticsSeries& series) {
  if (series.revision() == m_shownRevision) return false;
  const std::vector<DiagnosticSample>& samples = series.samples();
  const bool grew = m_shownCount > 0 && series.stride() == m_shownStride && samples.size() >= m_shownCount &&
                    series.stepsOffered() >= m_shownOffered && sameSample(samples[m_shownCount - 1], m_shownLast);
  const std::size_t from = grew ? m_shownCount : 0;
  const auto count = static_cast<qsizetype>(samples.size() - from);
  QVector<double> t(count), y(count);
  for (qsizetype k = 0; k < count; ++k) t[k] = samples[from + static_cast<std::size_t>(k)].t;
  for (const Curve& curve : m_curves) {
    for (qsizetype k = 0; k < count; ++k) y[k] = curve.value(samples[from + static_cast<std::size_t>(k)]);
    if (grew) curve.graph->addData(t, y, true);
    else curve.graph->setData(t, y, true);
  }
  m_shownRevision = series.revision();
  m_shownCount = samples.size();
  m_shownStride = series.stride();
  m_shownOffered = series.stepsOffered();
  if (!samples.empty()) m_shownLast = samples.back();
  return true;
}

void DiagnosticsCurves::clear(const DiagnosticsSeries& series) {
  for (const Curve& curve : m_curves) curve.graph->data()->clear();
  m_shownRevision = series.revision();
  m_shownCount = 0;
}

}  // namespace larmor
