// The widget tests run on one QApplication, offscreen unless a platform is named.

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/WindowSet.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zelkora::WindowSet::applyApplicationLook(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
