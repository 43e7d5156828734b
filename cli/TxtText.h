// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

class DesignSpectrum;

// One spectrum for analysis programs that read a function from a text file: comment lines
// beginning with "$" (name, code, AlphaMax, Tg, damping ratio, column titles), then one line
// "T Sa" per period, numbers in their shortest exact text with ".", LF line ends, no blank
// line.
std::string BuildTxtText(const DesignSpectrum& spectrum, std::span<const double> periods);
