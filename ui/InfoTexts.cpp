#include "ui/InfoTexts.h"

#include <QStringList>

namespace larmor {

// The personal lines (credits, registration details, authors' data) name roles, not
// people, and say plainly where this edition leaves a detail out.

QString aboutText() {
  const QStringList lines = {
      QStringLiteral("Программа моделирует движение заряженной частицы в магнитных полях "
                     "различных конфигураций."),
      QStringLiteral("История версий:"),
      QStringLiteral("Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский "
                     "градиентный дрейф."),
      QStringLiteral("Языки Паскаль и ассемблер — автор программы, преподаватель кафедры "
                     "физики. Описание опубликовано в методическом сборнике кафедры, 1997."),
      QStringLiteral("Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления."),
      QStringLiteral("Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф."),
      QStringLiteral("Языки Паскаль и Си — автор программы; графика на Си — студент-"
                     "дипломник кафедры."),
      QStringLiteral("Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, "
                     "центробежный дрейф."),
      QStringLiteral("Среда Visual Basic — автор программы; участники — два студента "
                     "кафедры физики."),
      QStringLiteral("версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, "
                     "магнитная ловушка-2."),
      QStringLiteral("Среда Visual Basic — автор программы."),
      QStringLiteral("версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие "
                     "исправления."),
      QStringLiteral("версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. "
                     "Исправлены ошибки."),
  };
  return lines.join(QStringLiteral("\r\n"));
}

QString registrationText() {
  const QStringList lines = {
      QStringLiteral("Отраслевой фонд алгоритмов и программ: номер регистрации не указан в "
                     "этой редакции, 1997."),
      QStringLiteral("Фонд электронных образовательных ресурсов: номер регистрации не указан "
                     "в этой редакции, 2009."),
      QStringLiteral("Реестр учебных программ университета: номер регистрации не указан в "
                     "этой редакции, 2013."),
      QStringLiteral("Свидетельство о государственной регистрации программы для ЭВМ "
                     "(версия 4.1): номер не указан в этой редакции."),
      QStringLiteral("Дата государственной регистрации в Реестре программ для ЭВМ: не "
                     "указана в этой редакции."),
      QStringLiteral("Регистрация опубликована в официальном бюллетене программ для ЭВМ."),
      QStringLiteral("https://bulletin.example.org/"),
      QStringLiteral("Версия 4.2 пока не зарегистрирована."),
  };
  return lines.join(QStringLiteral("\r\n"));
}

namespace {

// Lines two to five of the authors text are laid out in a fixed-width column [chars].
constexpr int authorsColumnWidth = 36;

QString padded(const QString& text) {
  return text.leftJustified(authorsColumnWidth, QLatin1Char(' '), true);
}

}  // namespace

QString authorsText() {
  const QStringList lines = {
      padded(QStringLiteral("Автор программы, 2024, май")),
      QStringLiteral("кандидат физико-математических наук."),  // already 36 characters
      padded(QStringLiteral("доцент")),
      padded(QStringLiteral("кафедра физики университета")),
      padded(QStringLiteral("город не указан, Россия")),
      QStringLiteral("larmor-author@example.org"),
  };
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace larmor
