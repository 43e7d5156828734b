// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <cstdint>

#include "model/DesignSpectrum.h"
#include "model/SpectrumList.h"
#include "ui/platform/Desktop.h"
#include "ui/windows/RecordInputs.h"
#include "ui/windows/RecordSettingsControls.h"

// The records window's settings: damping, target peak ground acceleration, design spectrum,
// main periods, tolerance and scale factor band, read and checked as the user typed them, with the
// buttons that use them.
class RecordSettingsGroup : public QGroupBox, public RecordSettingsControls {
 public:
  RecordSettingsGroup(Desktop& desktop, QWidget* parent);

  // Reads every setting into `accepted`; -1 after a warning for the first bad one. Without
  // `checkNeeded`, blank main periods are taken as no check, and then no design spectrum is
  // needed either.
  std::int32_t ReadInputs(RecordInputs& accepted, bool checkNeeded = true) const;
  // The target field as the picked kind of target wants it.
  void ShowTargetValue();
  // The accepted numbers, written in the current decimal separator.
  void ShowAcceptedNumbers(const RecordInputs& inputs);
  // The texts that name the period list's separator.
  void ShowSeparatorTexts();
  // Lists the design spectra, keeping the picked one while it is still there.
  void ListDesignSpectra(const SpectrumList& spectra);
  // The picked design spectrum's code, AlphaMax, Tg and damping, with the notes below.
  void ShowDesign(const DesignSpectrum* design);
  // Picks the intensity and action of the spectrum's level, when its AlphaMax names one; of two
  // levels sharing it, keeps the one picked, else takes the first (the note asks to pick).
  void PickLevelOf(const DesignSpectrum& design);

 private:
  std::int32_t ReadTarget(RecordInputs& accepted) const;
  std::int32_t ReadPeriods(RecordInputs& accepted) const;
  std::int32_t ReadScaleBand(RecordInputs& accepted) const;
  QStringList DesignNotes(const DesignSpectrum& design) const;

  Desktop& desktop_;
};
