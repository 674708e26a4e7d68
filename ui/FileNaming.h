#pragma once
// How the window names and shows the files it writes.
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QString>

namespace larmor {

// A path as the desktop writes it, in the window's messages.
inline QString shownPath(const QString& path) { return QDir::toNativeSeparators(path); }

// A lesson's title as a file name: what a file system takes, or "сценарий".
inline QString suggestedName(const QString& title, const char* suffix) {
  QString name = title;
  name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
  name = name.simplified().left(60);
  return (name.isEmpty() ? QCoreApplication::translate("larmor::FileNaming", "сценарий") : name) + QLatin1Char('.') + QLatin1String(suffix);
}

}  // namespace larmor
