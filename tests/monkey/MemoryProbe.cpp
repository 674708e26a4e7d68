// One run of the window at slow-down 0 over a given number of periods, offscreen; prints
// the steps made and the process's peak resident memory. Comparing a short and a long run
// shows whether memory grows with the length of a run.
//
//   memory_probe PERIODS   →   "<steps> <peak resident memory [KiB]>"
#include "ui/Form1.h"
#include "ui/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Quiet stand-ins for the desktop: no sound, no dialogs.
struct Quiet : larmor::DocumentOpener, larmor::EditorLauncher, larmor::TonePlayer, larmor::Dialogs {
  bool open(const QString&, QString*) override { return true; }
  bool launch(const QString&, QString*) override { return true; }
  void play(int, int) override {}
  bool confirmExit(QWidget*) override { return true; }
  void information(QWidget*, const QString&, const QString&) override {}
  void warning(QWidget*, const QString&, const QString&) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return std::fprintf(stderr, "usage: memory_probe PERIODS\n"), 2;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Quiet quiet;
  larmor::Form1 window({&quiet, &quiet, &quiet, &quiet});
  window.show();
  QApplication::processEvents();
  window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
  window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::fromLatin1(argv[1]));
  window.findChild<QPushButton*>(QStringLiteral("CmdOK"))->click();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%lld %ld\n", static_cast<long long>(window.lastRunSteps()), usage.ru_maxrss);
  return window.running() ? 1 : 0;
}
