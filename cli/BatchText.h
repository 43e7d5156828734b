// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class SpectrumList;

// The spectra as a batch file (columns name, code, alpha_max, tg, damping; CR LF line ends)
// that `spectrum --batch` turns back into the same spectra. Numbers are general texts with
// the given decimal separator.
std::string BuildBatchText(const SpectrumList& spectra, std::string_view separator);
