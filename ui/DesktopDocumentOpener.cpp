#include "ui/DesktopDocumentOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace larmor {

bool DesktopDocumentOpener::open(const QString& bareFileName, QString* reason) {
  const QString path = QDir::current().absoluteFilePath(bareFileName);
  if (!QFileInfo(path).isFile()) {
    if (reason) *reason = QCoreApplication::translate("larmor::DesktopDocumentOpener", "файла нет рядом с программой");
    return false;
  }
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
  if (reason) *reason = QCoreApplication::translate("larmor::DesktopDocumentOpener", "в системе не найдена программа для просмотра документов PDF");
  return false;
}

}  // namespace larmor
