#pragma once

#include "panel/ControlPanel.h"
#include "panel/Ensemble.h"
#include "ui/EnsemblePictures.h"

#include <QDialog>
#include <QImage>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace larmor {

class FileDialogs;

// "Ансамбль частиц": N particles from the panel's start point and speed, run in a thread of
// its own (on every core) while the window stays usable; a progress bar with the time left
// and a cancel; then the trapped fraction against cos α_lc, the histograms of the start
// pitch angles and of the escape times, the first few paths in the two views, CSV and PNG.
// A change of language writes every text again and keeps the settings and the results.
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

  // The paths of this many particles are kept: the first ones of each run.
  static constexpr int keptPaths = 5;

protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void changeEvent(QEvent* event) override;

private:
  void retranslate();
  void describeStart();
  void showResults();
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
  QDoubleSpinBox* m_spread;
  QSpinBox* m_seed;
  QLabel* m_labels[5];  // of the form's rows
  QLabel* m_from;
  QPushButton* m_start;
  QPushButton* m_cancel;
  QProgressBar* m_progressBar;
  QLabel* m_timeLeft;
  QLabel* m_result;
  EnsembleHistogram* m_histogram;
  EnsembleHistogram* m_escapeTimes;
  EnsemblePathViews* m_paths;
  QPushButton* m_csv;
  QPushButton* m_png;
  QTimer* m_timer;

  std::shared_ptr<const Ensemble> m_ensemble;  // of the run going on or the last one
  std::shared_ptr<const Ensemble> m_shown;     // of the results shown
  EnsembleProgress m_progress;
  // Written by the worker, read after it is joined.
  std::vector<ParticleResult> m_pending;
  std::vector<ParticlePath> m_pendingPaths;
  std::atomic<bool> m_done{false};
  std::thread m_worker;
  std::chrono::steady_clock::time_point m_started;
  std::vector<ParticleResult> m_results;  // of the last run that ended, shown
};

}  // namespace larmor
