#include "ExternalTools.h"

#include "tests/FileBytes.h"

#include "model/FieldConfig.h"
#include "model/SimulationState.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace larmor {
namespace {

using test::fileBytes;

const QString runtime = QStringLiteral(LARMOR_RUNTIME_DIR "/"), source = QStringLiteral(LARMOR_HELP_SOURCE_DIR "/");

// Every document, Russian and English: its pages and headings, the start-up numbers as the
// window shows them; the English ones without one Cyrillic letter left behind in their text.
TEST(GeneratedDocuments, PdfsHaveTheirPagesHeadingsAndTheNumbersOfTheStartUpState) {
  SimulationState start;  // the documents quote the results of the start-up state
  const ResultCaptions r = start.computeQuantities();
  const struct { const char* file; int minPages; std::vector<const char*> texts; bool english = false; } rows[] = {
      {"spravka.pdf", 6,
       {"Справка. Движение заряженной частицы в магнитном поле", "1. Уравнение движения", "4. Семь структур магнитного поля",
        "7. Диагностика и метод Бориса", "при запуске программы — 2501 шаг"}},
      {"uprav.pdf", 3,
       {"Управление программой", "1. Окно", "5. Список структур поля", "9. Меню", "\x43правка", "Выход", "Инструкция",
        "Управление", "Авторы", "О программе", "Регистрация", "ПУСК"}},
      {"spravka-en.pdf", 6,
       {"Help. A charged particle in a magnetic field", "1. The equation of motion", "5. The method of computation",
        "8. The guiding-centre theory", "2501 steps at start-up", "4.824e+04", "1.302e-04", "4.526e-01", "3.492e-01"}, true},
      {"uprav-en.pdf", 3, {"Using the program", "2. The particle", "9. The menus", "Uniform field", "Trap-2", "4.824e+04"}, true},
  };  // the menu writes "Cправка" with a Latin C
  const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_GE(testing::pdfPages(runtime + QString::fromUtf8(row.file)), row.minPages);
    const QString text = testing::pdfText(runtime + QString::fromUtf8(row.file));
    std::vector<std::string> expected(row.texts.begin(), row.texts.end());
    if (!row.english) {
      expected.insert(expected.end(), {r.frequency, r.period, r.radius, r.pitch});
      expected.insert(expected.end(), fieldConfigTexts.begin(), fieldConfigTexts.end());  // the seven list texts
    }
    for (const std::string& e : expected) EXPECT_TRUE(text.contains(QString::fromStdString(e))) << e;
    const QRegularExpressionMatch found = cyrillic.match(text);
    if (row.english) { EXPECT_FALSE(found.hasMatch()) << text.mid(std::max<qsizetype>(0, found.capturedStart() - 40), 80).toStdString(); }
  }
  // One figure for each figure address of the source, at least one for each field structure.
  for (const char* name : {"spravka", "spravka-en"}) {
    const int figures = int(fileBytes(source + QString::fromUtf8(name) + ".md").count("](larmor:"));
    EXPECT_GE(figures, 7) << name;
    EXPECT_EQ(testing::pdfImages(runtime + QString::fromUtf8(name) + ".pdf"), figures) << name;
  }
}

TEST(GeneratedDocuments, InstructionIsTheSourceInUtf8WithoutAByteOrderMark) {
  for (const auto& [file, heading] : {std::pair{"instruction.txt", "ИНСТРУКЦИЯ"}, {"instruction-en.txt", "INSTRUCTION"}}) {
    const QByteArray bytes = fileBytes(runtime + QString::fromUtf8(file));
    EXPECT_EQ(bytes, fileBytes(source + QString::fromUtf8(file))) << file;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    EXPECT_FALSE(decoder.hasError() || bytes.startsWith("\xEF\xBB\xBF")) << file;
    EXPECT_TRUE(text.startsWith(QString::fromUtf8(heading))) << file;
  }
}

}  // namespace
}  // namespace larmor
