#include "ui/Form1.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Larmor"));
  // "--language en|ru" for this start; else the language chosen last, else Russian.
  bool refused = false;
  QStringList arguments = QApplication::arguments();
  larmor::setUiLanguage(larmor::startLanguage(arguments, &refused));
  if (refused) std::fputs("larmor: --language takes en or ru\n", stderr);
  for (qsizetype i = 1; i < arguments.size();) {
    if (arguments.at(i) == QLatin1String("--language"))
      arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
    else if (arguments.at(i).startsWith(QLatin1String("--language=")))
      arguments.remove(i);
    else
      ++i;
  }
  larmor::Form1 window;
  window.show();
  // "larmor lesson.larmor" (or a file opened from the desktop): the lesson opens in the
  // started window, and a file that cannot be opened is reported over it.
  if (arguments.size() > 1) {
    const QString path = arguments.at(1);
    QTimer::singleShot(0, &window, [&window, path] { window.openScenario(path); });
  }
  return QApplication::exec();
}
