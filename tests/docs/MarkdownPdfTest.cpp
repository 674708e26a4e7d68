#include "docgen/MarkdownPdf.h"

#include "ExternalTools.h"

#include <QAbstractTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace larmor {
namespace {

// A figure source that hands out plain images of a size named in the address
// ("fig:WxH"), and fails for anything else.
QImage sizedImage(const QString& address, QString* error) {
  const QStringList size = address.mid(4).split(QLatin1Char('x'));
  if (!address.startsWith(QLatin1String("fig:")) || size.size() != 2) {
    *error = QStringLiteral("no such figure");
    return {};
  }
  QImage image(size[0].toInt(), size[1].toInt(), QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  return image;
}

std::vector<QTextImageFormat> imagesOf(const QTextDocument& document) {
  std::vector<QTextImageFormat> images;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat())
        images.push_back(it.fragment().charFormat().toImageFormat());
  return images;
}

TEST(MarkdownDocument, FitsFiguresToTheTextWidthWithoutEnlargingThem) {
  const QSizeF page(500, 700);
  QString error;
  const auto document = buildDocument(
      QStringLiteral("# Рисунки\n\n![wide](fig:1000x400)\n\n![small](fig:100x50)\n"), page,
      nullptr, PdfOptions{}, sizedImage, &error);
  ASSERT_TRUE(document) << error.toStdString();
  const auto images = imagesOf(*document);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_DOUBLE_EQ(images[0].width(), 500);
  EXPECT_DOUBLE_EQ(images[0].height(), 200);  // the aspect ratio kept
  EXPECT_DOUBLE_EQ(images[1].width(), 100);
  EXPECT_DOUBLE_EQ(images[1].height(), 50);
  // The image data is the source's, held by the document under the address.
  const QVariant held = document->resource(QTextDocument::ImageResource, QUrl("fig:100x50"));
  EXPECT_EQ(held.value<QImage>().size(), QSize(100, 50));
}

TEST(MarkdownDocument, AFailingFigureFailsTheDocumentAndNamesTheFigure) {
  QString error;
  const auto document =
      buildDocument(QStringLiteral("Текст\n\n![x](larmor:nothing)\n"), QSizeF(500, 700),
                    nullptr, PdfOptions{}, sizedImage, &error);
  EXPECT_FALSE(document);
  EXPECT_TRUE(error.contains(QStringLiteral("larmor:nothing"))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("no such figure"))) << error.toStdString();
}

// Whatever text comes before it, a figure and its caption end up on one page.
TEST(MarkdownDocument, KeepsEveryFigureWithItsCaption) {
  const QSizeF page(400, 500);
  for (int filler = 0; filler < 24; ++filler) {
    SCOPED_TRACE(filler);
    QString markdown;
    for (int i = 0; i < filler; ++i)
      markdown += QStringLiteral("Строка текста номер %1, достаточно длинная для переноса.\n\n")
                      .arg(i);
    markdown += QStringLiteral("![f](fig:800x400)\n\n*Рис. 1. Подпись к рисунку.*\n\nКонец.\n");
    QString error;
    const auto document =
        buildDocument(markdown, page, nullptr, PdfOptions{}, sizedImage, &error);
    ASSERT_TRUE(document) << error.toStdString();
    QTextBlock figure;
    for (QTextBlock b = document->begin(); b.isValid() && !figure.isValid(); b = b.next())
      for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat()) figure = b;
    ASSERT_TRUE(figure.isValid());
    auto* layout = document->documentLayout();
    const qreal top = layout->blockBoundingRect(figure).top();
    const qreal bottom = layout->blockBoundingRect(figure.next()).bottom();
    EXPECT_EQ(static_cast<int>(top / page.height()),
              static_cast<int>((bottom - 1) / page.height()));
  }
}

TEST(MarkdownPdf, WritesAnA4PdfWhoseRussianTextCanBeRead) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("test.pdf"));
  QString markdown = QStringLiteral("# Проверка заголовка\n\n");
  for (int i = 0; i < 120; ++i)
    markdown += QStringLiteral("Абзац %1: циклотронная частота ω = q·B/m.\n\n").arg(i);
  markdown += QStringLiteral("![f](fig:600x300)\n\n*Подпись.*\n");

  QString error;
  const int pages = writeMarkdownPdf(markdown, path, PdfOptions{}, sizedImage, &error);
  ASSERT_GT(pages, 1) << error.toStdString();
  EXPECT_EQ(testing::pdfPages(path), pages);
  EXPECT_EQ(testing::pdfImages(path), 1);
  const QString text = testing::pdfText(path);
  EXPECT_TRUE(text.contains(QStringLiteral("Проверка заголовка")));
  EXPECT_TRUE(text.contains(QStringLiteral("Абзац 119: циклотронная частота ω = q·B/m.")));
  const auto info = testing::runTool(QStringLiteral("pdfinfo"), {path});
  EXPECT_TRUE(info.out.contains(QStringLiteral("(A4)"))) << info.out.toStdString();
}

TEST(MarkdownPdf, ReportsAFileThatCannotBeWritten) {
  QString error;
  const int pages = writeMarkdownPdf(QStringLiteral("# Заголовок\n"),
                                     QStringLiteral("/nonexistent-folder/x.pdf"), PdfOptions{},
                                     sizedImage, &error);
  EXPECT_EQ(pages, 0);
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace larmor
