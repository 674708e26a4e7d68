#include "ui/InfoTexts.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

namespace larmor {
namespace {

TEST(InfoTexts, LinesJoinedByCrLfWithoutTrailingBreak) {
  const struct {
    const char* name;
    QString text;
    int lineCount;
    std::map<int, const char*> fixedLines;  // line number from 1 → exact text
  } rows[] = {
      {"about", aboutText(), 13,
       {{1, "Программа моделирует движение заряженной частицы в магнитных полях различных конфигураций."},
        {2, "История версий:"},
        {3, "Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский градиентный дрейф."},
        {5, "Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления."},
        {6, "Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф."},
        {8, "Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, центробежный дрейф."},
        {10, "версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, магнитная ловушка-2."},
        {12, "версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие исправления."},
        {13, "версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. Исправлены ошибки."}}},
      {"registration", registrationText(), 8, {{8, "Версия 4.2 пока не зарегистрирована."}}},
      {"authors", authorsText(), 6, {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_FALSE(r.text.endsWith(u'\n') || r.text.endsWith(u'\r'));
    const QStringList lines = r.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), r.lineCount);
    for (const QString& line : lines)  // no empty line, no lone CR or LF
      EXPECT_TRUE(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n')) << line.toStdString();
    for (const auto& [n, expected] : r.fixedLines) EXPECT_EQ(lines[n - 1], QString::fromUtf8(expected)) << n;
  }
  // Only addresses under example.org: the bulletin and the authors' e-mail.
  const QStringList registration = registrationText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^https://[\\w.-]*example\\.org/")).match(registration[6]).hasMatch())
      << registration[6].toStdString();
  const QStringList authors = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^[\\w.+-]+@example\\.org$")).match(authors[5]).hasMatch())
      << authors[5].toStdString();
  // The authors' column: lines two to five 36 characters, padded where the lines say so.
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(authors[n - 1].size(), 36) << n;
  for (int n : {1, 3, 4, 5}) EXPECT_TRUE(authors[n - 1].endsWith(QLatin1String("  "))) << n;
  for (int n : {2, 6}) EXPECT_FALSE(authors[n - 1].endsWith(u' ')) << n;
}

}  // namespace
}  // namespace larmor
