// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The value of a plain decimal number ("-1.2345670E-02", ".5", "3", "1.0D-3") whose digits fit
// a double exactly and whose power of ten is one too: then a single multiplication or division
// rounds exactly as a full conversion would. No value for every other text, valid or not, which
// the full conversion then handles; so this only makes the common case fast.
std::optional<double> ParseDecimalFastPath(std::string_view field);
