// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/CheckSettings.h"
#include "records/RecordScaling.h"

// Where the records' target peak ground acceleration comes from.
enum class TargetKind { CodeTable, Typed, None };

// The records window's last accepted settings; changed only by a successful input check.
struct RecordInputs {
  double damping = 0.05;
  TargetKind target = TargetKind::CodeTable;
  std::int32_t intensity = 0;  // rows and columns of the input panel's lists
  std::int32_t action = 0;
  double typedGal = 0;          // cm/s2
  std::vector<double> periods;  // main periods T1..Tn in s; empty until the first check
  double tolerance = 0.2;       // allowed deviation of the mean, as a fraction
  ScaleBand scaleBand;          // scale factors outside it are flagged
  std::string design;           // name of the design spectrum; empty until the first check

  CheckSettings Settings() const { return {periods, tolerance, scaleBand}; }

  // The target in cm/s2; no value when the records stay unscaled.
  std::optional<double> TargetGal() const {
    switch (target) {
      case TargetKind::CodeTable:
        return TimeHistoryPeakAcceleration(intensity, action);
      case TargetKind::Typed:
        return typedGal;
      case TargetKind::None:
        break;
    }
    return std::nullopt;
  }
};
