// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordListGroup.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "records/GroundMotion.h"
#include "ui/widgets/RecordTable.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/WindowControls.h"

namespace {

// The units of the units list after its first entry, in order.
constexpr AccelerationUnit kUnits[] = {
    AccelerationUnit::G, AccelerationUnit::MetresPerSecondSquared, AccelerationUnit::Gal};

}  // namespace

RecordListGroup::RecordListGroup(Desktop& desktop, QWidget* parent)
    : QGroupBox(QStringLiteral("Ground Motion Records"), parent), desktop_(desktop) {
  auto* layout = new QVBoxLayout(this);
  grdRecords = new RecordTable(this);
  layout->addWidget(grdRecords);

  auto* row = new QHBoxLayout;
  btnAdd = MakeButton(QStringLiteral("Add..."), this);
  btnRemove = MakeButton(QStringLiteral("Remove"), this);
  btnGenerate = MakeButton(QStringLiteral("Generate Artificial..."), this);
  btnSelect = MakeButton(QStringLiteral("Select from Library..."), this);
  btnSaveRecord = MakeButton(QStringLiteral("Save Record..."), this);
  cbbUnits = new QComboBox(this);
  // A PEER record names its unit on its third line; the list says it for files that name none
  // (text records, and PEER records whose unit line the reader does not know).
  cbbUnits->addItems({QStringLiteral("As the file says (else g)"), QStringLiteral("g"),
                      QStringLiteral("m/s²"), QStringLiteral("cm/s² (gal)")});
  cbbUnits->setToolTip(
      QStringLiteral("The unit of the values of files that name none. A PEER record that names "
                     "its unit must agree with a unit picked here."));
  edtStep = new QLineEdit(this);
  edtStep->setPlaceholderText(QStringLiteral("one-column files"));
  edtStep->setMaximumWidth(130);
  row->addWidget(btnAdd);
  row->addWidget(btnRemove);
  row->addWidget(btnGenerate);
  row->addWidget(btnSelect);
  row->addWidget(btnSaveRecord);
  row->addStretch(1);
  row->addWidget(PlainLabel(QStringLiteral("Units"), this));
  row->addWidget(cbbUnits);
  row->addSpacing(8);
  row->addWidget(PlainLabel(QStringLiteral("Time step (s)"), this));
  row->addWidget(edtStep);
  layout->addLayout(row);
}

std::optional<RecordReadOptions> RecordListGroup::ReadOptions() const {
  RecordReadOptions options;
  // Without a unit picked, text records are in g and a PEER record's own unit stands.
  const int unit = std::clamp(cbbUnits->currentIndex(), 0, 3);
  if (unit > 0) options.unit = kUnits[unit - 1];
  if (edtStep->text().trimmed().isEmpty()) return options;
  const std::optional<double> step = FieldCheck(desktop_).Number(edtStep);
  if (!step) return std::nullopt;
  if (!(*step > 0)) {
    FieldCheck(desktop_).Refuse(QStringLiteral("Time step must be greater than 0 s."), edtStep);
    return std::nullopt;
  }
  options.step = *step;
  return options;
}

void RecordListGroup::AppendReading(int id, const QString& fileName) {
  grdRecords->AppendRecord(id, {fileName}, true);
  grdRecords->SetText(id, RecordTable::Spectrum, QStringLiteral("Reading..."));
}

void RecordListGroup::ShowRows(const RecordSet& records, double minimumDuration) {
  for (const RecordEntry& entry : records.Entries()) {
    const GroundMotion& motion = *entry.motion;
    grdRecords->SetText(entry.id, RecordTable::Description,
                        QString::fromStdString(motion.description));
    grdRecords->SetText(entry.id, RecordTable::Points, QString::number(motion.acceleration.size()));
    grdRecords->SetText(entry.id, RecordTable::Step,
                        GeneralText(motion.step, DecimalSeparatorOf(desktop_)));
    grdRecords->SetText(
        entry.id, RecordTable::Duration,
        PatternText(NumberPattern::TwoDecimals, Duration(motion), DecimalSeparatorOf(desktop_)));
    grdRecords->SetText(entry.id, RecordTable::EffectiveDuration,
                        PatternText(NumberPattern::TwoDecimals, entry.effectiveDuration,
                                    DecimalSeparatorOf(desktop_)));
    grdRecords->SetTooShort(entry.id, entry.effectiveDuration < minimumDuration);
    grdRecords->SetText(
        entry.id, RecordTable::Pga,
        PatternText(NumberPattern::SixDecimals, entry.peak, DecimalSeparatorOf(desktop_)));
    grdRecords->SetText(
        entry.id, RecordTable::ScaleFactor,
        PatternText(NumberPattern::SixDecimals, entry.scaleFactor, DecimalSeparatorOf(desktop_)));
    grdRecords->SetText(entry.id, RecordTable::Spectrum,
                        entry.failed     ? QStringLiteral("Failed")
                        : entry.spectrum ? QStringLiteral("Ready")
                                         : QStringLiteral("Computing..."));
    grdRecords->SetToolTip(entry.id, RecordTable::Spectrum, entry.failure);
  }
}
