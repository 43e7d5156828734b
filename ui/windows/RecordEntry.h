// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "records/CompatibilityCheck.h"
#include "records/GroundMotion.h"
#include "records/ResponseSpectrum.h"

// One record of the records window with what has been computed for it so far. The motion is
// shared with the worker computing its spectra, so removing the record never pulls it away
// from under a running computation.
struct RecordEntry {
  int id = 0;
  QString path;  // the file it was read from
  std::shared_ptr<const GroundMotion> motion;
  double peak = 0;               // g
  double effectiveDuration = 0;  // s
  double scaleFactor = 1;
  bool real = true;
  std::string title;  // who made the record, for a saved copy; empty for records read from files
  std::optional<ResponseSpectrum> spectrum;  // unscaled, at the accepted damping
  std::optional<CheckRecord> check;          // unscaled PSA at the accepted main periods
  bool failed = false;                       // the computation ended with an error
  QString failure;                           // why it failed
};
