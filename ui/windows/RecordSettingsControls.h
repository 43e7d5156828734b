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
  QLabel* lblPeriods = nullptr;
  QLineEdit* edtPeriods = nullptr;
  QLineEdit* edtTolerance = nullptr;
  QLineEdit* edtScaleLow = nullptr;  // the scale factor band, warned of outside it
  QLineEdit* edtScaleHigh = nullptr;
  QPushButton* btnCheck = nullptr;
  QPushButton* btnSaveData = nullptr;
  QPushButton* btnSavePicture = nullptr;
};
