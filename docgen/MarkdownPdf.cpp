#include "docgen/MarkdownPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <vector>

namespace larmor {

namespace {

// The layout reads the lengths of formats (borders, padding, image sizes) as pixels of a
// 96-dpi screen and scales them to the device itself; only the page size is in device
// units. Device units per such pixel:
qreal deviceUnitsPerPixel(const QPaintDevice* device) {
  return device ? device->logicalDpiY() / 96.0 : 1.0;
}

constexpr qreal pixelsPerPoint = 96.0 / 72.0;

void frameTables(QTextFrame* frame, qreal pt) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat format = table->format();
      format.setBorder(0.75 * pt);
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      format.setBorderBrush(QColor(80, 80, 80));
      format.setBorderCollapse(true);
      format.setCellSpacing(0);
      format.setCellPadding(3 * pt);
      format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
      format.setTopMargin(4 * pt);
      format.setBottomMargin(6 * pt);
      table->setFormat(format);
    }
    frameTables(child, pt);
  }
}

struct ImageAt {
  int position;
  int length;
  QTextImageFormat format;
};

// Loads every image of the document and fits it to the text width [96-dpi pixels];
// false on a failure.
bool placeFigures(QTextDocument& document, qreal textWidth, const FigureSource& figures,
                  QString* error) {
  std::vector<ImageAt> images;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat())
        images.push_back({fragment.position(), fragment.length(),
                          fragment.charFormat().toImageFormat()});
    }
  }
  for (ImageAt& at : images) {
    const QString address = at.format.name();
    QString why;
    const QImage image = figures ? figures(address, &why) : QImage();
    if (image.isNull()) {
      if (error)
        *error = QStringLiteral("figure '%1': %2")
                     .arg(address, why.isEmpty() ? QStringLiteral("no image") : why);
      return false;
    }
    document.addResource(QTextDocument::ImageResource, QUrl(address), image);

    const QSizeF natural = image.deviceIndependentSize();
    const qreal scale = natural.width() > textWidth ? textWidth / natural.width() : 1.0;
    at.format.setWidth(natural.width() * scale);
    at.format.setHeight(natural.height() * scale);

    QTextCursor cursor(&document);
    cursor.setPosition(at.position);
    cursor.setPosition(at.position + at.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(at.format);
    QTextBlockFormat centred = cursor.blockFormat();
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(centred.topMargin() + 6 * pixelsPerPoint);
    cursor.setBlockFormat(centred);
  }
  return true;
}

int pageOf(qreal y, qreal pageHeight) { return static_cast<int>(y / pageHeight); }

// A figure and the caption paragraph after it go on one page: where the layout splits
// them (or lets the figure's block straddle a page end), the figure starts a new page.
// Each pass moves figures only forward, so the loop ends; the bound is a safeguard.
void keepFiguresWithCaptions(QTextDocument& document) {
  const qreal pageHeight = document.pageSize().height();
  if (pageHeight <= 0) return;
  for (int pass = 0; pass < 64; ++pass) {
    bool moved = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      bool hasImage = false;
      for (auto it = block.begin(); !it.atEnd() && !hasImage; ++it)
        hasImage = it.fragment().charFormat().isImageFormat();
      if (!hasImage || block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        continue;
      QAbstractTextDocumentLayout* layout = document.documentLayout();
      const QRectF figure = layout->blockBoundingRect(block);
      const QTextBlock caption = block.next();
      const qreal bottom = caption.isValid()
                               ? layout->blockBoundingRect(caption).bottom()
                               : figure.bottom();
      if (pageOf(figure.top(), pageHeight) != pageOf(bottom - 1, pageHeight)) {
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
        moved = true;
        break;  // the layout below this block has changed
      }
    }
    if (!moved) return;
  }
}

}  // namespace

std::unique_ptr<QTextDocument> buildDocument(const QString& markdown, QSizeF pageSize,
                                             QPaintDevice* device, const PdfOptions& options,
                                             const FigureSource& figures, QString* error) {
  auto document = std::make_unique<QTextDocument>();
  if (device) document->documentLayout()->setPaintDevice(device);
  QFont font(options.fontFamily);
  font.setPointSizeF(options.fontPointSize);
  document->setDefaultFont(font);
  document->setDocumentMargin(0);
  document->setPageSize(pageSize);
  document->setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

  frameTables(document->rootFrame(), pixelsPerPoint);
  if (!placeFigures(*document, pageSize.width() / deviceUnitsPerPixel(device), figures, error))
    return nullptr;
  keepFiguresWithCaptions(*document);
  return document;
}

int writeMarkdownPdf(const QString& markdown, const QString& outputPath,
                     const PdfOptions& options, const FigureSource& figures, QString* error) {
  QPdfWriter writer(outputPath);
  writer.setResolution(options.resolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(options.marginMillimetres,
                                             options.marginMillimetres,
                                             options.marginMillimetres,
                                             options.marginMillimetres),
                                   QPageLayout::Millimeter));
  writer.setTitle(options.title);
  writer.setCreator(QStringLiteral("larmor-docgen"));

  const QRectF body = writer.pageLayout().paintRectPixels(options.resolution);
  QFont footerFont(options.fontFamily);
  footerFont.setPointSizeF(options.fontPointSize * 0.9);
  const qreal footer = 2.5 * QFontMetricsF(footerFont, &writer).height();
  const QSizeF page(body.width(), body.height() - footer);

  std::unique_ptr<QTextDocument> document =
      buildDocument(markdown, page, &writer, options, figures, error);
  if (!document) return 0;

  QPainter painter;
  if (!painter.begin(&writer)) {
    if (error) *error = QStringLiteral("cannot write '%1'").arg(outputPath);
    return 0;
  }
  const int pages = document->pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    painter.save();
    painter.translate(0, -i * page.height());
    document->drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
    painter.restore();

    painter.setFont(footerFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, body.height() - footer, body.width(), footer),
                     Qt::AlignHCenter | Qt::AlignBottom, QString::number(i + 1));
  }
  painter.end();
  return pages;
}

}  // namespace larmor
