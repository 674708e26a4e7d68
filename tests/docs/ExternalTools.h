#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace larmor::testing {

struct ToolResult {
  bool started = false;
  int exitCode = -1;
  QString out;  // standard output and error together
};

// Runs a program with an argument list (no shell).
ToolResult runTool(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
// pdftotext with every run of white space made one blank, so a phrase broken across lines is found.
QString pdfText(const QString& path);
// Pages (pdfinfo) and images (pdfimages) of a PDF; -1 when the tool cannot read it.
int pdfPages(const QString& path);
int pdfImages(const QString& path);

}  // namespace larmor::testing
