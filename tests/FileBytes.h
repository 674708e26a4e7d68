#pragma once
// A file's bytes read or written whole, for the tests that look at what was written.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace larmor::test {

inline QByteArray fileBytes(const QString& path) {  // none when it cannot be read
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

}  // namespace larmor::test
