// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a text file: LF, CR LF, CR and CR CR LF each end a line, as an editor counts
// them; a UTF-8 byte-order mark at the start is dropped. Line i of the result is line i + 1 of
// the file.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// The fields of a line, separated by blanks (space, tab, vertical tab, form feed), commas or
// semicolons.
std::vector<std::string_view> SplitFields(std::string_view line);

// A number as data files write it, read without the locale: optional sign, digits with an
// optional decimal point (".5" and "5." too) and an optional exponent introduced by E or, as
// Fortran writes it, D ("1.0D-3"), in either case. No value for anything else, for infinities,
// NaN and values beyond the range of a double.
std::optional<double> ParseRecordNumber(std::string_view field);

// A field shown in a message: in quotes, at most 24 bytes, bytes other than printable ASCII
// replaced by "?".
std::string QuoteField(std::string_view field);
