// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/windows/RecordsForm.h"

// The main window with its records window open, and a folder for record files.
class RecordsWindowTest : public MainWindowTest {
 protected:
  void SetUp() override;

  // A two-column text record (time, acceleration in g) of `points` values at 0.01 s: a
  // sine of the given period whose amplitude decays from `peak`.
  QString WriteRecord(const QString& name, int points, double peak = 0.1, double period = 0.5);
  QString WriteFile(const QString& name, const QByteArray& bytes);
  // The El Centro record of the records tests, copied into the folder.
  QString ElCentro();

  // Adds files as if picked in the open dialog, and waits until they are read.
  void Add(const QStringList& paths);
  bool WaitForFiles();
  // Waits until every spectrum has arrived; false when that takes longer than a minute.
  bool WaitForSpectra();
  // Creates a design spectrum in the main window, types the main periods and runs Check.
  void CheckAgainst(const QString& spectrum, const QString& periods);

  QTemporaryDir folder;
  TRecordsForm* records = nullptr;
};
