#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Figures are drawn with fonts, plots with widgets: an application with widgets, off screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
