// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"

// Everything `check` prints: the design spectrum, how the records were scaled and the outcome
// of the check, which holds the records with their scale factors.
struct CheckReport {
  const DesignSpectrum* design = nullptr;
  std::string scaling;  // a sentence
  CheckResult result;
};
