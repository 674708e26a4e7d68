#include "ui/DiagnosticsExports.h"

#include "model/DiagnosticsSeries.h"
#include "panel/TrajectoryCsv.h"
#include "ui/FileErrors.h"
#include "ui/FileNaming.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QSaveFile>
#include <QSvgGenerator>

#include <qcustomplot.h>

#include <algorithm>

namespace larmor {

void DiagnosticsExports::exportCsv(const DiagnosticsSeries& series) {
  const QString path = m_files->saveFileName(m_window, QCoreApplication::translate("larmor::DiagnosticsExports", "Сохранить данные диагностики"),
                                             QCoreApplication::translate("larmor::DiagnosticsExports", "диагностика.csv"), QStringLiteral("CSV (*.csv)"),
                                             QStringLiteral("csv"));
  if (path.isEmpty()) return;
  // The table in the companion's format: every number the shortest text that reads back
  // exactly, whatever the regional settings.
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(series.samples().size()) * 7 * 24 + 64);
  {
    CsvWriter csv([&bytes](const char* data, std::size_t size) {
      bytes.append(data, static_cast<qsizetype>(size));
      return true;
    });
    csv.diagnosticsHeader();
    for (const DiagnosticSample& sample : series.samples()) csv.diagnosticsRow(sample);
  }
  if (writeFile(path, bytes)) m_files->fileUsed(path);
}

void DiagnosticsExports::exportPicture(DiagnosticPlot which, QCustomPlot* p, bool svg) {
  const DiagnosticPlotText& text = plotText(which);
  const QString suffix = svg ? QStringLiteral("svg") : QStringLiteral("png");
  const QString path = m_files->saveFileName(
      m_window, QCoreApplication::translate("larmor::DiagnosticsExports", "Сохранить график «%1»").arg(plotWords(text.shortName)),
      plotWords(text.fileName) + QLatin1Char('.') + suffix,
      svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)"), suffix);
  if (path.isEmpty()) return;
  const int w = std::max(1, p->width()), h = std::max(1, p->height());
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(w, h));
    generator.setViewBox(QRect(0, 0, w, h));
    generator.setTitle(plotTitle(p)->text());
    QCPPainter painter;
    if ((drawn = painter.begin(&generator))) {
      p->toPainter(&painter, w, h);
      drawn = painter.end();
    }
  } else {
    drawn = p->toPixmap(w, h).save(&buffer, "PNG");
  }
  if (!drawn) return cannotWrite(path, QCoreApplication::translate("larmor::DiagnosticsExports", "рисунок не удалось построить"));
  if (writeFile(path, bytes)) m_files->fileUsed(path);
}

bool DiagnosticsExports::writeFile(const QString& path, const QByteArray& bytes) {
  // A failure leaves neither a partial file nor a changed old one.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return cannotWrite(path, fileErrorReason(file)), false;
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = fileErrorReason(file);
    file.cancelWriting();
    return cannotWrite(path, reason), false;
  }
  return true;
}

void DiagnosticsExports::cannotWrite(const QString& path, const QString& reason) {
  m_dialogs.warning(m_window, QCoreApplication::translate("larmor::DiagnosticsExports", "Диагностика"),
                    QCoreApplication::translate("larmor::DiagnosticsExports", "Не удалось записать файл %1.\n%2").arg(shownPath(path), reason));
}

}  // namespace larmor
