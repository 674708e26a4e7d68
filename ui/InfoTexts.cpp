#include "ui/InfoTexts.h"

#include <QCoreApplication>
#include <QStringList>

namespace larmor {

// The personal lines (credits, registration details, authors' data) name roles, not
// people, and say plainly where this edition leaves a detail out.

QString aboutText() {
  const QStringList lines = {
      QCoreApplication::translate("larmor::InfoTexts", "Программа моделирует движение заряженной частицы в магнитных полях "
                     "различных конфигураций."),
      QCoreApplication::translate("larmor::InfoTexts", "История версий:"),
      QCoreApplication::translate("larmor::InfoTexts", "Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский "
                     "градиентный дрейф."),
      QCoreApplication::translate("larmor::InfoTexts", "Языки Паскаль и ассемблер — автор программы, преподаватель кафедры "
                     "физики. Описание опубликовано в методическом сборнике кафедры, 1997."),
      QCoreApplication::translate("larmor::InfoTexts", "Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления."),
      QCoreApplication::translate("larmor::InfoTexts", "Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф."),
      QCoreApplication::translate("larmor::InfoTexts", "Языки Паскаль и Си — автор программы; графика на Си — студент-"
                     "дипломник кафедры."),
      QCoreApplication::translate("larmor::InfoTexts", "Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, "
                     "центробежный дрейф."),
      QCoreApplication::translate("larmor::InfoTexts", "Среда Visual Basic — автор программы; участники — два студента "
                     "кафедры физики."),
      QCoreApplication::translate("larmor::InfoTexts", "версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, "
                     "магнитная ловушка-2."),
      QCoreApplication::translate("larmor::InfoTexts", "Среда Visual Basic — автор программы."),
      QCoreApplication::translate("larmor::InfoTexts", "версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие "
                     "исправления."),
      QCoreApplication::translate("larmor::InfoTexts", "версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. "
                     "Исправлены ошибки."),
  };
  return lines.join(QStringLiteral("\r\n"));
}

QString registrationText() {
  const QStringList lines = {
      QCoreApplication::translate("larmor::InfoTexts", "Отраслевой фонд алгоритмов и программ: номер регистрации не указан в "
                     "этой редакции, 1997."),
      QCoreApplication::translate("larmor::InfoTexts", "Фонд электронных образовательных ресурсов: номер регистрации не указан "
                     "в этой редакции, 2009."),
      QCoreApplication::translate("larmor::InfoTexts", "Реестр учебных программ университета: номер регистрации не указан в "
                     "этой редакции, 2013."),
      QCoreApplication::translate("larmor::InfoTexts", "Свидетельство о государственной регистрации программы для ЭВМ "
                     "(версия 4.1): номер не указан в этой редакции."),
      QCoreApplication::translate("larmor::InfoTexts", "Дата государственной регистрации в Реестре программ для ЭВМ: не "
                     "указана в этой редакции."),
      QCoreApplication::translate("larmor::InfoTexts", "Регистрация опубликована в официальном бюллетене программ для ЭВМ."),
      QStringLiteral("https://bulletin.example.org/"),
      QCoreApplication::translate("larmor::InfoTexts", "Версия 4.2 пока не зарегистрирована."),
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
      padded(QCoreApplication::translate("larmor::InfoTexts", "Автор программы, 2024, май")),
      QCoreApplication::translate("larmor::InfoTexts", "кандидат физико-математических наук."),  // already 36 characters
      padded(QCoreApplication::translate("larmor::InfoTexts", "доцент")),
      padded(QCoreApplication::translate("larmor::InfoTexts", "кафедра физики университета")),
      padded(QCoreApplication::translate("larmor::InfoTexts", "город не указан, Россия")),
      QStringLiteral("larmor-author@example.org"),
  };
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace larmor
