#pragma once
// The real larmor-trace binary, run as a user runs it.
#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace larmor::test {

struct Outcome {
  int exitCode = -1;  // -1 when the process crashed
  QByteArray out, err;
};

inline Outcome trace(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(LARMOR_TRACE_BINARY), arguments);
  EXPECT_TRUE(process.waitForFinished(120000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

}  // namespace larmor::test
