// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The texts of the five selection lists, in list order (UTF-8).
std::span<const char* const> CodeEditionNames();  // 2 entries
std::span<const char* const> IntensityNames();    // 6 entries
std::span<const char* const> ActionNames();       // 3 entries
std::span<const char* const> SiteClassNames();    // 5 entries
std::span<const char* const> GroupNames();        // 3 entries

// AlphaMax for an intensity row and a seismic action column. Any intensity outside 0..4
// selects the last row; any action outside 0..2 selects column 0.
double DefaultAlphaMax(std::int32_t intensity, std::int32_t action);

// Tg in seconds for a site class row and a design group column; no value for a site class
// outside 0..4. Any group outside 0..2 selects column 0.
std::optional<double> DefaultTg(std::int32_t siteClass, std::int32_t group);
