#include "ExternalTools.h"

#include <QProcess>
#include <QRegularExpression>

namespace larmor::testing {

ToolResult runTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
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

QString pdfText(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  return r.exitCode == 0 ? r.out.simplified() : QString();
}

int pdfPages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfinfo"), {path});
  const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(r.out);
  return r.exitCode == 0 && match.hasMatch() ? match.captured(1).toInt() : -1;
}

int pdfImages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
  // Two header lines, then one line per image.
  return r.exitCode == 0 ? static_cast<int>(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2 : -1;
}

}  // namespace larmor::testing
