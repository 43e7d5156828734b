// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "ui/windows/CodeLevel.h"
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
  lblDesign = PlainLabel(QString(), this);
  lblDesignNotes = PlainLabel(QString(), this);
  lblDesignNotes->setWordWrap(true);
  edtPeriods = new QLineEdit(this);
  lblPeriods = PlainLabel(QString(), this);
  edtTolerance = new QLineEdit(this);
  edtScaleBand = new QLineEdit(this);
  form->addRow(PlainLabel(QStringLiteral("Damping Ratio, ζ"), this), edtDamping);
  form->addRow(PlainLabel(QStringLiteral("Target PGA"), this), cbbTarget);
  form->addRow(PlainLabel(QStringLiteral("Seismic Intensity"), this), cbbIntensity);
  form->addRow(PlainLabel(QStringLiteral("Seismic Action"), this), cbbAction);
  form->addRow(PlainLabel(QStringLiteral("Target PGA (cm/s²)"), this), edtTargetPga);
  form->addRow(PlainLabel(QStringLiteral("Design Spectrum"), this), cbbDesign);
  form->addRow(QString(), lblDesign);
  form->addRow(QString(), lblDesignNotes);
  form->addRow(lblPeriods, edtPeriods);
  form->addRow(PlainLabel(QStringLiteral("Tolerance (%)"), this), edtTolerance);
  form->addRow(PlainLabel(QStringLiteral("Scale Factor Band (low, high)"), this), edtScaleBand);
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
  const QString tableTarget = GeneralText(
      TimeHistoryPeakAcceleration(cbbIntensity->currentIndex(), cbbAction->currentIndex()),
      DecimalSeparatorOf(desktop_));
  if (table) {
    edtTargetPga->setText(tableTarget);
  } else if (!typed) {
    edtTargetPga->clear();
  } else if (edtTargetPga->text().trimmed().isEmpty()) {
    // A typed target starts from the table's, to be edited, rather than from nothing.
    edtTargetPga->setText(tableTarget);
  }
}

void RecordSettingsGroup::ShowAcceptedNumbers(const RecordInputs& inputs) {
  edtDamping->setText(GeneralText(inputs.damping, DecimalSeparatorOf(desktop_)));
  edtTolerance->setText(GeneralText(inputs.tolerance * 100, DecimalSeparatorOf(desktop_)));
  edtScaleBand->setText(GeneralText(inputs.scaleBand.low, DecimalSeparatorOf(desktop_)) +
                        PeriodListSeparator(DecimalSeparatorOf(desktop_)) +
                        GeneralText(inputs.scaleBand.high, DecimalSeparatorOf(desktop_)));
  if (inputs.periods.empty()) return;
  QStringList periods;
  for (const double period : inputs.periods)
    periods << GeneralText(period, DecimalSeparatorOf(desktop_));
  edtPeriods->setText(periods.join(PeriodListSeparator(DecimalSeparatorOf(desktop_))));
}

void RecordSettingsGroup::ShowSeparatorTexts() {
  const QString separator = PeriodListSeparator(DecimalSeparatorOf(desktop_));
  lblPeriods->setText(QStringLiteral("Main Periods (s); T1 is the longest"));
  edtPeriods->setPlaceholderText(GeneralText(1.5, DecimalSeparatorOf(desktop_)) + separator +
                                 GeneralText(0.5, DecimalSeparatorOf(desktop_)));
}

void RecordSettingsGroup::ListDesignSpectra(const SpectrumList& spectra) {
  const QString picked = cbbDesign->currentText();
  cbbDesign->clear();
  for (const auto& spectrum : spectra) cbbDesign->addItem(QString::fromStdString(spectrum->name));
  const int index = cbbDesign->findText(picked, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) cbbDesign->setCurrentIndex(index);
}

namespace {

QString LevelText(const CodeLevel& level) {
  return QString::fromUtf8(IntensityNames()[static_cast<std::size_t>(level.intensity)]) +
         QStringLiteral(", ") +
         QString::fromUtf8(ActionNames()[static_cast<std::size_t>(level.action)]);
}

QString GalText(double gal, std::string_view separator) {
  return GeneralText(gal, separator) + QStringLiteral(" cm/s²");
}

QString LevelPgaText(const CodeLevel& level, std::string_view separator) {
  return LevelText(level) + QStringLiteral(" (") +
         GalText(TimeHistoryPeakAcceleration(level.intensity, level.action), separator) +
         QStringLiteral(")");
}

}  // namespace

void RecordSettingsGroup::ShowDesign(const DesignSpectrum* design) {
  if (design == nullptr) {
    lblDesign->clear();
    lblDesignNotes->clear();
    return;
  }
  lblDesign->setText(
      QString::fromStdString(design->GetCodeName()) + QStringLiteral(", AlphaMax ") +
      GeneralText(design->alphaMax, DecimalSeparatorOf(desktop_)) + QStringLiteral(", Tg ") +
      GeneralText(design->tg, DecimalSeparatorOf(desktop_)) + QStringLiteral(" s, damping ") +
      GeneralText(design->damping, DecimalSeparatorOf(desktop_)));
  lblDesignNotes->setText(DesignNotes(*design).join(QLatin1Char('\n')));
}

void RecordSettingsGroup::PickLevelOf(const DesignSpectrum& design) {
  const std::vector<CodeLevel> levels = LevelsOfAlphaMax(design.alphaMax);
  if (levels.empty()) return;
  const CodeLevel picked{cbbIntensity->currentIndex(), cbbAction->currentIndex()};
  if (std::find(levels.begin(), levels.end(), picked) != levels.end()) return;
  cbbIntensity->setCurrentIndex(levels.front().intensity);
  cbbAction->setCurrentIndex(levels.front().action);
  ShowTargetValue();
}

QStringList RecordSettingsGroup::DesignNotes(const DesignSpectrum& design) const {
  QStringList notes;
  const std::vector<CodeLevel> levels = LevelsOfAlphaMax(design.alphaMax);
  const CodeLevel picked{cbbIntensity->currentIndex(), cbbAction->currentIndex()};
  const bool pickedIsLevel = std::find(levels.begin(), levels.end(), picked) != levels.end();
  bool samePga = true;
  for (const CodeLevel& level : levels) {
    samePga = samePga && TimeHistoryPeakAcceleration(level.intensity, level.action) ==
                             TimeHistoryPeakAcceleration(levels[0].intensity, levels[0].action);
  }
  if (levels.size() > 1 && !samePga) {
    QStringList texts;
    for (const CodeLevel& level : levels)
      texts << LevelPgaText(level, DecimalSeparatorOf(desktop_));
    notes << QStringLiteral(
                 "AlphaMax %1 is that of %2: pick the intensity and action of the "
                 "design level.")
                 .arg(GeneralText(design.alphaMax, DecimalSeparatorOf(desktop_)),
                      texts.join(QStringLiteral(" and of ")));
  }
  const int kind = cbbTarget->currentIndex();
  if (levels.empty()) {
    notes << QStringLiteral("AlphaMax %1 is of no level of the code's table.")
                 .arg(GeneralText(design.alphaMax, DecimalSeparatorOf(desktop_)));
  } else if (kind == static_cast<int>(TargetKind::CodeTable) && !pickedIsLevel) {
    notes << QStringLiteral(
                 "The target PGA is that of %1, whose AlphaMax is %2; the design "
                 "spectrum's AlphaMax %3 belongs to another level.")
                 .arg(LevelText(picked),
                      GeneralText(DefaultAlphaMax(picked.intensity, picked.action),
                                  DecimalSeparatorOf(desktop_)),
                      GeneralText(design.alphaMax, DecimalSeparatorOf(desktop_)));
  } else if (kind == static_cast<int>(TargetKind::Typed)) {
    const std::optional<long double> parsed =
        ParseNumber(edtTargetPga->text().toStdString(), DecimalSeparatorOf(desktop_));
    const std::optional<double> typed =
        parsed ? std::optional<double>(static_cast<double>(*parsed)) : std::nullopt;
    bool ofLevel = false;
    for (const CodeLevel& level : levels) {
      ofLevel = ofLevel ||
                (typed && *typed == TimeHistoryPeakAcceleration(level.intensity, level.action));
    }
    if (typed && !ofLevel) {
      notes << QStringLiteral(
                   "The typed target PGA %1 is not the time-history value of the "
                   "design spectrum's level, %2.")
                   .arg(GalText(*typed, DecimalSeparatorOf(desktop_)),
                        LevelPgaText(pickedIsLevel ? picked : levels.front(),
                                     DecimalSeparatorOf(desktop_)));
    }
  }
  // The spectrum's level: the one picked where AlphaMax names two.
  const bool rare =
      !levels.empty() && (pickedIsLevel ? picked.action : levels.front().action) == kRareAction;
  if (rare && IsTableTg(design.tg)) {
    notes << QStringLiteral(
                 "For rare earthquakes the code (GB 50011 5.1.4) adds 0.05 s to Tg; "
                 "this spectrum's Tg %1 s is the plain table value.")
                 .arg(GeneralText(design.tg, DecimalSeparatorOf(desktop_)));
  }
  return notes;
}

std::int32_t RecordSettingsGroup::ReadInputs(RecordInputs& accepted, bool checkNeeded) const {
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
  if (ReadTarget(accepted) < 0) return -1;
  // Spectra alone need no main periods nor a design spectrum to check against.
  const bool noCheck =
      !checkNeeded && SplitPeriodList(edtPeriods->text(), DecimalSeparatorOf(desktop_)).isEmpty();
  if (noCheck) {
    accepted.periods.clear();
  } else if (ReadPeriods(accepted) < 0) {
    return -1;
  }

  const std::optional<double> tolerance = check.Number(edtTolerance);
  if (!tolerance) return -1;
  if (const auto problem = ToleranceProblem(*tolerance / 100, DecimalSeparatorOf(desktop_))) {
    check.Refuse(QString::fromStdString(*problem), edtTolerance);
    return -1;
  }
  accepted.tolerance = *tolerance / 100;
  if (ReadScaleBand(accepted) < 0) return -1;

  if (cbbDesign->currentIndex() < 0 && noCheck) {
    accepted.design.clear();
    return 0;
  }
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
  if (const auto problem = TargetPgaProblem(*gal, DecimalSeparatorOf(desktop_))) {
    check.Refuse(QString::fromStdString(*problem), edtTargetPga);
    return -1;
  }
  accepted.typedGal = *gal;
  return 0;
}

std::int32_t RecordSettingsGroup::ReadScaleBand(RecordInputs& accepted) const {
  const FieldCheck check(desktop_);
  const QStringList texts = SplitPeriodList(edtScaleBand->text(), DecimalSeparatorOf(desktop_));
  if (texts.size() != 2) {
    check.Refuse(QStringLiteral("Please input the scale factor band as its low and high bounds, "
                                "e.g. ") +
                     GeneralText(0.25, DecimalSeparatorOf(desktop_)) +
                     PeriodListSeparator(DecimalSeparatorOf(desktop_)) +
                     GeneralText(4, DecimalSeparatorOf(desktop_)) + QStringLiteral("."),
                 edtScaleBand);
    return -1;
  }
  ScaleBand band;
  const std::optional<double> low = check.Number(texts[0], edtScaleBand);
  if (!low) return -1;
  const std::optional<double> high = check.Number(texts[1], edtScaleBand);
  if (!high) return -1;
  band = {*low, *high};
  if (const auto problem = ScaleBandProblem(band, DecimalSeparatorOf(desktop_))) {
    check.Refuse(QString::fromStdString(*problem), edtScaleBand);
    return -1;
  }
  accepted.scaleBand = band;
  return 0;
}

std::int32_t RecordSettingsGroup::ReadPeriods(RecordInputs& accepted) const {
  const FieldCheck check(desktop_);
  const QStringList texts = SplitPeriodList(edtPeriods->text(), DecimalSeparatorOf(desktop_));
  if (texts.isEmpty()) {
    check.Refuse(QStringLiteral("Please Input the main periods T1") +
                     PeriodListSeparator(DecimalSeparatorOf(desktop_)) +
                     QStringLiteral("T2 ... in seconds."),
                 edtPeriods);
    return -1;
  }
  std::vector<double> periods;
  for (const QString& text : texts) {
    const std::optional<double> period = check.Number(text, edtPeriods);
    if (!period) return -1;
    if (const auto problem = MainPeriodProblem(*period, DecimalSeparatorOf(desktop_))) {
      check.Refuse(QString::fromStdString(*problem), edtPeriods);
      return -1;
    }
    periods.push_back(*period);
  }
  accepted.periods = std::move(periods);
  return 0;
}
