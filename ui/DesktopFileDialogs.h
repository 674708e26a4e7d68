#pragma once

#include "ui/Services.h"

namespace larmor {

// The desktop's file dialogs and two small dialogs of the window's own: the title and
// description of a lesson being saved, and the width of an exported picture. A dialog
// starts in the folder of the last file really written or read; never in a pseudo file
// system (/proc, /sys, /dev …), where listing a file's type can block for ever, nor in a
// folder that is gone: the documents folder then. Whatever folder the user opens, the
// dialog reads no file's content (a file's type is told by its name only).
class DesktopFileDialogs : public FileDialogs {
public:
  // True for a folder of a file system the kernel makes up (proc, sysfs, devtmpfs …).
  static bool pseudoFileSystem(const QString& folder);
  // Where the next dialog starts.
  QString startFolder() const;

  QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                       const QString& filter, const QString& suffix) override;
  std::optional<Description> describeScenario(QWidget* parent, const Description& current) override;
  std::optional<int> pictureWidth(QWidget* parent, int windowWidth) override;
  void fileUsed(const QString& path) override;

private:
  QString m_folder;
};

}  // namespace larmor
