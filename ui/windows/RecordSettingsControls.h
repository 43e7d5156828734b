// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The controls of the records window's settings group; the window shows them as its own.
struct RecordSettingsControls {
  QLineEdit* edtDamping = nullptr;
  QComboBox* cbbTarget = nullptr;
  QComboBox* cbbIntensity = nullptr;
  QComboBox* cbbAction = nullptr;
  QLineEdit* edtTargetPga = nullptr;
  QComboBox* cbbDesign = nullptr;
  QLabel* lblDesign = nullptr;       // the picked design spectrum's code and figures
  QLabel* lblDesignNotes = nullptr;  // where the target and the spectrum's level disagree
  QLabel* lblPeriods = nullptr;
  QLineEdit* edtPeriods = nullptr;
  QLineEdit* edtTolerance = nullptr;
  QLineEdit* edtScaleBand = nullptr;  // low and high, as a period list
  QPushButton* btnCheck = nullptr;
  QPushButton* btnSaveData = nullptr;
  QPushButton* btnSavePicture = nullptr;
};
