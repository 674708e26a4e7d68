#pragma once

#include "panel/RunDriver.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <cstdint>

namespace larmor {

// A dialog that shows how far a long replay of the last run has come and lets the user give
// it up; it appears only when the replay lasts longer than a second.
class ReplayProgress : public RunObserver {
public:
  static constexpr std::int64_t stride = 16384;  // steps between two looks at the dialog

  // The dialog blocks parent's window, or with Qt::ApplicationModal every window: the run
  // record must not change while it is replayed.
  ReplayProgress(QWidget* parent, const QString& label, std::int64_t steps,
                 Qt::WindowModality modality = Qt::WindowModal)
      : m_dialog(label, QCoreApplication::translate("larmor::ReplayProgress", "Отмена"), 0, static_cast<int>(steps / stride) + 1, parent) {
    m_dialog.setWindowModality(modality);
    m_dialog.setMinimumDuration(1000);
  }
  bool stepped(const Run& run, const SimulationState&, const TrailSegment&) override {
    return keepGoing(run.stepsDone());
  }
  bool keepGoing(std::int64_t steps) {
    if (steps % stride != 0) return true;
    m_dialog.setValue(static_cast<int>(steps / stride));
    return !m_dialog.wasCanceled();
  }

private:
  QProgressDialog m_dialog;
};

}  // namespace larmor
