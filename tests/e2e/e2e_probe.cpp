// Prints where the end-to-end script has to click in the real window: the main window is
// built on the same display, with the same fonts and screen, and every place is given in
// pixels of the top-level window ("name left top width height"), plus the client size and
// the start-up slow-down. With a folder given, it also saves there how the region's value
// label looks at regions 1 and 2 (Label6-1.png, Label6-2.png), for the script to compare
// with the screen.
#include "ui/Form1.h"
#include "ui/VerticalBar.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
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
  const QSize client = window.centralWidget()->size();
  std::printf("client %d %d\n", client.width(), client.height());

  for (const char* name : {"CmdOK", "HScroll1", "VScroll3", "Label6", "Picture1", "Picture2"}) {
    const auto* w = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (w == nullptr) return 2;
    print(name, inWindow(w, &window, w->rect()));
  }

  // The arrow that lowers the slow-down by one; the region bar's thumb and the arrow that
  // raises the region by one.
  auto* slowdown = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
  auto* region = window.findChild<larmor::VerticalBar*>(QStringLiteral("VScroll3"));
  if (slowdown == nullptr || region == nullptr) return 2;
  const struct { const char* name; QScrollBar* bar; QStyle::SubControl part; } parts[] = {
      {"HScroll1.down", slowdown, QStyle::SC_ScrollBarSubLine},
      {"VScroll3.thumb", region->scrollBar(), QStyle::SC_ScrollBarSlider},
      {"VScroll3.up", region->scrollBar(), QStyle::SC_ScrollBarSubLine}};
  for (const auto& p : parts) print(p.name, inWindow(p.bar, &window, larmor::scrollBarPart(p.bar, p.part)));

  QMenuBar* menus = window.menuBar();
  const QAction* file = menus->actions().value(0);
  if (file == nullptr) return 3;
  print("mnuFile", inWindow(menus, &window, menus->actionGeometry(const_cast<QAction*>(file))));
  for (QAction* menu : menus->actions()) {
    if (menu->objectName() == QLatin1String("mnuDiagnostics"))
      print("mnuDiagnostics", inWindow(menus, &window, menus->actionGeometry(menu)));
  }

  std::printf("slowdown %d\n", static_cast<int>(window.state().params.slowdown));
  std::fflush(stdout);

  if (argc > 1) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label6"));
    for (const int size : {1, 2}) {
      region->setValue(size);
      if (!label->grab().save(QStringLiteral("%1/Label6-%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(size)))
        return 4;
    }
  }
  return 0;
}
