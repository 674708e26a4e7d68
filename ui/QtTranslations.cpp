#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStringList>
#include <QTranslator>

namespace larmor {

namespace {

Language currentLanguage = Language::Russian;
QTranslator* programTranslator = nullptr;  // the English texts of the program
QTranslator* qtTranslator = nullptr;       // Qt's own texts in Russian

const QString settingsKey = QStringLiteral("interface/language");

QString code(Language language) { return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru"); }

std::optional<Language> fromCode(const QString& text) {
  if (text == QLatin1String("en")) return Language::English;
  if (text == QLatin1String("ru")) return Language::Russian;
  return std::nullopt;
}

void drop(QTranslator*& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
  translator = nullptr;
}

}  // namespace

bool installQtTranslations(QCoreApplication& application) {
  drop(qtTranslator);
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator)) {
    qtTranslator = translator;
    return true;
  }
  delete translator;
  return false;
}

bool setUiLanguage(Language language) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application) return false;
  drop(programTranslator);
  if (language == Language::English) {
    auto* translator = new QTranslator(application);
    if (!translator->load(QStringLiteral(":/i18n/larmor_en.qm")) || !QCoreApplication::installTranslator(translator)) {
      delete translator;
      currentLanguage = Language::Russian;
      installQtTranslations(*application);
      return false;
    }
    programTranslator = translator;
    drop(qtTranslator);  // Qt's own texts are English without one
  } else {
    installQtTranslations(*application);
  }
  currentLanguage = language;  // installing and removing a translator tell every widget
  return true;
}

Language uiLanguage() { return currentLanguage; }

Language startLanguage(const QStringList& arguments, bool* refused) {
  if (refused) *refused = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString value;
    if (arguments.at(i) == QLatin1String("--language") && i + 1 < arguments.size())
      value = arguments.at(i + 1);
    else if (arguments.at(i).startsWith(QLatin1String("--language=")))
      value = arguments.at(i).mid(11);
    else
      continue;
    if (const auto language = fromCode(value)) return *language;
    if (refused) *refused = true;
  }
  return fromCode(QSettings().value(settingsKey).toString()).value_or(Language::Russian);
}

void rememberLanguage(Language language) { QSettings().setValue(settingsKey, code(language)); }

}  // namespace larmor
