#include "ui/Form1.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Larmor"));
  larmor::installQtTranslations(app);
  larmor::Form1 window;
  window.show();
  // "larmor lesson.larmor" (or a file opened from the desktop): the lesson opens in the
  // started window, and a file that cannot be opened is reported over it.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    const QString path = arguments.at(1);
    QTimer::singleShot(0, &window, [&window, path] { window.openScenario(path); });
  }
  return QApplication::exec();
}
