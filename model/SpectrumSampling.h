// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class DesignSpectrum;

// Sa of the spectrum at the first `count` periods of a grid (`period(i)`, i = 0, 1, ...), in
// order. Sampling stops at the first period GetSa refuses, after its warning, so the result
// can be shorter than `count`. The chart, the data table and the CSV file all sample this way.
std::vector<double> SampleSpectrum(const DesignSpectrum& spectrum, std::int32_t count,
                                   double (*period)(std::int32_t));
