#pragma once

#include "canvas/ViewsPicture.h"
#include "panel/Ensemble.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace larmor {

// A histogram of the ensemble, painted into a retained image, which the PNG export saves.
// It keeps its bins, not the results: a resize or a change of language paints them again.
class EnsembleHistogram : public QWidget {
public:
  enum class Kind {
    // The start pitch angles split by outcome, the loss cone marked; in a drift structure the
    // measured drift velocities, the theory's mean marked.
    pitch,
    // When the escaped particles escaped, their mean marked.
    escapeTime,
  };
  explicit EnsembleHistogram(Kind kind, QWidget* parent = nullptr);
  void display(const std::vector<ParticleResult>& results, const EnsemblePrediction& prediction, int config);
  const QImage& image() const { return m_image; }
  // The particles in the bars: what a reader counts.
  int counted() const;

protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void changeEvent(QEvent* event) override;

private:
  enum class Axis { pitch, drift, escapeTime };
  void redraw();

  Kind m_kind;
  Axis m_axis;
  bool m_shown = false;  // results displayed (none before the first run)
  bool m_trap = false;
  double m_lo = 0, m_hi = 180;
  std::vector<int> m_stayed, m_escaped;  // stacked per bin: the stayed below
  std::vector<double> m_marks;           // dashed lines across, in the axis' units
  QImage m_image;
};

// The paths of the ensemble's first few particles in the X0Y and X0Z views, drawn as the
// main window draws its views (the same region, axes and field structure), each path in the
// colour of its outcome.
class EnsemblePathViews : public QWidget {
public:
  static constexpr int viewWidth = 150;  // [px] of X0Y; X0Z is twice as wide

  explicit EnsemblePathViews(QWidget* parent = nullptr);
  // The views of a panel's state with the paths over them (none before a run).
  void display(const SimulationState& state, int chargePosition, std::vector<ParticlePath> paths);
  const QImage& image() const { return m_image; }
  const std::vector<ParticlePath>& paths() const { return m_paths; }

protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent* event) override;

private:
  void redraw();

  std::optional<SimulationState> m_state;
  int m_chargePosition = 0;
  std::vector<ParticlePath> m_paths;
  QImage m_image;
};

}  // namespace larmor
