#include "ExternalTools.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace larmor::testing {

ToolResult runTool(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, int timeoutMs) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  ToolResult result;
  result.started = process.waitForStarted(10000);
  if (!result.started) return result;
  process.waitForFinished(timeoutMs);
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = QString::fromUtf8(process.readAll());
  return result;
}

QString pdfText(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  QString text = r.exitCode == 0 ? r.out : QString();
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

int pdfPages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfinfo"), {path});
  const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                        QRegularExpression::MultilineOption)
                         .match(r.out);
  return r.exitCode == 0 && match.hasMatch() ? match.captured(1).toInt() : 0;
}

int pdfImages(const QString& path) {
  const ToolResult r = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
  if (r.exitCode != 0) return -1;
  // Two header lines, then one line per image.
  return static_cast<int>(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2;
}

QString readUtf8File(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace larmor::testing
