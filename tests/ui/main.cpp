#include <gtest/gtest.h>
#include <QApplication>

// Widgets need a QApplication for the whole run; tests never start its event loop
// except through a modal dialog that a queued call closes.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Test discovery at build time runs this binary without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
