#include "ExternalTools.h"

#include "model/FieldConfig.h"
#include "model/SimulationState.h"

#include <QFile>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>

namespace larmor {
namespace {

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString runtime = QStringLiteral(LARMOR_RUNTIME_DIR "/"), source = QStringLiteral(LARMOR_HELP_SOURCE_DIR "/");

TEST(GeneratedDocuments, PdfsHaveTheirPagesHeadingsAndTheNumbersOfTheStartUpState) {
  SimulationState start;  // the documents quote the results of the start-up state
  const ResultCaptions r = start.computeQuantities();
  const struct { const char* file; int minPages; std::vector<const char*> texts; } rows[] = {
      {"spravka.pdf", 6,
       {"Справка. Движение заряженной частицы в магнитном поле", "1. Уравнение движения", "2. Характерные величины",
        "3. Что показывают рисунки", "4. Семь структур магнитного поля", "5. Метод расчёта",
        "6. Погрешность скорости dV", "7. Диагностика и метод Бориса", "при запуске программы — 2501 шаг"}},
      {"uprav.pdf", 3,
       {"Управление программой", "1. Окно", "2. Параметры частицы", "3. Поле и область", "4. Поля ввода",
        "5. Список структур поля", "6. Запуск расчёта", "7. Результаты", "8. Рисунки", "9. Меню",
        "\x43правка", "Выход", "Инструкция", "Управление", "Авторы", "О программе", "Регистрация", "ПУСК"}},
  };  // the menu writes "Cправка" with a Latin C
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_GE(testing::pdfPages(runtime + QString::fromUtf8(row.file)), row.minPages);
    const QString text = testing::pdfText(runtime + QString::fromUtf8(row.file));
    std::vector<std::string> expected(row.texts.begin(), row.texts.end());
    expected.insert(expected.end(), {r.frequency, r.period, r.radius, r.pitch});
    expected.insert(expected.end(), fieldConfigTexts.begin(), fieldConfigTexts.end());  // the seven list texts
    for (const std::string& e : expected) EXPECT_TRUE(text.contains(QString::fromStdString(e))) << e;
  }
  // One figure for each figure address of the source, at least one for each field structure.
  const int figures = int(contents(source + QStringLiteral("spravka.md")).count("](larmor:"));
  EXPECT_GE(figures, 7);
  EXPECT_EQ(testing::pdfImages(runtime + QStringLiteral("spravka.pdf")), figures);
}

// The English documents of the English window: their headings, the numbers and the list as
// the English window writes them, every figure, and no Russian beyond the language menu's name.
TEST(GeneratedDocuments, EnglishPdfsSpeakEnglish) {
  SimulationState start;
  const ResultCaptions r = start.computeQuantities('.', Language::English);
  const struct { const char* file; int minPages; std::vector<const char*> texts; } rows[] = {
      {"spravka-en.pdf", 5, {"Help. Motion of a charged particle in a magnetic field", "5. The method of computation", "2501"}},
      {"uprav-en.pdf", 3, {"Controls of the program", "9. Menus", "RUN", "Exit", "Registration", "T - infinite"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_GE(testing::pdfPages(runtime + QString::fromUtf8(row.file)), row.minPages);
    QString text = testing::pdfText(runtime + QString::fromUtf8(row.file));
    std::vector<std::string> expected(row.texts.begin(), row.texts.end());
    expected.insert(expected.end(), {r.frequency, r.period, r.radius, r.pitch});
    expected.insert(expected.end(), fieldConfigEnglishTexts.begin(), fieldConfigEnglishTexts.end());
    for (const std::string& e : expected) EXPECT_TRUE(text.contains(QString::fromStdString(e))) << e;
    text.remove(QStringLiteral("Язык / Language")).remove(QStringLiteral("Русский"));
    const auto cyrillic = std::find_if(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
    EXPECT_EQ(cyrillic, text.end()) << text.mid(std::max<qsizetype>(0, cyrillic - text.begin() - 40), 80).toStdString();
  }
  const int figures = int(contents(source + QStringLiteral("spravka-en.md")).count("](larmor:"));
  EXPECT_GE(figures, 9);
  EXPECT_EQ(testing::pdfImages(runtime + QStringLiteral("spravka-en.pdf")), figures);
}

TEST(GeneratedDocuments, InstructionIsTheSourceInUtf8WithoutAByteOrderMark) {
  const QByteArray bytes = contents(runtime + QStringLiteral("instruction.txt"));
  EXPECT_EQ(bytes, contents(source + QStringLiteral("instruction.txt")));
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  EXPECT_FALSE(decoder.hasError() || bytes.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(text.contains(QStringLiteral("ИНСТРУКЦИЯ")) && text.contains(QStringLiteral("ПУСК")));
}

}  // namespace
}  // namespace larmor
