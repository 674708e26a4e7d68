#pragma once

#include "model/Language.h"

#include <QStringList>

class QCoreApplication;

namespace larmor {

// Qt's own texts (the file dialogs' "Look in", "Cancel", …) in Russian, as the rest of the
// program speaks, from the translations installed with Qt. False when none is found: the
// dialogs then speak English and nothing else changes.
bool installQtTranslations(QCoreApplication& application);

// The language the window speaks. The program's texts are written in Russian; English is
// their translation, built into the program, with Qt's own texts in English. Every widget
// is then told (QEvent::LanguageChange, posted) and writes its texts again. False when the
// English translation could not be loaded: the window then stays Russian.
bool setUiLanguage(Language language);
Language uiLanguage();

// The language of a start: "--language en|ru" among the arguments, else the one chosen
// last (kept in the settings), else Russian. Nullopt in *refused when the option names no
// language it knows (the value then is ignored).
Language startLanguage(const QStringList& arguments, bool* refused = nullptr);
// Kept for the next start.
void rememberLanguage(Language language);

}  // namespace larmor
