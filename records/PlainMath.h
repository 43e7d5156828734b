// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exponential and circular functions computed with additions, multiplications and exact
// scalings only, in a fixed order. The system's library may give a different last digit on
// another processor; these give the same bits everywhere (with contraction into fused
// multiply-adds switched off for the files that use them), which the artificial records need to
// be the same on every machine. Accurate to a few units in the last place.
double PlainExp(double x);  // |x| < 700
double PlainLog(double x);  // x > 0, finite
double PlainCos(double x);  // |x| < 1e6
double PlainSin(double x);  // |x| < 1e6
