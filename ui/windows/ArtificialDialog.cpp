// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/ArtificialDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>
#include <limits>

namespace {

QDoubleSpinBox* NumberBox(double low, double high, int decimals, double value, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setDecimals(decimals);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

ArtificialDialog::ArtificialDialog(const ArtificialRequest& start, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Generate Artificial Records"));
  auto* form = new QFormLayout(this);
  count_ = new QSpinBox(this);
  count_->setRange(1, 100);
  count_->setValue(start.count);
  // The generator refuses records of more than a million values; the limits keep within it.
  duration_ = NumberBox(1, 200, 2, start.duration, this);
  step_ = NumberBox(0.001, 0.1, 3, start.step, this);
  seed_ = new QSpinBox(this);
  seed_->setRange(0, std::numeric_limits<int>::max());
  seed_->setValue(
      static_cast<int>(std::min<std::uint64_t>(start.seed, std::numeric_limits<int>::max())));
  tolerance_ = NumberBox(0.1, 50, 1, start.tolerance, this);
  form->addRow(QStringLiteral("Records"), count_);
  form->addRow(QStringLiteral("Duration (s)"), duration_);
  form->addRow(QStringLiteral("Time step (s)"), step_);
  form->addRow(QStringLiteral("Seed"), seed_);
  form->addRow(QStringLiteral("Tolerance (%)"), tolerance_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

ArtificialRequest ArtificialDialog::Request() const {
  return {count_->value(), duration_->value(), step_->value(),
          static_cast<std::uint64_t>(seed_->value()), tolerance_->value()};
}

std::optional<ArtificialRequest> ArtificialDialog::Ask(const ArtificialRequest& start,
                                                       QWidget* parent) {
  ArtificialDialog dialog(start, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Request();
}
