#pragma once

#include "panel/ControlPanel.h"
#include "panel/Ensemble.h"

#include <QDialog>
#include <QImage>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace larmor {

class FileDialogs;

// The histogram of the ensemble's start pitch angles split by outcome, with the loss cone
// marked; in a drift structure the histogram of the measured drift velocities with the
// theory's mean marked. Painted into a retained image, which the PNG export saves.
class EnsembleHistogram : public QWidget {
public:
  explicit EnsembleHistogram(QWidget* parent = nullptr);
  void display(const std::vector<ParticleResult>& results, const EnsemblePrediction& prediction, int config);
  const QImage& image() const { return m_image; }

protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

private:
  void redraw();
  std::vector<ParticleResult> m_results;
  EnsemblePrediction m_prediction;
  int m_config = 1;
  QImage m_image;
};

// "Ансамбль частиц": N particles from the panel's start point and speed, run in a thread of
// its own (on every core) while the window stays usable; a progress bar with the time left
// and a cancel; then the trapped fraction against cos α_lc, the histogram, CSV and PNG.
class EnsembleDialog : public QDialog {
  Q_OBJECT

public:
  EnsembleDialog(FileDialogs& files, QWidget* parent = nullptr);
  void setFileDialogs(FileDialogs& files) { m_files = &files; }
  // Cancels a run that goes on and waits for its thread: no particle outlives the dialog.
  ~EnsembleDialog() override;

  // The panel the next start copies: its start point, speed, structure, integrator.
  void setPanel(const ControlPanel& panel);
  bool running() const { return m_worker.joinable(); }
  const std::vector<ParticleResult>& results() const { return m_results; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

private:
  void start();
  void cancel();
  void poll();
  void finish();
  void exportCsv();
  void exportPng();

  FileDialogs* m_files;
  ControlPanel m_panel;
  QSpinBox* m_particles;
  QComboBox* m_distribution;
  QSpinBox* m_seed;
  QLabel* m_from;
  QPushButton* m_start;
  QPushButton* m_cancel;
  QProgressBar* m_progressBar;
  QLabel* m_timeLeft;
  QLabel* m_result;
  EnsembleHistogram* m_histogram;
  QPushButton* m_csv;
  QPushButton* m_png;
  QTimer* m_timer;

  std::unique_ptr<Ensemble> m_ensemble;
  EnsembleProgress m_progress;
  std::vector<ParticleResult> m_pending;  // written by the worker, read after it is joined
  std::atomic<bool> m_done{false};
  std::thread m_worker;
  std::chrono::steady_clock::time_point m_started;
  std::vector<ParticleResult> m_results;  // of the last run that ended, shown
};

}  // namespace larmor
