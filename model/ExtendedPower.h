// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extended-precision power function of the spectrum, made cheap: glibc's powl costs
// about half a microsecond, while exp2l(y * log2l(x)) costs a fifth of that and lies within a
// few units of the last place of powl. A result that is then rounded to double is taken from
// the quick estimate whenever that rounding cannot depend on the difference; otherwise the
// caller falls back to powl. Either way the double is the one that powl gives.

// x^y by exp2(y log2 x), with a bound on its relative distance from powl(x, y). The bound is
// infinite for arguments the estimate does not cover (x not positive, non-finite values).
struct PowerEstimate {
  long double value;
  long double relativeError;
};
PowerEstimate EstimatePower(long double x, long double y);

// True when every extended value within relativeError (relative) of value rounds to the same
// double as value itself. False for values outside the normal range of double.
bool RoundsToSameDouble(long double value, long double relativeError);
