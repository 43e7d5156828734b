// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

class SpectrumList;

// Reads a file written by Save Data (with "." or "," as decimal separator, RFC 4180 quoting)
// and checks it: the layout, each spectrum's inputs by the input panel's rules, and every
// period and Sa value against a fresh computation. Returns the spectra it holds; throws
// CliError (failure) with the file name and the first line found wrong.
SpectrumList ReadSavedData(std::string_view bytes, std::string_view fileName);
