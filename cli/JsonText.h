// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

class SpectrumList;

// The spectra as a JSON array: per spectrum its inputs (name, code, alpha_max, tg, damping),
// its coefficients (gamma, eta1, eta2), the periods and the Sa values. Every number is the
// shortest text that reads back to the same double; a value beyond the double range is null.
std::string BuildJsonText(const SpectrumList& spectra, std::span<const double> periods);
