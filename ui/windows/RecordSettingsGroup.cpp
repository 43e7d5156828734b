#include "ui/windows/RecordSettingsGroup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

#include "model/CodeTables.h"
#include "model/NumberText.h"
#include "records/CheckSettings.h"
#include "records/RecordScaling.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/PeriodList.h"
#include "ui/windows/WindowControls.h"

RecordSettingsGroup::RecordSettingsGroup(Desktop& desktop, QWidget* parent)
    : QGroupBox(QStringLiteral("Scaling and Check"), parent), desktop_(desktop) {
  auto* outer = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  edtDamping = new QLineEdit(this);
  cbbTarget = new QComboBox(this);
  cbbTarget->addItems({QStringLiteral("Code table for time-history analysis"),
                       QStringLiteral("Typed value"), QStringLiteral("No scaling")});
  cbbIntensity = MakeList(IntensityNames(), this);
  cbbAction = MakeList(ActionNames(), this);
  edtTargetPga = new QLineEdit(this);
  cbbDesign = new QComboBox(this);
  edtPeriods = new QLineEdit(this);
  lblPeriods = PlainLabel(QString(), this);
  edtTolerance = new QLineEdit(this);
  form->addRow(PlainLabel(QStringLiteral("Damping Ratio, ζ"), this), edtDamping);
  form->addRow(PlainLabel(QStringLiteral("Target PGA"), this), cbbTarget);
  form->addRow(PlainLabel(QStringLiteral("Seismic Intensity"), this), cbbIntensity);
  form->addRow(PlainLabel(QStringLiteral("Seismic Action"), this), cbbAction);
  form->addRow(PlainLabel(QStringLiteral("Target PGA (cm/s²)"), this), edtTargetPga);
  form->addRow(PlainLabel(QStringLiteral("Design Spectrum"), this), cbbDesign);
  form->addRow(lblPeriods, edtPeriods);
  form->addRow(PlainLabel(QStringLiteral("Tolerance (%)"), this), edtTolerance);
  outer->addLayout(form);
  outer->addStretch(1);

  auto* buttons = new QHBoxLayout;
  btnCheck = MakeButton(QStringLiteral("Check"), this);
  btnSaveData = MakeButton(QStringLiteral("Save Data"), this);
  btnSavePicture = MakeButton(QStringLiteral("Save Picture"), this);
  buttons->addWidget(btnCheck);
  buttons->addStretch(1);
  buttons->addWidget(btnSaveData);
  buttons->addWidget(btnSavePicture);
  outer->addLayout(buttons);
}

void RecordSettingsGroup::ShowTargetValue() {
  const int kind = cbbTarget->currentIndex();
  const bool table = kind == static_cast<int>(TargetKind::CodeTable);
  const bool typed = kind == static_cast<int>(TargetKind::Typed);
  cbbIntensity->setEnabled(table);
  cbbAction->setEnabled(table);
  edtTargetPga->setEnabled(table || typed);
  edtTargetPga->setReadOnly(!typed);
  if (table) {
    edtTargetPga->setText(GeneralText(
        TimeHistoryPeakAcceleration(cbbIntensity->currentIndex(), cbbAction->currentIndex())));
  } else if (!typed) {
    edtTargetPga->clear();
  }
}

void RecordSettingsGroup::ShowAcceptedNumbers(const RecordInputs& inputs) {
  edtDamping->setText(GeneralText(inputs.damping));
  edtTolerance->setText(GeneralText(inputs.tolerance * 100));
  if (inputs.periods.empty()) return;
  QStringList periods;
  for (const double period : inputs.periods) periods << GeneralText(period);
  edtPeriods->setText(periods.join(PeriodListSeparator()));
}

void RecordSettingsGroup::ShowSeparatorTexts() {
  const QString separator = PeriodListSeparator();
  lblPeriods->setText(QStringLiteral("Main Periods T1") + separator + QStringLiteral("T2") +
                      separator + QStringLiteral("... (s)"));
  edtPeriods->setPlaceholderText(GeneralText(1.5) + separator + GeneralText(0.5));
}

void RecordSettingsGroup::ListDesignSpectra(const SpectrumList& spectra) {
  const QString picked = cbbDesign->currentText();
  cbbDesign->clear();
  for (const auto& spectrum : spectra) cbbDesign->addItem(QString::fromStdString(spectrum->name));
  const int index = cbbDesign->findText(picked, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) cbbDesign->setCurrentIndex(index);
}

std::int32_t RecordSettingsGroup::ReadInputs(RecordInputs& accepted) const {
  const FieldCheck check(desktop_);
  const std::optional<double> damping = check.Number(edtDamping);
  if (!damping) return -1;
  if (*damping < 0) {
    check.Refuse(QStringLiteral("Damping ratio must be postive."), edtDamping);
    return -1;
  }
  if (*damping >= 1) {
    check.Refuse(QStringLiteral("Damping ratio must be less than 1."), edtDamping);
    return -1;
  }
  accepted.damping = *damping;
  if (ReadTarget(accepted) < 0 || ReadPeriods(accepted) < 0) return -1;

  const std::optional<double> tolerance = check.Number(edtTolerance);
  if (!tolerance) return -1;
  if (const auto problem = ToleranceProblem(*tolerance / 100, DecimalSeparator())) {
    check.Refuse(QString::fromStdString(*problem), edtTolerance);
    return -1;
  }
  accepted.tolerance = *tolerance / 100;

  if (cbbDesign->currentIndex() < 0) {
    check.Refuse(QStringLiteral("No design spectrum to check against: create one in the main "
                                "window first (Edit, Create)."),
                 cbbDesign);
    return -1;
  }
  accepted.design = cbbDesign->currentText().toStdString();
  return 0;
}

std::int32_t RecordSettingsGroup::ReadTarget(RecordInputs& accepted) const {
  accepted.target = static_cast<TargetKind>(std::clamp(cbbTarget->currentIndex(), 0, 2));
  accepted.intensity = cbbIntensity->currentIndex();
  accepted.action = cbbAction->currentIndex();
  if (accepted.target != TargetKind::Typed) return 0;
  const FieldCheck check(desktop_);
  const std::optional<double> gal = check.Number(edtTargetPga);
  if (!gal) return -1;
  if (const auto problem = TargetPgaProblem(*gal, DecimalSeparator())) {
    check.Refuse(QString::fromStdString(*problem), edtTargetPga);
    return -1;
  }
  accepted.typedGal = *gal;
  return 0;
}

std::int32_t RecordSettingsGroup::ReadPeriods(RecordInputs& accepted) const {
  const FieldCheck check(desktop_);
  const QStringList texts = SplitPeriodList(edtPeriods->text());
  if (texts.isEmpty()) {
    check.Refuse(QStringLiteral("Please Input the main periods T1") + PeriodListSeparator() +
                     QStringLiteral("T2 ... in seconds."),
                 edtPeriods);
    return -1;
  }
  std::vector<double> periods;
  for (const QString& text : texts) {
    const std::optional<double> period = check.Number(text, edtPeriods);
    if (!period) return -1;
    if (const auto problem = MainPeriodProblem(*period, DecimalSeparator())) {
      check.Refuse(QString::fromStdString(*problem), edtPeriods);
      return -1;
    }
    periods.push_back(*period);
  }
  accepted.periods = std::move(periods);
  return 0;
}
