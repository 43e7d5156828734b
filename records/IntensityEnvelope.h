// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The intensity envelope of an artificial record: rising as (t / rise)^2, flat from rise to
// flatEnd, then decaying as exp(-decay (t - flatEnd)).
struct IntensityEnvelope {
  double rise = 0;     // s
  double flatEnd = 0;  // s
  double decay = 0;    // 1/s

  double At(double time) const;

  // From the first to the last time the envelope stands at a tenth of its top: about the
  // effective duration (10 % of the peak) of a record it shapes.
  double TenthSpan() const;

  // The default for a record of the given length: rising over its first fifteenth, flat to its
  // middle, then down to a tenth at nine tenths of it, so that the tenth span is 0.88 of the
  // duration (26.4 s of 30 s).
  static IntensityEnvelope ForDuration(double duration);
};

// The shortest record whose default envelope spans a tenth span of at least 5 times the
// longest period, in whole seconds: the duration to take when the longest period needs more than
// the default 30 s.
double DurationForLongestPeriod(double longestPeriod);
