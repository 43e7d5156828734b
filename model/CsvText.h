// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class SpectrumList;

// The complete content of the "Save Data" file for the spectra in list order: heading,
// parameter lines, an empty line, the names line, the heading line and 601 data lines,
// each ended by CR LF, no byte-order mark. A field holding ",", '"', CR or LF is quoted the
// RFC 4180 way so columns and rows survive names with commas or line breaks and a ","
// decimal separator. Numbers are written with the given decimal separator.
std::string BuildCsvText(const SpectrumList& spectra, std::string_view separator);

// True for a field holding ",", '"', CR or LF, which the file puts in quotes.
bool CsvFieldNeedsQuotes(std::string_view field);

// Appends the field, in quotes with inner quotes doubled when it needs them.
void AppendCsvField(std::string& out, std::string_view field);
