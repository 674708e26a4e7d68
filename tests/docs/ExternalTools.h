#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace larmor::testing {

struct ToolResult {
  bool started = false;
  int exitCode = -1;
  QString out;  // standard output and error together, UTF-8
};

// Runs a program with an argument list (no shell) and waits up to timeoutMs.
ToolResult runTool(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                   int timeoutMs = 120000);

// The text of a PDF (pdftotext), with line breaks and repeated blanks made single blanks,
// so a phrase broken across lines is still found.
QString pdfText(const QString& path);
// Pages as pdfinfo reports them; 0 when it cannot read the file.
int pdfPages(const QString& path);
// Number of images pdfimages lists.
int pdfImages(const QString& path);

QString readUtf8File(const QString& path);

}  // namespace larmor::testing
