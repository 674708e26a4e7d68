#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

class QPaintDevice;
class QTextDocument;

namespace larmor {

struct PdfOptions {
  QString title;                                         // the PDF's title metadata
  QString fontFamily = QStringLiteral("Liberation Serif");  // serif with Cyrillic
  qreal fontPointSize = 11;
  int resolution = 600;          // [dpi] of the layout and of the text on the page
  qreal marginMillimetres = 20;  // on every side of the A4 page
};

// The image for a figure address of the Markdown, or a null image and the reason.
using FigureSource = std::function<QImage(const QString& address, QString* error)>;

// The document from Markdown, laid out for pages of pageSize (units of the paint device,
// or of the screen when device is null): the serif font, framed tables, every image
// loaded from the figure source, centred and fitted to the text width (never enlarged
// beyond its own size). Null with the reason when a figure cannot be had.
std::unique_ptr<QTextDocument> buildDocument(const QString& markdown, QSizeF pageSize,
                                             QPaintDevice* device, const PdfOptions& options,
                                             const FigureSource& figures, QString* error);

// Renders Markdown into an A4 PDF with page numbers. Returns the number of pages, or 0
// with the reason (a figure failed, the file cannot be written).
int writeMarkdownPdf(const QString& markdown, const QString& outputPath,
                     const PdfOptions& options, const FigureSource& figures, QString* error);

}  // namespace larmor
