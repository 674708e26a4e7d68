#pragma once

#include <QProcess>
#include <QRegularExpression>

namespace larmor::testing {

struct ToolResult {
  bool started = false;
  int exitCode = -1;
  QString out;  // standard output and error together
};

// Runs a program with an argument list (no shell).
inline ToolResult runTool(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  ToolResult result;
  if (!(result.started = process.waitForStarted(10000))) return result;
  process.waitForFinished(120000);
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = QString::fromUtf8(process.readAll());
  return result;
}

// pdftotext with every run of white space made one blank, so a phrase broken across lines is found.
inline QString pdfText(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  return r.exitCode == 0 ? r.out.simplified() : QString();
}

// Pages (pdfinfo) and images (pdfimages: two header lines, then one per image); -1 when unreadable.
inline int pdfPages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfinfo"), {path});
  const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(r.out);
  return r.exitCode == 0 && match.hasMatch() ? match.captured(1).toInt() : -1;
}

inline int pdfImages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
  return r.exitCode == 0 ? static_cast<int>(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2 : -1;
}

}  // namespace larmor::testing
