// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;
class QLineEdit;
class QPushButton;
class RecordTable;

// The controls of the records window's list group; the window shows them as its own.
struct RecordListControls {
  RecordTable* grdRecords = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnRemove = nullptr;
  QPushButton* btnGenerate = nullptr;
  QPushButton* btnSelect = nullptr;
  QPushButton* btnSaveRecord = nullptr;
  QComboBox* cbbUnits = nullptr;
  QLineEdit* edtStep = nullptr;
};
