#pragma once

class QCoreApplication;

namespace larmor {

// Qt's own texts (the file dialogs' "Look in", "Cancel", …) in Russian, as the rest of the
// program speaks, from the translations installed with Qt. False when none is found: the
// dialogs then speak English and nothing else changes.
bool installQtTranslations(QCoreApplication& application);

}  // namespace larmor
