#include "docgen/MarkdownPdf.h"

#include "ExternalTools.h"

#include <QAbstractTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace larmor {
namespace {

// Plain images of the size the address names ("fig:WxH"); anything else fails.
QImage sizedImage(const QString& address, QString* error) {
  const QStringList size = address.mid(4).split(QLatin1Char('x'));
  if (address.startsWith(QLatin1String("fig:")) && size.size() == 2) return QImage(size[0].toInt(), size[1].toInt(), QImage::Format_RGB32);
  return *error = QStringLiteral("no such figure"), QImage();
}

std::vector<QTextBlock> figureBlocks(const QTextDocument& document) {
  std::vector<QTextBlock> blocks;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) blocks.push_back(block);
  return blocks;
}

TEST(MarkdownDocument, FitsFiguresToTheTextWidthWithoutEnlargingThem) {
  QString error;
  const auto document = buildDocument(QStringLiteral("# Рисунки\n\n![w](fig:1000x400)\n\n![s](fig:100x50)\n"),
                                      QSizeF(500, 700), nullptr, PdfOptions{}, sizedImage, &error);
  ASSERT_TRUE(document) << error.toStdString();
  const auto blocks = figureBlocks(*document);
  ASSERT_EQ(blocks.size(), 2u);
  const auto size = [&](int i) { const auto f = blocks[i].begin().fragment().charFormat().toImageFormat(); return QSizeF(f.width(), f.height()); };
  EXPECT_EQ(std::pair(size(0), size(1)), std::pair(QSizeF(500, 200), QSizeF(100, 50)));  // the aspect kept
  EXPECT_FALSE(buildDocument(QStringLiteral("Текст\n\n![x](larmor:nothing)\n"), QSizeF(500, 700), nullptr,
                             PdfOptions{}, sizedImage, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("larmor:nothing")) && error.contains(QStringLiteral("no such figure")))
      << error.toStdString();
}

TEST(MarkdownDocument, KeepsEveryFigureWithItsCaptionOnOnePage) {
  const QSizeF page(400, 500);
  QString markdown;
  for (int filler = 0; filler < 24; ++filler) {  // whatever text comes before it
    QString error;
    const auto document = buildDocument(markdown + QStringLiteral("![f](fig:800x400)\n\n*Рис. 1. Подпись.*\n\nКонец.\n"),
                                        page, nullptr, PdfOptions{}, sizedImage, &error);
    ASSERT_TRUE(document) << error.toStdString();
    const QTextBlock figure = figureBlocks(*document).at(0);
    const qreal top = document->documentLayout()->blockBoundingRect(figure).top();
    const qreal bottom = document->documentLayout()->blockBoundingRect(figure.next()).bottom();
    EXPECT_EQ(int(top / page.height()), int((bottom - 1) / page.height())) << filler;
    markdown += QStringLiteral("Строка текста номер %1, достаточно длинная для переноса.\n\n").arg(filler);
  }
}

TEST(MarkdownPdf, WritesAnA4PdfWhoseRussianTextCanBeRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("test.pdf"));
  QString markdown = QStringLiteral("# Проверка заголовка\n\n");
  for (int i = 0; i < 120; ++i) markdown += QStringLiteral("Абзац %1: циклотронная частота ω = q·B/m.\n\n").arg(i);
  QString error;
  const int pages = writeMarkdownPdf(markdown + QStringLiteral("![f](fig:600x300)\n"), path, {}, sizedImage, &error);
  ASSERT_GT(pages, 1) << error.toStdString();
  EXPECT_EQ(std::pair(testing::pdfPages(path), testing::pdfImages(path)), std::pair(pages, 1));
  const QString text = testing::pdfText(path);
  EXPECT_TRUE(text.contains(QStringLiteral("Проверка заголовка")) &&
              text.contains(QStringLiteral("Абзац 119: циклотронная частота ω = q·B/m.")));
  EXPECT_TRUE(testing::runTool(QStringLiteral("pdfinfo"), {path}).out.contains(QStringLiteral("(A4)")));
  EXPECT_EQ(writeMarkdownPdf(markdown, dir.filePath(QStringLiteral("no/x.pdf")), {}, sizedImage, &error), 0);
}

}  // namespace
}  // namespace larmor
