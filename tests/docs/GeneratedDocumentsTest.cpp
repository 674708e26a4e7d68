#include "ExternalTools.h"

#include "docgen/FigureRenderer.h"
#include "model/FieldConfig.h"
#include "model/SimulationState.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace larmor {
namespace {

QString runtimeFile(const char* name) {
  return QStringLiteral(LARMOR_RUNTIME_DIR "/") + QString::fromUtf8(name);
}

QString sourceFile(const char* name) {
  return QStringLiteral(LARMOR_HELP_SOURCE_DIR "/") + QString::fromUtf8(name);
}

struct PdfDocument {
  const char* file;
  int minPages;
  std::vector<const char*> headings;
};

TEST(GeneratedDocuments, PdfsHaveTheirPagesAndRussianHeadings) {
  const PdfDocument rows[] = {
      {"spravka.pdf", 6,
       {"Справка. Движение заряженной частицы в магнитном поле", "1. Уравнение движения",
        "2. Характерные величины", "3. Что показывают рисунки",
        "4. Семь структур магнитного поля", "5. Метод расчёта",
        "6. Погрешность скорости dV"}},
      {"uprav.pdf", 3,
       {"Управление программой", "1. Окно", "2. Параметры частицы", "3. Поле и область",
        "4. Поля ввода", "5. Список структур поля", "6. Запуск расчёта", "7. Результаты",
        "8. Рисунки", "9. Меню"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const QString path = runtimeFile(row.file);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_GE(testing::pdfPages(path), row.minPages);
    const QString text = testing::pdfText(path);
    for (const char* heading : row.headings)
      EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
    // Both documents name the seven structures by their list texts.
    for (const auto& listText : fieldConfigTexts)
      EXPECT_TRUE(text.contains(QString::fromUtf8(listText.data(), int(listText.size()))))
          << listText;
  }
}

// The worked numbers of the documents are the ones the program computes today.
TEST(GeneratedDocuments, StateTheNumbersTheModelComputesAtStartUp) {
  SimulationState state;
  const ResultCaptions captions = state.computeQuantities();
  const QString spravka = testing::pdfText(runtimeFile("spravka.pdf"));
  const QString uprav = testing::pdfText(runtimeFile("uprav.pdf"));
  for (const std::string& caption :
       {captions.frequency, captions.period, captions.radius, captions.pitch}) {
    EXPECT_TRUE(spravka.contains(QString::fromStdString(caption))) << caption;
    EXPECT_TRUE(uprav.contains(QString::fromStdString(caption))) << caption;
  }
  auto run = parseFigureUrl(QStringLiteral("larmor:run"));
  ASSERT_TRUE(run);
  const QString steps = QString::number(figureRunSteps(*run));
  EXPECT_TRUE(spravka.contains(QStringLiteral("при запуске программы — %1 шаг").arg(steps)))
      << steps.toStdString();
}

TEST(GeneratedDocuments, SpravkaEmbedsEveryFigureOfItsSource) {
  const QString source = testing::readUtf8File(sourceFile("spravka.md"));
  const int figures = static_cast<int>(source.count(QStringLiteral("](larmor:")));
  EXPECT_GE(figures, 7);  // at least one for each field structure
  EXPECT_EQ(testing::pdfImages(runtimeFile("spravka.pdf")), figures);
}

TEST(GeneratedDocuments, UpravNamesEveryMenuItem) {
  const QString text = testing::pdfText(runtimeFile("uprav.pdf"));
  // "Cправка" begins with the Latin capital C, as the menu writes it.
  for (const char* item : {"\x43правка", "Выход", "Инструкция", "Управление", "Авторы",
                           "О программе", "Регистрация", "ПУСК"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(item))) << item;
}

TEST(GeneratedDocuments, InstructionIsTheSourceInUtf8) {
  QFile built(runtimeFile("instruction.txt"));
  QFile source(sourceFile("instruction.txt"));
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QByteArray bytes = built.readAll();
  EXPECT_EQ(bytes, source.readAll());
  ASSERT_GT(bytes.size(), 200);

  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  EXPECT_FALSE(decoder.hasError()) << "not valid UTF-8";
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "a plain-text editor shows no byte-order mark";
  EXPECT_TRUE(text.contains(QStringLiteral("ИНСТРУКЦИЯ")));
  EXPECT_TRUE(text.contains(QStringLiteral("ПУСК")));
}

}  // namespace
}  // namespace larmor
