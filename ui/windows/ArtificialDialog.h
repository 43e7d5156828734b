// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "ui/platform/ArtificialJobs.h"

class QDoubleSpinBox;
class QSpinBox;

// The small dialog of "Generate Artificial...": the count, duration, step, seed and tolerance.
class ArtificialDialog : public QDialog {
 public:
  ArtificialDialog(const ArtificialRequest& start, QWidget* parent);
  ArtificialRequest Request() const;

  // Shows the dialog modally; no value when the user cancels.
  static std::optional<ArtificialRequest> Ask(const ArtificialRequest& start, QWidget* parent);

 private:
  QSpinBox* count_ = nullptr;
  QDoubleSpinBox* duration_ = nullptr;
  QDoubleSpinBox* step_ = nullptr;
  QSpinBox* seed_ = nullptr;
  QDoubleSpinBox* tolerance_ = nullptr;
};
