#pragma once

#include <QString>

class QWidget;

namespace larmor {

// Asks where an export is to be written, behind an interface so tests answer it.
class ExportFileDialog {
public:
  virtual ~ExportFileDialog() = default;
  // The chosen path, with the suffix added when the user typed none; empty when cancelled.
  // suggestedName: a bare file name, offered in the folder chosen last; filter: one
  // "Name (*.suffix)" entry.
  virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                               const QString& filter, const QString& suffix) = 0;
};

// The desktop's save dialog; remembers the folder of the last choice.
class QtExportFileDialog : public ExportFileDialog {
public:
  QString saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                       const QString& filter, const QString& suffix) override;

private:
  QString m_folder;
};

}  // namespace larmor
