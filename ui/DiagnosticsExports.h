#pragma once
// The diagnostics window's exports: the series as a CSV table, and one plot as a PNG or an
// SVG picture. Each asks where, writes the whole file or nothing, and says why it could not.
#include "ui/DiagnosticsPlots.h"

class QByteArray;
class QCustomPlot;
class QWidget;

namespace larmor {

class Dialogs;
class DiagnosticsSeries;
class FileDialogs;

class DiagnosticsExports {
public:
  // dialogs and files outlive the exports; window is the parent of every dialog.
  DiagnosticsExports(QWidget* window, Dialogs& dialogs, FileDialogs& files)
      : m_window(window), m_dialogs(dialogs), m_files(&files) {}

  void setFileDialogs(FileDialogs& files) { m_files = &files; }

  void exportCsv(const DiagnosticsSeries& series);
  void exportPicture(DiagnosticPlot which, QCustomPlot* plot, bool svg);

private:
  // Written beside the target and renamed over it only when whole.
  bool writeFile(const QString& path, const QByteArray& bytes);
  void cannotWrite(const QString& path, const QString& reason);

  QWidget* m_window;
  Dialogs& m_dialogs;
  FileDialogs* m_files;
};

}  // namespace larmor
