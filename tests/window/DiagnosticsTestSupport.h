#pragma once
// The diagnostics window's tests share a fixture: the main window with its diagnostics
// window opened from the menu, a known series, and exports answered in place of the desktop.
#include "WindowTestSupport.h"

#include "ui/DiagnosticsWindow.h"

#include <QFontMetrics>

#include <qcustomplot.h>

namespace larmor::test {

using Plot = DiagnosticsWindow::Plot;

// A known curve: t = k ms; dV grows linearly; μ/μ0 undefined (NaN) for k in [400, 450);
// pitch, |B|, ρ and z simple functions of k.
inline DiagnosticSample sample(int k) {
  DiagnosticSample s;
  s.t = k * 1e-3;
  s.dV = float(k * 1e-4);
  s.muRatio = k >= 400 && k < 450 ? std::nan("") : 1 + 0.01 * std::sin(k * 0.1);
  s.pitchDeg = 90 + 30 * std::sin(k * 0.02);
  s.B = 0.01 + 1e-5 * k;
  s.rho = 0.5 + 1e-4 * k;
  s.z = -1 + 2e-3 * k;
  return s;
}

class DiagnosticsTest : public WindowTest {
protected:
  DiagnosticsWindow& openDiagnostics() {
    if (!window().isVisible()) showWindow();
    control<QAction>("mnuDiagnosticsWindow")->trigger();
    DiagnosticsWindow* diagnostics = window().diagnostics();
    EXPECT_NE(diagnostics, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(diagnostics));
    diagnostics->setFileDialogs(files);
    return *diagnostics;
  }
  void addSamples(int from, int to) {
    for (int k = from; k < to; ++k) window().diagnosticsSeries().add(sample(k));
  }
  QCPGraph* graph(Plot which, int index = 0) { return window().diagnostics()->plot(which)->graph(index); }
  QString readout(Plot which) {
    static const char* const names[] = {"readoutSpeedError", "readoutMagneticMoment", "readoutPitchAndField", "readoutPosition"};
    return window().diagnostics()->findChild<QLabel*>(QString::fromLatin1(names[int(which)]))->text();
  }
  QString title(Plot which) {
    return static_cast<QCPTextElement*>(window().diagnostics()->plot(which)->plotLayout()->element(0, 0))->text();
  }
  void triggerDiagnostics(const char* action) {
    auto* item = window().diagnostics()->findChild<QAction*>(QString::fromLatin1(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
  }

  AnsweringFileDialogs files;
  QTemporaryDir out;
};

// Every line of the plot's title fits its width, and the time axis' labels shown do not
// run into each other (2 px apart at least).
inline bool readable(QCustomPlot* p) {
  const auto* title = static_cast<QCPTextElement*>(p->plotLayout()->element(0, 0));
  for (const QString& line : title->text().split(QLatin1Char('\n')))
    if (QFontMetrics(title->font()).horizontalAdvance(line) > p->width()) return false;
  const QVector<double> ticks = p->xAxis->tickVector();
  const QVector<QString> labels = p->xAxis->tickVectorLabels();
  const QFontMetrics metrics(p->xAxis->tickLabelFont());
  double right = -1e9;
  for (qsizetype i = 0; i < ticks.size() && i < labels.size(); ++i) {
    if (!p->xAxis->range().contains(ticks[i])) continue;
    const double half = metrics.horizontalAdvance(labels[i]) / 2.0, centre = p->xAxis->coordToPixel(ticks[i]);
    if (centre - half < right + 2) return false;
    right = centre + half;
  }
  return labels.size() >= 2;
}

}  // namespace larmor::test
