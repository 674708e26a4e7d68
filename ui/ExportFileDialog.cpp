#include "ui/ExportFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace larmor {

QString QtExportFileDialog::saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                                         const QString& filter, const QString& suffix) {
  // The runtime folder the program runs in may not be writable once installed: start in
  // the user's documents.
  if (m_folder.isEmpty()) m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (m_folder.isEmpty()) m_folder = QDir::homePath();
  QFileDialog dialog(parent, title, QDir(m_folder).filePath(suggestedName), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  m_folder = QFileInfo(path).absolutePath();
  return path;
}

}  // namespace larmor
