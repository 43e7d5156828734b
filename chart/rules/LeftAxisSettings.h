// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the left axis chooses its minimum and its label step. The defaults are fully automatic:
// minimum from the data, label step by the nice-number rule. The main window fixes the minimum
// at 0 and asks for a step of 0.0025 at start-up.
struct LeftAxisSettings {
  bool automaticMinimum = true;
  double minimum = 0;
  double desiredIncrement = 0;  // 0: nice-number step; otherwise doubled from here
};
