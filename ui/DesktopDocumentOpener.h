#pragma once

#include "ui/Services.h"

namespace larmor {

// Hands a document in the current working directory to the desktop's associated program.
class DesktopDocumentOpener : public DocumentOpener {
public:
  void open(const QString& bareFileName) override;
};

}  // namespace larmor
