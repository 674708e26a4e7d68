#include "ui/DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace larmor {

void DesktopDocumentOpener::open(const QString& bareFileName) {
  // A missing document or a desktop without a viewer is not reported.
  QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(bareFileName)));
}

}  // namespace larmor
