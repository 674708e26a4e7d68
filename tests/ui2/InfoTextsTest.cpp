#include "ui/InfoTexts.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace larmor {
namespace {

struct TextCase {
  const char* name;
  std::function<QString()> build;
  int lineCount;
  std::map<int, QString> fixedLines;  // 1-based line number -> exact text
};

const TextCase textCases[] = {
    {"about",
     aboutText,
     13,
     {{1, "Программа моделирует движение заряженной частицы в магнитных полях различных "
          "конфигураций."},
      {2, "История версий:"},
      {3, "Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский градиентный дрейф."},
      {5, "Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления."},
      {6, "Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф."},
      {8, "Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, центробежный дрейф."},
      {10, "версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, магнитная "
           "ловушка-2."},
      {12, "версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие исправления."},
      {13, "версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. Исправлены "
           "ошибки."}}},
    {"registration", registrationText, 8, {{8, "Версия 4.2 пока не зарегистрирована."}}},
    {"authors", authorsText, 6, {}},
};

TEST(InfoTexts, LinesJoinedByCrLfWithoutTrailingBreak) {
  for (const TextCase& c : textCases) {
    SCOPED_TRACE(c.name);
    const QString text = c.build();
    ASSERT_FALSE(text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), c.lineCount);
    for (int i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i + 1);
      EXPECT_FALSE(lines[i].isEmpty());
      // Every break is a CR LF pair: no lone CR or LF inside a line.
      EXPECT_FALSE(lines[i].contains(QLatin1Char('\r')) || lines[i].contains(QLatin1Char('\n')));
    }
    for (const auto& [number, expected] : c.fixedLines) {
      EXPECT_EQ(lines[number - 1].toStdString(), expected.toStdString()) << "line " << number;
    }
    EXPECT_EQ(c.build(), text) << "built afresh, the same every time";
  }
}

TEST(InfoTexts, AuthorsColumnAndEndings) {
  const QStringList lines = authorsText().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(lines[n - 1].size(), 36) << "line " << n;
  for (int n : {1, 3, 4, 5}) EXPECT_TRUE(lines[n - 1].endsWith(QLatin1String("  "))) << n;
  for (int n : {2, 6}) EXPECT_FALSE(lines[n - 1].endsWith(QLatin1Char(' '))) << n;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^[\\w.+-]+@example\\.org$"))
                  .match(lines[5])
                  .hasMatch())
      << lines[5].toStdString();
}

TEST(InfoTexts, BulletinAddressIsUnderExampleOrg) {
  const QStringList lines = registrationText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^https://[\\w.-]*example\\.org/"))
                  .match(lines[6])
                  .hasMatch())
      << lines[6].toStdString();
}

}  // namespace
}  // namespace larmor
