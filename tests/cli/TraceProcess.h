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

// A refusal as the companion makes one: its exit code, nothing on standard output, and one
// line on standard error that says why.
inline void expectRefusal(const Outcome& o, int exitCode, const QByteArray& says) {
  EXPECT_EQ(o.exitCode, exitCode) << o.err.toStdString();
  EXPECT_TRUE(o.out.isEmpty()) << o.out.left(200).toStdString();
  EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
  EXPECT_TRUE(o.err.contains(says)) << o.err.toStdString();
}

}  // namespace larmor::test
