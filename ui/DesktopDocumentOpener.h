#pragma once

#include "ui/Services.h"

namespace larmor {

// Hands a document in the current working directory to the desktop's associated program.
// A desktop that has no way to open it (no launcher, no viewer found) is reported; a viewer
// that starts and then fails is the desktop's to report.
class DesktopDocumentOpener : public DocumentOpener {
public:
  bool open(const QString& bareFileName, QString* reason) override;
};

}  // namespace larmor
