// Prints where the end-to-end script has to click in the real window: the main window is
// built on the same display, with the same fonts and screen, and every place is given in
// pixels of the top-level window ("name left top width height"), plus the start-up
// slow-down.
#include "ui/Form1.h"

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <cstdio>

namespace {

void print(const char* name, const QRect& r) {
  std::printf("%s %d %d %d %d\n", name, r.x(), r.y(), r.width(), r.height());
}

QRect inWindow(const QWidget* widget, const QWidget* window, const QRect& local) {
  return {widget->mapTo(window, local.topLeft()), local.size()};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  larmor::Form1 window;  // the probe starts no run: the real services stay idle
  window.show();
  if (!QTest::qWaitForWindowExposed(&window, 10000)) return 1;

  for (const char* name : {"CmdOK", "HScroll1", "Picture1", "Picture2"}) {
    const auto* w = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (w == nullptr) return 2;
    print(name, inWindow(w, &window, w->rect()));
  }

  // The arrow that lowers the slow-down by one.
  auto* bar = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.subControls = QStyle::SC_All;
  const QRect subLine =
      bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, bar);
  print("HScroll1.down", inWindow(bar, &window, subLine));

  QMenuBar* menus = window.menuBar();
  const QAction* file = menus->actions().value(0);
  if (file == nullptr) return 3;
  print("mnuFile", inWindow(menus, &window, menus->actionGeometry(const_cast<QAction*>(file))));

  std::printf("slowdown %d\n", static_cast<int>(window.state().params.slowdown));
  std::fflush(stdout);
  return 0;
}
