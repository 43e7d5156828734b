// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Widgets and Qt Charts need a QApplication for the whole run; tests never start its event
// loop except through a modal dialog that a queued call closes. Test discovery at build time
// runs the binary without the test environment, hence the offscreen default and a private
// runtime folder of the build tree (Qt warns without one).
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    qputenv("XDG_RUNTIME_DIR", TREMVALE_TEST_RUNTIME_DIR);
  }
  // Settings the windows keep go to a test folder, never to the user's own.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
